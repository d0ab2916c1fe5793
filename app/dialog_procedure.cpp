#include "app/dialog_procedure.h"

#include "app/handles.h"

namespace morvik {
namespace {

// Owned by the dialog window: made when the window is created (WM_INITDIALOG)
// and deleted with it (WM_NCDESTROY, after all its children are gone, so the
// brush outlives the control it paints).
struct DialogState {
  DialogCallback callback = nullptr;
  int* end_result = nullptr;
  HWND coloured_control = nullptr;
  COLORREF background = 0;
  Brush background_brush;
};

DialogState* StateOf(HWND dialog) {
  return IsWindow(dialog) ? reinterpret_cast<DialogState*>(GetWindowLongPtrA(dialog, DWLP_USER))
                          : nullptr;
}

void AdoptState(HWND dialog) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(new DialogState));
}

void ReleaseState(HWND dialog) {
  delete StateOf(dialog);
  SetWindowLongPtrA(dialog, DWLP_USER, 0);
}

bool IsControlColourMessage(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// The brush for a control with assigned colours, after setting up its DC;
// null for every other control (default colours).
HBRUSH PaintAssignedColours(const DialogState& state, HDC dc, HWND control) {
  if (control != state.coloured_control || !state.background_brush) return nullptr;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, state.background);
  return state.background_brush.get();
}

bool IsSystemClose(UINT message, WPARAM wParam) {
  return message == WM_SYSCOMMAND && LOWORD(wParam) == SC_CLOSE;
}

}  // namespace

INT_PTR CALLBACK MainDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG && StateOf(dialog) == nullptr) AdoptState(dialog);
  if (const DialogState* state = StateOf(dialog); state != nullptr && state->callback != nullptr) {
    if (const LRESULT result = state->callback(dialog, message, wParam, lParam); result != 0) {
      return result;
    }
  }
  // The callback may have ended the dialog: look the state up again.
  const DialogState* state = StateOf(dialog);
  if (state == nullptr) return FALSE;

  if (IsControlColourMessage(message)) {
    const HBRUSH brush =
        PaintAssignedColours(*state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    if (brush != nullptr) return reinterpret_cast<INT_PTR>(brush);
  } else if (IsSystemClose(message, wParam)) {
    // Title-bar close button, Alt+F4, system menu: the callback's own Close
    // handling is not involved.
    EndMainDialog(dialog, 0);
    return TRUE;
  } else if (message == WM_NCDESTROY) {
    ReleaseState(dialog);
  }
  return FALSE;  // default dialog handling
}

void AssignControlColours(HWND dialog, int control_id, COLORREF background) {
  DialogState* state = StateOf(dialog);
  if (state == nullptr) return;
  state->coloured_control = GetDlgItem(dialog, control_id);
  state->background = background;
  state->background_brush = Brush(CreateSolidBrush(background));
}

void AttachDialogCallback(HWND dialog, DialogCallback callback, int* end_result) {
  DialogState* state = StateOf(dialog);
  if (state == nullptr) return;
  state->callback = callback;
  state->end_result = end_result;
}

void EndMainDialog(HWND dialog, int result) {
  if (DialogState* state = StateOf(dialog); state != nullptr && state->end_result != nullptr) {
    *state->end_result = result;
  }
  DestroyWindow(dialog);
}

}  // namespace morvik
