#include "ui/group_box.h"

#include "ui/subclass.h"

namespace corvanel {
namespace {

constexpr wchar_t kLayer[] = L"Corvanel.GroupBoxHost";

LRESULT CALLBACK HostProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return SendMessageW(GetParent(box), message, wParam, lParam);
    default: break;
  }
  return CallReplaced(kLayer, box, message, wParam, lParam);
}

}  // namespace

void HostControls(HWND groupBox) { Subclass(groupBox, kLayer, HostProc); }

}  // namespace corvanel
