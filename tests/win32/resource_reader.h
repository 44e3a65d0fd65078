#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Reads the resources linked into the test program (the same .rc as
// Quorvel.exe), in German, as the system would find them.

constexpr WORD germanLanguage = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);

// The raw bytes of a resource in German; empty if there is none.
std::string germanResource(const wchar_t* type, int id);

// One image of an icon group: its width and colour depth.
struct IconImage {
    int size = 0;
    int bitsPerPixel = 0;
    bool operator==(const IconImage& other) const
    {
        return size == other.size && bitsPerPixel == other.bitsPerPixel;
    }
};
std::vector<IconImage> iconGroup(int id);

// An extended dialog template, as far as the tests look at it.
struct DialogItem {
    std::uint32_t style = 0;
    int x = 0, y = 0, width = 0, height = 0;
    int id = 0;
    std::wstring className;  // "Static", "Button" ... for the predefined classes
    std::wstring text;
};
struct DialogTemplate {
    bool extended = false;
    std::uint32_t style = 0;
    int width = 0, height = 0;
    std::wstring caption;
    int pointSize = 0;
    std::wstring font;
    std::vector<DialogItem> items;
};
DialogTemplate dialogTemplate(int id);
