// The entry point of Quorvel.exe: the main window and its message loop.
#include <windows.h>

#include "main_window.h"
#include "message_routing.h"
#include "resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showMode)
{
    const HWND window = createMainWindow(instance, commandLine);
    if (window == nullptr)
        return 0;
    ShowWindow(window, showMode);
    UpdateWindow(window);

    const HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        routeMessage(message, window, accelerators);
    // The code that PostQuitMessage set: 0.
    return static_cast<int>(message.wParam);
}
