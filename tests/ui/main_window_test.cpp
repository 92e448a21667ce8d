// The main window as built: its settings, every component's kind, parent,
// place, size, stacking, font and style, the menu bar, and the colours on
// the screen.
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/ui/window_driver.h"
#include "ui/dpi.h"
#include "ui/text_encoding.h"
#include "ui/trans_label.h"
#include "ui/window_layout.h"

namespace corvanel {
namespace {

using layout::Kind;
using testing::ClassOf;
using testing::PixelAt;
using testing::TextOf;

class MainWindowTest : public ::testing::Test {
 protected:
  testing::WindowFixture fixture_;
  HWND window() { return fixture_.window().Handle(); }
  // A length of the layout at the window's DPI.
  int Scale(int length) { return ScaleToDpi(length, WindowDpi(window())); }
};

// The default GUI font's height at the window's DPI: the platform's own
// font at the system's DPI, scaled for any other.
LONG GuiFontHeight(int dpi = 0) {
  LOGFONTW gui{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  return dpi == 0 ? gui.lfHeight : MulDiv(gui.lfHeight, dpi, SystemDpi());
}

RECT PlaceInParent(HWND hwnd) {
  RECT box;
  GetWindowRect(hwnd, &box);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

LOGFONTW FontOf(HWND hwnd) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

TEST_F(MainWindowTest, StandsCentredWithAFixedFrame) {
  EXPECT_EQ(L"CorvanelV1.0  By Ravimont", TextOf(window()));
  RECT outer;
  GetWindowRect(window(), &outer);
  EXPECT_EQ(Scale(507), outer.right - outer.left);
  EXPECT_EQ(Scale(319), outer.bottom - outer.top);
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - Scale(507)) / 2, outer.left);
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - Scale(319)) / 2, outer.top);
  const LONG style = GetWindowLongW(window(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(GetWindowLongW(window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(nullptr, GetWindow(window(), GW_OWNER));  // its own task-bar button
}

TEST_F(MainWindowTest, BuildsEveryComponentOfTheLayout) {
  for (const layout::Component& row : layout::Components()) {
    SCOPED_TRACE(std::string(row.name));
    HWND component = fixture_.Component(row.name);
    ASSERT_NE(nullptr, component);
    HWND parent = row.parent.empty() ? window() : fixture_.Component(row.parent);
    EXPECT_EQ(parent, GetParent(component));

    const std::wstring expectedClass = row.kind == Kind::EditBox      ? L"Edit"
                                       : row.kind == Kind::ComboBox   ? L"ComboBox"
                                       : row.kind == Kind::TransLabel ? kTransLabelClass
                                                                      : L"Button";
    EXPECT_EQ(0, lstrcmpiW(expectedClass.c_str(), ClassOf(component).c_str())) << ClassOf(component).c_str();

    const RECT expected{Scale(row.left), Scale(row.top), Scale(row.left) + Scale(row.width),
                        Scale(row.top) + Scale(row.height)};
    RECT place = row.kind == Kind::TransLabel ? LabelBox(component) : PlaceInParent(component);
    if (row.kind == Kind::ComboBox) place.bottom = expected.bottom;  // the closed box: below
    EXPECT_TRUE(EqualRect(&expected, &place))
        << place.left << ',' << place.top << ' ' << place.right - place.left << 'x' << place.bottom - place.top;

    EXPECT_EQ(row.visible, IsWindowVisible(component) != FALSE);
    EXPECT_TRUE(IsWindowEnabled(component));
    EXPECT_EQ(row.tabStop, (GetWindowLongW(component, GWL_STYLE) & WS_TABSTOP) != 0);
    EXPECT_EQ(std::wstring(row.text), row.kind == Kind::ComboBox ? L"" : TextOf(component));

    if (row.font.height == 0) {
      EXPECT_EQ(GuiFontHeight(), FontOf(component).lfHeight);
    } else {
      const LOGFONTW font = FontOf(component);
      EXPECT_EQ(-Scale(row.font.height), font.lfHeight);  // a character height
      EXPECT_EQ(std::wstring(row.font.face), font.lfFaceName);
      EXPECT_EQ(FW_NORMAL, font.lfWeight);
      EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
      EXPECT_EQ(DEFAULT_CHARSET, font.lfCharSet);
      EXPECT_EQ(PROOF_QUALITY, font.lfQuality);
    }
  }
}

// Among components of one parent, each row lies above all later rows.
TEST_F(MainWindowTest, StacksComponentsInLayoutOrder) {
  for (const std::string_view parentName : {std::string_view(), std::string_view("分组框1")}) {
    std::vector<HWND> expected;
    for (const layout::Component& row : layout::Components()) {
      if (row.parent == parentName) expected.push_back(fixture_.Component(row.name));
    }
    HWND parent = parentName.empty() ? window() : fixture_.Component(parentName);
    std::vector<HWND> stacked;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      stacked.push_back(child);
    }
    EXPECT_EQ(expected, stacked);
  }
  EXPECT_EQ(nullptr, GetWindow(fixture_.Component("分组框2"), GW_CHILD));
}

TEST_F(MainWindowTest, GivesEachKindItsStyle) {
  const struct {
    const char* name;
    LONG style, exStyle, absentStyle, absentExStyle;
  } cases[] = {
      {"主动轮齿数框", ES_CENTER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, WS_BORDER | ES_READONLY | ES_PASSWORD | ES_NUMBER,
       0},
      {"从动轮齿数框", ES_CENTER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, WS_BORDER | ES_READONLY | ES_NOHIDESEL, 0},
      {"设计中心距框", ES_CENTER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, WS_BORDER | ES_READONLY | ES_MULTILINE, 0},
      // A one-pixel line: the edit control draws it itself and takes WS_BORDER off its style.
      {"计算结果框", ES_CENTER | ES_AUTOHSCROLL, 0, ES_READONLY | ES_UPPERCASE, WS_EX_CLIENTEDGE},
      {"Dp1", ES_AUTOHSCROLL, 0, ES_CENTER | ES_RIGHT, WS_EX_CLIENTEDGE},
      {"Dp2", ES_AUTOHSCROLL, 0, ES_CENTER | ES_RIGHT, WS_EX_CLIENTEDGE},
      {"齿形框", CBS_DROPDOWNLIST, 0, CBS_SORT, 0},
      {"按钮1", BS_MULTILINE | BS_CENTER | BS_VCENTER, 0, BS_DEFPUSHBUTTON, 0},
      {"分组框1", BS_GROUPBOX, 0, 0, 0},
      {"透明标签3", 0, WS_EX_TRANSPARENT, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND component = fixture_.Component(c.name);
    const LONG style = GetWindowLongW(component, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(component, GWL_EXSTYLE);
    EXPECT_EQ(c.style, style & c.style);
    EXPECT_EQ(c.exStyle, exStyle & c.exStyle);
    EXPECT_EQ(0, style & c.absentStyle);
    EXPECT_EQ(0, exStyle & c.absentExStyle);
  }
  for (const char* name : {"主动轮齿数框", "计算结果框", "Dp1"}) {  // no limit on the length
    EXPECT_GE(static_cast<unsigned long>(SendMessageW(fixture_.Component(name), EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEul);
  }
}

TEST_F(MainWindowTest, OffersTheFourProfilesWithNoneChosen) {
  HWND list = fixture_.Component("齿形框");
  std::vector<std::wstring> items;
  for (int i = 0; i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i) {
    wchar_t item[32] = {};
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    items.emplace_back(item);
  }
  EXPECT_EQ((std::vector<std::wstring>{L"T2.5", L"T5/AT5", L"T10/AT10", L"T20/AT20"}), items);
  EXPECT_EQ(CB_ERR, SendMessageW(list, CB_GETCURSEL, 0, 0));
  EXPECT_EQ("", fixture_.window().GetComponentText("齿形框"));

  // Its rows are one pixel taller than a plain list's in the same font, and
  // closed it is as tall as a plain one.
  HWND plain = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 112, 160, window(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  SendMessageW(plain, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  EXPECT_EQ(SendMessageW(plain, CB_GETITEMHEIGHT, 0, 0) + 1, SendMessageW(list, CB_GETITEMHEIGHT, 0, 0));
  RECT plainBox, box;
  GetWindowRect(plain, &plainBox);
  GetWindowRect(list, &box);
  EXPECT_EQ(plainBox.bottom - plainBox.top, box.bottom - box.top);
  DestroyWindow(plain);
}

thread_local int profileListHeight = 0;

LRESULT CALLBACK RecordListHeight(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && ClassOf(reinterpret_cast<HWND>(wParam)) == L"ComboBox") {
    const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    if (create.style & CBS_OWNERDRAWFIXED) profileListHeight = create.cy;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The platforms report the open list differently, so the height the box is
// created with is checked: the box and its open list together.
TEST(ProfileListTest, IsCreated160PixelsTallWithItsList) {
  HHOOK hook = SetWindowsHookExW(WH_CBT, RecordListHeight, nullptr, GetCurrentThreadId());
  {
    MainWindow window([](const wchar_t*) {});
    ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr)));
  }
  UnhookWindowsHookEx(hook);
  testing::DrainQueue();
  EXPECT_EQ(160, profileListHeight);
}

TEST_F(MainWindowTest, ShowsTheProgramIconLargeAndSmall) {
  for (const auto& [which, size] : {std::pair{ICON_BIG, 32}, std::pair{ICON_SMALL, 16}}) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(window(), WM_GETICON, which, 0));
    ASSERT_NE(nullptr, icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(Scale(size), colour.bmWidth);
    EXPECT_EQ(32, colour.bmBitsPixel);  // the 32-bit image with its alpha
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

TEST_F(MainWindowTest, CarriesTheMenuBar) {
  HMENU bar = GetMenu(window());
  ASSERT_NE(nullptr, bar);
  ASSERT_EQ(1, GetMenuItemCount(bar));
  wchar_t text[64] = {};
  GetMenuStringW(bar, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(L"版本升级/问题反馈", text);
  HMENU items = GetSubMenu(bar, 0);
  ASSERT_EQ(2, GetMenuItemCount(items));
  const wchar_t* expected[] = {L"版本升级\tCtrl+A", L"问题反馈\tCtrl+B"};
  for (int i = 0; i < 2; ++i) {
    GetMenuStringW(items, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
    EXPECT_STREQ(expected[i], text);
    const UINT state = GetMenuState(items, static_cast<UINT>(i), MF_BYPOSITION);
    EXPECT_EQ(0u, state & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR));
  }
}

TEST_F(MainWindowTest, ShowsItsColoursOnTheScreen) {
  RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  fixture_.Pump();
  const COLORREF teal = RGB(0, 128, 128);
  EXPECT_EQ(teal, PixelAt(window(), Scale(2), Scale(2)));     // the window's background
  EXPECT_EQ(teal, PixelAt(window(), Scale(30), Scale(140)));  // a group box's face
  HWND result = fixture_.Component("计算结果框");
  EXPECT_EQ(RGB(255, 255, 255), PixelAt(result, Scale(4), Scale(4)));
  const COLORREF line = PixelAt(result, 0, Scale(10));  // the one-pixel frame
  EXPECT_TRUE(line != RGB(255, 255, 255) && line != teal) << std::hex << line;

  // Somewhere in its box each label shows its text colour, and nothing but
  // the face and that colour's blends; the teal label shows nothing at all.
  const auto colours = [&](const char* name, int skipRows = 0) {
    HWND label = fixture_.Component(name);
    const RECT box = LabelBox(label);
    std::vector<COLORREF> seen;
    for (int y = box.top + skipRows; y < box.bottom; ++y) {
      for (int x = box.left; x < box.right; ++x) seen.push_back(PixelAt(GetParent(label), x, y));
    }
    return seen;
  };
  for (const char* name : {"透明标签2", "透明标签4", "透明标签6", "透明标签8"}) {
    const auto seen = colours(name);
    EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), RGB(0, 255, 255))) << name;
  }
  const auto hidden = colours("透明标签1", Scale(8));  // below the group box's title
  EXPECT_TRUE(std::all_of(hidden.begin(), hidden.end(), [&](COLORREF c) { return c == teal; }));

  // The group boxes' titles, in yellow.
  bool yellow = false;
  for (int x = 2; x < Scale(60) && !yellow; ++x) {
    for (int y = 0; y < Scale(16) && !yellow; ++y) {
      yellow = PixelAt(fixture_.Component("分组框1"), x, y) == RGB(255, 255, 0);
    }
  }
  EXPECT_TRUE(yellow);
}

TEST_F(MainWindowTest, ShowsTheHandOverTheButtonOnly) {
  const auto pointerOver = [&](HWND control) {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(LoadCursorW(nullptr, IDC_HAND), pointerOver(fixture_.Component("按钮1")));
  EXPECT_EQ(LoadCursorW(nullptr, IDC_IBEAM), pointerOver(fixture_.Component("设计中心距框")));
}

// The texts the calculation reads and writes, by name.
TEST_F(MainWindowTest, ReadsAndWritesComponentTextsAsGbk) {
  MainWindow& window = fixture_.window();
  window.SetComponentText("计算结果框", "551.19");
  EXPECT_EQ("551.19", window.GetComponentText("计算结果框"));
  window.SetComponentText("计算结果框", "");
  EXPECT_EQ("", window.GetComponentText("计算结果框"));
  window.SetComponentText("Dp1", "\xD6\xD0");  // 中
  EXPECT_EQ(L"中", TextOf(fixture_.Component("Dp1")));
  EXPECT_EQ("\xD6\xD0", window.GetComponentText("Dp1"));
  EXPECT_FALSE(IsWindowVisible(fixture_.Component("Dp1")));
  // Characters GBK lacks come back as "?".
  SetWindowTextW(fixture_.Component("计算结果框"), L"x\u0E01");  // a Thai letter
  EXPECT_EQ("x?", window.GetComponentText("计算结果框"));
  // Nothing else is written, and unknown names read as no text.
  window.SetComponentText("按钮1", "x");
  EXPECT_EQ(L"开始计算", TextOf(fixture_.Component("按钮1")));
  EXPECT_EQ("", window.GetComponentText("no such box"));

  SendMessageW(fixture_.Component("齿形框"), CB_SETCURSEL, 1, 0);
  EXPECT_EQ("T5/AT5", window.GetComponentText("齿形框"));
}

// Run at another DPI (CORVANEL_EXPECT_DPI names it), the window takes it.
TEST_F(MainWindowTest, TakesTheScreensDpi) {
  const char* expected = std::getenv("CORVANEL_EXPECT_DPI");
  EXPECT_EQ(expected != nullptr ? std::atoi(expected) : 96, WindowDpi(window()));
}

// Moved to a monitor of another DPI, everything is laid out for it: places,
// sizes, fonts and the labels' boxes scale by DPI/96.
TEST_F(MainWindowTest, FollowsAChangeOfDpi) {
  for (const int dpi : {144, 192, 120, WindowDpi(window())}) {
    SCOPED_TRACE(dpi);
    RECT suggested;
    GetWindowRect(window(), &suggested);
    suggested.right = suggested.left + ScaleToDpi(507, dpi);
    suggested.bottom = suggested.top + ScaleToDpi(319, dpi);
    SendMessageW(window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    for (const char* name : {"设计中心距框", "主动轮齿数框", "按钮1", "分组框2"}) {
      const layout::Component& row = *std::find_if(layout::Components().begin(), layout::Components().end(),
                                                   [&](const auto& candidate) { return candidate.name == name; });
      const RECT place = PlaceInParent(fixture_.Component(name));
      EXPECT_EQ(ScaleToDpi(row.left, dpi), place.left) << name;
      EXPECT_EQ(ScaleToDpi(row.top, dpi), place.top) << name;
      EXPECT_EQ(ScaleToDpi(row.width, dpi), place.right - place.left) << name;
      EXPECT_EQ(ScaleToDpi(row.height, dpi), place.bottom - place.top) << name;
    }
    EXPECT_EQ(-ScaleToDpi(16, dpi), FontOf(fixture_.Component("设计中心距框")).lfHeight);
    EXPECT_EQ(-ScaleToDpi(14, dpi), FontOf(fixture_.Component("按钮1")).lfHeight);
    EXPECT_EQ(-ScaleToDpi(19, dpi), FontOf(fixture_.Component("透明标签5")).lfHeight);
    EXPECT_EQ(dpi == SystemDpi() ? GuiFontHeight() : GuiFontHeight(dpi), FontOf(fixture_.Component("齿形框")).lfHeight);
    const RECT label = LabelBox(fixture_.Component("透明标签6"));
    EXPECT_EQ(ScaleToDpi(58, dpi), label.left);
    EXPECT_EQ(ScaleToDpi(141, dpi), label.right - label.left);
    HWND plain = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 112, 160, window(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(plain, WM_SETFONT, SendMessageW(fixture_.Component("齿形框"), WM_GETFONT, 0, 0), FALSE);
    EXPECT_EQ(SendMessageW(plain, CB_GETITEMHEIGHT, 0, 0) + 1,
              SendMessageW(fixture_.Component("齿形框"), CB_GETITEMHEIGHT, 0, 0));
    DestroyWindow(plain);
  }
}

}  // namespace
}  // namespace corvanel
