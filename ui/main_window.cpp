#include "ui/main_window.h"

#include <algorithm>

#include "calc/component_names.h"
#include "calc/tooth_profiles.h"
#include "res/resource.h"
#include "ui/dpi.h"
#include "ui/group_box.h"
#include "ui/input_box.h"
#include "ui/text_encoding.h"
#include "ui/trans_label.h"
#include "ui/visual_style.h"
#include "ui/web_pages.h"

namespace corvanel {
namespace {

using layout::Kind;

constexpr wchar_t kClassName[] = L"CorvanelMainWindow";
// A fixed single frame with title bar, window menu, minimise and close boxes.
// Children are not clipped: the window paints the face beneath the group
// boxes, and the transparent labels over them paint after it.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kFirstComponentId = 100;
constexpr int kStartScheme = 1;
constexpr COLORREF kBoxText = RGB(0, 0, 0);
constexpr COLORREF kBoxFace = RGB(255, 255, 255);
constexpr std::string_view kCalculateButton = "按钮1";

const wchar_t* ClassOf(Kind kind) {
  switch (kind) {
    case Kind::EditBox: return L"EDIT";
    case Kind::ComboBox: return L"COMBOBOX";
    case Kind::Button:
    case Kind::GroupBox: return L"BUTTON";
    case Kind::TransLabel: return kTransLabelClass;
  }
  return L"";
}

DWORD StyleOf(Kind kind) {
  switch (kind) {
    case Kind::EditBox: return ES_AUTOHSCROLL;
    // Drawn by the window so that its rows can be one pixel taller than the
    // platform's; its open list keeps the height it is given.
    case Kind::ComboBox:
      return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    case Kind::Button: return BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;
    case Kind::GroupBox: return BS_GROUPBOX | WS_CLIPCHILDREN;
    case Kind::TransLabel: return 0;
  }
  return 0;
}

bool RegisterMainWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::wstring ItemText(HWND list, WPARAM index) {
  const auto length = SendMessageW(list, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

MainWindow::MainWindow(WebPageOpener openWebPage)
    : openWebPage_(std::move(openWebPage)), background_(CreateSolidBrush(layout::MainWindowSettings().background)) {}

MainWindow::~MainWindow() {
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  for (HICON icon : icons_) DestroyIcon(icon);
  for (const auto& [row, font] : fonts_) DeleteObject(font);
  DeleteObject(background_);
}

bool MainWindow::Create(HINSTANCE instance) {
  instance_ = instance;
  if (!RegisterMainWindowClass(instance, WindowProc) || !RegisterTransLabelClass(instance)) return false;
  shortcuts_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_SHORTCUTS));
  HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAIN_MENU));
  const auto& settings = layout::MainWindowSettings();
  dpi_ = SystemDpi();
  const int width = Scale(settings.width);
  const int height = Scale(settings.height);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  const std::wstring caption(settings.caption);
  if (CreateWindowExW(0, kClassName, caption.c_str(), kWindowStyle, left, top, width, height, nullptr, menu, instance,
                      this) == nullptr) {
    if (menu != nullptr) DestroyMenu(menu);
    return false;
  }
  // The created event, before the window is first shown.
  ApplyVisualStyle(kStartScheme);
  return true;
}

void MainWindow::Show(int showCommand) {
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
}

HWND MainWindow::Component(std::string_view name) const {
  const auto components = layout::Components();
  for (std::size_t i = 0; i < components.size() && i < components_.size(); ++i) {
    if (components[i].name == name) return components_[i];
  }
  return nullptr;
}

const layout::Component* MainWindow::RowOf(HWND component) const {
  const auto found = std::find(components_.begin(), components_.end(), component);
  if (component == nullptr || found == components_.end()) return nullptr;
  return &layout::Components()[static_cast<std::size_t>(found - components_.begin())];
}

int MainWindow::Scale(int pixels) const { return ScaleToDpi(pixels, dpi_); }

