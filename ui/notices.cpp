#include "ui/notices.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include <string>

namespace corvanel {

int ShowNotice(std::wstring_view text, unsigned style, std::wstring_view title) {
  if ((style & MB_SYSTEMMODAL) == 0) style |= MB_TASKMODAL;
  const std::wstring caption(title.empty() ? L"信息：" : title);
  return MessageBoxW(nullptr, std::wstring(text).c_str(), caption.c_str(), style);
}

void OpenWebPage(const wchar_t* url) { ShellExecuteW(nullptr, L"open", url, nullptr, nullptr, SW_SHOWNORMAL); }

}  // namespace corvanel
