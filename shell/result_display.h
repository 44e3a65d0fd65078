#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ErrorExcerpt;

// What the result display shows, apart from the controls that show it: the
// Windows program hands these texts and ranges to its controls, the
// command-line checker prints them.

// Shown when a file passes the check.
inline constexpr char successMessage[] = "Datei korrekt. Tipps nun spielbar.";
// Shown in the excerpt view while a check runs.
inline constexpr char progressText[] = "prüfe...";

// True when the NUL-terminated text is UTF-8 by bit pattern and holds at least
// one multi-byte sequence. Over-long forms and surrogates pass; pure ASCII does not.
bool holdsMultiByteUtf8(const char* text);

// The message as the message field shows it: without any LF byte.
std::string withoutLineFeeds(const std::string& message);

// The gutter: the numbers from startLine while below endLine, each followed by CR LF.
std::string gutterText(std::uint32_t startLine, std::uint32_t endLine);

// UTF-16 form of UTF-8 text as MultiByteToWideChar(CP_UTF8, 0) gives it for
// text that passes holdsMultiByteUtf8: ill-formed pieces become U+FFFD.
std::u16string utf16FromUtf8(const std::string& text);
std::size_t utf16Length(const std::string& text);

// Each byte taken as a Windows-1252 character, in UTF-8. The five bytes that
// Windows-1252 leaves undefined map to the control characters of the same value.
std::string utf8FromWindows1252(const std::string& text);
// UTF-16 text as UTF-8.
std::string utf8FromUtf16(const std::u16string& text);

// How the excerpt goes to the excerpt view: the joined pieces, whether they
// take the UTF-16 path (holdsMultiByteUtf8) or the 8-bit path, and the red
// range [redStart, redEnd) in the units of that path (UTF-16 units or bytes).
struct ExcerptLayout {
    std::string text;
    bool utf16 = false;
    std::size_t redStart = 0;
    std::size_t redEnd = 0;
};
ExcerptLayout layoutExcerpt(const ErrorExcerpt& excerpt);
