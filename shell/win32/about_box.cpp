#include "about_box.h"

#include "program_state.h"
#include "resource.h"

void showAboutBox()
{
    DialogBoxParamW(program.instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), program.mainWindow, aboutProc, 0);
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;  // the platform sets the focus
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}
