// Screen resolution. The window layout is drawn at 96 DPI; everything on
// screen scales by DPI/96, rounded.
#pragma once

#include <windows.h>

namespace corvanel {

inline constexpr int kLayoutDpi = 96;

// The DPI the window is shown at: its monitor's where the system tells it
// (Windows 10 and later), else the system's.
int WindowDpi(HWND hwnd);
int SystemDpi();

// A layout length at `dpi`, rounded half away from zero.
inline int ScaleToDpi(int length, int dpi) { return MulDiv(length, dpi, kLayoutDpi); }

}  // namespace corvanel
