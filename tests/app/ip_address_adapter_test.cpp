// The text contract the window relies on in its IP address control: the
// rules of the parts, the adapter that supplies them where the platform's
// control lacks them, and the start-up probe that decides where that is.

#include "app/ip_address_adapter.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/handles.h"
#include "app/ip_address_parts.h"
#include "tests/app/ip_address_parts_shown.h"
#include "tests/app/runs_under_wine.h"

namespace morvik::testing {
namespace {

struct Spread {
  const char* text;
  IpAddressParts parts;
};

const Spread kSpreads[] = {
    {"192.168.1.1", {"192", "168", "1", "1"}},
    {"0.0.0.0", {"0", "0", "0", "0"}},
    {"", {"", "", "", ""}},
    // Partial texts fill the parts they reach.
    {"10.1", {"10", "1", "", ""}},
    {"10", {"10", "", "", ""}},
    {"1..3.4", {"1", "", "3", "4"}},
    {"1.2.3.", {"1", "2", "3", ""}},
    {"...", {"", "", "", ""}},
    // A part takes at most 255, as when typed into; leading zeros go.
    {"300.256.999.255", {"255", "255", "255", "255"}},
    {"010.001.000.00", {"10", "1", "0", "0"}},
    // Anything but one to three digits leaves its part blank.
    {"1000.2.3.4", {"", "2", "3", "4"}},
    {" 1.2.3.4 ", {"", "2", "3", ""}},
    {"-1.+2.0x3.4a", {"", "", "", ""}},
    {"1.2.3.4.5", {"1", "2", "3", "4"}},
    {"1.2.3.4/path", {"1", "2", "3", ""}},
};

TEST(IpAddressPartsTest, TextIsSpreadOverTheFourParts) {
  for (const Spread& spread : kSpreads) {
    EXPECT_EQ(SpreadOverParts(spread.text), spread.parts) << '"' << spread.text << '"';
  }
}

struct Composition {
  IpAddressParts parts;
  const char* text;
};

const Composition kCompositions[] = {
    {{"192", "168", "1", "1"}, "192.168.1.1"},
    {{"", "", "", ""}, "0.0.0.0"},
    {{"10", "", "2", ""}, "10.0.2.0"},
    {{"010", "300", "0", "7"}, "10.255.0.7"},
};

TEST(IpAddressPartsTest, TextIsComposedFromTheParts) {
  for (const Composition& composition : kCompositions) {
    EXPECT_EQ(ComposeFromParts(composition.parts), composition.text) << composition.text;
  }
}

TEST(IpAddressPartsTest, WhatIsComposedSpreadsBackUnchanged) {
  for (const Spread& spread : kSpreads) {
    const std::string composed = ComposeFromParts(SpreadOverParts(spread.text));
    EXPECT_EQ(ComposeFromParts(SpreadOverParts(composed)), composed) << '"' << spread.text << '"';
  }
}

// A top-level window that records the change notifications of its children,
// with the text each child reports at that moment.
class NotificationRecorder {
 public:
  NotificationRecorder() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = Record;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = kClass;
    RegisterClassA(&window_class);  // fails harmlessly once registered
    window_ = OwnedWindow(CreateWindowExA(0,
                                          kClass,
                                          "",
                                          WS_OVERLAPPED,
                                          0,
                                          0,
                                          400,
                                          100,
                                          nullptr,
                                          nullptr,
                                          GetModuleHandleA(nullptr),
                                          nullptr));
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }

  HWND get() const { return window_.get(); }
  const std::vector<std::string>& changes() const { return changes_; }
  void Forget() { changes_.clear(); }

 private:
  static constexpr char kClass[] = "MorvikTestNotificationRecorder";

  static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<NotificationRecorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
      char text[64] = "";
      GetWindowTextA(reinterpret_cast<HWND>(lParam), text, sizeof text);
      self->changes_.emplace_back(text);
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  OwnedWindow window_;
  std::vector<std::string> changes_;
};

constexpr int kControlId = 77;

HWND CreateIpAddressControl(HWND parent, const char* window_class) {
  return CreateWindowExA(0,
                         window_class,
                         "",
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                         0,
                         0,
                         300,
                         24,
                         parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                         GetModuleHandleA(nullptr),
                         nullptr);
}

std::string TextOf(HWND window) {
  char text[64] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The platform's control, adapted whether it needs it or not: the adapter
// must give the Windows behaviour on top of either.
class IpAddressAdapterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    control_ = CreateIpAddressControl(parent_.get(), WC_IPADDRESSA);
    ASSERT_NE(control_, nullptr);
    ASSERT_TRUE(AdaptIpAddressControl(control_));
  }

  NotificationRecorder parent_;
  HWND control_ = nullptr;
};

TEST_F(IpAddressAdapterTest, AWrittenTextShowsInThePartsAndIsReportedOnce) {
  for (const Spread& spread : kSpreads) {
    SCOPED_TRACE(spread.text);
    parent_.Forget();
    SetWindowTextA(control_, spread.text);
    const IpAddressParts shown = PartsShown(control_);
    EXPECT_EQ(shown, spread.parts);
    const std::string composed = ComposeFromParts(spread.parts);
    EXPECT_EQ(TextOf(control_), composed);
    EXPECT_EQ(GetWindowTextLengthA(control_), static_cast<int>(composed.size()));
    // Once, and only when all four parts are in place.
    EXPECT_EQ(parent_.changes(), std::vector<std::string>{composed});
  }
}

