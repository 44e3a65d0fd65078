#include "choose_file.h"

#include <windows.h>
#include <commdlg.h>

#include "excerpt_view.h"
#include "program_state.h"

namespace {

// One filter pair; the literal's own NUL ends the list.
constexpr wchar_t fileFilter[] = L"Zelvo Files (*.lvx)\0*.lvx\0";

bool askForFile()
{
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = program.mainWindow;
    dialog.lpstrFilter = fileFilter;
    dialog.nFilterIndex = 1;
    program.chosenFile[0] = L'\0';
    dialog.lpstrFile = program.chosenFile;
    dialog.nMaxFile = sizeof program.chosenFile / sizeof program.chosenFile[0];
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return GetOpenFileNameW(&dialog) == TRUE;
}

}  // namespace

void chooseFile()
{
    if (!askForFile())
        return;
    SetWindowTextW(program.nameField, program.chosenFile);
    resetExcerptColour();
    SetWindowTextW(program.excerptView, L"");
    UpdateWindow(program.excerptView);
    SetWindowTextW(program.gutter, L"");
    UpdateWindow(program.gutter);
    SetWindowTextW(program.messageField, L"");
}
