#include "lvx_properties.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "error_excerpt.h"
#include "lvx_parser.h"
#include "messages.h"

namespace lvxfuzz {

bool operator==(const Outcome& a, const Outcome& b)
{
    return a.message == b.message && a.line == b.line && a.column == b.column;
}

std::string describe(const Outcome& outcome)
{
    return "{\"" + outcome.message + "\", " + std::to_string(outcome.line) + ", " +
           std::to_string(outcome.column) + "}";
}

std::string delivered(const std::string& raw)
{
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size() && raw[i] != '\x1A'; ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
            continue;
        out += raw[i];
    }
    return out;
}

namespace {

constexpr char validName[] = "fuzz.lvx";

Outcome outcomeOf(const lvxParser& parser)
{
    return Outcome{parser.errorMessage(), parser.errorLine(), parser.errorColumn()};
}

std::string composed(const char* text, std::uint32_t line, std::uint32_t column)
{
    return std::string("Die Datei enthält in der Zeile ") + std::to_string(line) + ", Spalte " +
           std::to_string(column) + " " + text;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Only the bit patterns count, as in the check of the whole file.
bool utf8Structure(const std::string& bytes)
{
    int pending = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (pending > 0) {
            if ((byte & 0xC0) != 0x80)
                return false;
            --pending;
        } else if (byte >= 0x80) {
            if (byte < 0xC0 || byte >= 0xF8)
                return false;
            pending = byte < 0xE0 ? 1 : byte < 0xF0 ? 2 : 3;
        }
    }
    return pending == 0;
}

std::size_t occurrences(const std::string& text, const std::string& piece)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

// Lines and columns over the delivered bytes, counted as the validator counts.
class Positions {
public:
    explicit Positions(const std::string& text) : size(text.size())
    {
        starts.push_back(0);
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n')
                starts.push_back(i + 1);
    }

    std::uint32_t lines() const { return static_cast<std::uint32_t>(starts.size()); }
    std::size_t lineStart(std::uint32_t line) const { return starts[line - 1]; }

    // The index of the byte at (line, column), or the size for the place just
    // past the last byte; false when the counting never reaches that place.
    bool indexOf(std::uint32_t line, std::uint32_t column, std::size_t& index) const
    {
        if (line < 1 || column < 1 || line > lines())
            return false;
        const std::size_t lineEnd = line < lines() ? starts[line] - 1 : size;  // its LF, or the end
        const std::size_t start = starts[line - 1];
        if (column - 1 > lineEnd - start)
            return false;
        index = start + column - 1;
        return true;
    }

    // The place counted as if the line went on past its end: a value check
    // reports an offset into its content on the line where the content starts.
    bool linearWithin(std::uint32_t line, std::uint32_t column) const
    {
        return line >= 1 && column >= 1 && line <= lines() &&
               starts[line - 1] + static_cast<std::uint64_t>(column) - 1 <= size;
    }

