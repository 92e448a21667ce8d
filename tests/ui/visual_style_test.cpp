// The themed look as it stands on the screen: the frame colours of each
// scheme and of the platform's own look, disabled controls, windows created
// later (a notice's button among them), and switching between schemes.
#include "ui/visual_style.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/ui/window_driver.h"
#include "ui/dpi.h"
#include "ui/text_encoding.h"

namespace corvanel {
namespace {

using testing::NoticeCatcher;
using testing::PixelAt;
using testing::WindowPixelAt;

struct SchemeColours {
  int scheme;
  COLORREF boxFrame, buttonFrame;
};

constexpr SchemeColours kSchemes[] = {
    {1, RGB(123, 158, 189), RGB(0, 60, 115)},
    {2, RGB(164, 185, 127), RGB(55, 98, 6)},
    {3, RGB(198, 197, 215), RGB(0, 60, 116)},
};
constexpr COLORREF kGroupFrame = RGB(191, 184, 191);

COLORREF Darker(COLORREF colour) {
  const auto channel = [](BYTE c) { return static_cast<BYTE>(c < 32 ? 0 : c - 32); };
  return RGB(channel(GetRValue(colour)), channel(GetGValue(colour)), channel(GetBValue(colour)));
}

class VisualStyleTest : public ::testing::Test {
 protected:
  ~VisualStyleTest() override { ApplyVisualStyle(1); }

  HWND C(std::string_view name) { return fixture_.Component(name); }
  int Unit() { return ScaleToDpi(1, WindowDpi(fixture_.window().Handle())); }

  void Apply(int scheme) {
    ApplyVisualStyle(scheme);
    fixture_.Pump();
  }

  // The outer frame and the ring inside it, at the middle of the left edge.
  std::pair<COLORREF, COLORREF> FrameOf(HWND control) {
    RECT outer;
    GetWindowRect(control, &outer);
    const int middle = (outer.bottom - outer.top) / 2;
    return {WindowPixelAt(control, 0, middle), WindowPixelAt(control, Unit(), middle)};
  }
  COLORREF ButtonFrame() {
    RECT box;
    GetClientRect(C("按钮1"), &box);
    return PixelAt(C("按钮1"), 0, box.bottom / 2);
  }
  COLORREF GroupFrame() {
    RECT box;
    GetClientRect(C("分组框1"), &box);
    return PixelAt(C("分组框1"), 0, box.bottom / 2);
  }

  // Leaves the window as the screen shows it in the build tree, for people to look at.
  void SaveShot(const std::string& name) {
    const char* folder = std::getenv("CORVANEL_SHOTS");
    if (folder != nullptr) testing::SaveWindowShot(fixture_.window().Handle(), FromUtf8(folder + name));
  }

  testing::WindowFixture fixture_;
};

TEST_F(VisualStyleTest, DrawsFramesInEachSchemesColours) {
  for (const SchemeColours& scheme : kSchemes) {
    SCOPED_TRACE(scheme.scheme);
    Apply(scheme.scheme);
    EXPECT_EQ(scheme.scheme, ActiveVisualStyle());
    for (const char* box : {"主动轮齿数框", "设计中心距框", "计算结果框", "齿形框"}) {
      const auto [outer, inner] = FrameOf(C(box));
      EXPECT_EQ(scheme.boxFrame, outer) << box;
      EXPECT_EQ(GetSysColor(COLOR_WINDOW), inner) << box;
    }
    EXPECT_EQ(scheme.buttonFrame, ButtonFrame());
    EXPECT_EQ(kGroupFrame, GroupFrame());  // the same in every scheme
    SaveShot("/scheme-" + std::to_string(scheme.scheme) + ".bmp");
  }
}

TEST_F(VisualStyleTest, AnyOtherNumberGivesThePlatformsLookBack) {
  for (const int off : {0, 4, -1}) {
    Apply(1);
    Apply(off);
    EXPECT_EQ(0, ActiveVisualStyle());
    for (const char* box : {"设计中心距框", "齿形框"}) {
      const COLORREF outer = FrameOf(C(box)).first;
      for (const SchemeColours& scheme : kSchemes) EXPECT_NE(scheme.boxFrame, outer) << box << ' ' << off;
    }
    for (const SchemeColours& scheme : kSchemes) EXPECT_NE(scheme.buttonFrame, ButtonFrame());
    EXPECT_NE(kGroupFrame, GroupFrame());
  }
  SaveShot("/scheme-off.bmp");
}

TEST_F(VisualStyleTest, DrawsDisabledControlsInTheFacesColours) {
  Apply(2);
  for (const char* name : {"设计中心距框", "齿形框", "按钮1"}) EnableWindow(C(name), FALSE);
  fixture_.Pump();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (const char* box : {"设计中心距框", "齿形框"}) {
    const auto [outer, inner] = FrameOf(C(box));
    EXPECT_EQ(Darker(face), outer) << box;
    EXPECT_EQ(face, inner) << box;
  }
  EXPECT_EQ(Darker(face), ButtonFrame());
  RECT button;
  GetClientRect(C("按钮1"), &button);
  EXPECT_EQ(RGB(245, 244, 234), PixelAt(C("按钮1"), 3 * Unit(), button.bottom - 4 * Unit()));  // the flat face
}

TEST_F(VisualStyleTest, TakesInWindowsCreatedLaterOnce) {
  Apply(1);
  const auto procedureOf = [](HWND hwnd) { return GetWindowLongPtrW(hwnd, GWLP_WNDPROC); };
  const LONG_PTR before = procedureOf(C("设计中心距框"));
  Apply(3);
  Apply(1);
  EXPECT_EQ(before, procedureOf(C("设计中心距框")));  // no window is themed twice

  HWND later = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 420, 200, 60, 24,
                               fixture_.window().Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  fixture_.Pump();
  EXPECT_EQ(kSchemes[0].boxFrame, FrameOf(later).first);
  DestroyWindow(later);

  Apply(0);
  HWND plain = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 420, 200, 60, 24,
                               fixture_.window().Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  EXPECT_EQ(nullptr, GetPropW(plain, L"Corvanel.Theme.Kind"));
  DestroyWindow(plain);
}

TEST_F(VisualStyleTest, ANoticesButtonCarriesTheLook) {
  for (const SchemeColours& scheme : kSchemes) {
    Apply(scheme.scheme);
    NoticeCatcher catcher(fixture_.window().Handle());
    fixture_.window().ShowNotice("x", 0, "");
    ASSERT_EQ(1u, catcher.notices().size());
    EXPECT_TRUE(catcher.notices()[0].okButtonThemed);
    EXPECT_EQ(scheme.buttonFrame, catcher.notices()[0].okButtonFrame) << scheme.scheme;
  }
}

}  // namespace
}  // namespace corvanel
