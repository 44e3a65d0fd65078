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

// Steps over plain ASCII bytes: 32 at a time while they last, then 8 at a time.
const char* skipAscii(const char* p, const char* end)
{
    while (end - p >= 32) {
        if ((loadWord(p) | loadWord(p + 8) | loadWord(p + 16) | loadWord(p + 24)) & highBits)
            break;
        p += 32;
    }
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

// Counts the bytes [from, to) of a tag or a content; a NUL byte among them is
// an encoding error. plain, from findTextEnd, tells that they hold neither an
// LF nor a NUL byte, the usual case, which only moves the column.
void countText(const char* from, const char* to, bool plain, std::uint32_t& line, std::uint32_t& column)
{
    if (plain) {
        column += static_cast<std::uint32_t>(to - from);
        return;
    }
    if (std::memchr(from, '\0', static_cast<std::size_t>(to - from)) != nullptr)
        throw lvxParser::Error(lvxMessages::encoding);
    advancePosition(from, to, line, column);
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

void lvxParser::readTag()
{
    tagName.clear();
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
        bool plain = true;
        const char* const close = findTextEnd(from + 4, end, '>', plain);
        if (close == end || close[-1] != '-' || close[-2] != '-')
            return false;
        countText(from, close + 1, plain, line, column);
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
