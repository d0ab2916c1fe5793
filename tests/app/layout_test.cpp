// The main window as built: its own properties, its thirteen controls, tab
// order, fonts, colours and the texts it starts with.

#include <gmock/gmock.h>

#include <cstring>

#include "app/control_ids.h"
#include "app/main_dialog.h"
#include "app/result_font.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/font_tables.h"
#include "tests/app/runs_under_wine.h"

namespace morvik::testing {
namespace {

using LayoutTest = DialogDriver;

struct ExpectedControl {
  int id;
  const char* window_class;
  DWORD style;
  DWORD ex_style;
  RECT dialog_units;  // left, top, right, bottom
};

// Written out again here (not taken from the product's table) so that a
// slip in the table shows up.
const ExpectedControl kExpectedControls[] = {
    {IDC_URL, "Edit", 0x50010080, WS_EX_CLIENTEDGE, {25, 4, 300, 14}},
    {IDC_HOST, "Edit", 0x50010880, WS_EX_CLIENTEDGE, {25, 15, 300, 25}},
    {IDC_RESOLVE, "Button", 0x50010000, 0, {255, 30, 300, 40}},
    {IDC_IPADDRESS, "SysIPAddress32", 0x50010000, 0, {90, 33, 210, 48}},
    {IDC_DECIMAL, "Edit", 0x50010000, WS_EX_CLIENTEDGE, {90, 48, 210, 63}},
    {IDC_HEX, "Edit", 0x50010000, WS_EX_CLIENTEDGE, {90, 63, 210, 78}},
    {IDC_ABOUT, "Button", 0x50010000, 0, {255, 50, 300, 60}},
    {IDCANCEL, "Button", 0x50010000, 0, {255, 70, 300, 80}},
    {IDC_URL_LABEL, "Static", 0x50000002, 0, {0, 5, 25, 15}},
    {IDC_DOTTED_LABEL, "Static", 0x50000002, 0, {25, 35, 85, 45}},
    {IDC_DECIMAL_LABEL, "Static", 0x50000002, 0, {20, 49, 85, 59}},
    {IDC_HEX_LABEL, "Static", 0x50000002, 0, {20, 64, 85, 74}},
    {IDC_IP_FRAME, "Button", 0x50000007, 0, {0, 25, 250, 85}},
};

RECT ClientRectOf(HWND control, HWND dialog) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TEST_F(LayoutTest, ControlsInCreationOrderWithIdsClassesStylesAndMappedRectangles) {
  HWND control = GetWindow(dialog_, GW_CHILD);
  for (const ExpectedControl& expected : kExpectedControls) {
    SCOPED_TRACE(expected.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetDlgCtrlID(control), expected.id);
    char window_class[64] = "";
    GetClassNameA(control, window_class, sizeof window_class);
    EXPECT_STRCASEEQ(window_class, expected.window_class);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)), expected.style);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE)), expected.ex_style);

    RECT mapped = expected.dialog_units;
    MapDialogRect(dialog_, &mapped);
    const RECT actual = ClientRectOf(control, dialog_);
    EXPECT_EQ(actual.left, mapped.left);
    EXPECT_EQ(actual.top, mapped.top);
    EXPECT_EQ(actual.right - actual.left, mapped.right - mapped.left);
    EXPECT_EQ(actual.bottom - actual.top, mapped.bottom - mapped.top);
    control = GetWindow(control, GW_HWNDNEXT);
  }
  EXPECT_EQ(control, nullptr) << "more than thirteen controls";
}

