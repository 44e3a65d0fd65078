#include "json.h"

#include <cstdio>

namespace {

// Length of the well-formed UTF-8 sequence at text[i] (Unicode's table of
// well-formed byte sequences), or 0 when none starts there.
std::size_t utf8SequenceLength(const std::string& text, std::size_t i)
{
    const auto at = [&](std::size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    const unsigned lead = at(i);
    const auto inRange = [&](std::size_t k, unsigned low, unsigned high) { return at(k) >= low && at(k) <= high; };
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return inRange(i + 1, 0x80, 0xBF) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned high = lead == 0xED ? 0x9F : 0xBF;
        return inRange(i + 1, low, high) && inRange(i + 2, 0x80, 0xBF) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned high = lead == 0xF4 ? 0x8F : 0xBF;
        return inRange(i + 1, low, high) && inRange(i + 2, 0x80, 0xBF) && inRange(i + 3, 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

}  // namespace

std::string jsonString(const std::string& bytes)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = utf8SequenceLength(bytes, i);
        if (length == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (length > 1) {
            out.append(bytes, i, length);
            i += length;
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    out += '"';
    return out;
}