HFONT MainWindow::FontFor(const layout::Font& font) {
  const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (font.height == 0 && dpi_ == SystemDpi()) return stock;
  for (const auto& [row, handle] : fonts_) {
    if (row.height == font.height && row.face == font.face) return handle;
  }
  HFONT handle = nullptr;
  if (font.height == 0) {  // the default GUI font, made for the system's DPI, at this window's
    LOGFONTW gui{};
    GetObjectW(stock, sizeof gui, &gui);
    gui.lfHeight = MulDiv(gui.lfHeight, dpi_, SystemDpi());
    handle = CreateFontIndirectW(&gui);
  } else {
    const std::wstring face(font.face);
    // A negative height asks for the character height, without internal leading.
    handle =
        CreateFontW(-Scale(font.height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
  }
  fonts_.emplace_back(font, handle);
  return handle;
}

bool MainWindow::BuildComponents() {
  // The window may stand on a monitor of another DPI than the system's.
  if (const int dpi = WindowDpi(hwnd_); dpi != dpi_) {
    dpi_ = dpi;
    FitWindow();
  }
  const auto components = layout::Components();
  components_.assign(components.size(), nullptr);
  // Parents first: the window's own components, then those inside a group box.
  for (const bool nested : {false, true}) {
    for (std::size_t i = 0; i < components.size(); ++i) {
      if (components[i].parent.empty() != nested && !BuildComponent(i)) return false;
    }
  }
  // Each row lies above all later rows with the same parent.
  for (HWND component : components_) {
    SetWindowPos(component, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return true;
}

bool MainWindow::BuildComponent(std::size_t index) {
  const layout::Component& row = layout::Components()[index];
  HWND parent = row.parent.empty() ? hwnd_ : Component(row.parent);
  const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | StyleOf(row.kind) | row.style | (row.visible ? WS_VISIBLE : 0) |
                      (row.tabStop ? WS_TABSTOP : 0);
  const DWORD exStyle = row.exStyle | (row.kind == Kind::TransLabel ? WS_EX_TRANSPARENT : 0);
  if (row.kind == Kind::ComboBox) PrepareProfileList(parent);
  const std::wstring text(row.text);
  const RECT box = WindowBoxOf(row);
  HWND component = CreateWindowExW(
      exStyle, ClassOf(row.kind), text.c_str(), style, box.left, box.top, box.right - box.left, box.bottom - box.top,
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstComponentId + index)), instance_, nullptr);
  if (component == nullptr) return false;
  components_[index] = component;
  switch (row.kind) {
    case Kind::EditBox:
      SendMessageW(component, EM_SETLIMITTEXT, 0, 0);  // no limit on the length
      ApplyInputRules(component, row.input);
      break;
    case Kind::ComboBox:
      for (const ToothProfile& profile : ToothProfiles()) {
        SendMessageW(component, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromGbk(profile.text).c_str()));
      }
      break;
    case Kind::GroupBox: HostControls(component); break;
    case Kind::TransLabel: SetLabelTextColour(component, row.textColour); break;
    case Kind::Button: break;
  }
  FitComponent(index);
  return true;
}

// The program icon as the window's large and small icon, drawn from the
// icon's own image for the window's DPI.
void MainWindow::SetIcons() {
  const std::pair<WPARAM, int> sizes[] = {{ICON_BIG, 32}, {ICON_SMALL, 16}};
  for (std::size_t i = 0; i < icons_.size(); ++i) {
    const int size = Scale(sizes[i].second);
    const auto icon =
        static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON, size, size, 0));
    SendMessageW(hwnd_, WM_SETICON, sizes[i].first, reinterpret_cast<LPARAM>(icon));
    if (icons_[i] != nullptr) DestroyIcon(icons_[i]);
    icons_[i] = icon;
  }
}

// Where a component's window goes at the window's DPI: a combo box's
// reaches down to the foot of its open list.
RECT MainWindow::WindowBoxOf(const layout::Component& row) const {
  const int height = row.kind == Kind::ComboBox ? layout::kProfileListHeight : row.height;
  const int left = Scale(row.left);
  const int top = Scale(row.top);
  return {left, top, left + Scale(row.width), top + Scale(height)};
}

// Place, size and font at the window's DPI.
void MainWindow::FitComponent(std::size_t index) {
  const layout::Component& row = layout::Components()[index];
  HWND component = components_[index];
  SendMessageW(component, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(row.font)), FALSE);
  const RECT box = WindowBoxOf(row);
  if (row.kind == Kind::TransLabel) {
    PlaceLabel(component, box);
    return;
  }
  SetWindowPos(component, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (row.kind == Kind::ComboBox) {
    SendMessageW(component, CB_SETITEMHEIGHT, 0, profileRowHeight_);
    MatchProfileBoxHeight(component);
  }
}

