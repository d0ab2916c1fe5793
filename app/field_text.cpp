#include "app/field_text.h"

#include <algorithm>
#include <climits>

namespace morvik {
namespace {

// Room for the address fields and a short URL at the first try.
constexpr std::size_t kFirstRoom = 256;

}  // namespace

Text ReadFieldText(HWND dialog, int control_id) {
  const HWND field = GetDlgItem(dialog, control_id);
  if (field == nullptr) return {};
  // The length the control reports (WM_GETTEXTLENGTH) is only a first guess:
  // it is a separate contract from WM_GETTEXT, which any control class may
  // answer differently. The text is whole only once it leaves a byte to
  // spare, so one more byte than reported is asked for and, when the text
  // still fills the buffer, the buffer doubles.
  std::size_t room =
      std::max(kFirstRoom, static_cast<std::size_t>(std::max(0, GetWindowTextLengthA(field))) + 2);
  Text text;
  for (;;) {
    text.assign(room, '\0');
    const int copied = GetWindowTextA(field, text.data(), static_cast<int>(room));
    const std::size_t length = copied > 0 ? static_cast<std::size_t>(copied) : 0;
    if (length + 1 < room || room > INT_MAX / 2) {
      text.resize(std::min(length, room));
      return text;
    }
    room *= 2;
  }
}

void WriteFieldText(HWND dialog, int control_id, const Text& text) {
  SetWindowTextA(GetDlgItem(dialog, control_id), text.c_str());
}

}  // namespace morvik
