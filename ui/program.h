// The program's life: start-up, the event loop and the exit code.
#pragma once

#include <windows.h>

#include "ui/main_window.h"

namespace corvanel {

// Runs the program with its window until the window is closed: 0 then, -1
// when the window cannot be created.
int RunProgram(HINSTANCE instance, int showCommand, MainWindow::WebPageOpener openWebPage = OpenWebPage);

}  // namespace corvanel
