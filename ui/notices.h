// What the program shows and asks of the desktop besides its window: the
// modal notices and the web pages of the menu.
#pragma once

#include <string_view>

namespace corvanel {

// A message box with no owner, task-modal unless the style asks to be
// system-modal, so every window of the program waits while it is up.
// An empty title shows "信息：". Returns the button that closed it.
int ShowNotice(std::wstring_view text, unsigned style, std::wstring_view title);

// Hands the address to the shell, which opens it in the default browser;
// whatever the shell answers is its own business.
void OpenWebPage(const wchar_t* url);

}  // namespace corvanel
