#include "ui/text_encoding.h"

#include <limits>

namespace corvanel {
namespace {

constexpr UINT kGbk = 936;

std::wstring Widen(UINT codePage, std::string_view bytes) {
  if (bytes.empty() || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), length);
  return text;
}

}  // namespace

std::wstring FromGbk(std::string_view gbk) { return Widen(kGbk, gbk); }

std::wstring FromUtf8(std::string_view utf8) { return Widen(CP_UTF8, utf8); }

std::string ToGbk(std::wstring_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return {};
  const int size = static_cast<int>(text.size());
  // Characters GBK lacks become "?", as the platform writes them.
  const int length = WideCharToMultiByte(kGbk, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string gbk(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kGbk, 0, text.data(), size, gbk.data(), length, nullptr, nullptr);
  return gbk;
}

std::wstring WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

}  // namespace corvanel
