// A group box that hosts controls: the platform's group box sends its
// children's notifications nowhere, so they are passed on to the window.
#pragma once

#include <windows.h>

namespace corvanel {

void HostControls(HWND groupBox);

}  // namespace corvanel
