// The program's life as a whole: it ends with 0 when its window is closed,
// and with -1 and an error box when the window cannot be created.
#include "ui/program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/window_driver.h"

namespace corvanel {
namespace {

using testing::ClassOf;
using testing::NoticeCatcher;

// A key to press in the program's window once its loop is running, and
// the component to give the focus first.
thread_local WORD keyToPress = 0;
thread_local std::vector<WORD> modifiersHeld;
thread_local std::string focusFirst;

void CALLBACK PressKeyOnce(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND window = FindWindowW(L"CorvanelMainWindow", nullptr);
  if (window == nullptr) return;
  if (!focusFirst.empty()) {
    MainWindow* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    SetFocus(self->Component(focusFirst));
  }
  testing::PressKey(keyToPress, modifiersHeld);
}

int RunAndPress(WORD key, std::vector<WORD> modifiers = {}, std::string focus = {}) {
  testing::DrainQueue();
  keyToPress = key;
  modifiersHeld = std::move(modifiers);
  focusFirst = std::move(focus);
  SetTimer(nullptr, 0, 300, PressKeyOnce);
  return RunProgram(GetModuleHandleW(nullptr), SW_SHOWNORMAL, [](const wchar_t*) {});
}

TEST(ProgramTest, EscClosesTheWindowAndTheProgramEndsWithZero) {
  for (const char* focus : {"", "设计中心距框", "齿形框", "计算结果框"}) {
    EXPECT_EQ(0, RunAndPress(VK_ESCAPE, {}, focus)) << focus;
    EXPECT_EQ(nullptr, FindWindowW(L"CorvanelMainWindow", nullptr));
  }
}

TEST(ProgramTest, AltF4ClosesTheWindowToo) { EXPECT_EQ(0, RunAndPress(VK_F4, {VK_MENU})); }

thread_local HHOOK refusingHook = nullptr;

LRESULT CALLBACK RefuseMainWindow(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && ClassOf(reinterpret_cast<HWND>(wParam)) == L"CorvanelMainWindow") return 1;
  return CallNextHookEx(refusingHook, code, wParam, lParam);
}

TEST(ProgramTest, AWindowThatCannotBeCreatedEndsWithMinusOne) {
  testing::DrainQueue();
  refusingHook = SetWindowsHookExW(WH_CBT, RefuseMainWindow, nullptr, GetCurrentThreadId());
  int exitCode = 0;
  {
    NoticeCatcher catcher;
    exitCode = RunProgram(GetModuleHandleW(nullptr), SW_SHOWNORMAL, [](const wchar_t*) {});
    ASSERT_EQ(1u, catcher.notices().size());
    EXPECT_FALSE(catcher.notices()[0].text.empty());
    EXPECT_TRUE(catcher.notices()[0].hasIcon);
  }
  UnhookWindowsHookEx(refusingHook);
  EXPECT_EQ(-1, exitCode);
}

}  // namespace
}  // namespace corvanel
