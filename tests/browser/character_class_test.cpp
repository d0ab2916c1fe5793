#include "browser/character_class.h"

#include <gtest/gtest.h>

#include <string>

namespace morvik {
namespace {

struct ClassCase {
  char32_t code_point;
  CharacterClass expected;
};

const ClassCase kClassCases[] = {
    {U'a', CharacterClass::Shown},
    {U'~', CharacterClass::Shown},
    {0x00, CharacterClass::Control},
    {0x1B, CharacterClass::Control},
    {0x7F, CharacterClass::Control},
    {0x85, CharacterClass::Control},    // next line, a C1 control
    {0x9B, CharacterClass::Control},    // control sequence introducer
    {0xA0, CharacterClass::Shown},      // no-break space: shown as a space
    {0xAD, CharacterClass::Invisible},  // soft hyphen
    {0xE9, CharacterClass::Shown},
    {0x034F, CharacterClass::Invisible},         // combining grapheme joiner
    {0x061C, CharacterClass::DirectionControl},  // Arabic letter mark
    {0x180E, CharacterClass::Invisible},         // Mongolian vowel separator
    {0x200B, CharacterClass::Invisible},
    {0x200C, CharacterClass::Invisible},
    {0x200D, CharacterClass::Invisible},
    {0x200E, CharacterClass::DirectionControl},
    {0x200F, CharacterClass::DirectionControl},
    {0x202A, CharacterClass::DirectionControl},
    {0x202E, CharacterClass::DirectionControl},
    {0x202F, CharacterClass::Shown},  // narrow no-break space, right after the overrides
    {0x2060, CharacterClass::Invisible},
    {0x2066, CharacterClass::DirectionControl},
    {0x2069, CharacterClass::DirectionControl},
    {0x3164, CharacterClass::Invisible},  // Hangul filler: draws a blank nothing
    {0x4E2D, CharacterClass::Shown},
    {0xFE0F, CharacterClass::Invisible},
    {0xFEFF, CharacterClass::Invisible},
    {0x1F600, CharacterClass::Shown},
    {0xE0001, CharacterClass::Invisible},  // language tag
    {0xE0041, CharacterClass::Invisible},
    {0xE01EF, CharacterClass::Invisible},  // the last variation selector
};

class CharacterClassTest : public ::testing::TestWithParam<ClassCase> {};

TEST_P(CharacterClassTest, TellsWhatACharacterDoesOnScreen) {
  EXPECT_EQ(ClassifyCharacter(GetParam().code_point), GetParam().expected)
      << CodePointNumber(GetParam().code_point);
}

INSTANTIATE_TEST_SUITE_P(Cases, CharacterClassTest, ::testing::ValuesIn(kClassCases));

struct BelongsCase {
  char32_t before;
  char32_t code_point;
  bool belongs;
};

const BelongsCase kBelongsCases[] = {
    {0x094D, 0x200D, true},  // Devanagari virama, joiner: a half form
    {0x094D, 0x200C, true},  // ...non-joiner: an explicit virama
    {U'a', 0x200D, false},   // a joiner between Latin letters joins nothing
    {U'a', 0x200C, false},
    {0x1F468, 0x200D, true},   // man, joiner: a family emoji
    {0xFE0F, 0x200D, true},    // after a presentation selector inside an emoji
    {0x1F3FB, 0x200D, true},   // after a skin tone
    {0x2764, 0xFE0F, true},    // heart, emoji presentation
    {0x8FBB, 0xE0100, true},   // an ideographic variation
    {U'e', 0xFE0F, false},     // a selector on an ASCII letter varies nothing
    {0x1F3F4, 0xE0067, true},  // black flag, tag "g": a subdivision flag
    {0xE0067, 0xE0062, true},
    {0xE0062, 0xE007F, true},  // cancel tag ends it
    {U'a', 0xE0067, false},
    {U'a', 0x200B, false},  // a zero-width space has no job anywhere
    {0x094D, 0x200B, false},
    {0x1F468, 0x00AD, false},
};

class InvisibleBelongsTest : public ::testing::TestWithParam<BelongsCase> {};

TEST_P(InvisibleBelongsTest, KeepsOnlyCharactersThatDoAJobWhereTheyStand) {
  EXPECT_EQ(InvisibleBelongsAfter(GetParam().before, GetParam().code_point), GetParam().belongs)
      << CodePointNumber(GetParam().before) << " " << CodePointNumber(GetParam().code_point);
}

INSTANTIATE_TEST_SUITE_P(Cases, InvisibleBelongsTest, ::testing::ValuesIn(kBelongsCases));

struct LabelCase {
  char32_t code_point;
  std::string label;
};

const LabelCase kLabelCases[] = {
    {0x1B, "U+001B"},  // controls have no name of their own
    {0x202E, "U+202E RIGHT-TO-LEFT OVERRIDE"},
    {0x200B, "U+200B ZERO WIDTH SPACE"},
    {0xE0041, "U+E0041 TAG LATIN CAPITAL LETTER A"},
    {0x10FFFF, "U+10FFFF"},  // a noncharacter
};

class CharacterLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(CharacterLabelTest, NamesTheCharacterByNumberAndName) {
  EXPECT_EQ(CharacterLabel(GetParam().code_point), GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(Cases, CharacterLabelTest, ::testing::ValuesIn(kLabelCases));

struct DrawnCase {
  std::string text;
  std::string drawn;
};

const DrawnCase kDrawnCases[] = {
    {"plain", "plain"},
    {"ex\u200Bample\u00AD.com", "example.com"},
    {"/\u202E"
     "fdp\u202C.exe\u061C",
     "/fdp.exe"},
    {"a\x1b[1mb\x7f\xC2\x9B", "a[1mb"},
    {"b\u00FCcher \U0001F600", "b\u00FCcher \U0001F600"},
    // Bytes that are not UTF-8 are drawn as U+FFFD, and never joined with
    // the bytes around a removed character.
    {"a\xFF", "a\uFFFD"},
    {"\xE2\x80\x01\x8D", "\uFFFD\uFFFD\uFFFD"},
    {"\xE2\x80\u200B\x8D", "\uFFFD\uFFFD\uFFFD"},
};

class DrawnTextTest : public ::testing::TestWithParam<DrawnCase> {};

TEST_P(DrawnTextTest, KeepsOnlyWhatIsDrawn) {
  EXPECT_EQ(DrawnText(GetParam().text), GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(Cases, DrawnTextTest, ::testing::ValuesIn(kDrawnCases));

}  // namespace
}  // namespace morvik