TEST_F(IpAddressAdapterTest, AShortBufferGetsTheStartOfTheTextTerminated) {
  SetWindowTextA(control_, "192.168.1.1");
  char text[6] = "xxxxx";
  EXPECT_EQ(SendMessageA(control_, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_STREQ(text, "192.1");
  EXPECT_EQ(SendMessageA(control_, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(text)), 0);
  EXPECT_STREQ(text, "192.1");
}

TEST_F(IpAddressAdapterTest, AReplacedTextBlanksThePartsItDoesNotReach) {
  SetWindowTextA(control_, "10.1.2.3");
  SetWindowTextA(control_, "7");
  EXPECT_EQ(PartsShown(control_), (IpAddressParts{"7", "", "", ""}));
  EXPECT_EQ(TextOf(control_), "7.0.0.0");
}

// Each typed digit reaches the parent as one change of the composed text.
TEST_F(IpAddressAdapterTest, ADigitTypedIntoAPartIsReportedWithTheComposedText) {
  SetWindowTextA(control_, "192.168.1.1");
  const std::array<HWND, 4> parts = PartWindows(control_);
  SetFocus(parts[2]);
  SendMessageA(parts[2], EM_SETSEL, 0, -1);
  parent_.Forget();
  SendMessageA(parts[2], WM_CHAR, '7', 1);
  SendMessageA(parts[2], WM_CHAR, '5', 1);
  EXPECT_EQ(parent_.changes(), (std::vector<std::string>{"192.168.7.1", "192.168.75.1"}));
  EXPECT_EQ(PartsShown(control_), (IpAddressParts{"192", "168", "75", "1"}));
}

// A stand-in for an IP address control: four edit parts like the real one,
// and, when `honours` is set, Windows' text contract of its own (the text
// taken as an address that IPM_GETADDRESS reports).
template <bool honours>
LRESULT CALLBACK StandInProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      for (int i = 0; i < 4; ++i) {
        CreateWindowExA(0,
                        "EDIT",
                        "",
                        WS_CHILD | WS_VISIBLE,
                        i * 60,
                        0,
                        50,
                        20,
                        window,
                        nullptr,
                        GetModuleHandleA(nullptr),
                        nullptr);
      }
      return 0;
    case WM_SETTEXT:
      if (honours) {
        unsigned a = 0, b = 0, c = 0, d = 0;
        const char* text = reinterpret_cast<const char*>(lParam);
        const bool read = std::sscanf(text, "%u.%u.%u.%u", &a, &b, &c, &d) == 4;
        SetWindowLongPtrA(window, GWLP_USERDATA, read ? MAKEIPADDRESS(a, b, c, d) : 0);
      }
      break;
    case IPM_GETADDRESS:
      *reinterpret_cast<DWORD*>(lParam) =
          static_cast<DWORD>(GetWindowLongPtrA(window, GWLP_USERDATA));
      return honours ? 4 : 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

template <bool honours>
const char* RegisterStandIn(const char* name) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = StandInProcedure<honours>;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = name;
  RegisterClassA(&window_class);
  return name;
}

struct ProbeCase {
  const char* name;
  const char* window_class;
  bool adapted;
};

TEST(IpAddressProbeTest, OnlyAControlThatIgnoresItsTextIsAdapted) {
  const ProbeCase cases[] = {
      {"honours the contract", RegisterStandIn<true>("MorvikTestHonestIpAddress"), false},
      {"keeps the text as a caption", RegisterStandIn<false>("MorvikTestCaptionIpAddress"), true},
      // Windows' own control keeps the contract; Wine's keeps a caption.
      {"the platform's control", WC_IPADDRESSA, RunsUnderWine()},
  };
  NotificationRecorder parent;
  for (const ProbeCase& probe : cases) {
    SCOPED_TRACE(probe.name);
    EXPECT_EQ(LacksIpAddressTextContract(probe.window_class), probe.adapted);
    const HWND control = CreateIpAddressControl(parent.get(), probe.window_class);
    ASSERT_NE(control, nullptr);
    const LONG_PTR procedure = GetWindowLongPtrA(control, GWLP_WNDPROC);
    EXPECT_EQ(SupplyIpAddressTextContract(control), probe.adapted);
    EXPECT_EQ(GetWindowLongPtrA(control, GWLP_WNDPROC) != procedure, probe.adapted);
    SetWindowTextA(control, "10.1.2.3");
    if (probe.adapted) {
      EXPECT_EQ(PartsShown(control), (IpAddressParts{"10", "1", "2", "3"}));
    }
    DestroyWindow(control);
  }
}

TEST(IpAddressProbeTest, AClassThatCannotBeMadeHasNothingToSupply) {
  EXPECT_FALSE(LacksIpAddressTextContract("MorvikTestNoSuchClass"));
  EXPECT_FALSE(SupplyIpAddressTextContract(nullptr));
}

}  // namespace
}  // namespace morvik::testing
