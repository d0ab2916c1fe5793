#include "tests/app/dialog_driver.h"

#include "app/main_dialog.h"
#include "app/main_dialog_callback.h"
#include "app/modal_run.h"
#include "app/result_font.h"

namespace morvik::testing {
namespace {

// Key message flags: one repeat; the context code of a key pressed with
// Alt; and a release (previous state down, transition state up).
constexpr LPARAM kOnce = 1;
constexpr LPARAM kAltDown = 1 << 29;
constexpr LPARAM kReleased = static_cast<LPARAM>(0xC0000000u);

void DropQueuedMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) DispatchMessageA(&message);
  }
}

}  // namespace

void DialogDriver::SetUp() {
  DropQueuedMessages();
  ActiveField = 0;  // as at process start
  dialog_ = CreateMainDialog(nullptr);
  ASSERT_NE(dialog_, nullptr);
  result_font_ = CreateResultFont();
  GiveResultFont(dialog_, result_font_.get());
  StartModalRun(dialog_, MainDialogCallback, &end_result_);
}

void DialogDriver::TearDown() {
  if (IsWindow(dialog_)) DestroyWindow(dialog_);
  DropQueuedMessages();
}

void DialogDriver::Show() {
  ShowWindow(dialog_, SW_SHOW);
  Pump();
}

void DialogDriver::Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ++quit_messages_;
      quit_code_ = message.wParam;
    } else if (!IsWindow(dialog_) || !IsDialogMessageA(dialog_, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
}

std::string DialogDriver::Text(int id) const {
  const HWND control = Control(id);
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

void DialogDriver::SetText(int id, const std::string& text) {
  SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  Pump();
}

void DialogDriver::Focus(int id) {
  SetFocus(Control(id));
  Pump();
}

void DialogDriver::Click(int id) {
  SendMessageA(Control(id), BM_CLICK, 0, 0);
  Pump();
}

void DialogDriver::Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG delivered{window, message, wParam, lParam, GetTickCount(), {}};
  if (!IsDialogMessageA(dialog_, &delivered)) {
    TranslateMessage(&delivered);
    DispatchMessageA(&delivered);
  }
  Pump();
}

void DialogDriver::Type(const std::string& characters) {
  for (const char c : characters) {
    Deliver(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), kOnce);
  }
}

void DialogDriver::Press(UINT virtual_key) {
  Deliver(GetFocus(), WM_KEYDOWN, virtual_key, kOnce);
  Deliver(GetFocus(), WM_KEYUP, virtual_key, kOnce | kReleased);
}

void DialogDriver::PressAlt(char letter) {
  Deliver(GetFocus(), WM_SYSCHAR, static_cast<unsigned char>(letter), kOnce | kAltDown);
}

void DialogDriver::PressAltKey(UINT virtual_key) {
  Deliver(GetFocus(), WM_SYSKEYDOWN, virtual_key, kOnce | kAltDown);
}

int DialogDriver::FocusedControlId() const {
  for (HWND window = GetFocus(); window != nullptr; window = GetParent(window)) {
    if (GetParent(window) == dialog_) return GetDlgCtrlID(window);
  }
  return 0;
}

std::pair<DWORD, DWORD> DialogDriver::Selection(int id) const {
  DWORD start = 0, end = 0;
  SendMessageA(
      Control(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

}  // namespace morvik::testing
