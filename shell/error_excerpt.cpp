#include "error_excerpt.h"

#include <algorithm>
#include <cstring>

#include "lvx_parser.h"
#include "text_reader.h"

namespace {

// The text before the error position, with CR LF line ends. Only its last
// lines can be shown, so older lines are dropped as it grows (see
// dropOldLines): an error at the end of a large file needs no copy of the
// whole file. Kept for the whole run, so that repeated checks do not allocate
// it again.
std::string& scratchBuffer()
{
    static std::string buffer;
    return buffer;
}

bool endsWith(const std::string& text, char c)
{
    return !text.empty() && text.back() == c;
}

// Puts CR in front of an LF, unless the text already ends in CR.
void appendLineBreakCr(std::string& text)
{
    if (!text.empty() && !endsWith(text, '\r'))
        text += '\r';
}

// The bytes of a UTF-8 byte-order mark are blanked where they stand in columns
// 1 to 3 of line 1, each byte judged on its own.
char blankedMarkByte(char byte, std::uint32_t column)
{
    static constexpr unsigned char mark[] = {0xEF, 0xBB, 0xBF};
    return static_cast<unsigned char>(byte) == mark[column - 1] ? ' ' : byte;
}

// The cut of a file into the three pieces; one object per build.
class ExcerptCutter {
public:
    ExcerptCutter(ErrorExcerpt& excerpt, TextReader& reader) : excerpt(excerpt), reader(reader) {}

    void cut(std::uint32_t errorLine, std::uint32_t errorColumn);

private:
    bool readBefore(std::uint32_t errorLine, std::uint32_t errorColumn);
    bool takeWindowBefore(std::uint32_t targetLine);
    void appendLines(const char* from, const char* to);
    void dropOldLines();
    void takeContextBefore();
    bool readFaultyPiece();
    void readAfter();
    void setEndLine();

    ErrorExcerpt& excerpt;
    TextReader& reader;
    std::string& scratch = scratchBuffer();
    std::uint32_t line = 1;
    std::uint32_t column = 1;
    std::uint32_t errorLine = 1;  // the line where the text before ended
    std::uint64_t windowDeclined = 0;  // the end of the window where the target line begins
};

void ExcerptCutter::cut(std::uint32_t targetLine, std::uint32_t targetColumn)
{
    scratch.clear();
    const bool reachedEnd = readBefore(targetLine, targetColumn);
    errorLine = line;
    takeContextBefore();
    if (!reachedEnd && readFaultyPiece())
        return;  // cut after its third line
    if (reader.peek() >= 0)
        readAfter();
    setEndLine();
    if (excerpt.errorText.empty())
        excerpt.errorText = ErrorExcerpt::endOfFileMarker;
}

// Copies the file up to the error position into the scratch buffer, line by
// line with CR LF line ends, keeping its last lines; true when the input ended
// first.
bool ExcerptCutter::readBefore(std::uint32_t targetLine, std::uint32_t targetColumn)
{
    while (line != targetLine || column != targetColumn) {
        if (reader.peek() < 0)
            return true;
        const char* p = reader.next();
        const char* end = reader.limit();
        if (line == 1 && column <= 3 && *p != '\n') {
            scratch += blankedMarkByte(*p, column);
            ++column;
            reader.advance(p + 1);
            continue;
        }
        if (line != targetLine && takeWindowBefore(targetLine))
            continue;
        if (line == targetLine && targetColumn > column)
            end = std::min(end, p + (targetColumn - column));
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        const char* runEnd = lf != nullptr ? lf : end;
        scratch.append(p, runEnd);
        column += static_cast<std::uint32_t>(runEnd - p);
        if (lf != nullptr) {
            scratch.append(endsWith(scratch, '\r') ? "\n" : "\r\n");
            ++line;
            column = 1;
            runEnd = lf + 1;
            dropOldLines();
        }
        reader.advance(runEnd);
    }
    return false;
}

// A window all of whose LFs lie before the target line (or a window after it,
// when the target lies past the end of its line) is taken whole: its LFs are
// counted in one pass, and of its text only the last lines are copied, the
// ones that takeContextBefore can show. The fourth LF from the end opens the
// text kept, as dropOldLines would leave it. True when the window was taken.
bool ExcerptCutter::takeWindowBefore(std::uint32_t targetLine)
{
    const char* const from = reader.next();
    const char* const end = reader.limit();
    if (reader.offsetOf(end) == windowDeclined)
        return false;
    const std::size_t lineFeeds = countLineFeeds(from, end);
    if (line < targetLine && lineFeeds >= targetLine - line) {
        windowDeclined = reader.offsetOf(end);
        return false;
    }
    const char* kept = end;
    const char* lastLineFeed = end;
    const auto linesKept = static_cast<std::size_t>(excerpt.contextLines + 1);
    for (std::size_t found = 0; found < lineFeeds && found < linesKept; ++found) {
        do
            --kept;
        while (*kept != '\n');
        if (found == 0)
            lastLineFeed = kept;
    }
    if (lineFeeds >= linesKept) {
        scratch.assign(1, '\n');
        appendLines(kept + 1, end);
    } else {
        appendLines(from, end);
    }
    line += static_cast<std::uint32_t>(lineFeeds);
    column = lineFeeds > 0 ? static_cast<std::uint32_t>(end - lastLineFeed)
                           : column + static_cast<std::uint32_t>(end - from);
    dropOldLines();
    reader.advance(end);
    return true;
}

// Copies [from, to) into the scratch buffer with CR LF line ends.
void ExcerptCutter::appendLines(const char* from, const char* to)
{
    for (const char* p = from; p != to;) {
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(to - p)));
        scratch.append(p, lf != nullptr ? lf : to);
        if (lf == nullptr)
            return;
        scratch.append(endsWith(scratch, '\r') ? "\n" : "\r\n");
        p = lf + 1;
    }
}

