#include "ui/visual_style.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "ui/dpi.h"
#include "ui/subclass.h"
#include "ui/text_encoding.h"

namespace corvanel {
namespace {

constexpr wchar_t kLayer[] = L"Corvanel.Theme";
constexpr wchar_t kKindProperty[] = L"Corvanel.Theme.Kind";
constexpr wchar_t kHotProperty[] = L"Corvanel.Theme.Hot";

struct Scheme {
  COLORREF boxFrame;                      // edit boxes and combo boxes
  COLORREF buttonFrame;                   // push buttons
  COLORREF dropTop, dropBottom, chevron;  // a combo box's drop-down button
  COLORREF hotBottom;                     // the lower end of a push button's face under the mouse
};

constexpr Scheme kSchemes[] = {
    {RGB(123, 158, 189), RGB(0, 60, 115), RGB(219, 231, 253), RGB(177, 201, 248), RGB(77, 97, 133),
     RGB(253, 216, 137)},  // blue
    {RGB(164, 185, 127), RGB(55, 98, 6), RGB(235, 241, 214), RGB(198, 214, 156), RGB(92, 107, 47),
     RGB(228, 236, 182)},  // olive green
    {RGB(198, 197, 215), RGB(0, 60, 116), RGB(250, 250, 252), RGB(214, 214, 226), RGB(82, 82, 107),
     RGB(236, 236, 244)},  // silver
};

constexpr COLORREF kGroupFrame = RGB(191, 184, 191);
constexpr COLORREF kDisabledFace = RGB(245, 244, 234);
constexpr COLORREF kDisabledCaption = RGB(165, 163, 148);

enum class Kind : UINT_PTR { None, PushButton, GroupBox, EditBox, ComboBox, DropDownList };

// The scheme in force on this thread; 0 when the themed look is off.
thread_local int activeScheme = 0;
thread_local HHOOK creationHook = nullptr;

const Scheme& CurrentScheme() { return kSchemes[activeScheme - 1]; }

Kind KindOf(HWND hwnd) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  if (lstrcmpiW(name, L"Button") == 0) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON: return Kind::PushButton;
      case BS_GROUPBOX: return Kind::GroupBox;
      default: return Kind::None;
    }
  }
  if (lstrcmpiW(name, L"Edit") == 0) {
    wchar_t parent[32] = {};
    GetClassNameW(GetParent(hwnd), parent, 32);
    return lstrcmpiW(parent, L"ComboBox") == 0 ? Kind::None : Kind::EditBox;  // the combo box frames its own
  }
  if (lstrcmpiW(name, L"ComboBox") == 0) return (style & 3) == CBS_SIMPLE ? Kind::None : Kind::ComboBox;
  if (lstrcmpiW(name, L"ComboLBox") == 0) return Kind::DropDownList;
  return Kind::None;
}

Kind ThemedKind(HWND hwnd) { return static_cast<Kind>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd, kKindProperty))); }

int Scaled(HWND hwnd, int length) { return ScaleToDpi(length, WindowDpi(hwnd)); }

// The button face less 32 in each channel: the frame of anything disabled.
COLORREF DisabledFrame() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const auto darker = [](BYTE channel) { return static_cast<BYTE>(std::max(0, channel - 32)); };
  return RGB(darker(GetRValue(face)), darker(GetGValue(face)), darker(GetBValue(face)));
}

COLORREF Mix(COLORREF from, COLORREF to, int step, int steps) {
  const auto channel = [&](BYTE a, BYTE b) { return static_cast<BYTE>(a + (b - a) * step / std::max(1, steps)); };
  return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
             channel(GetBValue(from), GetBValue(to)));
}

void FillGradient(HDC dc, const RECT& box, COLORREF top, COLORREF bottom) {
  const int height = box.bottom - box.top;
  const HGDIOBJ previous = SelectObject(dc, GetStockObject(DC_BRUSH));
  for (int y = 0; y < height; ++y) {
    SetDCBrushColor(dc, Mix(top, bottom, y, height - 1));
    PatBlt(dc, box.left, box.top + y, box.right - box.left, 1, PATCOPY);
  }
  SelectObject(dc, previous);
}

// A ring `width` pixels wide just inside `box`.
void DrawRing(HDC dc, RECT box, int width, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  const auto brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
  for (int i = 0; i < width; ++i) {
    FrameRect(dc, &box, brush);
    InflateRect(&box, -1, -1);
  }
}

void DrawRoundedFrame(HDC dc, const RECT& box, int radius, int width, COLORREF colour) {
  const HPEN pen = CreatePen(PS_INSIDEFRAME, width, colour);
  const HGDIOBJ previousPen = SelectObject(dc, pen);
  const HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, box.left, box.top, box.right, box.bottom, radius, radius);
  SelectObject(dc, previousBrush);
  SelectObject(dc, previousPen);
  DeleteObject(pen);
}

