#pragma once
// The main window's own template: caption, place, size, styles and font.
// It holds no controls; they are added one by one after creation.

#include <windows.h>

#include "app/dialog_template.h"

namespace morvik {

constexpr char kMainDialogTitle[] = "Quelt: Morvik 1.0";

// The style the window asks for, less WS_VISIBLE: the dialog is built hidden
// and shown only when its modal run starts.
constexpr DWORD kMainDialogRequestedStyle =
    0x94C800D4;  // WS_POPUP | WS_VISIBLE |
                 // WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
                 // DS_NOFAILCREATE | DS_3DLOOK
constexpr DWORD kMainDialogStyle = kMainDialogRequestedStyle & ~WS_VISIBLE;
constexpr DWORD kMainDialogExStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;

// Dialog units of the template's font; x and y are screen-relative, as the
// window has no owner and is not centred.
constexpr short kMainDialogX = 47;
constexpr short kMainDialogY = 78;
constexpr short kMainDialogWidth = 303;
constexpr short kMainDialogHeight = 84;

constexpr WORD kDialogFontPoints = 8;
constexpr char kDialogFontFace[] = "MS Sans Serif";

DialogTemplateWriter MainDialogTemplate();

}  // namespace morvik
