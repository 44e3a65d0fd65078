#include <cstring>

#include "lvx_parser.h"
#include "messages.h"

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
    if (*file.next() == '\n') {
        ++line;
        column = 1;
    } else {
        ++column;
    }
    file.advance(file.next() + 1);
}

namespace {

// Steps over plain ASCII bytes, eight at a time.
const char* skipAscii(const char* p, const char* end)
{
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            break;
        p += 8;
    }
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

void lvxParser::skipWhitespace()
{
    while (moreInput()) {
        const char c = *file.next();
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            break;
        readCounted();
    }
    tagLine = line;
    tagColumn = column;
}

// Appends the bytes up to, not including, the next stop byte (or the end of
// the input) to text, counting them. A byte 0x00 in it is an encoding error.
void lvxParser::collectText(std::string& text, char stop)
{
    while (moreInput()) {
        const char* const from = file.next();
        const auto available = static_cast<std::size_t>(file.limit() - from);
        const auto* found = static_cast<const char*>(std::memchr(from, stop, available));
        const char* const to = found != nullptr ? found : file.limit();
        if (std::memchr(from, '\0', static_cast<std::size_t>(to - from)) != nullptr)
            throw Error(lvxMessages::encoding);
        text.append(from, to);
        advancePosition(from, to, line, column);
        file.advance(to);
        if (found != nullptr)
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

bool lvxParser::isComment() const
{
    return tagName.size() >= 3 && tagName.compare(0, 3, "!--") == 0 &&
           tagName.compare(tagName.size() - 2, 2, "--") == 0;
}

void lvxParser::nextTag()
{
    do
        readTag();
    while (isComment());
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
    if (tagIs(expected))
        return;
    failAt(expected[0] == '/' ? lvxMessages::unclosedTag : lvxMessages::element, tagLine, tagColumn);
}

void lvxParser::expectTag(const char* expected) const
{
    if (tagIs(expected))
        return;
    const bool bothClosing = expected[0] == '/' && !tagName.empty() && tagName[0] == '/';
    failAt(bothClosing ? lvxMessages::unclosedTag : lvxMessages::element, tagLine, tagColumn);
}
