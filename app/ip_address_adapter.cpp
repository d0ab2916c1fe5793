#include "app/ip_address_adapter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "app/children_left_to_right.h"
#include "app/ip_address_parts.h"

namespace morvik {
namespace {

constexpr char kAdapterProperty[] = "MorvikIpAddressTextAdapter";

// Owned by the control: made when the subclass is installed, deleted when
// the control is destroyed (WM_NCDESTROY).
struct AdapterState {
  WNDPROC control_procedure = nullptr;
  std::array<HWND, 4> parts{};  // left to right
  // While the adapter writes the parts, their change notifications are its
  // own and reported once, after the last part.
  int writing_parts = 0;
};

AdapterState* StateOf(HWND control) {
  return static_cast<AdapterState*>(GetPropA(control, kAdapterProperty));
}

bool IsEditWindow(HWND window) {
  char window_class[16] = "";
  GetClassNameA(window, window_class, sizeof window_class);
  return lstrcmpiA(window_class, "Edit") == 0;
}

// The control's edit children, left to right; empty unless there are four.
std::vector<HWND> PartsOf(HWND control) {
  std::vector<HWND> parts = ChildrenLeftToRight(control);
  parts.erase(
      std::remove_if(parts.begin(), parts.end(), [](HWND part) { return !IsEditWindow(part); }),
      parts.end());
  if (parts.size() != 4) return {};
  return parts;
}

std::string PartText(HWND part) {
  char text[8] = "";  // a part holds at most three digits; more reads as blank
  GetWindowTextA(part, text, sizeof text);
  return text;
}

std::string ComposedText(const AdapterState& state) {
  IpAddressParts parts;
  for (std::size_t i = 0; i < parts.size(); ++i) parts[i] = PartText(state.parts[i]);
  return ComposeFromParts(parts);
}

bool IsFromPart(const AdapterState& state, LPARAM lParam) {
  const auto from = reinterpret_cast<HWND>(lParam);
  return std::find(state.parts.begin(), state.parts.end(), from) != state.parts.end();
}

void NotifyParentOfChange(HWND control) {
  SendMessageA(GetParent(control),
               WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(control), EN_CHANGE),
               reinterpret_cast<LPARAM>(control));
}

// The parts changed: the caption, which nothing shows, follows them for
// whoever reads it without asking the control, and the parent hears
// EN_CHANGE and reads the composed text. This is all the platform's control
// does for a changed part, and doing it here means a text the parent writes
// back while it handles the change is still spread over the parts.
void ReportChange(HWND control, const AdapterState& state) {
  const std::string composed = ComposedText(state);
  CallWindowProcA(
      state.control_procedure, control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(composed.c_str()));
  NotifyParentOfChange(control);
}

// One write is one change, as an edit control reports it: the parts are
// filled without a word, then the change is reported once, with all four
// parts in place.
LRESULT SpreadText(HWND control, AdapterState& state, const char* text) {
  const IpAddressParts parts = SpreadOverParts(text != nullptr ? text : "");
  ++state.writing_parts;
  for (std::size_t i = 0; i < parts.size(); ++i) SetWindowTextA(state.parts[i], parts[i].c_str());
  --state.writing_parts;
  ReportChange(control, state);
  return TRUE;
}

LRESULT CopyComposedText(const AdapterState& state, WPARAM room, LPARAM buffer) {
  if (room == 0 || buffer == 0) return 0;
  const std::string composed = ComposedText(state);
  const std::size_t copied = std::min<std::size_t>(composed.size(), room - 1);
  char* out = reinterpret_cast<char*>(buffer);
  std::memcpy(out, composed.data(), copied);
  out[copied] = '\0';
  return static_cast<LRESULT>(copied);
}

LRESULT CALLBACK AdapterProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  AdapterState* state = StateOf(control);
  if (state == nullptr) return DefWindowProcA(control, message, wParam, lParam);
  const WNDPROC control_procedure = state->control_procedure;
  switch (message) {
    case WM_SETTEXT: return SpreadText(control, *state, reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT: return CopyComposedText(*state, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(ComposedText(*state).size());
    case WM_COMMAND:
      if (!IsFromPart(*state, lParam)) break;
      if (HIWORD(wParam) == EN_CHANGE) {
        if (state->writing_parts == 0) ReportChange(control, *state);  // a typed part
        return 0;
      }
      // A part that takes the focus has its digits selected, so that typing
      // replaces them: the platform's control moves on after a third digit
      // into a part whose text it leaves unselected, where typing would stop
      // now that the parts show the address written into them.
      if (HIWORD(wParam) == EN_SETFOCUS) {
        SendMessageA(reinterpret_cast<HWND>(lParam), EM_SETSEL, 0, -1);
      }
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(control_procedure));
      RemovePropA(control, kAdapterProperty);
      delete state;
      break;
  }
  return CallWindowProcA(control_procedure, control, message, wParam, lParam);
}

}  // namespace

bool AdaptIpAddressControl(HWND control) {
  if (control == nullptr || StateOf(control) != nullptr) return false;
  const std::vector<HWND> parts = PartsOf(control);
  if (parts.empty()) return false;
  auto* state = new AdapterState;
  std::copy(parts.begin(), parts.end(), state->parts.begin());
  SetPropA(control, kAdapterProperty, state);
  state->control_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AdapterProcedure)));
  return true;
}

}  // namespace morvik
