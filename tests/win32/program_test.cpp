// Quorvel.exe itself, started as a user starts it: its entry point, the
// start-up check and the message loop, ended by "&Beenden" or the close box.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "fixture_files.h"
#include "resource.h"
#include "window_driver.h"

namespace {

std::wstring programPath()
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.rfind(L'\\') + 1) + L"Quorvel.exe";
}

// Guards against a program that never comes up or never ends; no test
// depends on how fast anything happens.
constexpr DWORD patience = 60000;

class RunningProgram {
public:
    explicit RunningProgram(const std::wstring& arguments)
    {
        std::wstring commandLine = L"\"" + programPath() + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started = CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &process) != 0;
        if (started)
            WaitForInputIdle(process.hProcess, patience);
    }
    ~RunningProgram()
    {
        if (!started)
            return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    bool started = false;
    PROCESS_INFORMATION process{};

    HWND mainWindow() const
    {
        struct Search {
            DWORD processId;
            HWND found;
        } search{process.dwProcessId, nullptr};
        EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                auto* s = reinterpret_cast<Search*>(context);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                wchar_t className[32] = {};
                GetClassNameW(window, className, 32);
                if (owner == s->processId && lstrcmpW(className, L"QUORVEL") == 0) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // The exit code once the program has ended, or 259 while it still runs.
    DWORD exitCode() const
    {
        WaitForSingleObject(process.hProcess, patience);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
};

// WM_GETTEXT is carried across processes, so this reads another program's controls.
std::wstring textAcross(HWND window)
{
    wchar_t text[1024] = {};
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<HWND> childrenOf(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

TEST(Program, ShowsTheStartupCheckAndEndsWithZero)
{
    const std::wstring path = fixtures::write("programm.lvx", fixtures::numberTooLarge);
    struct Ending {
        const char* what;
        UINT message;
        WPARAM wParam;
    };
    for (const Ending& ending : {Ending{"&Beenden", WM_COMMAND, IDM_EXIT}, Ending{"close box", WM_CLOSE, 0}}) {
        RunningProgram program(L"\"" + path + L"\"");
        ASSERT_TRUE(program.started) << "Quorvel.exe did not start";
        const HWND window = program.mainWindow();
        ASSERT_NE(nullptr, window) << ending.what;
        EXPECT_TRUE(IsWindowVisible(window)) << ending.what;
        EXPECT_EQ(L"Quorvel - programm.lvx\"", textAcross(window)) << ending.what;
        const std::vector<HWND> controls = childrenOf(window);
        ASSERT_EQ(6u, controls.size()) << ending.what;
        EXPECT_EQ(L"\"" + path + L"\"", textAcross(controls[1])) << ending.what;
        EXPECT_EQ(L"Die Datei enthält in der Zeile 14, Spalte 37 Inhalte, die nicht der aktuellen "
                  L"XML-Schnittstellenbeschreibung entsprechen.",
                  textAcross(controls[3]))
            << ending.what;
        EXPECT_EQ(L"11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n", textAcross(controls[4])) << ending.what;

        PostMessageW(window, ending.message, ending.wParam, 0);
        EXPECT_EQ(0u, program.exitCode()) << ending.what;
    }
}

}  // namespace
