#include "ui/subclass.h"

namespace corvanel {

void Subclass(HWND hwnd, const wchar_t* layer, WNDPROC procedure) {
  if (GetPropW(hwnd, layer) != nullptr) return;  // a layer goes on once
  const auto replaced = SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  SetPropW(hwnd, layer, reinterpret_cast<HANDLE>(replaced));
}

LRESULT CallReplaced(const wchar_t* layer, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto replaced = reinterpret_cast<WNDPROC>(GetPropW(hwnd, layer));
  if (message == WM_NCDESTROY) RemovePropW(hwnd, layer);
  if (replaced == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return CallWindowProcW(replaced, hwnd, message, wParam, lParam);
}

}  // namespace corvanel
