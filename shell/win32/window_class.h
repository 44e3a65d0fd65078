#pragma once

#include <windows.h>

// Registers the main window's class under the name loaded from string 109.
void registerMainWindowClass(HINSTANCE instance);
