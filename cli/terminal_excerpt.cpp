#include "terminal_excerpt.h"

#include <cstdio>
#include <vector>

#include "error_excerpt.h"
#include "result_display.h"

namespace {

constexpr char red[] = "\x1b[31m";
constexpr char plain[] = "\x1b[0m";

struct Segment {
    std::string text;  // UTF-8, ready for the terminal
    bool faulty = false;
    std::size_t characters = 0;
};

using Line = std::vector<Segment>;

// Collects the decoded pieces into lines. A lone CR is a byte of the file,
// shown as a symbol, except where the excerpt itself counts it as a line end:
// inside the faulty piece, and at the end of the text after it (its cut).
class LineCollector {
public:
    enum class Piece { before, faulty, after };

    void add(const std::string& utf8, Piece piece)
    {
        const bool faulty = piece == Piece::faulty;
        startSegment(faulty);
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            const auto c = static_cast<unsigned char>(utf8[i]);
            const bool last = i + 1 == utf8.size();
            if (c == '\r' && !last && utf8[i + 1] == '\n')
                continue;
            if (c == '\n' || (c == '\r' && (faulty || (last && piece == Piece::after)))) {
                lines.emplace_back();
                startSegment(faulty);
            } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
                char shown[16];
                std::snprintf(shown, sizeof shown, "<U+%04X>", static_cast<unsigned char>(utf8[++i]));
                append(shown);
            } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
                // The Control Pictures block: U+2400 to U+241F, and U+2421 for DEL.
                const unsigned symbol = c == 0x7F ? 0x2421 : 0x2400 + c;
                const char shown[] = {static_cast<char>(0xE2), static_cast<char>(0x80 | (symbol >> 6 & 0x3F)),
                                      static_cast<char>(0x80 | (symbol & 0x3F)), 0};
                append(shown);
            } else {
                lines.back().back().text += static_cast<char>(c);
                if ((c & 0xC0) != 0x80)
                    ++lines.back().back().characters;
            }
        }
    }

    std::vector<Line> finish()
    {
        if (lines.size() > 1 && isEmpty(lines.back()))
            lines.pop_back();  // the excerpt ends with a line break
        return std::move(lines);
    }

private:
    static bool isEmpty(const Line& line)
    {
        for (const Segment& segment : line)
            if (!segment.text.empty())
                return false;
        return true;
    }

    void startSegment(bool faulty)
    {
        lines.back().push_back(Segment{std::string(), faulty, 0});
    }

    void append(const char* shown)
    {
        Segment& segment = lines.back().back();
        segment.text += shown;
        for (const char* p = shown; *p != '\0'; ++p)
            if ((static_cast<unsigned char>(*p) & 0xC0) != 0x80)
                ++segment.characters;
    }

    std::vector<Line> lines = std::vector<Line>(1);
};

// What stands under the first line of the faulty piece: blanks up to it (tabs
// kept, so that the marks line up) and one '^' per character of it.
struct Marker {
    std::string indent;
    std::string marks;
};

Marker markerFor(const Line& line)
{
    Marker marker;
    for (const Segment& segment : line) {
        if (segment.faulty) {
            marker.marks.append(segment.characters, '^');
            break;
        }
        for (const char c : segment.text) {
            if (c == '\t')
                marker.indent += '\t';
            else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
                marker.indent += ' ';
        }
    }
    if (marker.marks.empty())
        marker.marks = "^";  // a piece that starts with its line break
    return marker;
}

bool holdsPieceStart(const Line& line)
{
    for (const Segment& segment : line)
        if (segment.faulty)
            return true;
    return false;
}

}  // namespace

std::string excerptPieceAsUtf8(const std::string& piece, bool asUtf8)
{
    return asUtf8 ? utf8FromUtf16(utf16FromUtf8(piece)) : utf8FromWindows1252(piece);
}

std::string renderExcerpt(const ErrorExcerpt& excerpt, bool color)
{
    const bool asUtf8 = holdsMultiByteUtf8((excerpt.textBefore + excerpt.errorText + excerpt.textAfter).c_str());
    LineCollector collector;
    collector.add(excerptPieceAsUtf8(excerpt.textBefore, asUtf8), LineCollector::Piece::before);
    collector.add(excerptPieceAsUtf8(excerpt.errorText, asUtf8), LineCollector::Piece::faulty);
    collector.add(excerptPieceAsUtf8(excerpt.textAfter, asUtf8), LineCollector::Piece::after);
    const std::vector<Line> lines = collector.finish();

    const std::size_t width = std::to_string(excerpt.startLine + lines.size() - 1).size();
    const std::string blankGutter(width, ' ');
    std::string out;
    bool marked = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string number = std::to_string(excerpt.startLine + i);
        out += std::string(width - number.size(), ' ') + number + " | ";
        for (const Segment& segment : lines[i])
            out += segment.faulty && color ? red + segment.text + plain : segment.text;
        out += '\n';
        if (!marked && holdsPieceStart(lines[i])) {
            marked = true;
            const Marker marker = markerFor(lines[i]);
            out += blankGutter + " | " + marker.indent + (color ? red + marker.marks + plain : marker.marks) + '\n';
        }
    }
    return out;
}
