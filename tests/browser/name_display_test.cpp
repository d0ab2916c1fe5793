#include "browser/name_display.h"

#include <gtest/gtest.h>

#include <string>

#include "browser/icu_functions.h"
#include "browser/idna.h"

namespace morvik {
namespace {

struct DisplayCase {
  std::string name;  // as written; converted with DomainToAscii first
  LookAlike rule;
  std::string looks_like = "";
};

// Every rule, flagged and not. Where one label is flagged, that label is
// shown in ASCII (see LabelByLabelCase for the whole display).
const DisplayCase kDisplayCases[] = {
    // Scripts mixed in one label: Cyrillic "а" among Latin letters.
    {"аpple.com", LookAlike::MixedScripts, "apple.com"},
    {"pаypаl.com", LookAlike::MixedScripts, "paypal.com"},
    {"ソニーstore.jp", LookAlike::None},
    {"hello中国.com", LookAlike::None},
    // Letters of one script that all look Latin, outside its own domains.
    {"аррӏе.com", LookAlike::WholeScript, "apple.com"},
    {"www.аррӏе.com", LookAlike::WholeScript, "www.apple.com"},
    {"ск.com", LookAlike::WholeScript},
    {"сю.com", LookAlike::WholeScript},
    {"аьс.com", LookAlike::WholeScript},
    {"ոսօ.com", LookAlike::WholeScript, "nuo.com"},  // Armenian
    {"ሀሠ.com", LookAlike::WholeScript},              // Ethiopic
    {"ικα.com", LookAlike::WholeScript},             // Greek
    {"იო.com", LookAlike::WholeScript},              // Georgian
    {"דוח.com", LookAlike::WholeScript},             // Hebrew
    {"ဂဝ.com", LookAlike::WholeScript},              // Myanmar
    {"บพ.com", LookAlike::WholeScript},              // Thai
    {"ऽ०.com", LookAlike::WholeScript},              // Devanagari
    {"ടഠ.com", LookAlike::WholeScript},              // Malayalam
    // ...and under the script's country-code domains, or a domain written
    // in the script, they are words.
    {"ѕсоре.ru", LookAlike::None},
    {"ѕсоре.рф", LookAlike::None},
    {"ոսօ.am", LookAlike::None},
    {"ικα.gr", LookAlike::None},
    {"บพ.th", LookAlike::None},
    {"ελλάδα.gr", LookAlike::None},
    {"ελλάδα.com", LookAlike::None},  // "λ", "δ" look like no Latin letter
    {"пример.рф", LookAlike::None},
    {"пример.com", LookAlike::None},
    // Characters no name should hold: symbols, a slash, obsolete letters
    // ("ɑ"), rare Latin letters, hyphen and apostrophe look-alikes.
    {"ɑpple.com", LookAlike::OutsideProfile, "apple.com"},
    {"a♥.example", LookAlike::OutsideProfile},
    {"ab∕c.com", LookAlike::OutsideProfile},
    {"bǔcher.com", LookAlike::OutsideProfile, "bucher.com"},
    {"ḷab.com", LookAlike::OutsideProfile, "lab.com"},
    {"ĸab.com", LookAlike::OutsideProfile},
    {"ab\u0338c.com", LookAlike::OutsideProfile},
    {"ab\u2027cd.com", LookAlike::OutsideProfile},
    {"աբ\u058Aգ.am", LookAlike::OutsideProfile},
    {"ab\u2019cd.com", LookAlike::OutsideProfile},
    {"ア\u30A0イ.jp", LookAlike::OutsideProfile},
    {"ab\u02BBcd.com", LookAlike::OutsideProfile},
    {"ab\u02BCcd.com", LookAlike::OutsideProfile},
    {"ab\u02ECcd.com", LookAlike::OutsideProfile},
    {"bücher.de", LookAlike::None},
    {"faß.de", LookAlike::None},
    // The same mark twice on one letter.
    {"e\u0301\u0301.com", LookAlike::Invisible, "e.com"},
    // Digits of two numbering systems.
    {"১1.com", LookAlike::MixedNumbers},
    {"১২৩.bd", LookAlike::None},
    // Letters of one country's names.
    {"þorp.com", LookAlike::CountryLetter},
    {"ðorp.com", LookAlike::CountryLetter},
    {"þorp.is", LookAlike::None},
    {"ðorp.fo", LookAlike::None},
    {"əli.com", LookAlike::CountryLetter},
    {"əli.az", LookAlike::None},
    {"col·legi.com", LookAlike::CountryLetter},
    {"a·b.cat", LookAlike::CountryLetter},
    {"·ll.cat", LookAlike::CountryLetter},
    {"col·legi.cat", LookAlike::None},
    // Digits and characters drawn like digits, nothing else.
    {"1շ.com", LookAlike::DigitLookAlike},
    {"੨੨੨.com", LookAlike::DigitLookAlike},
    {"੨੨੨ਗ.com", LookAlike::None},
    // Accented Latin with Han, kana or Hangul.
    {"café中国.cn", LookAlike::LatinWithCjk},
    {"über한국.kr", LookAlike::LatinWithCjk},
    {"cafe中国.cn", LookAlike::None},
    // Kana signs out of their place.
    {"aー.jp", LookAlike::KanaContext},
    {"ーア.jp", LookAlike::KanaContext},
    {"コーヒー.jp", LookAlike::None},
    {"らーめん.jp", LookAlike::None},
    {"a・b.jp", LookAlike::KanaContext},
    {"ア・イ.jp", LookAlike::None},
    {"みヽ.jp", LookAlike::KanaContext},
    {"ヽア.jp", LookAlike::KanaContext},
    {"ミヽ.jp", LookAlike::None},
    {"aノb.com", LookAlike::KanaContext},
    {"漢ノ字.jp", LookAlike::None},
    {"aノ.jp", LookAlike::None},  // no letter after it to make a path of
    {"カへカ.jp", LookAlike::KanaContext},
    {"かヘか.jp", LookAlike::KanaContext},
    {"カヘカ.jp", LookAlike::None},
    {"へいわ.jp", LookAlike::None},
    {"a\u3099b.jp", LookAlike::KanaContext},
    {"ト\u309A.jp", LookAlike::None},
    // Han and Bopomofo like Latin letters or punctuation, beside another
    // script.
    {"google丨com.com", LookAlike::CjkLookAlike},
    {"d12一.cn", LookAlike::CjkLookAlike},
    {"aㄧb.com", LookAlike::CjkLookAlike},
    {"a丶b.com", LookAlike::CjkLookAlike},
    {"工a.com", LookAlike::CjkLookAlike},
    {"中一国.cn", LookAlike::None},
    {"一二三.cn", LookAlike::None},
    {"www.一123.com", LookAlike::None},  // one script with digits only
    // Marks where they make another letter.
    {"li\u0307nk.com", LookAlike::MarkContext},
    {"j\u0307ob.com", LookAlike::MarkContext},
    {"ı\u0307nk.com", LookAlike::MarkContext, "ink.com"},
    {"ı\u0301nk.com", LookAlike::MarkContext, "ink.com"},
    {"ア\u0301.jp", LookAlike::MarkContext},
    {"x\u0301yz.com", LookAlike::None},
    {"ж\u0301.ru", LookAlike::None},
    // "--" in the third and fourth place of a label that is no "xn--" label.
    {"ab--ü.com", LookAlike::HyphenLabel, "ab--u.com"},
    {"ü--ab.com", LookAlike::None},  // "ü-" and "-a" are the second and third
    {"üb-ab.com", LookAlike::None},
    // Latin only: "ı" (dotless i) passes for "i", but a Turkish word is
    // shown as a browser shows it.
    {"ıstanbul.com", LookAlike::None},
    // Legitimate names in many scripts.
    {"日本.jp", LookAlike::None},
    {"北京大學.cn", LookAlike::None},
    {"전자정부.kr", LookAlike::None},
    {"مثال.eg", LookAlike::None},
};

class NameDisplayTest : public ::testing::TestWithParam<DisplayCase> {};

// The policy alone: no site to pass for.
const ProtectedSites& NoSites() {
  static const ProtectedSites none({});
  return none;
}

struct Forms {
  std::string ascii;
  std::string unicode;
};

Forms BothForms(const std::string& name) {
  const IdnaResult ascii = DomainToAscii(name);
  EXPECT_TRUE(ascii.ok) << name << ": " << ascii.error;
  const IdnaResult unicode = DomainToUnicode(ascii.text);
  EXPECT_TRUE(unicode.ok) << name << ": " << unicode.error;
  return {ascii.text, unicode.text};
}

TEST_P(NameDisplayTest, ShowsUnicodeOnlyForLabelsThatPassThePolicy) {
  if (Icu() == nullptr) GTEST_SKIP() << "no ICU on this system (Windows without icu.dll)";
  const DisplayCase& test = GetParam();
  const Forms forms = BothForms(test.name);

  const NameDisplay display = DisplayName(forms.ascii, forms.unicode, NoSites());
  EXPECT_EQ(static_cast<int>(display.rule), static_cast<int>(test.rule)) << test.name;
  EXPECT_EQ(display.looks_like, test.looks_like) << test.name;
  if (test.rule == LookAlike::None) {
    EXPECT_EQ(display.display, forms.unicode);
  } else {
    EXPECT_NE(display.display, forms.unicode);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, NameDisplayTest, ::testing::ValuesIn(kDisplayCases));

struct LabelByLabelCase {
  std::string name;
  std::string display;  // with the labels that fail in ASCII
};

const LabelByLabelCase kLabelByLabelCases[] = {
    {"googlе.한국", "xn--googl-3we.한국"},
    {"bücher.аpple.com", "bücher.xn--pple-43d.com"},
    {"bücher.aー.jp", "bücher.xn--a-kju.jp"},
    {"аpple.аpple.com", "xn--pple-43d.xn--pple-43d.com"},
};

class LabelByLabelTest : public ::testing::TestWithParam<LabelByLabelCase> {};

TEST_P(LabelByLabelTest, ShowsOnlyTheFailingLabelsInAscii) {
  if (Icu() == nullptr) GTEST_SKIP() << "no ICU on this system (Windows without icu.dll)";
  const Forms forms = BothForms(GetParam().name);
  EXPECT_EQ(DisplayName(forms.ascii, forms.unicode, NoSites()).display, GetParam().display);
}

INSTANTIATE_TEST_SUITE_P(Cases, LabelByLabelTest, ::testing::ValuesIn(kLabelByLabelCases));

TEST(NameDisplayTest, AnAsciiNameNeedsNoChecker) {
  const NameDisplay display = DisplayName("xn--zz.example", "xn--zz.example", NoSites());
  EXPECT_EQ(display.rule, LookAlike::None);
  EXPECT_EQ(display.display, "xn--zz.example");
}

}  // namespace
}  // namespace morvik
