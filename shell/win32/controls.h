#pragma once

#include <windows.h>

// Creates the six controls of the main window, in their tab order, and gives
// the excerpt view its default format.
void createControls(HWND mainWindow);

// Sets the instruction text; done after the start-up check.
void showInstruction();

// Places the controls for a client area of the given size.
void layoutControls(int width, int height);
