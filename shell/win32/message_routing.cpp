#include "message_routing.h"

void routeMessage(MSG& message, HWND mainWindow, HACCEL accelerators)
{
    // The accelerators come first: IsDialogMessageW takes every message for
    // the main window and its controls, dispatching it itself, so behind it
    // Alt+? would never arrive. Their command goes to the main window, not to
    // the control that has the focus.
    if (TranslateAcceleratorW(mainWindow, accelerators, &message))
        return;
    if (IsDialogMessageW(mainWindow, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}
