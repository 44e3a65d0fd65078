#include "controls.h"

#include "excerpt_view.h"
#include "program_state.h"
#include "resource.h"

namespace {

constexpr wchar_t instructionText[] =
    L"Bitte überprüfen Sie eine fehlerhafte Datei erneut, bis die Meldung "
    L"\"Datei korrekt. Tipps nun spielbar\" erscheint.";

constexpr DWORD textFieldStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
constexpr DWORD nameFieldStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD checkButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD gutterStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_RIGHT | ES_READONLY;
constexpr DWORD excerptViewStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | ES_MULTILINE |
                                   ES_AUTOHSCROLL | ES_NOHIDESEL | ES_READONLY;

// Every control starts at 0, 0 with no size; the layout places it.
HWND makeControl(HWND parent, const wchar_t* className, int id, DWORD style, const wchar_t* text = L"")
{
    return CreateWindowExW(0, className, text, style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), program.instance, nullptr);
}

// Each number stands beside its line only when both controls have lines of
// the same height; left with the system font, the gutter drifts away from
// the view line by line.
void giveGutterTheExcerptFont()
{
    if (!program.gutterFont)
        program.gutterFont = makeExcerptFont();
    SendMessageW(program.gutter, WM_SETFONT, reinterpret_cast<WPARAM>(program.gutterFont), FALSE);
}

}  // namespace

void createControls(HWND mainWindow)
{
    program.instructionField = makeControl(mainWindow, L"EDIT", IDC_TEXT_FIELD, textFieldStyle);
    program.nameField = makeControl(mainWindow, L"EDIT", IDC_NAME_FIELD, nameFieldStyle);
    program.checkButton = makeControl(mainWindow, L"BUTTON", IDC_CHECK_BUTTON, checkButtonStyle, L"CHECK");
    program.messageField = makeControl(mainWindow, L"EDIT", IDC_TEXT_FIELD, textFieldStyle);
    program.gutter = makeControl(mainWindow, L"EDIT", IDC_GUTTER, gutterStyle);
    // Loading the library registers the "RICHEDIT" class; it stays loaded.
    LoadLibraryW(L"Riched32.dll");
    program.excerptView = makeControl(mainWindow, L"RICHEDIT", IDC_EXCERPT_VIEW, excerptViewStyle);
    setExcerptDefaultFormat();
    giveGutterTheExcerptFont();
}

void showInstruction()
{
    SetWindowTextW(program.instructionField, instructionText);
}

void layoutControls(int width, int height)
{
    struct Place {
        HWND control;
        int x, y, width, height;
    };
    // Fixed heights at the top; the gutter and the excerpt view take the rest.
    // The gutter starts 2 pixels lower than the view beside it.
    const Place places[] = {
        {program.instructionField, 10, 10, width - 20, 37},
        {program.nameField, 10, 55, width - 90, 20},
        {program.checkButton, width - 70, 54, 60, 22},
        {program.messageField, 10, 81, width - 20, 40},
        {program.gutter, 10, 128, 65, height - 139},
        {program.excerptView, 80, 126, width - 90, height - 136},
    };
    for (const Place& place : places)
        MoveWindow(place.control, place.x, place.y, place.width, place.height, TRUE);
}
