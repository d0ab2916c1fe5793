#include "app/main_dialog_callback.h"

#include "app/about_box.h"
#include "app/control_ids.h"
#include "app/dialog_procedure.h"
#include "app/field_text.h"
#include "app/window_field_correction.h"
#include "ipv4/host.h"
#include "ipv4/notation.h"
#include "url/decode_url.h"

namespace morvik {

int ActiveField = 0;

namespace {

constexpr int kDottedField = 1;
constexpr int kDecimalField = 2;
constexpr int kHexField = 3;

// URL box: every notification (typing, focus, scrolling) decodes it again,
// so the host field follows the URL live.
void UrlAction(HWND dialog) {
  WriteFieldText(dialog, IDC_HOST, DecodeUrl(ReadFieldText(dialog, IDC_URL)));
}

// The URL box getting the focus or scrolling decodes it too, but the
// correction of an over-range host must not take the focus out of the box
// then, or the user could never return to it, or move through it, to mend
// the URL. Typing an over-range host still moves the focus to IDC_DECIMAL.
void UrlKeepingFocusAction(HWND dialog) {
  const FocusKept kept;
  UrlAction(dialog);
}

// Takes the host shown in the host field (not the URL), which may mean a
// blocking name look-up, and fills all three address fields.
void ResolveAction(HWND dialog) {
  Text working = ReadFieldText(dialog, IDC_HOST);
  working = HostToDotted(working);
  WriteFieldText(dialog, IDC_IPADDRESS, working);
  WriteFieldText(dialog, IDC_DECIMAL, DottedToDecimal(working));
  WriteFieldText(dialog, IDC_HEX, DottedToHex(working));
}

// The edit actions write only the two fields that are not active, whose
// change notifications are then ignored: a user's edit updates them once.
void DottedEditAction(HWND dialog) {
  const Text dotted = ReadFieldText(dialog, IDC_IPADDRESS);
  WriteFieldText(dialog, IDC_DECIMAL, DottedToDecimal(dotted));
  WriteFieldText(dialog, IDC_HEX, DottedToHex(dotted));
}

// DecimalToDotted may correct IDC_DECIMAL itself (a value above 4294967295);
// that rewrite comes back here once, nested, with text that needs no more.
void DecimalEditAction(HWND dialog) {
  const Text decimal = ReadFieldText(dialog, IDC_DECIMAL);
  WriteFieldText(dialog, IDC_IPADDRESS, DecimalToDotted(decimal));
  WriteFieldText(dialog, IDC_HEX, DottedToHex(DecimalToDotted(decimal)));
}

// HexToDotted may cut IDC_HEX back to 8 characters, with the same nesting.
void HexEditAction(HWND dialog) {
  const Text hex = ReadFieldText(dialog, IDC_HEX);
  WriteFieldText(dialog, IDC_IPADDRESS, HexToDotted(hex));
  WriteFieldText(dialog, IDC_DECIMAL, DottedToDecimal(HexToDotted(hex)));
}

void ActivateDottedField(HWND) { ActiveField = kDottedField; }
void ActivateDecimalField(HWND) { ActiveField = kDecimalField; }
void ActivateHexField(HWND) { ActiveField = kHexField; }

void AboutAction(HWND) { ShowAboutBox(); }

void CloseAction(HWND dialog) {
  EndMainDialog(dialog, 0);
  PostQuitMessage(0);
}

constexpr int kAnyCode = -1;
// Buttons act on a click and on code 1, which is what an accelerator sends.
constexpr int kAcceleratorCode = 1;
constexpr int kAlways = -1;

struct Route {
  int control_id;
  int code;        // notification code, or kAnyCode
  int only_while;  // the ActiveField the route needs, or kAlways
  void (*action)(HWND dialog);
};

// The first route that matches runs; a notification that matches none (the
// host field, the labels, IDOK from Enter, other codes) does nothing.
constexpr Route kRoutes[] = {
    {IDC_URL, EN_SETFOCUS, kAlways, UrlKeepingFocusAction},
    {IDC_URL, EN_HSCROLL, kAlways, UrlKeepingFocusAction},
    {IDC_URL, kAnyCode, kAlways, UrlAction},
    {IDC_RESOLVE, BN_CLICKED, kAlways, ResolveAction},
    {IDC_RESOLVE, kAcceleratorCode, kAlways, ResolveAction},
    {IDC_IPADDRESS, EN_SETFOCUS, kAlways, ActivateDottedField},
    {IDC_IPADDRESS, EN_CHANGE, kDottedField, DottedEditAction},
    {IDC_DECIMAL, EN_SETFOCUS, kAlways, ActivateDecimalField},
    {IDC_DECIMAL, EN_CHANGE, kDecimalField, DecimalEditAction},
    {IDC_HEX, EN_SETFOCUS, kAlways, ActivateHexField},
    {IDC_HEX, EN_CHANGE, kHexField, HexEditAction},
    {IDC_ABOUT, BN_CLICKED, kAlways, AboutAction},
    {IDC_ABOUT, kAcceleratorCode, kAlways, AboutAction},
    {IDCANCEL, BN_CLICKED, kAlways, CloseAction},
    {IDCANCEL, kAcceleratorCode, kAlways, CloseAction},
};

bool Matches(const Route& route, int control_id, int code) {
  return route.control_id == control_id && (route.code == kAnyCode || route.code == code) &&
         (route.only_while == kAlways || route.only_while == ActiveField);
}

}  // namespace

LRESULT MainDialogCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return 0;
  const int control_id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  for (const Route& route : kRoutes) {
    if (Matches(route, control_id, code)) {
      route.action(dialog);
      break;
    }
  }
  return 0;
}

}  // namespace morvik
