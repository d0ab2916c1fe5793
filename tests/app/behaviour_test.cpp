// What the window does with the user's input: the URL decoded live, the
// address fields converted into each other without echoing, and bad input.

#include "app/control_ids.h"
#include "app/main_dialog_callback.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/ip_address_parts_shown.h"
#include "url/decode_url.h"

namespace morvik::testing {
namespace {

class BehaviourTest : public DialogDriver {
 protected:
  void SetUp() override {
    DialogDriver::SetUp();
    Show();
  }

  void ExpectAddress(const char* dotted, const char* decimal, const char* hex) {
    EXPECT_EQ(Text(IDC_IPADDRESS), dotted);
    EXPECT_EQ(Text(IDC_DECIMAL), decimal);
    EXPECT_EQ(Text(IDC_HEX), hex);
  }

  void Replace(int id, const std::string& typed) {
    Focus(id);
    SendMessageA(Control(id), EM_SETSEL, 0, -1);
    Type(typed);
  }
};

TEST_F(BehaviourTest, ShowingTheWindowFocusesTheUrlBoxWhichDecodesTheSampleUrl) {
  EXPECT_EQ(FocusedControlId(), IDC_URL);
  EXPECT_EQ(Text(IDC_HOST), "198.51.100.7/index.htm");
  ExpectAddress("0.0.0.0", "0", "0");
  EXPECT_EQ(ActiveField, 0);
}

TEST_F(BehaviourTest, HostFieldFollowsTypingInTheUrlBox) {
  SetText(IDC_URL, "http://x@example.test");
  SendMessageA(Control(IDC_URL), EM_SETSEL, 100, 100);
  Type("/%41");
  EXPECT_EQ(Text(IDC_URL), "http://x@example.test/%41");
  EXPECT_EQ(Text(IDC_HOST), "example.test/A");
  Press(VK_TAB);
  EXPECT_EQ(Text(IDC_HOST), "example.test/A");
  ExpectAddress("0.0.0.0", "0", "0");
}

struct FocusStep {
  int focus_id;
  int active_field;
};

// Only the three address fields move ActiveField; nothing brings it back to 0.
const FocusStep kFocusSteps[] = {
    {IDC_URL, 0},
    {IDC_RESOLVE, 0},
    {IDC_HEX, 3},
    {IDC_DECIMAL, 2},
    {IDC_IPADDRESS, 1},
    {IDC_RESOLVE, 1},
    {IDC_URL, 1},
    {IDC_HOST, 1},
    {IDC_HEX, 3},
    {IDCANCEL, 3},
};

TEST_F(BehaviourTest, ActiveFieldFollowsTheFocusOfTheAddressFieldsOnly) {
  for (const FocusStep& step : kFocusSteps) {
    Focus(step.focus_id);
    EXPECT_EQ(ActiveField, step.active_field) << "after focusing " << step.focus_id;
  }
}

struct ProgramWrite {
  int id;
  const char* text;
};

const ProgramWrite kWritesBeforeAnyFocus[] = {
    {IDC_DECIMAL, "3232235777"}, {IDC_HEX, "C0A80101"}, {IDC_IPADDRESS, "192.168.1.1"}};

TEST_F(BehaviourTest, WritesBeforeAnyAddressFieldHadTheFocusAreNotEchoed) {
  for (const ProgramWrite& write : kWritesBeforeAnyFocus) {
    SCOPED_TRACE(write.text);
    SetText(IDC_IPADDRESS, "0.0.0.0");
    SetText(IDC_DECIMAL, "0");
    SetText(IDC_HEX, "0");
    SetText(write.id, write.text);
    for (const int other : {IDC_IPADDRESS, IDC_DECIMAL, IDC_HEX}) {
      if (other != write.id) {
        EXPECT_EQ(Text(other), other == IDC_IPADDRESS ? "0.0.0.0" : "0");
      }
    }
  }
}

// Clicking the button takes the focus from the URL box, whose focus loss
// decodes it once more: the host field always shows the URL's host.
TEST_F(BehaviourTest, ResolveRightAfterStartFillsAllThreeFieldsWithoutEcho) {
  SetText(IDC_URL, "http://x@192.168.1.1/abc");
  Click(IDC_RESOLVE);
  EXPECT_EQ(Text(IDC_HOST), "192.168.1.1/abc");
  ExpectAddress("192.168.1.1", "3232235777", "C0A80101");
  EXPECT_EQ(ActiveField, 0);
}

TEST_F(BehaviourTest, ResolveTakesTheHostFieldNotTheUrl) {
  Focus(IDC_HEX);
  SetText(IDC_HOST, "10.9.8.7/");
  Click(IDC_RESOLVE);
  ExpectAddress("10.9.8.7", "168364039", "0A090807");
}

TEST_F(BehaviourTest, ResolveWithTheDecimalFieldActiveEndsConsistent) {
  Focus(IDC_DECIMAL);
  ASSERT_EQ(ActiveField, 2);
  SetText(IDC_HOST, "10.1.2.3");
  Click(IDC_RESOLVE);
  ExpectAddress("10.1.2.3", "167838211", "0A010203");
}

TEST_F(BehaviourTest, AltRPressesResolve) {
  SetText(IDC_URL, "http://x@10.0.0.5");
  PressAlt('r');
  ExpectAddress("10.0.0.5", "167772165", "0A000005");
}

struct TypedEdit {
  const char* name;
  int id;
  const char* typed;
  const char* dotted;
  const char* decimal;
  const char* hex;
};

const TypedEdit kTypedEdits[] = {
    {"decimal", IDC_DECIMAL, "3232235777", "192.168.1.1", "3232235777", "C0A80101"},
    {"hexadecimal", IDC_HEX, "0A000005", "10.0.0.5", "167772165", "0A000005"},
    {"dotted", IDC_IPADDRESS, "10.1.2.3", "10.1.2.3", "167838211", "0A010203"},
    {"decimal over range", IDC_DECIMAL, "4294967296", "255.255.255.255", "4294967295", "FFFFFFFF"},
};

class TypedEditTest : public BehaviourTest, public ::testing::WithParamInterface<TypedEdit> {};

TEST_P(TypedEditTest, ConvertsIntoTheOtherTwoFields) {
  const TypedEdit& edit = GetParam();
  Replace(edit.id, edit.typed);
  ExpectAddress(edit.dotted, edit.decimal, edit.hex);
  EXPECT_EQ(FocusedControlId(), edit.id);
}

INSTANTIATE_TEST_SUITE_P(Fields, TypedEditTest, ::testing::ValuesIn(kTypedEdits),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (c == ' ') c = '_';
                           }
                           return name;
                         });

