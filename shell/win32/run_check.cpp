#include "run_check.h"

#include <windows.h>

#include "excerpt_view.h"
#include "lvx_parser.h"
#include "program_state.h"
#include "result_display.h"
#include "show_result.h"
#include "to_wide.h"

namespace {

void setCursor(const wchar_t* cursor)
{
    SetCursor(LoadCursorW(nullptr, cursor));
}

void clearAndRepaint(HWND control, const wchar_t* text)
{
    SetWindowTextW(control, text);
    UpdateWindow(control);
}

}  // namespace

std::string readNameField()
{
    char name[fileNameBytes] = {};
    GetWindowTextA(program.nameField, name, fileNameBytes);
    return name;
}

std::string baseName(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('\\');
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

void runCheck()
{
    lvxParser parser;
    setCursor(IDC_WAIT);
    // No message is processed until the check ends, so the cleared views and
    // the progress text are painted here, before the validator runs.
    resetExcerptColour();
    clearAndRepaint(program.excerptView, toWide(progressText));
    clearAndRepaint(program.gutter, L"");
    SetWindowTextW(program.messageField, L"");
    const std::string name = readNameField();
    SetWindowTextA(program.mainWindow, ("Quorvel - " + baseName(name)).c_str());
    UpdateWindow(program.messageField);

    parser.fileName = name;
    parser.parse();
    showResult(parser, name);
    setCursor(IDC_ARROW);
}