// Edit boxes and combo boxes: an outer ring in the scheme's colour and an
// inner one in the window colour (the button face when the box takes no input).
void DrawBoxFrame(HWND hwnd, HDC dc, RECT box, bool takesInput) {
  const int width = Scaled(hwnd, 1);
  const bool enabled = IsWindowEnabled(hwnd) != FALSE;
  DrawRing(dc, box, width, enabled ? CurrentScheme().boxFrame : DisabledFrame());
  InflateRect(&box, -width, -width);
  DrawRing(dc, box, width, GetSysColor(enabled && takesInput ? COLOR_WINDOW : COLOR_BTNFACE));
}

void DrawEditFrame(HWND edit) {
  HDC dc = GetWindowDC(edit);
  RECT box;
  GetWindowRect(edit, &box);
  OffsetRect(&box, -box.left, -box.top);
  DrawBoxFrame(edit, dc, box, (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) == 0);
  ReleaseDC(edit, dc);
}

void DrawComboBox(HWND combo) {
  HDC dc = GetDC(combo);
  RECT client;
  GetClientRect(combo, &client);
  DrawBoxFrame(combo, dc, client, true);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(combo, &info) && info.stateButton != STATE_SYSTEM_INVISIBLE) {
    const Scheme& scheme = CurrentScheme();
    const bool pressed =
        (info.stateButton & STATE_SYSTEM_PRESSED) != 0 || SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
    RECT button = info.rcButton;
    FillGradient(dc, button, pressed ? scheme.dropBottom : scheme.dropTop,
                 pressed ? scheme.dropTop : scheme.dropBottom);
    const int unit = Scaled(combo, 1);
    const int centreX = (button.left + button.right) / 2;
    const int centreY = (button.top + button.bottom) / 2;
    const HPEN pen = CreatePen(PS_SOLID, 2 * unit, IsWindowEnabled(combo) ? scheme.chevron : DisabledFrame());
    const HGDIOBJ previous = SelectObject(dc, pen);
    const POINT chevron[] = {{centreX - 3 * unit, centreY - unit},
                             {centreX, centreY + 2 * unit},
                             {centreX + 3 * unit + 1, centreY - 2 * unit}};
    Polyline(dc, chevron, 3);
    SelectObject(dc, previous);
    DeleteObject(pen);
  }
  ReleaseDC(combo, dc);
}

void DrawPushButton(HWND button, HDC dc) {
  const Scheme& scheme = CurrentScheme();
  RECT box;
  GetClientRect(button, &box);
  // The corners outside the rounded frame show what the parent gives for it.
  auto parentFace = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(button), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(button)));
  FillRect(dc, &box, parentFace != nullptr ? parentFace : GetSysColorBrush(COLOR_BTNFACE));

  const bool enabled = IsWindowEnabled(button) != FALSE;
  const bool pressed = (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  const bool hot = GetPropW(button, kHotProperty) != nullptr;
  const int unit = Scaled(button, 1);
  RECT face = box;
  InflateRect(&face, -unit, -unit);
  if (!enabled) {
    SetDCBrushColor(dc, kDisabledFace);
    FillRect(dc, &face, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  } else if (pressed) {
    FillGradient(dc, face, RGB(226, 225, 218), RGB(243, 242, 237));
  } else {
    FillGradient(dc, face, RGB(255, 255, 255), hot ? scheme.hotBottom : RGB(236, 235, 230));
  }
  DrawRoundedFrame(dc, box, 6 * unit, unit, enabled ? scheme.buttonFrame : DisabledFrame());

  const std::wstring caption = WindowText(button);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0));
  const HGDIOBJ previousFont = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, enabled ? GetSysColor(COLOR_BTNTEXT) : kDisabledCaption);
  RECT text = face;
  InflateRect(&text, -2 * unit, -2 * unit);
  if (pressed) OffsetRect(&text, unit, unit);
  UINT format = DT_CENTER | DT_NOPREFIX;
  if (GetWindowLongW(button, GWL_STYLE) & BS_MULTILINE) {
    RECT measured = text;  // wrapped lines, centred as a block
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, format | DT_WORDBREAK | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    text.top += ((text.bottom - text.top) - height) / 2;
    text.bottom = text.top + height;
    format |= DT_WORDBREAK;
  } else {
    format |= DT_SINGLELINE | DT_VCENTER;
  }
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
  SelectObject(dc, previousFont);

  if (GetFocus() == button) {
    RECT focus = box;
    InflateRect(&focus, -3 * unit, -3 * unit);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

// A one-pixel frame with rounded corners, broken behind the caption; the
// face is left to what lies beneath, as the platform's group box leaves it.
void DrawGroupBox(HWND box, HDC dc) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
  const HGDIOBJ previousFont = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  auto face = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(box), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box)));
  const std::wstring caption = WindowText(box);
  SIZE extent{0, 0};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  const int unit = Scaled(box, 1);

  RECT client;
  GetClientRect(box, &client);
  RECT frame = client;
  frame.top += metrics.tmHeight / 2;
  DrawRoundedFrame(dc, frame, 6 * unit, unit, kGroupFrame);
  if (!caption.empty()) {
    RECT title{client.left + 7 * unit, client.top, client.left + 9 * unit + extent.cx, client.top + metrics.tmHeight};
    FillRect(dc, &title, face != nullptr ? face : GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    if (!IsWindowEnabled(box)) SetTextColor(dc, kDisabledCaption);
    TextOutW(dc, title.left + unit, title.top, caption.c_str(), static_cast<int>(caption.size()));
  }
  SelectObject(dc, previousFont);
}