TEST_F(LayoutTest, DialogIsBuiltHiddenWithItsTitlePlaceSizeAndFont) {
  EXPECT_EQ(MainDialog, dialog_);
  char title[64] = "";
  GetWindowTextA(dialog_, title, sizeof title);
  EXPECT_STREQ(title, "Quelt: Morvik 1.0");
  EXPECT_FALSE(IsWindowVisible(dialog_));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(dialog_, GWL_STYLE)), 0x84C800D4u);
  EXPECT_EQ(GetWindowLongA(dialog_, GWL_EXSTYLE) & 0x00010100, 0x00010100);
  EXPECT_EQ(GetWindowLongA(dialog_, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

  RECT size{0, 0, 303, 84};
  MapDialogRect(dialog_, &size);
  RECT client;
  GetClientRect(dialog_, &client);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);

  // The template's place is where the client area starts, on the screen.
  RECT place{47, 78, 47, 78};
  MapDialogRect(dialog_, &place);
  POINT client_origin{0, 0};
  ClientToScreen(dialog_, &client_origin);
  EXPECT_EQ(client_origin.x, place.left);
  EXPECT_EQ(client_origin.y, place.top);

  LOGFONTA dialog_font{};
  const auto font = reinterpret_cast<HFONT>(SendMessageA(dialog_, WM_GETFONT, 0, 0));
  ASSERT_NE(GetObjectA(font, sizeof dialog_font, &dialog_font), 0);
  EXPECT_STREQ(dialog_font.lfFaceName, "MS Sans Serif");
  for (const int id :
       {IDC_URL, IDC_HOST, IDC_RESOLVE, IDC_ABOUT, IDCANCEL, IDC_URL_LABEL, IDC_IP_FRAME}) {
    EXPECT_EQ(SendMessageA(Control(id), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font)) << id;
  }
}

TEST_F(LayoutTest, FieldsStartWithTheSampleUrlAndZeroAddresses) {
  const std::string url = Text(IDC_URL);
  EXPECT_EQ(url.size(), 85u);
  EXPECT_EQ(url.rfind("http://", 0), 0u);
  EXPECT_NE(url.find("&item="), std::string::npos);
  EXPECT_EQ(Text(IDC_HOST), "");
  EXPECT_EQ(Text(IDC_IPADDRESS), "0.0.0.0");
  EXPECT_EQ(Text(IDC_DECIMAL), "0");
  EXPECT_EQ(Text(IDC_HEX), "0");
  EXPECT_EQ(Text(IDC_RESOLVE), "&Resolve IP");
  EXPECT_EQ(Text(IDC_HEX_LABEL), "Hexadecimal Format");
  EXPECT_EQ(Text(IDC_IP_FRAME), "IP Address");
}

TEST_F(LayoutTest, TabVisitsTheTabStopsInCreationOrderAndWrapsAround) {
  Show();
  Focus(IDC_URL);
  for (const int expected :
       {IDC_HOST, IDC_RESOLVE, IDC_IPADDRESS, IDC_DECIMAL, IDC_HEX, IDC_ABOUT, IDCANCEL, IDC_URL}) {
    Press(VK_TAB);
    EXPECT_EQ(FocusedControlId(), expected);
  }
}

struct FontHeightCase {
  int pixels_per_inch;
  int height;
};

class ResultFontHeightTest : public ::testing::TestWithParam<FontHeightCase> {};

// Truncated, never rounded: 96 dpi gives 18.67 points' worth of pixels.
const FontHeightCase kFontHeights[] = {{96, -18}, {120, -23}, {144, -28}, {72, -14}};

TEST_P(ResultFontHeightTest, FourteenPointsTruncated) {
  EXPECT_EQ(ResultFontHeight(GetParam().pixels_per_inch), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Densities, ResultFontHeightTest, ::testing::ValuesIn(kFontHeights));

TEST_F(LayoutTest, AddressFieldsUseBoldCourierNewOfFourteenPoints) {
  const WindowDc screen(nullptr);
  const int pixels_per_inch = GetDeviceCaps(screen.get(), LOGPIXELSY);
  for (const int id : {IDC_DECIMAL, IDC_HEX}) {
    SCOPED_TRACE(id);
    LOGFONTA font{};
    ASSERT_NE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Control(id), WM_GETFONT, 0, 0)),
                         sizeof font,
                         &font),
              0);
    EXPECT_EQ(font.lfHeight, -(pixels_per_inch * 14 / 72));
    if (pixels_per_inch == 96) {
      EXPECT_EQ(font.lfHeight, -18);
    }
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, "Courier New");
  }
}

