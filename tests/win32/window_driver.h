#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A window as the program asked for it in CreateWindowExW.
struct Creation {
    std::wstring className;
    std::wstring text;
    DWORD style = 0;
    DWORD extendedStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    INT_PTR menuOrId = 0;
    HWND parent = nullptr;
};

// The real main window, made as the entry point makes it, and what a user
// would see of it.
class MainWindow {
public:
    explicit MainWindow(const std::wstring& commandLine = L"");
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window; }
    // The controls in creation order.
    std::vector<HWND> controls() const;
    // Every window made while the main window was created, itself first.
    const std::vector<Creation>& creations() const { return made; }

    void command(WPARAM wParam, LPARAM lParam = 0) const;
    void typeName(const std::wstring& name) const;
    // Runs the message loop's routing over every message waiting in the queue.
    void processQueue() const;

private:
    static LRESULT CALLBACK recordCreation(int code, WPARAM wParam, LPARAM lParam);

    std::wstring heldCommandLine;
    HWND window = nullptr;
    std::vector<Creation> made;
};

std::wstring textOf(HWND window);
std::wstring titleOf(const MainWindow& window);
std::wstring nameField();
std::wstring messageField();
std::wstring gutter();
std::wstring excerptView();

// The characters of the excerpt view that are red, and where they are.
struct RedText {
    std::vector<int> positions;
    std::wstring text;
};
RedText redText();

// A control's rectangle in the main window's client coordinates.
RECT placeOf(HWND control);

std::wstring fromUtf8(const std::string& text);
