#include "to_wide.h"

#include <windows.h>

#include <memory>

namespace {

std::unique_ptr<wchar_t[]> conversionBuffer;

}  // namespace

const wchar_t* toWide(const std::string& text)
{
    // Flags 0: malformed input is converted by the platform's rule, never refused.
    const int units = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    conversionBuffer.reset();
    conversionBuffer.reset(new wchar_t[units > 0 ? units : 1]());
    if (units > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, conversionBuffer.get(), units);
    return conversionBuffer.get();
}

int utf16Units(const std::string& piece)
{
    const int units = MultiByteToWideChar(CP_UTF8, 0, piece.c_str(), -1, nullptr, 0);
    return units > 0 ? units - 1 : 0;
}