// The face GDI really chose for a field's font: Courier New, or the
// metric-compatible face the prefix maps it to, and bold.
TEST_F(LayoutTest, AddressFieldsGetABoldCourierNewFaceOrItsMappedFace) {
  const HDC dc = CreateCompatibleDC(nullptr);
  // The IP address control draws with the font its own four edits get, which
  // is the platform's business (Wine keeps the system font there).
  for (const int id : {IDC_DECIMAL, IDC_HEX}) {
    SCOPED_TRACE(id);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(Control(id), WM_GETFONT, 0, 0));
    const HGDIOBJ old = SelectObject(dc, font);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    EXPECT_THAT(
        face,
        ::testing::AnyOf(::testing::StrEq("Courier New"), ::testing::StrEq("Liberation Mono")));
    EXPECT_GE(metrics.tmWeight, FW_BOLD);
    // The flag's name is historical: it is set for a proportional face.
    EXPECT_FALSE(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) << "a proportional face";
  }
  DeleteDC(dc);
}

// Wine 8 positions a mark on the glyph before it without checking that there
// is one: in a run that starts with such a mark a 64-bit process reads 8 GiB
// past its glyphs and may crash while an edit control measures its text. So
// under Wine the fields' texts must be shaped in faces without MarkToMark
// lookups: Wine's bitmap "MS Sans Serif" and the face mapped to Courier New.
TEST_F(LayoutTest, UnderWineNoFieldIsShapedWithMarkToMarkPositioning) {
  if (!RunsUnderWine()) GTEST_SKIP() << "Windows positions marks safely";
  LOGFONTA with_marks{};
  std::strcpy(with_marks.lfFaceName, "Liberation Sans");
  const Font face_with_marks(CreateFontIndirectA(&with_marks));
  ASSERT_THAT(PositioningLookupTypes(face_with_marks.get()), ::testing::Contains(kMarkToMarkLookup))
      << "the check must see the lookups of a face that has them (fonts-liberation2)";
  for (const int id : {IDC_URL, IDC_HOST, IDC_DECIMAL, IDC_HEX}) {
    const auto font = reinterpret_cast<HFONT>(SendMessageA(Control(id), WM_GETFONT, 0, 0));
    EXPECT_THAT(PositioningLookupTypes(font),
                ::testing::Not(::testing::Contains(kMarkToMarkLookup)))
        << "field " << id;
  }
}

TEST_F(LayoutTest, EveryLabelFitsItsControl) {
  const HDC dc = GetDC(dialog_);
  for (const int id : {IDC_URL_LABEL, IDC_DOTTED_LABEL, IDC_DECIMAL_LABEL, IDC_HEX_LABEL}) {
    const std::string label = Text(id);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(Control(id), WM_GETFONT, 0, 0)));
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    SCOPED_TRACE(label + " in " + face);  // a wrapping label loses its last line
    SIZE size{};
    GetTextExtentPoint32A(dc, label.c_str(), static_cast<int>(label.size()), &size);
    SelectObject(dc, old);
    RECT client;
    GetClientRect(Control(id), &client);
    EXPECT_LE(size.cx, client.right);
  }
  ReleaseDC(dialog_, dc);
}

TEST_F(LayoutTest, HostFieldIsWindowTextOnGreyWithOneLastingBrush) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const auto colour = [&](int id) {
    return reinterpret_cast<HBRUSH>(SendMessageA(dialog_,
                                                 WM_CTLCOLORSTATIC,
                                                 reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(Control(id))));
  };
  const HBRUSH brush = colour(IDC_HOST);
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(GetBkColor(dc), RGB(192, 192, 192));
  LOGBRUSH description{};
  ASSERT_NE(GetObjectA(brush, sizeof description, &description), 0);
  EXPECT_EQ(description.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(description.lbColor, RGB(192, 192, 192));
  for (int i = 0; i < 50; ++i) ASSERT_EQ(colour(IDC_HOST), brush) << "a new brush per paint";
  EXPECT_NE(colour(IDC_URL_LABEL), brush) << "only the host field has its own colours";
  DeleteDC(dc);
}

}  // namespace
}  // namespace morvik::testing
