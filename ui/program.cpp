#include "ui/program.h"

#include <objbase.h>

#include <utility>

namespace corvanel {
namespace {

// Back to the x87 reset state: round to nearest, every exception masked,
// 64-bit significands. The calculation's digits depend on it.
void ResetFloatingPointUnit() { asm volatile("fninit"); }

}  // namespace

int RunProgram(HINSTANCE instance, int showCommand, MainWindow::WebPageOpener openWebPage) {
  ResetFloatingPointUnit();
  // The shell may hand a web address to a COM handler.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  int exitCode = 0;
  {
    MainWindow window(std::move(openWebPage));
    if (window.Create(instance)) {
      window.Show(showCommand);
      MSG message;
      while (window.Handle() != nullptr && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!window.PreTranslateMessage(message)) {
          TranslateMessage(&message);
          DispatchMessageW(&message);
        }
      }
    } else {
      MessageBoxW(nullptr, L"主窗口无法创建，程序将退出。", L"Corvanel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
      exitCode = -1;
    }
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return exitCode;
}

}  // namespace corvanel
