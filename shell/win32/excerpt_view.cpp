#include "excerpt_view.h"

#include <windows.h>
#include <richedit.h>

#include "program_state.h"

namespace {

constexpr wchar_t excerptFace[] = L"Courier New";
constexpr COLORREF red = RGB(255, 0, 0);

// The plain CHARFORMATW, which the version 1 control understands.
CHARFORMATW emptyFormat(DWORD mask)
{
    CHARFORMATW format{};
    format.cbSize = sizeof format;
    format.dwMask = mask;
    return format;
}

void applyFormat(WPARAM scope, const CHARFORMATW& format)
{
    SendMessageW(program.excerptView, EM_SETCHARFORMAT, scope, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

void setExcerptDefaultFormat()
{
    CHARFORMATW format = emptyFormat(CFM_FACE);
    lstrcpynW(format.szFaceName, excerptFace, LF_FACESIZE);
    applyFormat(SCF_DEFAULT, format);
}

HFONT makeExcerptFont()
{
    CHARFORMATW format = emptyFormat(0);
    SendMessageW(program.excerptView, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);

    LOGFONTW font{};
    // The size is in twips, 1440 to the inch; negative means the character height.
    font.lfHeight = -MulDiv(format.yHeight, pixelsPerInch, 1440);
    font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (format.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
    font.lfCharSet = format.bCharSet;
    font.lfPitchAndFamily = format.bPitchAndFamily;
    lstrcpynW(font.lfFaceName, format.szFaceName, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

void resetExcerptColour()
{
    CHARFORMATW format = emptyFormat(CFM_COLOR);
    format.dwEffects = CFE_AUTOCOLOR;
    applyFormat(SCF_ALL, format);
}

void markRange(int start, int end)
{
    // Effects 0: without CFE_AUTOCOLOR the text colour below applies.
    CHARFORMATW format = emptyFormat(CFM_COLOR | CFM_FACE);
    format.crTextColor = red;
    lstrcpynW(format.szFaceName, excerptFace, LF_FACESIZE);
    SendMessageW(program.excerptView, EM_SETSEL, start, end);
    applyFormat(SCF_SELECTION, format);
    SendMessageW(program.excerptView, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(program.excerptView, EM_SCROLLCARET, 0, 0);
}
