// The main window as data: its settings and one row per component, in
// stacking order (each row lies above all later rows with the same parent).
// Places, sizes and font heights are pixels at 96 DPI.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

namespace corvanel::layout {

enum class Kind { EditBox, ComboBox, Button, GroupBox, TransLabel };

// What an edit box takes from the keyboard and how it rewrites itself.
enum class Input { AnyText, WholeNumber, DecimalNumber };

// A font by character height (the height without internal leading) and
// face; an empty face is the platform's default face, a height of 0 the
// platform's default GUI font.
struct Font {
  int height;
  std::wstring_view face;
};

struct Component {
  Kind kind;
  std::string_view name;    // as the calculation addresses it
  std::string_view parent;  // empty: the window itself
  int left, top, width, height;
  std::wstring_view text;
  Font font;
  COLORREF textColour;
  DWORD style;  // frame and alignment, on top of the kind's own styles
  DWORD exStyle;
  Input input;
  bool visible;
  bool tabStop;
};

struct Window {
  std::wstring_view caption;
  int width, height;  // outer size: frame, title bar and menu bar included
  COLORREF background;
};

const Window& MainWindowSettings();
std::span<const Component> Components();

// The box and its open list together.
inline constexpr int kProfileListHeight = 160;

}  // namespace corvanel::layout
