#pragma once
// Builds the main dialog in the test's own process, exactly as the modal run
// would (WM_INITDIALOG call, callback attached, result font), but without its
// loop, and drives it the way the dialog manager delivers user input: focus
// changes, WM_SETTEXT, BM_CLICK and keyboard messages offered to
// IsDialogMessageA.

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "app/handles.h"

namespace morvik::testing {

class DialogDriver : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:
  // Shows the dialog as the modal run does; the URL box takes the focus.
  void Show();
  // Delivers everything queued. A quit message is counted, not dispatched.
  void Pump();

  HWND Dialog() const { return dialog_; }
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  std::string Text(int id) const;
  void SetText(int id, const std::string& text);
  void Focus(int id);
  void Click(int id);
  // Characters as WM_CHAR to the focused control.
  void Type(const std::string& characters);
  // A key pressed and released, as WM_KEYDOWN/WM_KEYUP to the focused control.
  void Press(UINT virtual_key);
  // Alt+letter, as the dialog manager sees a mnemonic (WM_SYSCHAR).
  void PressAlt(char letter);
  // Alt+key, as WM_SYSKEYDOWN to the focused control (Alt+F4).
  void PressAltKey(UINT virtual_key);
  // The dialog's child that has or contains the focus, 0 when none.
  int FocusedControlId() const;
  // Caret or selection of an edit control.
  std::pair<DWORD, DWORD> Selection(int id) const;

 protected:
  HWND dialog_ = nullptr;
  Font result_font_;
  int end_result_ = -1;
  int quit_messages_ = 0;
  WPARAM quit_code_ = 0;

 private:
  void Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace morvik::testing