    void placeOf(std::size_t index, std::uint32_t& line, std::uint32_t& column) const
    {
        const auto after = std::upper_bound(starts.begin(), starts.end(), index);
        line = static_cast<std::uint32_t>(after - starts.begin());
        column = static_cast<std::uint32_t>(index - starts[line - 1] + 1);
    }

private:
    std::vector<std::size_t> starts;
    std::size_t size;
};

std::string bareProblems(const std::string& raw, const std::string& text, const Outcome& outcome)
{
    if (outcome.message == lvxMessages::limit) {
        if (raw.size() <= static_cast<std::size_t>(lvxParser::maxFileSize) &&
            occurrences(text, "<schein>") <= lvxParser::maxTickets)
            return "limit message for a small file with at most 1000 tickets";
        return "";
    }
    if (outcome.message == lvxMessages::encoding) {
        const bool explained = text.empty() || text[0] == '\0' || text[0] == '\xFE' ||
                               text[0] == '\xFF' || !utf8Structure(text) ||
                               (text[0] == '\xEF' && text.compare(0, 3, "\xEF\xBB\xBF") != 0) ||
                               text.find('\0') != std::string::npos ||
                               text.find("encoding=") != std::string::npos;
        return explained ? "" : "encoding message for valid UTF-8 without NUL, declaration or bad mark";
    }
    // The name is valid and memory always opens: no other bare message can come.
    return "unexpected message without a place";
}

// Matches a piece of the excerpt against the delivered bytes from index i on.
// The excerpt puts a CR before each LF that does not follow a CR (in the text
// before also at its very start; in the other pieces not before an LF that
// comes first), also at the end where the LF itself is left out; in the text
// before it blanks the byte-order mark (bytes before blankEnd, on line 1).
// Returns the index up to which the delivered bytes were matched, or noMatch
// at the first byte that differs.
constexpr std::size_t noMatch = std::string::npos;

std::size_t matchWindow(const std::string& text, std::size_t i, const std::string& piece,
                        std::size_t blankEnd, bool textBefore)
{
    static constexpr unsigned char mark[] = {0xEF, 0xBB, 0xBF};
    for (std::size_t j = 0; j < piece.size(); ++j) {
        const bool afterCr = j > 0 && piece[j - 1] == '\r';
        const bool crDue = j == 0 ? textBefore : !afterCr;  // the excerpt adds a CR here
        if (i < text.size() && text[i] == '\n') {
            if (piece[j] == '\r' && crDue)
                continue;  // the added CR; the LF follows or is left out at the end
            if (piece[j] != '\n' || crDue)
                return noMatch;
            ++i;
            continue;
        }
        if (i >= text.size())
            return noMatch;
        char expected = text[i];
        if (i < blankEnd && static_cast<unsigned char>(expected) == mark[i])
            expected = ' ';
        if (piece[j] != expected)
            return noMatch;
        ++i;
    }
    return i;
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

Outcome checkMemory(const std::string& raw)
{
    lvxParser parser;
    parser.fileName = validName;
    parser.parseMemory(raw.data(), raw.size());
    return outcomeOf(parser);
}

Outcome checkFile(const std::string& path)
{
    lvxParser parser;
    parser.fileName = path;
    parser.parse();
    return outcomeOf(parser);
}

std::string outcomeProblems(const std::string& raw, const Outcome& outcome)
{
    const std::string text = delivered(raw);
    if (outcome.message.empty()) {
        if (outcome.line != 0 || outcome.column != 0)
            return "a correct result with a place";
        if (text.find("<qarn>") == std::string::npos || text.find("</qarn>") == std::string::npos ||
            text.find("<schein>") == std::string::npos)
            return "a correct result for a file without root element or ticket";
        return "";
    }
    if ((outcome.line == 0) != (outcome.column == 0))
        return "only one of line and column is 0";
    if (!outcome.positioned())
        return bareProblems(raw, text, outcome);

    const char* kind = nullptr;
    for (const char* candidate : {lvxMessages::content, lvxMessages::element,
                                  lvxMessages::unclosedTag, lvxMessages::notWellFormed})
        if (outcome.message == composed(candidate, outcome.line, outcome.column))
            kind = candidate;
    if (kind == nullptr)
        return "message is no table text in the position sentence of its own line and column";

    const Positions positions(text);
    std::size_t index = 0;
    const bool exact = positions.indexOf(outcome.line, outcome.column, index);
    if (kind == lvxMessages::content) {
        if (!positions.linearWithin(outcome.line, outcome.column))
            return "content error beyond the end of the input";
        return "";
    }
    if (!exact)
        return "tag error at a place that the input does not have";
    const bool atEnd = index == text.size();
    if (kind == lvxMessages::element && (atEnd || text[index] != '<'))
        return "element error not at a '<'";
    if (kind == lvxMessages::notWellFormed && (atEnd || text[index] == '<' || isBlank(text[index])))
        return "not-well-formed error not at a stray byte";
    if (kind == lvxMessages::unclosedTag && !atEnd && isBlank(text[index]))
        return "unclosed-tag error at white space";
    return "";
}

std::string excerptProblems(const std::string& raw, std::uint32_t line, std::uint32_t column,
                            const ErrorExcerpt& excerpt)
{
    const std::string text = delivered(raw);
    const Positions positions(text);
    std::size_t errorIndex = 0;
    // A place that the counting never reaches: the text before runs to the end.
    std::uint32_t errorLine = line;
    if (!positions.indexOf(line, column, errorIndex)) {
        errorIndex = text.size();
        errorLine = positions.lines();
    }
    const std::uint32_t startLine = errorLine > 3 ? errorLine - 3 : 1;
    if (excerpt.startLine != startLine)
        return "startLine " + std::to_string(excerpt.startLine) + " instead of " +
               std::to_string(startLine);

    // The byte-order mark is blanked only in the text before, on line 1.
    const std::size_t firstLf = std::min(text.find('\n'), text.size());
    const std::size_t blankEnd = std::min({errorIndex, firstLf, std::size_t{3}});
    const std::size_t windowStart = positions.lineStart(startLine);
    if (matchWindow(text, windowStart, excerpt.textBefore, blankEnd, true) != errorIndex)
        return "textBefore is not the input from the start of line " + std::to_string(startLine) +
               " up to the error";

    std::size_t windowEnd = errorIndex;
    bool cut = false;
    if (errorIndex == text.size()) {
        if (excerpt.errorText != std::string(1, ErrorExcerpt::endOfFileMarker) || !excerpt.textAfter.empty())
            return "an error at the end of the input without the end-of-file marker alone";
    } else {
        if (excerpt.errorText.empty() || excerpt.errorText[0] != text[errorIndex])
            return "errorText does not begin with the byte at the error";
        windowEnd = matchWindow(text, errorIndex, excerpt.errorText, 0, false);
        if (windowEnd == noMatch && excerpt.textAfter.empty() && endsWith(excerpt.errorText, "\r...")) {
            // Cut after its third line: CR and "..." stand for the rest.
            const std::string piece = excerpt.errorText.substr(0, excerpt.errorText.size() - 3);
            windowEnd = matchWindow(text, errorIndex, piece, 0, false);
            cut = windowEnd != noMatch;
        }
        if (windowEnd != noMatch && !excerpt.textAfter.empty())
            windowEnd = matchWindow(text, windowEnd, excerpt.textAfter, 0, false);
        if (windowEnd == noMatch)
            return "errorText and textAfter are not the input that follows the error";
    }
    if (std::count(text.begin() + static_cast<std::ptrdiff_t>(errorIndex),
                   text.begin() + static_cast<std::ptrdiff_t>(windowEnd), '\n') > 3)
        return "more than three lines shown after the error line";

    if (cut && excerpt.endLine != errorLine + 4)
        return "a cut piece without endLine = error line + 4";
    // A lone CR as the last byte ends a line that is not counted: the only way
    // the excerpt ends on the line it starts.
    const bool endsInLoneCr = windowEnd == text.size() && !text.empty() && text.back() == '\r';
    if (excerpt.endLine < startLine || (excerpt.endLine == startLine && !endsInLoneCr))
        return "endLine " + std::to_string(excerpt.endLine) + " not after startLine " +
               std::to_string(startLine);
    if (excerpt.endLine - startLine > 7)
        return "more than seven lines in the excerpt";
    return "";
}

namespace {

std::string excerptAt(const std::string& raw, const std::string& path, std::uint32_t line,
                      std::uint32_t column)
{
    ErrorExcerpt first(path);
    first.build(line, column);
    const std::string problems = excerptProblems(raw, line, column, first);
    if (!problems.empty())
        return "excerpt at " + std::to_string(line) + ":" + std::to_string(column) + ": " + problems;
    // A second build, under the quoted name, gives the same pieces.
    ErrorExcerpt second("\"" + path + "\"");
    second.build(line, column);
    if (second.textBefore != first.textBefore || second.errorText != first.errorText ||
        second.textAfter != first.textAfter || second.startLine != first.startLine ||
        second.endLine != first.endLine)
        return "a second excerpt at " + std::to_string(line) + ":" + std::to_string(column) +
               " differs from the first";
    return "";
}

std::uint32_t hashOf(const std::string& bytes)
{
    std::uint32_t h = 2166136261u;
    for (const char c : bytes)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

bool writeBytes(const std::string& path, const std::string& bytes)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace

std::string allProblems(const std::string& raw, const std::string& path)
{
    lvxParser parser;
    parser.fileName = validName;
    parser.parseMemory(raw.data(), raw.size());
    const Outcome outcome = outcomeOf(parser);
    std::string problems = outcomeProblems(raw, outcome);
    if (!problems.empty())
        return describe(outcome) + ": " + problems;
    parser.parseMemory(raw.data(), raw.size());
    if (outcomeOf(parser) != outcome)
        return "a second check on the same object gives " + describe(outcomeOf(parser)) +
               " after " + describe(outcome);
    if (checkMemory(raw) != outcome)
        return "a second check on a fresh object differs";

    if (!writeBytes(path, raw))
        return "";  // no file to compare with; not the validator's fault
    const Outcome fromFile = checkFile(path);
    if (fromFile != outcome)
        return "the file gives " + describe(fromFile) + ", memory " + describe(outcome);

    if (outcome.positioned()) {
        problems = excerptAt(raw, path, outcome.line, outcome.column);
        if (!problems.empty())
            return problems;
    }
    // One more place, taken from the input: any byte, the end, past the end
    // of a line, or a line the file does not have.
    const std::string text = delivered(raw);
    const Positions positions(text);
    const std::uint32_t h = hashOf(raw);
    std::uint32_t line = 1, column = 1;
    switch (h % 8) {
    case 0:
        line = positions.lines() + 1;
        break;
    case 1:
        positions.placeOf(text.size(), line, column);
        break;
    case 2:
        positions.placeOf((h >> 3) % (text.size() + 1), line, column);
        column += 1 + (h >> 20) % 4;  // may lie past the end of its line
        break;
    default:
        positions.placeOf((h >> 3) % (text.size() + 1), line, column);
        break;
    }
    return excerptAt(raw, path, line, column);
}

}  // namespace lvxfuzz
