#pragma once
// Child identifiers of the main window, as they arrive in the low word of a
// WM_COMMAND wParam. "&Close" uses the standard IDCANCEL (2) so that Escape
// presses it; 1006 and 1009 are unused.

namespace morvik {

constexpr int IDC_URL_LABEL = 1001;
constexpr int IDC_DOTTED_LABEL = 1002;
constexpr int IDC_DECIMAL_LABEL = 1003;
constexpr int IDC_HEX_LABEL = 1004;
constexpr int IDC_URL = 1005;
constexpr int IDC_DECIMAL = 1007;
constexpr int IDC_HEX = 1008;
constexpr int IDC_ABOUT = 1010;
constexpr int IDC_IPADDRESS = 1011;
constexpr int IDC_HOST = 1012;
constexpr int IDC_RESOLVE = 1013;
constexpr int IDC_IP_FRAME = 1014;

}  // namespace morvik
