// Drives the real main window from inside the test process: real input
// through SendInput, the program's own message handling, and the notices
// caught as they come up.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/main_window.h"
#include "ui/text_encoding.h"

namespace corvanel::testing {

// Runs the thread's messages through the window as the program's loop does,
// until none has come for `quiet` milliseconds.
void Pump(MainWindow* window, DWORD quiet = 60);

// Removes what earlier tests left in the queue, a quit request included.
void DrainQueue();

void PressKey(WORD key, const std::vector<WORD>& modifiers = {});
void TypeText(std::wstring_view text);
// Moves the mouse there and clicks; the window (if any) handles what comes meanwhile.
void ClickAt(POINT screen, MainWindow* window);
// Clicks a control that takes the focus when clicked (edit boxes, buttons).
void Click(HWND control, MainWindow* window);

inline std::wstring TextOf(HWND hwnd) { return WindowText(hwnd); }
std::wstring ClassOf(HWND hwnd);

// A notice as it stood on the screen.
struct CaughtNotice {
  std::wstring title;
  std::wstring text;
  std::vector<std::wstring> buttons;
  bool hasIcon = false;
  bool okButtonThemed = false;     // carries the program's themed look
  COLORREF okButtonFrame = 0;      // the middle of its left edge, on the screen
  bool ownerWindowEnabled = true;  // the window under test, while the notice was up
};

// Catches every message box this thread shows while it lives: reads it when
// it is up, then presses its first button. Catchers nest: the latest one
// catches until it goes.
class NoticeCatcher {
 public:
  explicit NoticeCatcher(HWND watched = nullptr);
  ~NoticeCatcher();
  NoticeCatcher(const NoticeCatcher&) = delete;
  NoticeCatcher& operator=(const NoticeCatcher&) = delete;

  const std::vector<CaughtNotice>& notices() const { return notices_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK ReadAndClose(HWND box, UINT, UINT_PTR timer, DWORD);
  HHOOK hook_;
  HWND watched_;
  NoticeCatcher* outer_;
  std::vector<CaughtNotice> notices_;
};

// The colour of a pixel of a window's client area as it is on the screen.
COLORREF PixelAt(HWND hwnd, int x, int y);
// The same, counted from the window's outer top-left corner.
COLORREF WindowPixelAt(HWND hwnd, int x, int y);

// Saves what the screen shows of a window as a 24-bit BMP file.
bool SaveWindowShot(HWND hwnd, const std::wstring& path);

// The main window built and shown, with the web requests it makes recorded.
class WindowFixture {
 public:
  WindowFixture();
  ~WindowFixture();

  MainWindow& window() { return *window_; }
  HWND Component(std::string_view name) const { return window_->Component(name); }
  void Pump() { testing::Pump(window_.get()); }

  std::vector<std::wstring> openedPages;

 private:
  std::unique_ptr<MainWindow> window_;
};

}  // namespace corvanel::testing
