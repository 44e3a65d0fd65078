#include <cstring>

#include "lvx_parser.h"
#include "messages.h"

// The scanner works on the reader's window [file.next(), file.limit()): it
// finds the end of a tag or a content eight bytes at a time, counts the whole
// run at once, and goes on in the next block only where a piece crosses the
// end of the window.

// The reader's end of input, seen from the check: a source cut off at the size
// limit (a file that grew while it was read) is refused as too large.
bool lvxParser::fillInput()
{
    if (file.refill())
        return true;
    if (file.overLimit())
        throw Error(lvxMessages::limit);
    return false;
}

// Consumes the next byte, which the caller has seen, and counts it.
void lvxParser::readCounted()
{
    const char* const p = file.next();
    advancePosition(p, p + 1, line, column);
    file.advance(p + 1);
}

namespace {

constexpr std::uint64_t highBits = 0x8080808080808080ull;

std::uint64_t loadWord(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

// Whether the 64 bytes at p are plain ASCII. One pass without an early exit,
// which the compiler turns into vector instructions.
bool isAsciiChunk(const char* p)
{
    unsigned char bits = 0;
    for (int i = 0; i < 64; ++i)
        bits |= static_cast<unsigned char>(p[i]);
    return (bits & 0x80) == 0;
}

// Steps over plain ASCII bytes: 64 at a time while they last, then 8 at a time.
const char* skipAscii(const char* p, const char* end)
{
    while (end - p >= 64 && isAsciiChunk(p))
        p += 64;
    while (end - p >= 8 && (loadWord(p) & highBits) == 0)
        p += 8;
    return p;
}

int followingBytes(unsigned char lead)
{
    if (lead < 0x80)
        return 0;
    if (lead < 0xC0)
        return -1;  // a continuation byte where a character must begin
    if (lead < 0xE0)
        return 1;
    if (lead < 0xF0)
        return 2;
    if (lead < 0xF8)
        return 3;
    return -1;
}

bool isWhitespace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

const char* skipWhitespaceBytes(const char* p, const char* end)
{
    while (p != end && isWhitespace(*p))
        ++p;
    return p;
}

constexpr std::uint64_t lowBits = 0x0101010101010101ull;

// Non-zero when the word holds the byte: the high bit is set in every byte of
// that value (and maybe in bytes above it, which does not matter here).
std::uint64_t holdsByte(std::uint64_t word, unsigned char byte)
{
    const std::uint64_t x = word ^ (lowBits * byte);
    return (x - lowBits) & ~x & highBits;
}

// The end of a tag's or a content's text in [p, end): the first stop byte, or
// end. Eight bytes at a time and without a library call, since these texts are
// short and every one passes here. plain becomes false when an LF or a NUL
// byte lies before the end: only then do the bytes need a closer look.
const char* findTextEnd(const char* p, const char* end, char stop, bool& plain)
{
    const auto stopByte = static_cast<unsigned char>(stop);
    for (; end - p >= 8; p += 8) {
        const std::uint64_t word = loadWord(p);
        if (holdsByte(word, stopByte) != 0)
            break;
        if ((holdsByte(word, '\n') | holdsByte(word, 0)) != 0)
            plain = false;
    }
    for (; p != end && *p != stop; ++p)
        if (*p == '\n' || *p == '\0')
            plain = false;
    return p;
}

// Whether the bytes [p, end) hold an LF or a NUL byte. Written as one pass
// without an early exit, which the compiler turns into vector instructions:
// comments are long, and one line of a padded file may be one comment.
bool holdsLineFeedOrNul(const char* p, const char* end)
{
    const auto n = static_cast<std::size_t>(end - p);
    unsigned char found = 0;
    for (std::size_t i = 0; i < n; ++i)
        found |= static_cast<unsigned char>((p[i] == '\n') | (p[i] == '\0'));
    return found != 0;
}

// Counts text of a tag or a content that holds an LF or a NUL byte; a NUL
// byte is an encoding error.
void countLinesOfText(const char* from, const char* to, std::uint32_t& line, std::uint32_t& column)
{
    if (std::memchr(from, '\0', static_cast<std::size_t>(to - from)) != nullptr)
        throw lvxParser::Error(lvxMessages::encoding);
    advancePosition(from, to, line, column);
}

// Counts the bytes [from, to) of a tag or a content. plain tells that they hold
// neither an LF nor a NUL byte, the usual case, which only moves the column.
void countText(const char* from, const char* to, bool plain, std::uint32_t& line, std::uint32_t& column)
{
    if (plain)
        column += static_cast<std::uint32_t>(to - from);
    else
        countLinesOfText(from, to, line, column);
}

// The exact comparison of a tag with an expected name, in one pass and without
// a library call: tags are short, and one is compared for nearly every tag read.
// A tag never holds a NUL byte (collectText refuses it), so the name's end
// differs from every byte of a longer tag.
bool sameTag(const std::string& tag, const char* name)
{
    std::size_t i = 0;
    for (; i < tag.size(); ++i)
        if (tag[i] != name[i])
            return false;
    return name[i] == '\0';
}

}  // namespace

// One pass over the rest of the file before anything is parsed. Only the bit
// patterns count: over-long forms and encoded surrogates pass.
void lvxParser::checkEncoding(long offset)
{
    int pending = 0;  // continuation bytes still due
    while (moreInput()) {
        const char* p = file.next();
        const char* const end = file.limit();
        while (p != end) {
            const auto byte = static_cast<unsigned char>(*p++);
            if (pending > 0) {
                if ((byte & 0xC0) != 0x80)
                    throw Error(lvxMessages::encoding);
                --pending;
                continue;
            }
            pending = followingBytes(byte);
            if (pending < 0)
                throw Error(lvxMessages::encoding);
            if (pending == 0)
                p = skipAscii(p, end);
        }
        file.advance(end);
    }
    if (pending > 0)
        throw Error(lvxMessages::encoding);
    file.rewind(offset);
}

// Steps over a run of white space, counting it as one span. The counters are
// kept in locals and stored once: copying the fields right after they were
// written makes the processor wait for the stores.
void lvxParser::skipWhitespace()
{
    std::uint32_t atLine = line;
    std::uint32_t atColumn = column;
    while (moreInput()) {
        const char* const from = file.next();
        const char* const to = skipWhitespaceBytes(from, file.limit());
        advancePosition(from, to, atLine, atColumn);
        file.advance(to);
        if (to != file.limit())
            break;
    }
    line = tagLine = atLine;
    column = tagColumn = atColumn;
}

// Appends the bytes up to, not including, the next stop byte (or the end of
// the input) to text, counting them. A byte 0x00 in it is an encoding error.
void lvxParser::collectText(std::string& text, char stop)
{
    while (moreInput()) {
        const char* const from = file.next();
        bool plain = true;
        const char* const to = findTextEnd(from, file.limit(), stop, plain);
        countText(from, to, plain, line, column);
        text.append(from, static_cast<std::size_t>(to - from));
        file.advance(to);
        if (to != file.limit())
            return;
    }
}

// A tag that lies whole in the window after its white space, and holds no LF
// and no NUL byte, is read in one step there; any other goes byte run by byte
// run through the general path, which also finds every error.
void lvxParser::readTag()
{
    tagName.clear();
    const auto readInWindow = [this] {
        const char* const from = file.next();
        const char* const end = file.limit();
        const char* const open = skipWhitespaceBytes(from, end);
        if (open == end || *open != '<')
            return false;
        bool plain = true;
        const char* const close = findTextEnd(open + 1, end, '>', plain);
        if (close == end || !plain)
            return false;
        std::uint32_t atLine = line;
        std::uint32_t atColumn = column;
        advancePosition(from, open, atLine, atColumn);
        line = tagLine = atLine;
        tagColumn = atColumn;
        column = atColumn + static_cast<std::uint32_t>(close + 1 - open);
        tagName.append(open + 1, static_cast<std::size_t>(close - open - 1));
        file.advance(close + 1);
        return true;
    };
    if (readInWindow())
        return;
    skipWhitespace();
    if (!moreInput())
        failAt(lvxMessages::unclosedTag, line, column);
    const char first = *file.next();
    readCounted();
    if (first != '<')
        failAt(lvxMessages::notWellFormed, line, column - 1);
    collectText(tagName, '>');
    if (!moreInput())
        failAt(lvxMessages::unclosedTag, line, column);
    readCounted();  // the '>'
}

// Byte tests rather than string compares: this runs for every tag read.
bool lvxParser::isComment() const
{
    const std::size_t n = tagName.size();
    const char* const t = tagName.data();
    return n >= 3 && t[0] == '!' && t[1] == '-' && t[2] == '-' && t[n - 2] == '-' && t[n - 1] == '-';
}

// Comments come in runs. After the first of a run has been read, the ones that
// lie whole in the window are counted and stepped over without being copied
// into tagName; any other tag, and a comment that crosses the end of the
// window, goes through readTag.
void lvxParser::nextTag()
{
    const auto stepOverComment = [this] {
        const char* const from = file.next();
        const char* const end = file.limit();
        if (end - from < 5 || std::memcmp(from, "<!--", 4) != 0)
            return false;
        // The tag ends at its first '>', which cannot lie within "<!--".
        const auto length = static_cast<std::size_t>(end - from - 4);
        const auto* close = static_cast<const char*>(std::memchr(from + 4, '>', length));
        if (close == nullptr || close[-1] != '-' || close[-2] != '-')
            return false;
        countText(from, close + 1, !holdsLineFeedOrNul(from + 4, close), line, column);
        file.advance(close + 1);
        return true;
    };
    readTag();
    while (isComment()) {
        do
            skipWhitespace();
        while (stepOverComment());
        readTag();
    }
}

void lvxParser::readContent()
{
    content.clear();
    tagLine = line;
    tagColumn = column;
    collectText(content, '<');
}

void lvxParser::requireTag(const char* expected) const
{
    if (sameTag(tagName, expected))
        return;
    failAt(expected[0] == '/' ? lvxMessages::unclosedTag : lvxMessages::element, tagLine, tagColumn);
}

void lvxParser::expectTag(const char* expected) const
{
    if (sameTag(tagName, expected))
        return;
    const bool bothClosing = expected[0] == '/' && !tagName.empty() && tagName[0] == '/';
    failAt(bothClosing ? lvxMessages::unclosedTag : lvxMessages::element, tagLine, tagColumn);
}
