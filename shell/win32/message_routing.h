#pragma once

#include <windows.h>

// Hands one message of the loop on: to the accelerators, to the dialog
// keyboard handling of the main window, or to the window it is addressed to.
void routeMessage(MSG& message, HWND mainWindow, HACCEL accelerators);
