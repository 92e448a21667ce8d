// A transparent label: a window that paints nothing but its text, on one
// line, left-aligned and vertically centred in its box, so that whatever
// lies beneath shows around the glyphs. Clicks pass through to the windows
// beneath.
//
// The text is never clipped at the box: the window grows past the box
// wherever the text does, and is nothing but text there too.
#pragma once

#include <windows.h>

namespace corvanel {

inline constexpr wchar_t kTransLabelClass[] = L"CorvanelTransLabel";

bool RegisterTransLabelClass(HINSTANCE instance);

void SetLabelTextColour(HWND label, COLORREF colour);
COLORREF LabelTextColour(HWND label);

// Places the label's box, in its parent's client coordinates; call again
// after a change of font or text.
void PlaceLabel(HWND label, const RECT& box);
RECT LabelBox(HWND label);

}  // namespace corvanel