void MainWindow::FitWindow() {
  const auto& settings = layout::MainWindowSettings();
  RECT outer;
  GetWindowRect(hwnd_, &outer);
  const int width = Scale(settings.width);
  const int height = Scale(settings.height);
  const int left = (outer.left + outer.right - width) / 2;
  const int top = (outer.top + outer.bottom - height) / 2;
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moved to a monitor of another DPI: everything is laid out again for it,
// in the place the system suggests.
void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetIcons();
  std::vector<std::pair<layout::Font, HFONT>> previousFonts;
  previousFonts.swap(fonts_);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  const auto components = layout::Components();
  for (std::size_t i = 0; i < components.size(); ++i) {
    if (components[i].kind == Kind::ComboBox) PrepareProfileList(GetParent(components_[i]));
    FitComponent(i);
  }
  for (const auto& [row, font] : previousFonts) DeleteObject(font);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// The heights a plain drop-down list gives its field and its rows in the
// default GUI font, read off a probe: the profile list keeps the field and
// makes each row one pixel taller.
void MainWindow::PrepareProfileList(HWND parent) {
  HWND probe = CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, parent, nullptr,
                               instance_, nullptr);
  SendMessageW(probe, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(layout::Font{0, L""})), FALSE);
  profileFieldHeight_ = static_cast<int>(SendMessageW(probe, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  profileRowHeight_ = static_cast<int>(SendMessageW(probe, CB_GETITEMHEIGHT, 0, 0)) + 1;
  RECT box;
  GetWindowRect(probe, &box);
  profileBoxHeight_ = box.bottom - box.top;
  DestroyWindow(probe);
}

// Platforms disagree on what the field height of a list drawn by its owner
// includes; the closed box must come out as tall as the plain one.
void MainWindow::MatchProfileBoxHeight(HWND list) {
  RECT box;
  GetWindowRect(list, &box);
  const int difference = profileBoxHeight_ - (box.bottom - box.top);
  if (difference == 0) return;
  const auto field = SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + difference);
}

std::string MainWindow::GetComponentText(std::string_view name) {
  HWND component = Component(name);
  const layout::Component* row = RowOf(component);
  if (row == nullptr) return {};
  if (row->kind == Kind::EditBox) return ToGbk(WindowText(component));
  if (row->kind == Kind::ComboBox) {
    const auto selected = SendMessageW(component, CB_GETCURSEL, 0, 0);
    return selected == CB_ERR ? std::string() : ToGbk(ItemText(component, static_cast<WPARAM>(selected)));
  }
  return {};
}

void MainWindow::SetComponentText(std::string_view name, std::string_view text) {
  HWND component = Component(name);
  const layout::Component* row = RowOf(component);
  if (row != nullptr && row->kind == Kind::EditBox) SetWindowTextW(component, FromGbk(text).c_str());
}

int MainWindow::ShowNotice(std::string_view text, unsigned buttons, std::string_view title) {
  const int answer = corvanel::ShowNotice(FromGbk(text), buttons, FromGbk(title));
  // Some systems leave no window active after an owner-less box; take the
  // activation back so that the keyboard goes on working in the window.
  if (hwnd_ != nullptr && GetActiveWindow() == nullptr) SetActiveWindow(hwnd_);
  return answer;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (!BuildComponents()) return -1;
      SetIcons();
      return 0;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
      return 1;
    }
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC: return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLORBTN: return reinterpret_cast<LRESULT>(background_);  // around a button's rounded corners
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      item.itemHeight =
          static_cast<UINT>(item.itemID == static_cast<UINT>(-1) ? profileFieldHeight_ : profileRowHeight_);
      return TRUE;
    }
    case WM_DRAWITEM: DrawProfileItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == Component(kCalculateButton) && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam), HIWORD(wParam) != 0); return 0;
    case WM_SETFOCUS: RestoreFocus(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void MainWindow::OnCommand(WORD id, WORD code, HWND control) {
  switch (id) {
    case IDM_UPGRADE: openWebPage_(kUpgradePage); return;
    case IDM_FEEDBACK: openWebPage_(kFeedbackPage); return;
    default: break;
  }
  if (code == BN_CLICKED && control != nullptr && control == Component(kCalculateButton)) {
    BeltCalculator(*this).Calculate();
  }
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND control) {
  const layout::Component* row = RowOf(control);
  if (row != nullptr && row->kind == Kind::GroupBox) {  // its title, on the window's colour
    SetTextColor(dc, row->textColour);
    SetBkColor(dc, layout::MainWindowSettings().background);
    return reinterpret_cast<LRESULT>(background_);
  }
  SetTextColor(dc, kBoxText);
  SetBkColor(dc, kBoxFace);
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

void MainWindow::DrawProfileItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_COMBOBOX) return;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  SetBkColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHT) : kBoxFace);
  SetTextColor(item.hDC, disabled   ? GetSysColor(COLOR_GRAYTEXT)
                         : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                    : kBoxText);
  ExtTextOutW(item.hDC, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);
  if (item.itemID != static_cast<UINT>(-1)) {
    const std::wstring text = ItemText(item.hwndItem, item.itemID);
    RECT box = item.rcItem;
    box.left += 2;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    DrawFocusRect(item.hDC, &item.rcItem);
  }
}