using Parts = std::array<std::string, 4>;

struct ShownConversion {
  const char* name;
  void (*enter)(DialogDriver& window);
  Parts parts;
};

// The dotted field is written as text; its four parts must show that text,
// whatever the platform's control does with a text by itself.
const ShownConversion kShownConversions[] = {
    {"resolved",
     [](DialogDriver& window) {
       window.SetText(IDC_URL, "http://bank.example&item=1@3232235777/%2F%6C%6F%67%69%6E");
       window.Click(IDC_RESOLVE);
     },
     {"192", "168", "1", "1"}},
    {"decimal typed",
     [](DialogDriver& window) {
       window.Focus(IDC_DECIMAL);
       window.Type("167838211");
     },
     {"10", "1", "2", "3"}},
    {"hexadecimal typed",
     [](DialogDriver& window) {
       window.Focus(IDC_HEX);
       window.Type("AC100001");
     },
     {"172", "16", "0", "1"}},
    {"decimal over range",
     [](DialogDriver& window) {
       window.Focus(IDC_DECIMAL);
       window.Type("9999999999");
     },
     {"255", "255", "255", "255"}},
};

TEST_F(BehaviourTest, TheDottedFieldsPartsShowTheConvertedAddress) {
  for (const ShownConversion& conversion : kShownConversions) {
    SCOPED_TRACE(conversion.name);
    SetText(IDC_DECIMAL, "");
    SetText(IDC_HEX, "");
    conversion.enter(*this);
    EXPECT_EQ(PartsShown(Control(IDC_IPADDRESS)), conversion.parts);
  }
}

struct PartKeystrokes {
  const char* name;
  const char* before;  // the field's text before
  const char* typed;   // '>' is the Right arrow key
  Parts parts;
  const char* decimal;
  const char* hex;
};

