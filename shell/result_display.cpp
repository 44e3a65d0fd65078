#include "result_display.h"

#include "error_excerpt.h"

bool holdsMultiByteUtf8(const char* text)
{
    const auto isContinuation = [](const unsigned char* p) { return (*p & 0xC0) == 0x80; };
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    bool found = false;
    while (*p != 0) {
        int following = 0;
        if (*p < 0x80)
            following = 0;
        else if (*p < 0xC0)
            return false;
        else if (*p < 0xE0)
            following = 1;
        else if (*p < 0xF0)
            following = 2;
        else if (*p < 0xF8)
            following = 3;
        else
            return false;
        // A sequence cut short by the NUL fails here: no byte after it is read.
        for (int i = 1; i <= following; ++i)
            if (!isContinuation(p + i))
                return false;
        found = found || following > 0;
        p += 1 + following;
    }
    return found;
}

std::string withoutLineFeeds(const std::string& message)
{
    std::string shown;
    shown.reserve(message.size());
    for (const char c : message)
        if (c != '\n')
            shown += c;
    return shown;
}

std::string gutterText(std::uint32_t startLine, std::uint32_t endLine)
{
    std::string text;
    for (std::uint32_t n = startLine; n < endLine; ++n) {
        text += std::to_string(n);
        text += "\r\n";
    }
    return text;
}

namespace {

// Length of the well-formed UTF-8 sequence at text[i], or of the longest
// start of one (at least 1) when it is ill-formed; *valid tells which.
std::size_t sequenceAt(const std::string& text, std::size_t i, char32_t& value, bool& valid)
{
    const auto at = [&](std::size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    const unsigned lead = at(i);
    valid = true;
    if (lead < 0x80) {
        value = lead;
        return 1;
    }
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no over-long forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        valid = false;
        return 1;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned byte = at(i + k);
        if (byte < low || byte > high) {
            valid = false;
            return k;  // the maximal start of a sequence becomes one U+FFFD
        }
        value = (value << 6) | (byte & 0x3F);
        low = 0x80;
        high = 0xBF;
    }
    return length;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::u16string utf16FromUtf8(const std::string& text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t value = 0;
        bool valid = false;
        i += sequenceAt(text, i, value, valid);
        if (!valid) {
            out += u'\uFFFD';
        } else if (value >= 0x10000) {
            value -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (value >> 10));
            out += static_cast<char16_t>(0xDC00 + (value & 0x3FF));
        } else {
            out += static_cast<char16_t>(value);
        }
    }
    return out;
}

std::size_t utf16Length(const std::string& text)
{
    return utf16FromUtf8(text).size();
}

std::string utf8FromUtf16(const std::u16string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c <= 0xDFFF)
            c = 0xFFFD;
        appendUtf8(out, c);
    }
    return out;
}

std::string utf8FromWindows1252(const std::string& text)
{
    // 0x80 to 0x9F; the five undefined bytes stand for themselves.
    static constexpr char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(text.size());
    for (const char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        appendUtf8(out, c >= 0x80 && c < 0xA0 ? high[c - 0x80] : c);
    }
    return out;
}

ExcerptLayout layoutExcerpt(const ErrorExcerpt& excerpt)
{
    ExcerptLayout layout;
    layout.text = excerpt.textBefore + excerpt.errorText + excerpt.textAfter;
    layout.utf16 = holdsMultiByteUtf8(layout.text.c_str());
    if (layout.utf16) {
        layout.redStart = utf16Length(excerpt.textBefore);
        layout.redEnd = layout.redStart + utf16Length(excerpt.errorText);
    } else {
        layout.redStart = excerpt.textBefore.size();
        layout.redEnd = layout.redStart + excerpt.errorText.size();
    }
    return layout;
}
