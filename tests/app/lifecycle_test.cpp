// How the window ends, the About box, the modal run as a whole and the GDI
// objects the window holds.

#include <cstdio>
#include <utility>

#include "app/control_ids.h"
#include "app/main_dialog.h"
#include "app/show_main_dialog.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/gdi_object_count.h"

namespace morvik::testing {
namespace {

// Emulated Wine can take many seconds for what is instant elsewhere.
constexpr DWORD kPatienceMs = 120000;
// Long enough that the modal loops find their queue empty between ticks: a
// dialog box is shown only then.
constexpr UINT kTickMs = 500;

// The checks below look at the window while a modal loop of the product
// runs (the About box's, the main dialog's). They run as a thread timer on
// the test's own thread, which those loops dispatch, so there is no second
// thread to keep in step with.
class TimerCheck {
 public:
  explicit TimerCheck(void (*tick)()) : tick_(tick), started_(GetTickCount()) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, OnTimer);
  }
  ~TimerCheck() {
    Stop();
    current_ = nullptr;
  }
  TimerCheck(const TimerCheck&) = delete;
  TimerCheck& operator=(const TimerCheck&) = delete;

  static void Stop() {
    if (current_ != nullptr && current_->timer_ != 0) {
      KillTimer(nullptr, std::exchange(current_->timer_, 0));
    }
  }
  static DWORD Elapsed() { return GetTickCount() - current_->started_; }
  static bool OutOfPatience() { return Elapsed() > kPatienceMs; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ != nullptr && current_->timer_ != 0) current_->tick_();
  }

  static inline TimerCheck* current_ = nullptr;
  void (*tick_)();
  DWORD started_;
  UINT_PTR timer_ = 0;
};

class LifecycleTest : public DialogDriver {
 protected:
  void SetUp() override {
    DialogDriver::SetUp();
    Show();
  }
};

struct CloseRoute {
  const char* name;
  void (*close)(DialogDriver& window);
  bool posts_quit;  // only the "&Close" handling posts a quit message
};

