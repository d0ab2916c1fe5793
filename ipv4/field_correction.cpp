#include "ipv4/field_correction.h"

#include <utility>

namespace morvik {
namespace {

// Installed by the window once it exists; null until then (and in tools that
// have no window), so corrections are silently dropped.
FieldCorrection* installed_correction = nullptr;

}  // namespace

FieldCorrection* InstallFieldCorrection(FieldCorrection* correction) {
  return std::exchange(installed_correction, correction);
}

void CorrectField(AddressField field, const Text& text) {
  // Setting the text makes the window run its handlers before returning; keep
  // the seam we started with for the whole correction.
  FieldCorrection* const correction = installed_correction;
  if (correction == nullptr) return;
  correction->SetText(field, text);
  correction->SetCaret(field, TextLength(text));
  correction->Focus(field);
}

}  // namespace morvik
