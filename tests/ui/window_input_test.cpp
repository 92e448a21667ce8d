// The window in use, driven with real input: picking, typing and clicking
// through to a result, the input boxes' filters and rewriting, the keys the
// window handles, the notices and the menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/window_driver.h"
#include "ui/main_window.h"
#include "ui/web_pages.h"

namespace corvanel {
namespace {

using testing::Click;
using testing::NoticeCatcher;
using testing::PressKey;
using testing::TextOf;
using testing::TypeText;

constexpr const wchar_t* kWrongInput = L"请输入正确的参数";
constexpr const wchar_t* kTooSmall = L"您设计的中心距过小（不合理）！请重新输入...";

class WindowInputTest : public ::testing::Test {
 protected:
  HWND C(std::string_view name) { return fixture_.Component(name); }
  void Pump() { fixture_.Pump(); }

  // Picks a profile the way a user does with the keyboard: the list takes
  // the focus and the arrow keys walk it.
  void PickProfile(int index) {
    SetFocus(C("齿形框"));
    for (int i = 0; i <= index; ++i) PressKey(VK_DOWN);
    Pump();
  }
  void TypeInto(std::string_view box, std::wstring_view text) {
    Click(C(box), &fixture_.window());
    Pump();
    TypeText(text);
    Pump();
  }
  void Calculate() {
    Click(C("按钮1"), &fixture_.window());
    Pump();
  }

  testing::WindowFixture fixture_;
  // Notices no test asked for; without it, one would wait forever.
  NoticeCatcher unexpected_;

