#include "app/main_dialog_template.h"

namespace morvik {

DialogTemplateWriter MainDialogTemplate() {
  constexpr WORD kNoControls = 0;
  constexpr WORD kNoMenu = 0;
  constexpr WORD kStandardDialogClass = 0;

  DialogTemplateWriter writer;
  writer.Dword(kMainDialogStyle);
  writer.Dword(kMainDialogExStyle);
  writer.Word(kNoControls);
  writer.Short(kMainDialogX);
  writer.Short(kMainDialogY);
  writer.Short(kMainDialogWidth);
  writer.Short(kMainDialogHeight);
  writer.Word(kNoMenu);
  writer.Word(kStandardDialogClass);
  writer.WideString(kMainDialogTitle);
  // DS_SETFONT: point size and face follow the title.
  writer.Word(kDialogFontPoints);
  writer.WideString(kDialogFontFace);
  writer.AlignToDword();
  return writer;
}

}  // namespace morvik
