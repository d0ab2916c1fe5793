#include "app/field_text.h"

namespace morvik {

Text ReadFieldText(HWND dialog, int control_id) {
  const HWND field = GetDlgItem(dialog, control_id);
  if (field == nullptr) return {};
  // Sized from the control's own count, never a fixed buffer, so that a long
  // pasted URL is read whole.
  Text text(static_cast<std::size_t>(GetWindowTextLengthA(field)) + 1, '\0');
  const int copied = GetWindowTextA(field, text.data(), static_cast<int>(text.size()));
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void WriteFieldText(HWND dialog, int control_id, const Text& text) {
  SetWindowTextA(GetDlgItem(dialog, control_id), text.c_str());
}

}  // namespace morvik
