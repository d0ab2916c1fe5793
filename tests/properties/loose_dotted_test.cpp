// Dotted text as a user may leave it (leading zeros and blanks, trailing
// letters, signs, exponents, out-of-range numbers, missing components) still
// names one address: each component's number modulo 256, with missing
// components as zeros at the end. Both notations must name that address, and
// converting them back must give its canonical dotted text.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "ipv4/notation.h"
#include "tests/properties/address_text.h"

namespace morvik {
namespace {

using testing::Address;
using testing::CanonicalDecimal;
using testing::CanonicalDotted;
using testing::CanonicalHex;

constexpr int kTexts = 20000;

struct LooseDotted {
  Text text;
  Address address = 0;
};

// Draws loose dotted texts together with the address each one names, worked
// out with integer arithmetic.
class LooseDottedSource {
 public:
  LooseDotted Next() {
    LooseDotted loose;
    const int components = Pick(1, 4);
    for (int index = 0; index < 4; ++index) {
      std::int64_t value = 0;
      if (index < components) {
        if (index > 0) loose.text += '.';
        loose.text += Component(value);
      }
      loose.address = (loose.address << 8) | static_cast<Address>(value & 0xFF);
    }
    return loose;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  // One component's text; `value` is the whole number it reads as. Blanks,
  // TABs and line feeds may come before the sign, zeros after it, and the
  // number ends at the first character that cannot continue it.
  Text Component(std::int64_t& value) {
    static const char* const kSpaces[] = {"", "", "", " ", "\t", "\n", " \t"};
    static const char* const kZeros[] = {"", "", "", "0", "00"};
    static const char* const kTails[] = {"", "", "", "X", "x7", " 9", "/a", "-3", "+"};
    const Text spaces = kSpaces[Pick(0, 6)];
    const Text tail = kTails[Pick(0, 8)];
    switch (Pick(0, 5)) {
      case 0:  // nothing, or a letter first: no number at all
        value = 0;
        return Pick(0, 1) == 0 ? Text{} : spaces + "W" + tail;
      case 1: {  // an exponent form of a whole number
        const int mantissa = Pick(0, 999);
        const int exponent = Pick(0, 3);
        value = mantissa;
        for (int i = 0; i < exponent; ++i) value *= 10;
        return spaces + std::to_string(mantissa) + (Pick(0, 1) == 0 ? "e" : "D") +
               std::to_string(exponent) + tail;
      }
      case 2:  // far beyond a byte, either sign
        value = std::uniform_int_distribution<std::int64_t>(-(1LL << 40), 1LL << 40)(random_);
        break;
      default:  // mostly a byte, sometimes a little beyond
        value = Pick(-300, 600);
        break;
    }
    const Text sign = value < 0 ? "-" : (Pick(0, 3) == 0 ? "+" : "");
    return spaces + sign + kZeros[Pick(0, 4)] + std::to_string(value < 0 ? -value : value) + tail;
  }

  std::mt19937 random_{20240611};  // fixed: every run checks the same texts
};

TEST(LooseDotted, BothNotationsNameTheAddressAndConvertBack) {
  LooseDottedSource source;
  int failures = 0;
  for (int i = 0; i < kTexts && failures < 5; ++i) {
    const LooseDotted loose = source.Next();
    const Text decimal = DottedToDecimal(loose.text);
    const Text hex = DottedToHex(loose.text);
    const Text dotted = CanonicalDotted(loose.address);
    if (decimal == CanonicalDecimal(loose.address) && hex == CanonicalHex(loose.address) &&
        DecimalToDotted(decimal) == dotted && HexToDotted(hex) == dotted) {
      continue;
    }
    ++failures;
    ADD_FAILURE() << ::testing::PrintToString(loose.text) << " should be " << dotted
                  << "; gives decimal " << decimal << " and hex " << hex;
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace morvik
