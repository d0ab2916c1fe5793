#pragma once
// Gives an IP address control the text contract that Windows' control has
// (WM_SETTEXT spread over its four parts, WM_GETTEXT and WM_GETTEXTLENGTH
// composed from them, a typed part reported as EN_CHANGE of the composed
// text) where the platform's control lacks it, as Wine's does: it keeps a
// text it is given as a caption nobody sees and reports that caption back.
// The window reads and writes the field as text either way.

#include <windows.h>

namespace morvik {

// Makes a hidden instance of the class, gives it "1.2.3.4" with WM_SETTEXT
// and asks for its address with IPM_GETADDRESS: true only when the instance
// exists and did not take the text into its four parts. A class that cannot
// be made (no common controls) has nothing to supply.
bool LacksIpAddressTextContract(const char* window_class);

// Subclasses the control with the text contract, unconditionally; the
// subclass removes itself when the control is destroyed. False, and nothing
// done, for a control that does not have four edit parts.
bool AdaptIpAddressControl(HWND control);

// Adapts the control only where its class lacks the contract; on Windows the
// control is left exactly as it is. True when it was adapted.
bool SupplyIpAddressTextContract(HWND control);

}  // namespace morvik
