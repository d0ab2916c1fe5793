#pragma once
// The window corrects a decimal field above 4294967295 and a hexadecimal
// field longer than 8 characters in place. The command line has no fields;
// it records the correction instead, to tell the user what the window would
// have shown.

#include <optional>

#include "ipv4/field_correction.h"

namespace morvik {

// Installed for its own lifetime; the core's corrections land here.
class CorrectionRecorder final : public FieldCorrection {
 public:
  CorrectionRecorder() : previous_(InstallFieldCorrection(this)) {}
  ~CorrectionRecorder() override { InstallFieldCorrection(previous_); }
  CorrectionRecorder(const CorrectionRecorder&) = delete;
  CorrectionRecorder& operator=(const CorrectionRecorder&) = delete;

  void SetText(AddressField, const Text& text) override { corrected_text_ = text; }
  void SetCaret(AddressField, Position) override {}
  void Focus(AddressField) override {}

  // The text the field was corrected to, if a correction happened.
  const std::optional<Text>& corrected_text() const { return corrected_text_; }

 private:
  FieldCorrection* previous_;
  std::optional<Text> corrected_text_;
};

}  // namespace morvik
