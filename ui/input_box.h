// The input rules of the teeth and centre-distance boxes: typed characters
// are filtered, and the content is rewritten to its normal form each time
// the box loses the keyboard focus.
#pragma once

#include <windows.h>

#include "ui/window_layout.h"

namespace corvanel {

// Puts the rules of `input` on an edit box; boxes of any text are left as they are.
void ApplyInputRules(HWND edit, layout::Input input);

}  // namespace corvanel