// Typed into the parts from the first one. A part's third digit moves to the
// next part; "." moves on from a part that holds digits; Right moves on from
// an empty part, which then counts as 0. Typing replaces what a part showed.
const PartKeystrokes kPartKeystrokes[] = {
    {"address", "", "10.1.2.3", {"10", "1", "2", "3"}, "167838211", "0A010203"},
    {"over an address", "192.168.1.1", "10.1.2.3", {"10", "1", "2", "3"}, "167838211", "0A010203"},
    {"three-digit parts",
     "255.255.255.255",
     "192168001001",
     {"192", "168", "001", "001"},
     "3232235777",
     "C0A80101"},
    {"over-range part", "", "1.2.3.300", {"1", "2", "3", "255"}, "16909311", "010203FF"},
    {"part left empty", "", "10.>2.3", {"10", "", "2", "3"}, "167772675", "0A000203"},
};

TEST_F(BehaviourTest, TypingIntoThePartsConvertsIntoTheOtherTwoFields) {
  for (const PartKeystrokes& keystrokes : kPartKeystrokes) {
    SCOPED_TRACE(keystrokes.name);
    Focus(IDC_DECIMAL);  // so that writing the parts is not converted
    SetText(IDC_IPADDRESS, keystrokes.before);
    Focus(IDC_IPADDRESS);
    for (const char* key = keystrokes.typed; *key != '\0'; ++key) {
      if (*key == '>') {
        Press(VK_RIGHT);
      } else {
        Type(std::string(1, *key));
      }
    }
    EXPECT_EQ(PartsShown(Control(IDC_IPADDRESS)), keystrokes.parts);
    EXPECT_EQ(Text(IDC_DECIMAL), keystrokes.decimal);
    EXPECT_EQ(Text(IDC_HEX), keystrokes.hex);
  }
}

// Counts the WM_SETTEXT messages that reach one control while it lives.
class WriteCounter {
 public:
  explicit WriteCounter(HWND control) : control_(control) {
    SetPropA(control_, kSelf, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Count)));
  }
  ~WriteCounter() {
    SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropA(control_, kSelf);
  }
  WriteCounter(const WriteCounter&) = delete;
  WriteCounter& operator=(const WriteCounter&) = delete;

  int writes() const { return writes_; }

 private:
  static constexpr char kSelf[] = "MorvikTestWriteCounter";

  static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<WriteCounter*>(GetPropA(window, kSelf));
    if (message == WM_SETTEXT) ++self->writes_;
    return CallWindowProcA(self->original_, window, message, wParam, lParam);
  }

  HWND control_;
  WNDPROC original_ = nullptr;
  int writes_ = 0;
};

struct Keystroke {
  const char* name;
  int id;
  const char* before;  // the field's text, caret at its end
  char typed;
  int dotted_writes, decimal_writes, hex_writes;
};

// One keystroke in an address field writes each other field once and its own
// field not at all. An over-range decimal and a ninth hexadecimal character
// are the exceptions: both of the edit's conversions correct the field, and
// each correction runs the edit once more, nested, which writes the other
// two fields again.
const Keystroke kKeystrokes[] = {
    {"decimal", IDC_DECIMAL, "16777216", '7', 1, 0, 1},
    {"hexadecimal", IDC_HEX, "0A00000", '5', 1, 1, 0},
    // Both conversions of the hexadecimal edit cut a ninth character too.
    {"ninth hexadecimal character", IDC_HEX, "C0A80101", 'F', 3, 3, 2},
    {"decimal over range", IDC_DECIMAL, "429496729", '6', 3, 2, 3},
};

TEST_F(BehaviourTest, AKeystrokeWritesTheOtherFieldsOnceWithoutEcho) {
  for (const Keystroke& keystroke : kKeystrokes) {
    SCOPED_TRACE(keystroke.name);
    Replace(keystroke.id, keystroke.before);
    const WriteCounter dotted(Control(IDC_IPADDRESS));
    const WriteCounter decimal(Control(IDC_DECIMAL));
    const WriteCounter hex(Control(IDC_HEX));
    Type(std::string(1, keystroke.typed));
    EXPECT_EQ(dotted.writes(), keystroke.dotted_writes);
    EXPECT_EQ(decimal.writes(), keystroke.decimal_writes);
    EXPECT_EQ(hex.writes(), keystroke.hex_writes);
  }
}

TEST_F(BehaviourTest, OverRangeDecimalLeavesTheCaretAfterTheLastDigit) {
  Replace(IDC_DECIMAL, "4294967296");
  EXPECT_EQ(Text(IDC_DECIMAL), "4294967295");
  EXPECT_EQ(Selection(IDC_DECIMAL), std::make_pair(DWORD{10}, DWORD{10}));
}

struct NinthHexCharacter {
  DWORD caret;
  const char* kept;
  const char* dotted;
};

