#include "ui/dpi.h"

namespace corvanel {

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kLayoutDpi;
}

int WindowDpi(HWND hwnd) {
  // Looked up at run time: older Windows has no such function.
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  const UINT dpi = getDpiForWindow != nullptr && hwnd != nullptr ? getDpiForWindow(hwnd) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

}  // namespace corvanel
