#include "app/dialog_template.h"

namespace morvik {

void DialogTemplateWriter::Dword(DWORD value) {
  Word(LOWORD(value));
  Word(HIWORD(value));
}

void DialogTemplateWriter::Word(WORD value) { words_.push_back(value); }

void DialogTemplateWriter::Short(short value) { Word(static_cast<WORD>(value)); }

void DialogTemplateWriter::WideString(std::string_view ascii) {
  for (const char c : ascii) Word(static_cast<unsigned char>(c));
  Word(0);
}

void DialogTemplateWriter::AlignToDword() {
  if (words_.size() % 2 != 0) Word(0);
}

const DLGTEMPLATE* DialogTemplateWriter::Template() const {
  return reinterpret_cast<const DLGTEMPLATE*>(words_.data());
}

}  // namespace morvik
