// Subclassing of platform controls by layers: each layer keeps the window
// procedure it replaced under its own window property, so several layers
// (the input rules, the themed look) can stack on one control.
#pragma once

#include <windows.h>

namespace corvanel {

// Puts `procedure` in front of the window's current procedure.
void Subclass(HWND hwnd, const wchar_t* layer, WNDPROC procedure);

// Hands a message on to the procedure the layer replaced. On WM_NCDESTROY
// the layer's property is removed.
LRESULT CallReplaced(const wchar_t* layer, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvanel
