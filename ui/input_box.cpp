#include "ui/input_box.h"

#include <imm.h>

#include <string>

#include "calc/input_rules.h"
#include "ui/subclass.h"
#include "ui/text_encoding.h"

namespace corvanel {
namespace {

constexpr wchar_t kLayer[] = L"Corvanel.InputBox";
constexpr wchar_t kInputProperty[] = L"Corvanel.InputKind";

layout::Input InputOf(HWND edit) {
  return static_cast<layout::Input>(reinterpret_cast<UINT_PTR>(GetPropW(edit, kInputProperty)));
}

bool Accepts(layout::Input input, wchar_t typed) {
  // Control characters (Backspace, the clipboard shortcuts) are not filtered.
  if (typed < 0x20 || typed == 0x7F) return true;
  return input == layout::Input::WholeNumber ? AcceptsWholeNumberChar(typed) : AcceptsDecimalChar(typed);
}

void Rewrite(HWND edit, layout::Input input) {
  const std::string content = ToGbk(WindowText(edit));
  const std::string rewritten =
      input == layout::Input::WholeNumber ? RewriteWholeNumber(content) : RewriteDecimalNumber(content);
  if (rewritten == content) return;
  DWORD selectionStart = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart), 0);
  SetWindowTextW(edit, FromGbk(rewritten).c_str());
  SendMessageW(edit, EM_SETSEL, selectionStart, selectionStart);
}

LRESULT CALLBACK InputBoxProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      if (!Accepts(InputOf(edit), static_cast<wchar_t>(wParam))) return 0;  // dropped without a sound
      break;
    case WM_KILLFOCUS: {
      const LRESULT result = CallReplaced(kLayer, edit, message, wParam, lParam);
      Rewrite(edit, InputOf(edit));
      return result;
    }
    case WM_NCDESTROY: RemovePropW(edit, kInputProperty); break;
    default: break;
  }
  return CallReplaced(kLayer, edit, message, wParam, lParam);
}

}  // namespace

void ApplyInputRules(HWND edit, layout::Input input) {
  if (input == layout::Input::AnyText) return;
  SetPropW(edit, kInputProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(input)));
  // Numbers need no input method; without one, composed text cannot slip past the filter.
  ImmAssociateContext(edit, nullptr);
  Subclass(edit, kLayer, InputBoxProc);
}

}  // namespace corvanel
