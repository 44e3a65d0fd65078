#pragma once

#include <windows.h>

// The main window's WM_COMMAND: menu items, accelerators, the CHECK button
// and the dialog manager's Enter. Unknown commands go to DefWindowProcW.
LRESULT onCommand(HWND mainWindow, WPARAM wParam, LPARAM lParam);
