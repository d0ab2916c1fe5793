#pragma once
// An in-memory dialog template (DLGTEMPLATE and what follows it), written
// field by field. The window is built at run time instead of from a resource,
// so the template is just a little array of 16-bit words that starts on a
// DWORD boundary, as CreateDialogIndirectParamA requires.

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace morvik {

class DialogTemplateWriter {
 public:
  void Dword(DWORD value);
  void Word(WORD value);
  void Short(short value);
  // Plain ASCII text as the NUL-terminated UTF-16 string the template holds.
  void WideString(std::string_view ascii);
  // Pads with a zero word up to the next DWORD boundary (items start there).
  void AlignToDword();

  const DLGTEMPLATE* Template() const;

 private:
  // The allocator's alignment is at least that of a DWORD, so word 0 is DWORD aligned.
  std::vector<WORD> words_;
};

}  // namespace morvik
