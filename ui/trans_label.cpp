#include "ui/trans_label.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "ui/text_encoding.h"

namespace corvanel {
namespace {

// Window extra bytes: the font set with WM_SETFONT, the text colour, and
// the box in window coordinates, top-left then bottom-right.
constexpr int kFontSlot = 0;
constexpr int kColourSlot = 1 * sizeof(LONG_PTR);
constexpr int kBoxTopLeftSlot = 2 * sizeof(LONG_PTR);
constexpr int kBoxBottomRightSlot = 3 * sizeof(LONG_PTR);
constexpr int kSlots = 4;
constexpr UINT kTextFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;

LONG_PTR Pack(LONG x, LONG y) {
  return static_cast<LONG_PTR>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) |
                               static_cast<std::uint32_t>(y));
}
POINT Unpack(LONG_PTR packed) {
  const auto bits = static_cast<std::uint64_t>(packed);
  return {static_cast<LONG>(static_cast<std::int32_t>(bits >> 32)), static_cast<LONG>(static_cast<std::int32_t>(bits))};
}

// The box in the label's own coordinates.
RECT BoxInWindow(HWND label) {
  const POINT topLeft = Unpack(GetWindowLongPtrW(label, kBoxTopLeftSlot));
  const POINT bottomRight = Unpack(GetWindowLongPtrW(label, kBoxBottomRightSlot));
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

HFONT FontOf(HWND label) {
  auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(label, kFontSlot));
  return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// Where the text stands when drawn in `box`.
RECT TextRect(HWND label, const std::wstring& text, RECT box) {
  HDC dc = GetDC(label);
  const HGDIOBJ previous = SelectObject(dc, FontOf(label));
  RECT extent{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, kTextFormat | DT_CALCRECT);
  SelectObject(dc, previous);
  ReleaseDC(label, dc);
  const LONG top = box.top + ((box.bottom - box.top) - extent.bottom) / 2;
  return {box.left, top, box.left + extent.right, top + extent.bottom};
}

void Paint(HWND label) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(label, &paint);
  const std::wstring text = WindowText(label);
  if (!text.empty()) {
    const HGDIOBJ previous = SelectObject(dc, FontOf(label));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, LabelTextColour(label));
    RECT box = BoxInWindow(label);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, kTextFormat);
    SelectObject(dc, previous);
  }
  EndPaint(label, &paint);
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_ERASEBKGND: return 1;  // nothing of its own beneath the text
    case WM_PAINT: Paint(label); return 0;
    case WM_SETFONT:
      SetWindowLongPtrW(label, kFontSlot, static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam)) InvalidateRect(label, nullptr, FALSE);
      return 0;
    case WM_GETFONT: return GetWindowLongPtrW(label, kFontSlot);
    default: return DefWindowProcW(label, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterTransLabelClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = LabelProc;
  windowClass.cbWndExtra = kSlots * sizeof(LONG_PTR);
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kTransLabelClass;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void SetLabelTextColour(HWND label, COLORREF colour) {
  SetWindowLongPtrW(label, kColourSlot, static_cast<LONG_PTR>(colour));
}

COLORREF LabelTextColour(HWND label) { return static_cast<COLORREF>(GetWindowLongPtrW(label, kColourSlot)); }

void PlaceLabel(HWND label, const RECT& box) {
  const std::wstring text = WindowText(label);
  RECT window = box;
  if (!text.empty()) {
    const RECT drawn = TextRect(label, text, box);
    UnionRect(&window, &box, &drawn);
  }
  SetWindowLongPtrW(label, kBoxTopLeftSlot, Pack(box.left - window.left, box.top - window.top));
  SetWindowLongPtrW(label, kBoxBottomRightSlot, Pack(box.right - window.left, box.bottom - window.top));
  SetWindowPos(label, nullptr, window.left, window.top, window.right - window.left, window.bottom - window.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT LabelBox(HWND label) {
  RECT box = BoxInWindow(label);
  MapWindowPoints(label, GetParent(label), reinterpret_cast<POINT*>(&box), 2);
  return box;
}

}  // namespace corvanel
