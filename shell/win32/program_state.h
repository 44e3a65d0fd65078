#pragma once

#include <windows.h>

// What the program holds from start to exit, one instance of each.
struct ProgramState {
    HINSTANCE instance = nullptr;
    // What followed the program's name on the command line; held until the
    // main window has been created, since WM_CREATE makes the start-up check.
    const wchar_t* commandLine = L"";
    wchar_t title[100] = {};
    wchar_t className[100] = {};

    HWND mainWindow = nullptr;
    HWND instructionField = nullptr;
    HWND nameField = nullptr;
    HWND checkButton = nullptr;
    HWND messageField = nullptr;
    HWND gutter = nullptr;
    HWND excerptView = nullptr;
    // The gutter's font, made once and kept until the program ends.
    HFONT gutterFont = nullptr;

    // The open-file dialog's name: a path of up to 260 characters and its NUL.
    wchar_t chosenFile[MAX_PATH + 1] = {};
};

extern ProgramState program;

// The name field's text as 8-bit ANSI text, at most 260 bytes.
constexpr int fileNameBytes = MAX_PATH + 1;
