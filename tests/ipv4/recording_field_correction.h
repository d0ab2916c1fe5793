#pragma once
// A window seam that records the corrections made through it, installed for
// the lifetime of the object.

#include <ostream>
#include <vector>

#include "ipv4/field_correction.h"

namespace morvik::testing {

struct FieldCall {
  enum class Kind { SetText, SetCaret, Focus };
  Kind kind;
  AddressField field;
  Text text;              // SetText only
  Position position = 0;  // SetCaret only

  bool operator==(const FieldCall&) const = default;
};

// The three calls of one correction, in the order the window needs them.
inline std::vector<FieldCall> CorrectionCalls(AddressField field, const Text& text,
                                              Position caret) {
  return {{FieldCall::Kind::SetText, field, text},
          {FieldCall::Kind::SetCaret, field, "", caret},
          {FieldCall::Kind::Focus, field, ""}};
}

inline std::ostream& operator<<(std::ostream& out, const FieldCall& call) {
  const char* field = call.field == AddressField::Decimal ? "decimal" : "hex";
  switch (call.kind) {
    case FieldCall::Kind::SetText:
      return out << "SetText(" << field << ", \"" << call.text << "\")";
    case FieldCall::Kind::SetCaret:
      return out << "SetCaret(" << field << ", " << call.position << ")";
    case FieldCall::Kind::Focus: return out << "Focus(" << field << ")";
  }
  return out;
}

class RecordingFieldCorrection : public FieldCorrection {
 public:
  RecordingFieldCorrection() : previous_(InstallFieldCorrection(this)) {}
  ~RecordingFieldCorrection() override { InstallFieldCorrection(previous_); }
  RecordingFieldCorrection(const RecordingFieldCorrection&) = delete;
  RecordingFieldCorrection& operator=(const RecordingFieldCorrection&) = delete;

  void SetText(AddressField field, const Text& text) override {
    calls_.push_back({FieldCall::Kind::SetText, field, text});
  }
  void SetCaret(AddressField field, Position position) override {
    calls_.push_back({FieldCall::Kind::SetCaret, field, "", position});
  }
  void Focus(AddressField field) override { calls_.push_back({FieldCall::Kind::Focus, field, ""}); }

  const std::vector<FieldCall>& calls() const { return calls_; }

 private:
  FieldCorrection* previous_;
  std::vector<FieldCall> calls_;
};

}  // namespace morvik::testing