// The field keeps the first eight characters of what the ninth keystroke made.
const NinthHexCharacter kNinthHexCharacters[] = {
    {8, "C0A80101", "192.168.1.1"},
    {0, "FC0A8010", "252.10.128.16"},
};

TEST_F(BehaviourTest, NinthCharacterInTheHexFieldIsCutBackToEight) {
  for (const NinthHexCharacter& ninth : kNinthHexCharacters) {
    SCOPED_TRACE(ninth.caret);
    Replace(IDC_HEX, "C0A80101");
    SendMessageA(Control(IDC_HEX), EM_SETSEL, ninth.caret, static_cast<LPARAM>(ninth.caret));
    Type("F");
    EXPECT_EQ(Text(IDC_HEX), ninth.kept);
    EXPECT_EQ(Selection(IDC_HEX), std::make_pair(DWORD{8}, DWORD{8}));
    EXPECT_EQ(Text(IDC_IPADDRESS), ninth.dotted);
    EXPECT_EQ(FocusedControlId(), IDC_HEX);
  }
}

// The URL box has the focus when its host turns out over range: the
// correction rewrites IDC_DECIMAL and moves the focus there, which makes it
// the active field. The URL box notifies more than once per change, so a
// later decode's correction is converted, and all three fields agree.
TEST_F(BehaviourTest, OverRangeHostInTheUrlCorrectsAndFocusesTheDecimalField) {
  ASSERT_EQ(FocusedControlId(), IDC_URL);
  SetText(IDC_URL, "http://x@4294967296/");
  EXPECT_EQ(Text(IDC_HOST), "255.255.255.255/");
  EXPECT_EQ(FocusedControlId(), IDC_DECIMAL);
  EXPECT_EQ(ActiveField, 2);
  ExpectAddress("255.255.255.255", "4294967295", "FFFFFFFF");
}

struct WayIn {
  const char* name;
  void (*enter)(DialogDriver& window);
};

void PressWithShift(DialogDriver& window, UINT virtual_key) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  window.Press(virtual_key);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

const WayIn kWaysIntoTheUrlBox[] = {
    {"click", [](DialogDriver& window) { window.Focus(IDC_URL); }},
    {"Tab",
     [](DialogDriver& window) {
       window.Focus(IDCANCEL);
       window.Press(VK_TAB);
     }},
    {"Shift+Tab",
     [](DialogDriver& window) {
       window.Focus(IDC_HOST);
       PressWithShift(window, VK_TAB);
     }},
};

// Getting into the URL box decodes its over-range host once more, which
// corrects IDC_DECIMAL again but leaves the focus in the box, so that the
// next keystroke can mend the URL.
TEST_F(BehaviourTest, AnOverRangeHostDoesNotKeepTheFocusOutOfTheUrlBox) {
  for (const WayIn& way : kWaysIntoTheUrlBox) {
    SCOPED_TRACE(way.name);
    SetText(IDC_URL, "http://x@4294967296/");
    ASSERT_EQ(FocusedControlId(), IDC_DECIMAL);
    Replace(IDC_DECIMAL, "7");
    way.enter(*this);
    EXPECT_EQ(FocusedControlId(), IDC_URL);
    ExpectAddress("255.255.255.255", "4294967295", "FFFFFFFF");
    EXPECT_EQ(Selection(IDC_DECIMAL), std::make_pair(DWORD{10}, DWORD{10}));
    SendMessageA(Control(IDC_URL), EM_SETSEL, 9, 19);
    Type("1");
    EXPECT_EQ(Text(IDC_URL), "http://x@1/");
    EXPECT_EQ(Text(IDC_HOST), "0.0.0.1/");
    EXPECT_EQ(FocusedControlId(), IDC_URL);
  }
}

// A URL box scrolled through a long URL notifies its parent (a click or a
// key that moves the view); that decode must not take the focus either.
TEST_F(BehaviourTest, ScrollingAnOverRangeUrlKeepsTheFocusInTheUrlBox) {
  SetText(IDC_URL, "http://x@4294967296/" + std::string(400, 'p'));
  Focus(IDC_URL);
  const WPARAM scrolled = MAKEWPARAM(IDC_URL, EN_HSCROLL);
  SendMessageA(dialog_, WM_COMMAND, scrolled, reinterpret_cast<LPARAM>(Control(IDC_URL)));
  EXPECT_EQ(FocusedControlId(), IDC_URL);
  EXPECT_EQ(Text(IDC_DECIMAL), "4294967295");
}

