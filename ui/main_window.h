// The program's one window: the components of the window layout, the texts
// the calculation reads and writes by name, the menu commands and the keys
// the window handles itself.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calc/belt_calculator.h"
#include "ui/base_window.h"
#include "ui/notices.h"
#include "ui/window_layout.h"

namespace corvanel {

class MainWindow : public BaseWindow<MainWindow>, public ComponentAccess {
 public:
  using WebPageOpener = std::function<void(const wchar_t* url)>;

  explicit MainWindow(WebPageOpener openWebPage = OpenWebPage);
  ~MainWindow() override;

  // Builds the window, hidden, with its components, menu bar and shortcuts,
  // then raises its created event. False when the window cannot be created.
  bool Create(HINSTANCE instance);

  // Shows and activates the window; the focus goes to the first tab stop.
  void Show(int showCommand);

  // The shortcuts and the window's own keys, ahead of the focused
  // component. True when the message has been used up.
  bool PreTranslateMessage(MSG& message);

  // The component of that name, or null.
  HWND Component(std::string_view name) const;

  std::string GetComponentText(std::string_view name) override;
  void SetComponentText(std::string_view name, std::string_view text) override;
  int ShowNotice(std::string_view text, unsigned buttons, std::string_view title) override;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool BuildComponents();
  bool BuildComponent(std::size_t index);
  void FitComponent(std::size_t index);
  RECT WindowBoxOf(const layout::Component& row) const;
  void FitWindow();
  void OnDpiChanged(int dpi, const RECT& suggested);
  void SetIcons();
  void PrepareProfileList(HWND parent);
  void MatchProfileBoxHeight(HWND list);
  HFONT FontFor(const layout::Font& font);
  int Scale(int pixels) const;
  const layout::Component* RowOf(HWND component) const;

  void OnCommand(WORD id, WORD code, HWND control);
  LRESULT OnControlColour(HDC dc, HWND control);
  void OnActivate(WORD state, bool minimised);
  bool HandleKey(WPARAM key);
  void MoveFocus(int step);
  void RestoreFocus();
  std::vector<HWND> TabStops() const;
  HWND FocusedComponent() const;
  void DrawProfileItem(const DRAWITEMSTRUCT& item);

  WebPageOpener openWebPage_;
  HINSTANCE instance_ = nullptr;
  HACCEL shortcuts_ = nullptr;
  HBRUSH background_ = nullptr;
  std::array<HICON, 2> icons_{};  // large, small
  std::vector<HWND> components_;  // by row of the window layout
  std::vector<std::pair<layout::Font, HFONT>> fonts_;
  HWND remembered_ = nullptr;  // the focused component when the window was last deactivated
  int dpi_ = 96;
  int profileFieldHeight_ = 0;
  int profileBoxHeight_ = 0;
  int profileRowHeight_ = 0;
};

}  // namespace corvanel
