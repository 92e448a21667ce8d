#include "tests/ui/window_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace corvanel::testing {
namespace {

thread_local NoticeCatcher* activeCatcher = nullptr;

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Send(std::vector<INPUT> inputs) { SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

}  // namespace

void Pump(MainWindow* window, DWORD quiet) {
  DWORD lastMessage = GetTickCount();
  while (GetTickCount() - lastMessage < quiet) {
    MSG message;
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      Sleep(5);
      continue;
    }
    lastMessage = GetTickCount();
    if (message.message == WM_QUIT) continue;
    if (window != nullptr && window->PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void DrainQueue() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) DispatchMessageW(&message);
  }
}

void PressKey(WORD key, const std::vector<WORD>& modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) inputs.push_back(KeyInput(*it, true));
  Send(inputs);
}

void TypeText(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    for (const bool up : {false, true}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  }
  Send(inputs);
}

void ClickAt(POINT screen, MainWindow* window) {
  // Two clicks close together in time and place make a double click, which
  // does not move the focus; a user clicking twice waits a little.
  static DWORD lastTime = 0;
  static POINT lastPlace{-100, -100};
  const UINT wait = GetDoubleClickTime() + 50;
  if (std::abs(screen.x - lastPlace.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
      std::abs(screen.y - lastPlace.y) <= GetSystemMetrics(SM_CYDOUBLECLK) && GetTickCount() - lastTime < wait) {
    Sleep(wait - (GetTickCount() - lastTime));
  }
  lastTime = GetTickCount();
  lastPlace = screen;
  // Moved as a real mouse moves, then pressed and released where it stands.
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  Send({move});
  Pump(window, 30);
  INPUT down{};
  down.type = INPUT_MOUSE;
  down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  INPUT up = down;
  up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
  Send({down, up});
}

void Click(HWND control, MainWindow* window) {
  RECT box;
  GetWindowRect(control, &box);
  // Under Wine a click now and then goes astray; a control that takes the
  // focus on a click shows whether it arrived, and a lost one is repeated.
  for (int attempt = 0; attempt < 3; ++attempt) {
    ClickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2}, window);
    for (int i = 0; i < 25 && GetFocus() != control; ++i) Pump(window, 20);
    if (GetFocus() == control) return;
  }
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

NoticeCatcher::NoticeCatcher(HWND watched)
    : hook_(SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId())), watched_(watched), outer_(activeCatcher) {
  activeCatcher = this;
}

NoticeCatcher::~NoticeCatcher() {
  UnhookWindowsHookEx(hook_);
  activeCatcher = outer_;
}

// Reads the box once its own modal loop runs, when it is fully set up.
void CALLBACK NoticeCatcher::ReadAndClose(HWND box, UINT, UINT_PTR timer, DWORD) {
  KillTimer(box, timer);
  RemovePropW(box, L"Caught");
  if (activeCatcher == nullptr) return;
  CaughtNotice notice;
  notice.title = TextOf(box);
  notice.text = TextOf(GetDlgItem(box, 0xFFFF));
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (ClassOf(child) == L"Button") {
      notice.buttons.push_back(TextOf(child));
      notice.okButtonThemed = GetPropW(child, L"Corvanel.Theme.Kind") != nullptr;
      RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      RECT box;
      GetClientRect(child, &box);
      notice.okButtonFrame = PixelAt(child, 0, box.bottom / 2);
    }
    if (ClassOf(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
      notice.hasIcon = SendMessageW(child, STM_GETICON, 0, 0) != 0;
    }
  }
  if (activeCatcher->watched_ != nullptr) notice.ownerWindowEnabled = IsWindowEnabled(activeCatcher->watched_);
  activeCatcher->notices_.push_back(notice);
  HWND first = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr && first == nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == L"Button" && IsWindowVisible(child)) first = child;
  }
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(first), BN_CLICKED), reinterpret_cast<LPARAM>(first));
}

LRESULT CALLBACK NoticeCatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  auto box = reinterpret_cast<HWND>(wParam);
  // Every catcher's hook sees the box; it is read once, by the innermost catcher.
  if (code == HCBT_ACTIVATE && activeCatcher != nullptr && ClassOf(box) == L"#32770" &&
      GetPropW(box, L"Caught") == nullptr) {
    SetPropW(box, L"Caught", box);
    SetTimer(box, 1, 50, ReadAndClose);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

COLORREF PixelAt(HWND hwnd, int x, int y) {
  POINT at{x, y};
  ClientToScreen(hwnd, &at);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

COLORREF WindowPixelAt(HWND hwnd, int x, int y) {
  RECT outer;
  GetWindowRect(hwnd, &outer);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, outer.left + x, outer.top + y);
  ReleaseDC(nullptr, screen);
  return colour;
}

bool SaveWindowShot(HWND hwnd, const std::wstring& path) {
  RECT outer;
  GetWindowRect(hwnd, &outer);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int stride = (width * 3 + 3) & ~3;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  std::vector<BYTE> pixels(static_cast<std::size_t>(stride) * height);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, outer.left, outer.top, SRCCOPY);
  SelectObject(memory, previous);
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
            DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool saved = WriteFile(out, &file, sizeof file, &written, nullptr) &&
                     WriteFile(out, &header, sizeof header, &written, nullptr) &&
                     WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  CloseHandle(out);
  return saved;
}

WindowFixture::WindowFixture() {
  DrainQueue();
  window_ = std::make_unique<MainWindow>([this](const wchar_t* url) { openedPages.emplace_back(url); });
  if (!window_->Create(GetModuleHandleW(nullptr))) {
    ADD_FAILURE() << "the main window could not be created";
    return;
  }
  window_->Show(SW_SHOWNORMAL);
  SetForegroundWindow(window_->Handle());
  // Input goes to the foreground window: wait until the window is it.
  for (int i = 0; i < 100 && GetForegroundWindow() != window_->Handle(); ++i) testing::Pump(window_.get(), 20);
  Pump();
}

WindowFixture::~WindowFixture() {
  window_.reset();
  DrainQueue();
}

}  // namespace corvanel::testing