// The text before begins after the fourth LF from the end of the scratch
// buffer (takeContextBefore), so everything in front of that LF can go. Done
// once the buffer holds more than a block, so that each byte moves at most
// once more.
void ExcerptCutter::dropOldLines()
{
    if (scratch.size() <= TextReader::blockSize)
        return;
    std::size_t lf = scratch.size();
    for (std::int32_t i = 0; i < excerpt.contextLines + 1; ++i) {
        lf = lf == 0 ? std::string::npos : scratch.rfind('\n', lf - 1);
        if (lf == std::string::npos)
            return;
    }
    scratch.erase(0, lf);
}

// The text before starts at the beginning of the line three lines above the
// error line, or of line 1.
void ExcerptCutter::takeContextBefore()
{
    if (scratch.empty())
        return;
    excerpt.startLine = errorLine + 1;
    std::size_t start = 0;
    std::size_t searchEnd = scratch.size();  // the search looks at [0, searchEnd)
    for (std::int32_t i = 0; i < excerpt.contextLines + 1; ++i) {
        --excerpt.startLine;
        const std::size_t lf = searchEnd == 0 ? std::string::npos : scratch.rfind('\n', searchEnd - 1);
        if (lf == std::string::npos) {
            start = 0;
            break;
        }
        start = searchEnd = lf;
    }
    if (scratch[start] == '\n')
        ++start;
    excerpt.textBefore.assign(scratch, start, std::string::npos);
}

// The faulty piece: from the error position to the end of its tag or content,
// cut after its third line. True when it was cut and the excerpt is complete.
bool ExcerptCutter::readFaultyPiece()
{
    std::string& piece = excerpt.errorText;
    for (;;) {
        const int c = reader.peek();
        if (c < 0)
            return false;
        const bool lineBreak = c == '\n' || endsWith(piece, '\r');
        if (lineBreak) {
            appendLineBreakCr(piece);
            ++line;
            if (line > errorLine + 2) {
                piece += "...";
                excerpt.endLine = line + 1;
                return true;
            }
        } else if (c == '<' && !piece.empty()) {
            return false;
        }
        reader.get();
        piece += static_cast<char>(c);
        if (c == '>' && piece.size() > 1)
            return false;
    }
}

// The rest of the line where the faulty piece ended, and the lines after it up
// to the third line after the error line.
void ExcerptCutter::readAfter()
{
    std::string& after = excerpt.textAfter;
    const auto linesInPiece = static_cast<std::int32_t>(line - errorLine);
    std::int32_t lineFeeds = 0;
    for (int c; (c = reader.get()) >= 0;) {
        if (c == '\n') {
            appendLineBreakCr(after);
            ++line;
            if (lineFeeds >= excerpt.contextLines - linesInPiece)
                return;
            ++lineFeeds;
        }
        after += static_cast<char>(c);
    }
}

void ExcerptCutter::setEndLine()
{
    const std::string& last = !excerpt.textAfter.empty() ? excerpt.textAfter : excerpt.errorText;
    const bool openLine = last.empty() || (last.back() != '\n' && last.back() != '\r');
    excerpt.endLine = line + (openLine ? 1 : 0);
}

}  // namespace

ErrorExcerpt::ErrorExcerpt(std::string name) : fileName(std::move(name)) {}

void ErrorExcerpt::build(std::uint32_t line, std::uint32_t column)
{
    textBefore.clear();
    errorText.clear();
    textAfter.clear();
    startLine = endLine = 1;
    if (fileName.empty())
        return;
    if (fileName.front() == '"' && fileName.back() == '"') {
        fileName.pop_back();
        if (!fileName.empty())
            fileName.erase(0, 1);
    }
    TextReader reader;
    if (!reader.open(fileName))
        return;
    // Every byte that the check read lies within its size limit; a file that
    // has grown since ends there instead of being read without bound.
    reader.setLimit(static_cast<std::uint64_t>(lvxParser::maxFileSize));
    ExcerptCutter(*this, reader).cut(line, column);
}
