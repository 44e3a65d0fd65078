#include "message_routing.h"

void routeMessage(MSG& message, HWND mainWindow, HACCEL accelerators)
{
    if (IsDialogMessageW(mainWindow, &message))
        return;
    if (TranslateAcceleratorW(message.hwnd, accelerators, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}
