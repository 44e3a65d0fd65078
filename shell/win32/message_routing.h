#pragma once

#include <windows.h>

// Hands one message of the loop on: to the dialog keyboard handling of the
// main window, to the accelerators, or to the window it is addressed to.
void routeMessage(MSG& message, HWND mainWindow, HACCEL accelerators);
