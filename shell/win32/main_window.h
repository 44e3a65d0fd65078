#pragma once

#include <windows.h>

// Loads the title and class name, registers the class and creates the main
// window, 740 x 326 pixels, not yet shown. With a command-line text the
// window comes with the result of checking that file. Null on failure.
HWND createMainWindow(HINSTANCE instance, const wchar_t* commandLine);

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