  void TearDown() override {
    for (const auto& notice : unexpected_.notices())
      ADD_FAILURE() << "unexpected notice of " << notice.text.size() << " characters";
  }
};

TEST_F(WindowInputTest, ClickingTheButtonShowsTheBeltLength) {
  PickProfile(1);
  EXPECT_EQ("T5/AT5", fixture_.window().GetComponentText("齿形框"));
  TypeInto("主动轮齿数框", L"20");
  TypeInto("从动轮齿数框", L"40");
  TypeInto("设计中心距框", L"200");
  NoticeCatcher catcher;
  Calculate();
  EXPECT_TRUE(catcher.notices().empty());
  EXPECT_EQ(L"551.19", TextOf(C("计算结果框")));
  EXPECT_EQ(L"31.83098861422", TextOf(C("Dp1")));
  EXPECT_EQ(L"63.66197722845", TextOf(C("Dp2")));
  EXPECT_FALSE(IsWindowVisible(C("Dp1")));
  EXPECT_EQ(C("按钮1"), GetFocus());
}

// The click takes the focus first, so the box is rewritten before the
// calculation reads it.
TEST_F(WindowInputTest, TheBoxIsRewrittenBeforeTheCalculationReadsIt) {
  PickProfile(1);
  TypeInto("从动轮齿数框", L"40");
  TypeInto("设计中心距框", L"200");
  TypeInto("主动轮齿数框", L"007");
  Calculate();
  EXPECT_EQ(L"7", TextOf(C("主动轮齿数框")));
  EXPECT_EQ(L"11.14084601498", TextOf(C("Dp1")));  // 7 teeth, not 7 with two zeros
}

TEST_F(WindowInputTest, NoticesAreTaskModalAndWriteNothing) {
  struct Press {
    int profile;  // -1: none picked
    const wchar_t *driving, *driven, *centre, *notice;
  };
  const Press presses[] = {
      {-1, L"", L"", L"", kWrongInput},
      {-1, L"20", L"40", L"200", kWrongInput},  // no profile picked
      {1, L"0", L"40", L"200", kWrongInput},    // rewritten to the empty text
      {1, L"20", L"40", L"40", kTooSmall},      // the pulleys would overlap
  };
  for (const Press& press : presses) {
    testing::WindowFixture fixture;
    if (press.profile >= 0) SendMessageW(fixture.Component("齿形框"), CB_SETCURSEL, press.profile, 0);
    SetWindowTextW(fixture.Component("主动轮齿数框"), press.driving);
    SetWindowTextW(fixture.Component("从动轮齿数框"), press.driven);
    SetWindowTextW(fixture.Component("设计中心距框"), press.centre);
    NoticeCatcher catcher(fixture.window().Handle());
    Click(fixture.Component("按钮1"), &fixture.window());
    fixture.Pump();
    ASSERT_EQ(1u, catcher.notices().size()) << press.driving;
    const testing::CaughtNotice& notice = catcher.notices()[0];
    EXPECT_EQ(press.notice, notice.text);
    EXPECT_EQ(L"温馨提示", notice.title);
    EXPECT_EQ(1u, notice.buttons.size());
    EXPECT_FALSE(notice.hasIcon);
    EXPECT_FALSE(notice.ownerWindowEnabled);  // the window waits while the notice is up
    EXPECT_TRUE(IsWindowEnabled(fixture.window().Handle()));
    EXPECT_EQ(L"", TextOf(fixture.Component("计算结果框")));
    EXPECT_EQ(L"", TextOf(fixture.Component("Dp1")));
    // The window has the keyboard again, on the button.
    EXPECT_EQ(fixture.window().Handle(), GetActiveWindow());
    EXPECT_EQ(fixture.Component("按钮1"), GetFocus());
  }
}

TEST_F(WindowInputTest, NoticesTakeTheirTitleAndModality) {
  NoticeCatcher catcher(fixture_.window().Handle());
  fixture_.window().ShowNotice("\xC4\xE3\xBA\xC3", 0, "");  // 你好, no title
  fixture_.window().ShowNotice("x", MB_SYSTEMMODAL, "t");
  ASSERT_EQ(2u, catcher.notices().size());
  EXPECT_EQ(L"信息：", catcher.notices()[0].title);
  EXPECT_EQ(L"你好", catcher.notices()[0].text);
  EXPECT_FALSE(catcher.notices()[0].ownerWindowEnabled);
  EXPECT_TRUE(catcher.notices()[1].ownerWindowEnabled);  // system-modal: not made task-modal as well
}

TEST_F(WindowInputTest, TypingKeepsOnlyTheBoxesOwnCharacters) {
  const struct {
    const char* box;
    const wchar_t* typed;
    const wchar_t* kept;
  } cases[] = {
      {"主动轮齿数框", L"a+. 1-2\u3000\uFF13", L"1-2"},
      {"从动轮齿数框", L"-7x", L"-7"},
      {"设计中心距框", L"a+ 1.-2e5", L"1.-25"},
      {"计算结果框", L"any text 任意", L"any text 任意"},  // any text: nothing filtered
  };
  for (const auto& c : cases) {
    TypeInto(c.box, c.typed);
    EXPECT_EQ(c.kept, TextOf(C(c.box))) << c.box;
  }
}

struct Rewriting {
  const char* box;
  const wchar_t* content;
  const wchar_t* rewritten;
};

// Typed content is rewritten when the box loses the focus; pasted content,
// which no filter sees, too.
TEST_F(WindowInputTest, BoxesRewriteTheirContentOnLeaving) {
  const Rewriting typed[] = {
      {"主动轮齿数框", L"007", L"7"},
      {"主动轮齿数框", L"12-3", L"12"},
      {"主动轮齿数框", L"-", L""},
      {"从动轮齿数框", L"0", L""},
      {"从动轮齿数框", L"99999999999", L"2147483647"},
      {"从动轮齿数框", L"-99999999999", L"-2147483648"},
      {"设计中心距框", L"200", L"200"},
      {"设计中心距框", L"12.3456789", L"12.3457"},
      {"设计中心距框", L"3.14159265", L"3.14159"},
      {"设计中心距框", L"1234567", L"1.23457e+006"},
      {"设计中心距框", L".5", L"0.5"},
      {"设计中心距框", L"99999.95", L"100000"},
      {"设计中心距框", L"1.5.5", L"1.5"},
      {"设计中心距框", L"0.00", L""},
      {"设计中心距框", L"-", L""},
      {"设计中心距框", L"1234567890123456789012345678901234567890", L""},  // beyond single precision
  };
  for (const auto& c : typed) {
    SetWindowTextW(C(c.box), L"");
    TypeInto(c.box, c.content);
    EXPECT_EQ(c.content, TextOf(C(c.box)));
    SetFocus(C("计算结果框"));
    Pump();
    EXPECT_EQ(c.rewritten, TextOf(C(c.box))) << c.box << " " << c.content;
  }
  const Rewriting pasted[] = {
      {"主动轮齿数框", L" 42", L"42"},
      {"从动轮齿数框", L"１２", L""},
      {"设计中心距框", L" 2e2mm", L"200"},
  };
  for (const auto& c : pasted) {
    SetFocus(C(c.box));
    SetWindowTextW(C(c.box), L"");
    SendMessageW(C(c.box), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(c.content));
    SetFocus(C("按钮1"));
    Pump();
    EXPECT_EQ(c.rewritten, TextOf(C(c.box))) << c.box << " " << c.content;
  }
  // The boxes of any text are left as they are.
  TypeInto("计算结果框", L"007");
  SetFocus(C("按钮1"));
  Pump();
  EXPECT_EQ(L"007", TextOf(C("计算结果框")));
}

TEST_F(WindowInputTest, TabWalksTheTabStopsInOrder) {
  const std::vector<HWND> order = {C("按钮1"),        C("齿形框"),       C("主动轮齿数框"),
                                   C("从动轮齿数框"), C("设计中心距框"), C("计算结果框")};
  EXPECT_EQ(order[0], GetFocus());  // where the focus starts
  for (std::size_t i = 1; i <= order.size(); ++i) {
    PressKey(VK_TAB);
    Pump();
    EXPECT_EQ(order[i % order.size()], GetFocus()) << i;
  }
  for (std::size_t i = order.size(); i-- > 0;) {
    PressKey(VK_TAB, {VK_SHIFT});
    Pump();
    EXPECT_EQ(order[i], GetFocus()) << i;
  }
}

TEST_F(WindowInputTest, EnterAndF1DoNothingAndSpaceClicks) {
  TypeInto("主动轮齿数框", L"12");
  NoticeCatcher catcher;
  PressKey(VK_RETURN);
  PressKey(VK_F1);
  Pump();
  EXPECT_EQ(C("主动轮齿数框"), GetFocus());
  EXPECT_EQ(L"12", TextOf(C("主动轮齿数框")));
  EXPECT_TRUE(catcher.notices().empty());

  SetFocus(C("按钮1"));
  PressKey(VK_SPACE);
  Pump();
  ASSERT_EQ(1u, catcher.notices().size());  // the calculation ran, and found inputs missing
  EXPECT_EQ(kWrongInput, catcher.notices()[0].text);
}

TEST_F(WindowInputTest, ShortcutsOpenThePagesFromAnywhere) {
  TypeInto("设计中心距框", L"12");
  PressKey('A', {VK_CONTROL});
  Pump();
  EXPECT_EQ(std::vector<std::wstring>{kUpgradePage}, fixture_.openedPages);
  // The box never saw the key: no selection, content as it was.
  DWORD start = 0, end = 0;
  SendMessageW(C("设计中心距框"), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, end);
  EXPECT_EQ(L"12", TextOf(C("设计中心距框")));

  SetFocus(C("按钮1"));
  PressKey('B', {VK_CONTROL});
  Pump();
  EXPECT_EQ((std::vector<std::wstring>{kUpgradePage, kFeedbackPage}), fixture_.openedPages);

  fixture_.openedPages.clear();
  SetFocus(C("设计中心距框"));
  PressKey('A', {VK_CONTROL, VK_SHIFT});
  PressKey('A', {VK_MENU});
  PressKey('A');
  PressKey(VK_ESCAPE);  // leaves the menu bar that Alt may have entered
  Pump();
  EXPECT_TRUE(fixture_.openedPages.empty());
}

TEST_F(WindowInputTest, TheMenuOpensAPageEachTimeItIsChosen) {
  for (int i = 0; i < 2; ++i) {
    SendMessageW(fixture_.window().Handle(), WM_COMMAND, MAKEWPARAM(40001, 0), 0);
  }
  EXPECT_EQ((std::vector<std::wstring>{kUpgradePage, kUpgradePage}), fixture_.openedPages);
}

TEST_F(WindowInputTest, TheFocusComesBackAfterAnotherWindow) {
  TypeInto("从动轮齿数框", L"007");
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(other);
  Pump();
  EXPECT_NE(fixture_.window().Handle(), GetActiveWindow());
  EXPECT_EQ(L"7", TextOf(C("从动轮齿数框")));  // rewritten on leaving
  SetForegroundWindow(fixture_.window().Handle());
  Pump();
  EXPECT_EQ(C("从动轮齿数框"), GetFocus());
  DestroyWindow(other);
}

}  // namespace
}  // namespace corvanel
