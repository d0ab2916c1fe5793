#include "browser/icu_functions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace morvik {
namespace {

// ICU's U_STRING_NOT_TERMINATED_WARNING (a success) and
// U_ILLEGAL_ARGUMENT_ERROR, which the stand-in declarations on Windows lack.
const UErrorCode kNotTerminated = static_cast<UErrorCode>(-124);
const UErrorCode kIllegalArgument = static_cast<UErrorCode>(1);

struct FillCase {
  const char* name;
  std::size_t guess;
  std::string result;  // what the fake call writes
  bool keeps_growing;  // asks for one more byte on every call
  UErrorCode failure;  // reported instead of a result, unless U_ZERO_ERROR
  std::optional<std::string> expected;
  int calls;
};

const FillCase kFillCases[] = {
    {"fits", 16, "abc", false, U_ZERO_ERROR, "abc", 1},
    {"fits exactly, unterminated", 3, "abc", false, U_ZERO_ERROR, "abc", 1},
    {"grows once", 2, "a longer result", false, U_ZERO_ERROR, "a longer result", 2},
    {"never fits", 2, "abc", true, U_ZERO_ERROR, std::nullopt, 2},
    {"fails", 16, "abc", false, kIllegalArgument, std::nullopt, 1},
};

class FillIcuBufferTest : public ::testing::TestWithParam<FillCase> {};

// A stand-in for an ICU function that writes `result` the way ICU writes
// its output into a caller's buffer.
TEST_P(FillIcuBufferTest, CallsAgainOnlyForALongerBuffer) {
  const FillCase& test = GetParam();
  SCOPED_TRACE(test.name);
  int calls = 0;
  std::string result = test.result;
  const auto call = [&](char* buffer, std::int32_t capacity, UErrorCode* status) {
    ++calls;
    if (test.failure != U_ZERO_ERROR) {
      *status = test.failure;
      return std::int32_t{0};
    }
    if (test.keeps_growing) result.resize(static_cast<std::size_t>(capacity) + 1, 'x');
    const auto length = static_cast<std::int32_t>(result.size());
    if (length > capacity) {
      *status = U_BUFFER_OVERFLOW_ERROR;
    } else {
      std::copy(result.begin(), result.end(), buffer);
      if (length == capacity) *status = kNotTerminated;
    }
    return length;
  };
  EXPECT_EQ(FillIcuBuffer(test.guess, call), test.expected);
  EXPECT_EQ(calls, test.calls);
}

INSTANTIATE_TEST_SUITE_P(Cases, FillIcuBufferTest, ::testing::ValuesIn(kFillCases));

}  // namespace
}  // namespace morvik