TEST_F(BehaviourTest, EnterInAFieldDoesNothing) {
  Focus(IDC_DECIMAL);
  Press(VK_RETURN);
  EXPECT_TRUE(IsWindow(dialog_));
  ExpectAddress("0.0.0.0", "0", "0");
}

struct BadUrl {
  const char* name;
  std::string url;
  std::string host;
};

std::string LongDecoy() { return "http://" + std::string(32 * 1024, 'a') + "@3232235777/x"; }

const BadUrl kBadUrls[] = {
    // The real host sits at the very end of 32 KiB: read whole or not at all.
    {"32 KiB", LongDecoy(), "192.168.1.1/x"},
    // The control shows a text only up to its first NUL.
    {"escaped NUL", "http://a@b%00c", "b"},
    {"bytes above 127", "http://x@\xE9t\xE9/\xFF", "\xE9t\xE9/\xFF"},
    {"every disguise",
     "HTTP://www.bank.example&item=1@3232235777%2F%2570%61%74h",
     "192.168.1.1/path"},
};

TEST_F(BehaviourTest, BadUrlsAreDecodedWithoutHarm) {
  for (const BadUrl& bad : kBadUrls) {
    SCOPED_TRACE(bad.name);
    SetText(IDC_URL, bad.url);
    EXPECT_EQ(Text(IDC_URL).size(), bad.url.size());
    EXPECT_EQ(Text(IDC_HOST), bad.host);
  }
  EXPECT_TRUE(IsWindow(dialog_));
}

// A paste (EM_REPLACESEL, as WM_PASTE does it) and typing honour the box's
// text limit, unlike the program's own writes: the real host at the end of a
// pasted 1 MiB URL must still be in the box.
TEST_F(BehaviourTest, APastedMegabyteUrlIsKeptWholeAndCanBeTypedInto) {
  const std::string url = "http://" + std::string(1 << 20, 'a') + "@3232235777/x";
  SetText(IDC_URL, "");
  SendMessageA(Control(IDC_URL), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(url.c_str()));
  Pump();
  EXPECT_EQ(Text(IDC_URL).size(), url.size());
  EXPECT_EQ(Text(IDC_HOST), "192.168.1.1/x");
  Type("y");
  EXPECT_EQ(Text(IDC_HOST), "192.168.1.1/xy");
}

// What the URL box answers to WM_GETTEXTLENGTH, whatever its text.
LRESULT reported_length = 0;
WNDPROC url_box_procedure = nullptr;

LRESULT CALLBACK ReportLength(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXTLENGTH) return reported_length;
  return CallWindowProcA(url_box_procedure, window, message, wParam, lParam);
}

// The length a control reports is not what the read relies on.
TEST_F(BehaviourTest, TheUrlBoxIsReadWholeWhateverLengthItReports) {
  url_box_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(Control(IDC_URL), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ReportLength)));
  for (const std::size_t decoy : {300u, 5000u}) {
    for (const LRESULT reported : {0, 12, 300, 1000}) {
      SCOPED_TRACE(::testing::Message() << decoy << " bytes of decoy, " << reported << " reported");
      reported_length = reported;
      SetText(IDC_HOST, "");
      SetText(IDC_URL, "http://" + std::string(decoy, 'a') + "@3232235777/x");
      EXPECT_EQ(Text(IDC_HOST), "192.168.1.1/x");
    }
  }
  SetWindowLongPtrA(Control(IDC_URL), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(url_box_procedure));
}

TEST_F(BehaviourTest, HostFieldCannotBeTypedInto) {
  const std::string host = Text(IDC_HOST);
  Focus(IDC_HOST);
  Type("typed");
  Press(VK_BACK);
  Press(VK_DELETE);
  EXPECT_EQ(Text(IDC_HOST), host);
}

TEST_F(BehaviourTest, RapidTypingKeepsTheHostInStepWithTheUrl) {
  SetText(IDC_URL, "http://decoy@");
  SendMessageA(Control(IDC_URL), EM_SETSEL, 100, 100);
  std::string typed;
  for (int i = 0; i < 300; ++i) typed += static_cast<char>('a' + i % 26);
  Type(typed);
  EXPECT_EQ(Text(IDC_HOST), DecodeUrl(Text(IDC_URL)));
  EXPECT_EQ(Text(IDC_HOST), typed);
}

}  // namespace
}  // namespace morvik::testing
