#include <windows.h>

#include "ui/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return corvanel::RunProgram(instance, showCommand);
}
