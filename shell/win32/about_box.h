#pragma once

#include <windows.h>

// Shows the About box, modal to the main window.
void showAboutBox();

// The About box's dialog procedure: OK, Escape and the close box end it.
INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
