#include "app/result_font.h"

#include <cstring>

#include "app/control_ids.h"

namespace morvik {
namespace {

constexpr int kResultFontPoints = 14;
constexpr int kPointsPerInch = 72;
constexpr char kResultFontFace[] = "Courier New";

int ScreenPixelsPerInch() {
  const WindowDc screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

}  // namespace

int ResultFontHeight(int pixels_per_inch) {
  return -(pixels_per_inch * kResultFontPoints / kPointsPerInch);
}

Font CreateResultFont() {
  LOGFONTA description{};  // width, angles, italics, precisions, pitch: defaults (0)
  description.lfHeight = ResultFontHeight(ScreenPixelsPerInch());
  description.lfWeight = FW_BOLD;
  description.lfCharSet = ANSI_CHARSET;
  static_assert(sizeof kResultFontFace <= sizeof description.lfFaceName);
  std::memcpy(description.lfFaceName, kResultFontFace, sizeof kResultFontFace);
  return Font(CreateFontIndirectA(&description));
}

void GiveResultFont(HWND dialog, HFONT font) {
  for (const int id : {IDC_IPADDRESS, IDC_DECIMAL, IDC_HEX}) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

}  // namespace morvik