const CloseRoute kCloseRoutes[] = {
    {"CloseButton", [](DialogDriver& window) { window.Click(IDCANCEL); }, true},
    {"Escape", [](DialogDriver& window) { window.Press(VK_ESCAPE); }, true},
    {"AltC", [](DialogDriver& window) { window.PressAlt('c'); }, true},
    {"SystemClose",
     [](DialogDriver& window) {
       SendMessageA(window.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
       window.Pump();
     },
     false},
    {"AltF4", [](DialogDriver& window) { window.PressAltKey(VK_F4); }, false},
};

class CloseTest : public LifecycleTest, public ::testing::WithParamInterface<CloseRoute> {};

TEST_P(CloseTest, EndsTheDialogWithResultZero) {
  GetParam().close(*this);
  EXPECT_FALSE(IsWindow(dialog_));
  EXPECT_EQ(end_result_, 0);
  EXPECT_EQ(quit_messages_, GetParam().posts_quit ? 1 : 0);
  EXPECT_EQ(quit_code_, 0u);
}

INSTANTIATE_TEST_SUITE_P(Routes, CloseTest, ::testing::ValuesIn(kCloseRoutes),
                         [](const auto& info) { return std::string(info.param.name); });

// What the timer saw of the About box before pressing its OK button.
struct SeenAboutBox {
  bool found = false;
  std::string text;
  bool topmost = false;
  bool owned = true;
  bool has_cancel = true;
  bool main_window_enabled = false;
};

SeenAboutBox seen_about_box;

// Ends every message box of this thread, so that a box that never showed
// its expected caption fails the test instead of blocking it.
BOOL CALLBACK PressOkInMessageBox(HWND window, LPARAM) {
  char window_class[16] = "";
  GetClassNameA(window, window_class, sizeof window_class);
  if (std::string(window_class) == "#32770" && window != MainDialog)
    PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

void InspectAndCloseAboutBox() {
  const HWND box = FindWindowA("#32770", "About Morvik");
  if (box == nullptr || !IsWindowVisible(box)) {
    if (TimerCheck::OutOfPatience()) {
      TimerCheck::Stop();
      EnumThreadWindows(GetCurrentThreadId(), PressOkInMessageBox, 0);
    }
    return;
  }
  TimerCheck::Stop();
  SeenAboutBox& seen = seen_about_box;
  seen.found = true;
  constexpr int kMessageBoxTextId = 0xFFFF;
  char text[1024] = "";
  GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
  seen.text = text;
  seen.topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  seen.owned = GetWindow(box, GW_OWNER) != nullptr;
  const HWND cancel = GetDlgItem(box, IDCANCEL);
  seen.has_cancel = cancel != nullptr && IsWindowVisible(cancel);
  seen.main_window_enabled = IsWindowEnabled(MainDialog);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(LifecycleTest, AboutBoxIsAnUnownedTopmostOkBoxWithTheToolsDescription) {
  seen_about_box = {};
  {
    const TimerCheck inspector(InspectAndCloseAboutBox);
    Click(IDC_ABOUT);  // returns once the box is closed
  }
  const SeenAboutBox& seen = seen_about_box;
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text,
            "Quelt Morvik\r\n"
            "\r\n"
            "A tool to help decode those cryptic URL\r\n"
            "addresses used to hide the real location\r\n"
            "of Internet servers.\r\n"
            "\r\n"
            "Updates available at http://www.morvik.example/\r\n"
            "Copyright (C) 2026 The Morvik developers");
  EXPECT_TRUE(seen.topmost);
  EXPECT_FALSE(seen.owned);
  EXPECT_FALSE(seen.has_cancel);
  EXPECT_TRUE(seen.main_window_enabled);
  EXPECT_TRUE(IsWindow(dialog_));
}

TEST_F(LifecycleTest, GdiObjectsStayTheSameOverManyEdits) {
  const auto edit_everything = [&] {
    Focus(IDC_URL);
    SendMessageA(Control(IDC_URL), EM_SETSEL, 1000, 1000);
    Type("a");
    Click(IDC_RESOLVE);
    for (const int field : {IDC_DECIMAL, IDC_HEX}) {
      Focus(field);
      SendMessageA(Control(field), EM_SETSEL, 0, -1);
      Type("4294967296");
    }
    Focus(IDC_IPADDRESS);
    Type("1.2.3.4");
    RedrawWindow(
        dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  };
  edit_everything();  // lets the platform make whatever it caches on first use
  const GdiObjectCount before = CountGdiObjects();
  ASSERT_TRUE(before.reliable) << before.how;
  RecordProperty("gdi_count", before.how);
  std::printf("counting GDI objects by %s: %ld\n", before.how.c_str(), before.objects);
  for (int round = 0; round < 40; ++round) edit_everything();
  EXPECT_EQ(CountGdiObjects().objects, before.objects) << before.how;
  EXPECT_TRUE(IsWindow(dialog_));
}

// Steps of the modal-run check, one per timer tick once the window shows:
// post a quit message, look whether the window survived it, then close it.
struct QuitThenClose {
  int step = 0;
  DWORD quit_posted_at = 0;
  bool alive_after_quit = false;
};

QuitThenClose quit_then_close;

void PostQuitThenClose() {
  QuitThenClose& state = quit_then_close;
  if (state.step == 0) {
    if (MainDialog != nullptr && IsWindowVisible(MainDialog)) {
      PostQuitMessage(0);
      state.quit_posted_at = TimerCheck::Elapsed();
      state.step = 1;
    } else if (TimerCheck::OutOfPatience()) {
      state.step = 1;  // the window never showed; close whatever exists
    }
  } else if (TimerCheck::Elapsed() - state.quit_posted_at > 500) {
    TimerCheck::Stop();
    state.alive_after_quit = IsWindow(MainDialog) != FALSE;
    PostMessageA(MainDialog, WM_COMMAND, IDCANCEL, 0);
  }
}

TEST(ShowMainDialogTest, RunsUntilTheWindowIsGoneNotUntilAQuitMessage) {
  MainDialog = nullptr;
  quit_then_close = {};
  int result = -1;
  {
    const TimerCheck closer(PostQuitThenClose);
    result = ShowMainDialog(nullptr);
  }
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(quit_then_close.alive_after_quit);
  EXPECT_FALSE(IsWindow(MainDialog));
  MSG left;
  while (PeekMessageA(&left, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// What the closer saw of the result font while the modal run went on.
struct FontInRun {
  HFONT font = nullptr;
  bool alive = false;
};

FontInRun font_in_run;

void CheckFontThenClose() {
  if (MainDialog == nullptr || !IsWindowVisible(MainDialog)) {
    if (!TimerCheck::OutOfPatience()) return;
  }
  TimerCheck::Stop();
  font_in_run.font =
      reinterpret_cast<HFONT>(SendDlgItemMessageA(MainDialog, IDC_HEX, WM_GETFONT, 0, 0));
  font_in_run.alive = GetObjectType(font_in_run.font) == OBJ_FONT;
  PostMessageA(MainDialog, WM_COMMAND, IDCANCEL, 0);
}

// What an IP address control leaves behind when it is gone (Wine's keeps a
// font of its own per control), measured on a second one after the first
// has made whatever the class caches.
long GdiObjectsKeptByAnIpAddressControl() {
  long kept = 0;
  for (int control = 0; control < 2; ++control) {
    const long before = CountGdiObjects().objects;
    DestroyWindow(CreateWindowExA(
        0, "SysIPAddress32", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr));
    kept = CountGdiObjects().objects - before;
  }
  return kept;
}

// The result font lives through the whole modal run and is gone after it;
// the dialog as a whole gives back every GDI object it made, but for what its
// IP address control keeps. The first run lets the platform make whatever it
// caches on first use.
TEST(ShowMainDialogTest, HoldsTheResultFontForTheWholeRunAndLeaksNoGdiObject) {
  const long kept_by_platform = GdiObjectsKeptByAnIpAddressControl();
  RecordProperty("gdi_objects_kept_by_an_ip_address_control", static_cast<int>(kept_by_platform));
  GdiObjectCount before;
  for (int run = 0; run < 2; ++run) {
    before = CountGdiObjects();
    ASSERT_TRUE(before.reliable) << before.how;
    MainDialog = nullptr;
    font_in_run = {};
    const TimerCheck closer(CheckFontThenClose);
    EXPECT_EQ(ShowMainDialog(nullptr), 0);
  }
  EXPECT_TRUE(font_in_run.alive);
  EXPECT_EQ(GetObjectType(font_in_run.font), 0u) << "the result font outlives the dialog";
  EXPECT_EQ(CountGdiObjects().objects, before.objects + kept_by_platform) << before.how;
}

}  // namespace
}  // namespace morvik::testing
