// Conversions at the edge between the calculation, which works on GBK bytes,
// and the Unicode window APIs. Code page 936 is named explicitly, so the
// program reads and shows Chinese on every system, whatever its own code
// page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace corvanel {

std::wstring FromGbk(std::string_view gbk);
std::string ToGbk(std::wstring_view text);
std::wstring FromUtf8(std::string_view utf8);

// A window's text as it stands.
std::wstring WindowText(HWND hwnd);

}  // namespace corvanel
