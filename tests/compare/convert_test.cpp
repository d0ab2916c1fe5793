#include "compare/convert.h"

#include <gtest/gtest.h>

namespace morvik {
namespace {

struct ConvertCase {
  const char* input;
  Notation notation;
  const char* dotted;
  const char* decimal;
  const char* hex;
  const char* note;
};

const ConvertCase kConvertCases[] = {
    {"192.168.1.1", Notation::Dotted, "192.168.1.1", "3232235777", "C0A80101", ""},
    {"10.1",
     Notation::Dotted,
     "10.1.0.0",
     "167837696",
     "0A010000",
     "not strict dotted text; read loosely"},
    {"256.1.1.1",
     Notation::Dotted,
     "0.1.1.1",
     "65793",
     "00010101",
     "not strict dotted text; read loosely"},
    {"3232235777", Notation::Decimal, "192.168.1.1", "3232235777", "C0A80101", ""},
    {"-1", Notation::Decimal, "255.255.255.255", "4294967295", "FFFFFFFF", ""},
    {"4294967296",
     Notation::Decimal,
     "255.255.255.255",
     "4294967295",
     "FFFFFFFF",
     "over range, corrected to 4294967295"},
    {"C0A80101", Notation::Hex, "192.168.1.1", "3232235777", "C0A80101", ""},
    {"c0a80101", Notation::Hex, "192.168.1.1", "3232235777", "C0A80101", ""},
    {"A0B", Notation::Hex, "0.0.10.11", "2571", "00000A0B", ""},
    {"0xC0A80101", Notation::Hex, "192.168.1.1", "3232235777", "C0A80101", "0x prefix dropped"},
    {"C0A801011", Notation::Hex, "192.168.1.1", "3232235777", "C0A80101", "cut to C0A80101"},
    {"", Notation::Decimal, "0.0.0.0", "0", "00000000", ""},
};

class ConvertTest : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConvertTest, ShowsAllThreeNotations) {
  const ConvertCase& test = GetParam();
  const Conversion conversion = ConvertAddress(test.input);
  EXPECT_EQ(conversion.notation, test.notation);
  EXPECT_EQ(conversion.dotted, test.dotted);
  EXPECT_EQ(conversion.decimal, test.decimal);
  EXPECT_EQ(conversion.hex, test.hex);
  EXPECT_EQ(conversion.note, test.note);
}

INSTANTIATE_TEST_SUITE_P(Cases, ConvertTest, ::testing::ValuesIn(kConvertCases));

}  // namespace
}  // namespace morvik
