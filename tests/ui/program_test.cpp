// The program's life as a whole: it ends with 0 when its window is closed,
// and with -1 and an error box when the window cannot be created.
#include "ui/program.h"

#include <gtest/gtest.h>

#include "tests/ui/window_driver.h"

namespace corvanel {
namespace {

using testing::ClassOf;
using testing::NoticeCatcher;

// Sends keys to the program's window once its loop is running.
thread_local std::vector<WORD> keysToSend;
thread_local std::string focusFirst;

void CALLBACK PressKeysOnce(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND window = FindWindowW(L"CorvanelMainWindow", nullptr);
  if (window == nullptr) return;
  if (!focusFirst.empty()) {
    MainWindow* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    SetFocus(self->Component(focusFirst));
  }
  for (WORD key : keysToSend) testing::PressKey(key);
}

int RunAndPress(std::vector<WORD> keys, std::string focus = {}) {
  testing::DrainQueue();
  keysToSend = std::move(keys);
  focusFirst = std::move(focus);
  SetTimer(nullptr, 0, 300, PressKeysOnce);
  return RunProgram(GetModuleHandleW(nullptr), SW_SHOWNORMAL, [](const wchar_t*) {});
}

TEST(ProgramTest, EscClosesTheWindowAndTheProgramEndsWithZero) {
  for (const char* focus : {"", "设计中心距框", "齿形框", "计算结果框"}) {
    EXPECT_EQ(0, RunAndPress({VK_ESCAPE}, focus)) << focus;
    EXPECT_EQ(nullptr, FindWindowW(L"CorvanelMainWindow", nullptr));
  }
}

TEST(ProgramTest, AltF4ClosesTheWindowToo) {
  testing::DrainQueue();
  keysToSend.clear();
  focusFirst.clear();
  SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    testing::PressKey(VK_F4, {VK_MENU});
  });
  EXPECT_EQ(0, RunProgram(GetModuleHandleW(nullptr), SW_SHOWNORMAL, [](const wchar_t*) {}));
}

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