void MainWindow::OnActivate(WORD state, bool minimised) {
  if (state == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd_, focus)) remembered_ = focus;
  } else if (!minimised) {
    RestoreFocus();
  }
}

void MainWindow::RestoreFocus() {
  const std::vector<HWND> stops = TabStops();
  const bool usable = remembered_ != nullptr && IsChild(hwnd_, remembered_) && IsWindowVisible(remembered_) &&
                      IsWindowEnabled(remembered_);
  if (usable) {
    SetFocus(remembered_);
  } else if (!stops.empty()) {
    SetFocus(stops.front());
  }
}

// Tab stops take turns in the reverse of the stacking order; hidden and
// disabled ones are passed over.
std::vector<HWND> MainWindow::TabStops() const {
  const auto components = layout::Components();
  std::vector<HWND> stops;
  for (std::size_t i = components.size(); i-- > 0;) {
    HWND component = i < components_.size() ? components_[i] : nullptr;
    if (components[i].tabStop && component != nullptr && IsWindowVisible(component) && IsWindowEnabled(component)) {
      stops.push_back(component);
    }
  }
  return stops;
}

HWND MainWindow::FocusedComponent() const {
  for (HWND focus = GetFocus(); focus != nullptr && focus != hwnd_; focus = GetParent(focus)) {
    if (RowOf(focus) != nullptr) return focus;
  }
  return nullptr;
}

void MainWindow::MoveFocus(int step) {
  const std::vector<HWND> stops = TabStops();
  if (stops.empty()) return;
  const auto count = static_cast<std::ptrdiff_t>(stops.size());
  const auto at = std::find(stops.begin(), stops.end(), FocusedComponent()) - stops.begin();
  const auto next = at == count ? (step > 0 ? 0 : count - 1) : (at + count + step) % count;
  HWND target = stops[static_cast<std::size_t>(next)];
  SetFocus(target);
  if (RowOf(target)->kind == Kind::EditBox) SendMessageW(target, EM_SETSEL, 0, -1);  // as dialogs do
}

bool MainWindow::PreTranslateMessage(MSG& message) {
  if (hwnd_ == nullptr || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return false;
  if (shortcuts_ != nullptr && TranslateAcceleratorW(hwnd_, shortcuts_, &message)) return true;
  return message.message == WM_KEYDOWN && HandleKey(message.wParam);
}

bool MainWindow::HandleKey(WPARAM key) {
  // The window's keys count only without Ctrl and Alt; Shift only turns Tab around.
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  // An open profile list keeps Esc and Enter for closing itself.
  const bool listOpen = SendMessageW(Component(component::kToothProfile), CB_GETDROPPEDSTATE, 0, 0) != 0;
  switch (key) {
    case VK_TAB: MoveFocus(shift ? -1 : 1); return true;
    case VK_ESCAPE:
      if (shift || listOpen) return false;
      SendMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);  // as the close box does
      return true;
    case VK_RETURN: return !shift && !listOpen;  // no default button: Enter does nothing
    case VK_F1: return !shift;                   // no help
    default: return false;
  }
}

}  // namespace corvanel
