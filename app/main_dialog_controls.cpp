#include "app/main_dialog_controls.h"

#include "app/control_ids.h"
#include "app/sample_url.h"

namespace morvik {
namespace {

// No control starts a group and no button is a default button.
constexpr DWORD kField = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kUrlStyle = kField | ES_LEFT | ES_AUTOHSCROLL;
constexpr DWORD kHostStyle = kField | ES_READONLY | ES_AUTOHSCROLL;
// The address fields take no more text than they show.
constexpr DWORD kAddressStyle = kField | ES_LEFT;
constexpr DWORD kButtonStyle = kField | BS_PUSHBUTTON;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_RIGHT;
constexpr DWORD kFrameStyle = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
static_assert(kUrlStyle == 0x50010080 && kHostStyle == 0x50010880 && kAddressStyle == 0x50010000 &&
              kButtonStyle == 0x50010000 && kLabelStyle == 0x50000002 && kFrameStyle == 0x50000007);
constexpr DWORD kSunken = WS_EX_CLIENTEDGE;
constexpr DWORD kFlat = 0;

// The control's rectangle in the dialog's client pixels.
RECT MappedControlRect(HWND dialog, const ControlLayout& layout) {
  RECT rect{layout.x, layout.y, layout.x + layout.width, layout.y + layout.height};
  MapDialogRect(dialog, &rect);
  return rect;
}

}  // namespace

// The group box reaches one unit below the client area; its bottom edge is cut off.
const std::array<ControlLayout, 13> kMainDialogControls = {{
    {IDC_URL, "EDIT", kSampleUrl, 25, 4, 275, 10, kUrlStyle, kSunken},
    {IDC_HOST, "EDIT", "", 25, 15, 275, 10, kHostStyle, kSunken},
    {IDC_RESOLVE, "BUTTON", "&Resolve IP", 255, 30, 45, 10, kButtonStyle, kFlat},
    {IDC_IPADDRESS, "SysIPAddress32", "0.0.0.0", 90, 33, 120, 15, kField, kFlat},
    {IDC_DECIMAL, "EDIT", "0", 90, 48, 120, 15, kAddressStyle, kSunken},
    {IDC_HEX, "EDIT", "0", 90, 63, 120, 15, kAddressStyle, kSunken},
    {IDC_ABOUT, "BUTTON", "&About", 255, 50, 45, 10, kButtonStyle, kFlat},
    {IDCANCEL, "BUTTON", "&Close", 255, 70, 45, 10, kButtonStyle, kFlat},
    {IDC_URL_LABEL, "STATIC", "URL:", 0, 5, 25, 10, kLabelStyle, kFlat},
    {IDC_DOTTED_LABEL, "STATIC", "Dotted Format", 25, 35, 60, 10, kLabelStyle, kFlat},
    {IDC_DECIMAL_LABEL, "STATIC", "Decimal Format", 20, 49, 65, 10, kLabelStyle, kFlat},
    {IDC_HEX_LABEL, "STATIC", "Hexadecimal Format", 20, 64, 65, 10, kLabelStyle, kFlat},
    {IDC_IP_FRAME, "BUTTON", "IP Address", 0, 25, 250, 60, kFrameStyle, kFlat},
}};

HWND CreateControl(HWND dialog, const ControlLayout& layout, HFONT font) {
  const RECT rect = MappedControlRect(dialog, layout);
  const HWND control = CreateWindowExA(layout.ex_style,
                                       layout.window_class,
                                       layout.text,
                                       layout.style,
                                       rect.left,
                                       rect.top,
                                       rect.right - rect.left,
                                       rect.bottom - rect.top,
                                       dialog,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                                       GetModuleHandleA(nullptr),
                                       nullptr);
  if (control != nullptr) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

}  // namespace morvik