void Repaint(HWND hwnd, UINT extra = 0) {
  if (IsWindow(hwnd)) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | extra);
}

// Messages after which the platform has drawn the control its own way.
bool RedrawsItself(UINT message) {
  switch (message) {
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case CB_SHOWDROPDOWN:
    case CB_SETCURSEL:
    case EM_SETREADONLY:
    case WM_STYLECHANGED: return true;
    default: return false;
  }
}

LRESULT PaintedByUs(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void (*draw)(HWND, HDC)) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      draw(hwnd, dc);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_PRINTCLIENT: draw(hwnd, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEMOVE:
      if (GetPropW(hwnd, kHotProperty) == nullptr) {
        SetPropW(hwnd, kHotProperty, hwnd);
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        Repaint(hwnd);
      }
      break;
    case WM_MOUSELEAVE:
      RemovePropW(hwnd, kHotProperty);
      Repaint(hwnd);
      break;
    case WM_NCDESTROY: RemovePropW(hwnd, kHotProperty); break;
    default: break;
  }
  const LRESULT result = CallReplaced(kLayer, hwnd, message, wParam, lParam);
  if (RedrawsItself(message)) Repaint(hwnd);
  return result;
}

LRESULT FramedAfterThePlatform(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, void (*frame)(HWND)) {
  const LRESULT result = CallReplaced(kLayer, hwnd, message, wParam, lParam);
  if (message == WM_PAINT || message == WM_NCPAINT) {
    frame(hwnd);
  } else if (RedrawsItself(message)) {
    Repaint(hwnd, RDW_FRAME);
  }
  return result;
}

void DrawDropDownListFrame(HWND list) {
  HDC dc = GetWindowDC(list);
  RECT box;
  GetWindowRect(list, &box);
  OffsetRect(&box, -box.left, -box.top);
  DrawRing(dc, box, Scaled(list, 1), CurrentScheme().boxFrame);
  ReleaseDC(list, dc);
}

LRESULT CALLBACK ThemedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const Kind kind = ThemedKind(hwnd);
  if (message == WM_NCDESTROY) RemovePropW(hwnd, kKindProperty);
  if (activeScheme == 0 || message == WM_NCDESTROY) return CallReplaced(kLayer, hwnd, message, wParam, lParam);
  switch (kind) {
    case Kind::PushButton: return PaintedByUs(hwnd, message, wParam, lParam, DrawPushButton);
    case Kind::GroupBox: return PaintedByUs(hwnd, message, wParam, lParam, DrawGroupBox);
    case Kind::EditBox: return FramedAfterThePlatform(hwnd, message, wParam, lParam, DrawEditFrame);
    case Kind::ComboBox: return FramedAfterThePlatform(hwnd, message, wParam, lParam, DrawComboBox);
    case Kind::DropDownList: return FramedAfterThePlatform(hwnd, message, wParam, lParam, DrawDropDownListFrame);
    case Kind::None: break;
  }
  return CallReplaced(kLayer, hwnd, message, wParam, lParam);
}

void Theme(HWND hwnd) {
  if (GetPropW(hwnd, kKindProperty) != nullptr) return;  // themed once
  const Kind kind = KindOf(hwnd);
  if (kind == Kind::None) return;
  SetPropW(hwnd, kKindProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(kind)));
  Subclass(hwnd, kLayer, ThemedProc);
}

BOOL CALLBACK ThemeChild(HWND child, LPARAM) {
  Theme(child);
  return TRUE;
}

BOOL CALLBACK ThemeTopLevel(HWND window, LPARAM) {
  Theme(window);
  EnumChildWindows(window, ThemeChild, 0);
  return TRUE;
}

BOOL CALLBACK RedrawTopLevel(HWND window, LPARAM) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return TRUE;
}

// Every window the thread creates from now on, as it is created.
LRESULT CALLBACK OnCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) Theme(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(creationHook, code, wParam, lParam);
}

}  // namespace

void ApplyVisualStyle(int scheme) {
  const bool on = scheme >= 1 && scheme <= static_cast<int>(std::size(kSchemes));
  activeScheme = on ? scheme : 0;
  if (on) {
    if (creationHook == nullptr) {
      creationHook = SetWindowsHookExW(WH_CBT, OnCreation, nullptr, GetCurrentThreadId());
    }
    EnumThreadWindows(GetCurrentThreadId(), ThemeTopLevel, 0);
  } else if (creationHook != nullptr) {
    UnhookWindowsHookEx(creationHook);
    creationHook = nullptr;
  }
  EnumThreadWindows(GetCurrentThreadId(), RedrawTopLevel, 0);
}

int ActiveVisualStyle() { return activeScheme; }

}  // namespace corvanel
