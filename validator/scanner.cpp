#include <algorithm>
#include <cstring>

#include "lvx_parser.h"
#include "messages.h"
#include "scanner_inline.h"

// The scanner works on the reader's window [file.next(), file.limit()): it
// finds the end of a tag or a content eight bytes at a time and goes on in the
// next block only where a piece crosses the end of the window. A tag or
// content that lies whole in the window is not copied: tagName and content
// are views of the window. Places are kept as offsets into the text; lines
// and columns are counted only for an error (placeOf).
//
// The reader leaves CR LF pairs as they are. Between tags both bytes are
// white space; a tag or content that holds a CR goes through collectText,
// which turns the pairs into LF. A place is never the LF of a pair (it is a
// '<', the byte after a '>', a byte that is no white space, or the end), so
// its line and column come out the same counted over the pairs as over the
// text where each pair is one LF.

// The reader's end of input, seen from the check. The reader judges the UTF-8
// structure of each block as it loads it; a broken byte anywhere is the
// answer, and so is a source cut off at the size limit (a file that grew while
// it was read), or a character cut off by the end of the input.
bool lvxParser::fillInput()
{
    if (file.refill()) {
        if (file.utf8Broken())
            throw Error(lvxMessages::encoding);
        return true;
    }
    if (file.overLimit())
        throw Error(lvxMessages::limit);
    if (file.utf8Unfinished())
        throw Error(lvxMessages::encoding);
    return false;
}

// Reads the rest of the input for the encoding and the size alone: both are
// judged over the whole file, before anything found in its content.
void lvxParser::finishReading()
{
    while (fillInput())
        file.advance(file.limit());
}

// The line and column of a byte offset, counted over the text once more from
// its start: a correct file never needs them. Every LF starts a line; every
// other byte is a column, a CR and the bytes of a mark included (the CR of a
// pair ends its line, so no place on that line comes after it).
lvxParser::Place lvxParser::placeOf(std::uint64_t offset)
{
    file.checkUtf8(false);
    file.rewind(0);
    std::uint32_t atLine = 1;
    std::uint64_t lineStart = 0;
    std::uint64_t windowStart = 0;
    while (windowStart < offset && file.refill()) {
        const char* const from = file.next();
        const auto size = static_cast<std::uint64_t>(file.limit() - from);
        const char* const to = from + static_cast<std::size_t>(std::min(size, offset - windowStart));
        if (const std::size_t lineFeeds = countLineFeeds(from, to)) {
            atLine += static_cast<std::uint32_t>(lineFeeds);
            const char* last = to - 1;
            while (*last != '\n')
                --last;
            lineStart = windowStart + static_cast<std::uint64_t>(last + 1 - from);
        }
        windowStart += size;
        file.advance(file.limit());
    }
    return {atLine, 1 + static_cast<std::uint32_t>(offset - lineStart)};
}

// Steps over a run of white space; the current place is then where it ends.
void lvxParser::skipWhitespace()
{
    while (moreInput()) {
        const char* const to = lvxScan::skipWhitespace(file.next(), file.limit());
        file.advance(to);
        if (to != file.limit())
            break;
    }
    tagPlace = offsetHere();
}

namespace {

// Turns every CR LF pair of the text into a single LF, as the reader would.
void collapseCrLf(std::string& text)
{
    std::size_t out = 0;
    for (std::size_t in = 0; in < text.size(); ++in)
        if (text[in] != '\r' || in + 1 == text.size() || text[in + 1] != '\n')
            text[out++] = text[in];
    text.resize(out);
}

}  // namespace

// Sets text to the bytes up to, not including, the next stop byte (or the end
// of the input). A byte 0x00 in it is an encoding error. The reader keeps CR
// LF pairs: a text that holds one is copied into store, and so is a text that
// crosses the end of the window, and the pairs there become LF.
void lvxParser::collectText(std::string& store, std::string_view& text, char stop)
{
    text = {};
    bool copied = false;  // the text so far is in store
    while (moreInput()) {
        const char* const from = file.next();
        const char* const end = file.limit();
        const char* const to = file.windowMayHoldNul() ? lvxScan::findStop<true, false>(from, end, stop)
                                                       : lvxScan::findStop<false, false>(from, end, stop);
        if (to != end && *to != stop)
            throw Error(lvxMessages::encoding);  // a NUL byte
        file.advance(to);
        if (to != end && !copied) {
            text = std::string_view(from, static_cast<std::size_t>(to - from));
            if (text.find('\r') == std::string_view::npos)
                return;
            store.assign(text);
            copied = true;
            break;
        }
        if (copied)
            store.append(from, to);
        else
            store.assign(from, to);
        copied = true;
        if (to != end)
            break;
    }
    if (!copied)
        return;
    collapseCrLf(store);
    text = store;
}

// A tag that lies whole in the window after its white space is read in one
// step there; any other goes byte run by byte run through the general path,
// which also finds every error.
void lvxParser::readTag()
{
    const char* const end = file.limit();
    const char* const open = lvxScan::skipWhitespace(file.next(), end);
    file.advance(open);
    if (open != end && *open == '<') {
        const char* const close = lvxScan::findPlainEnd(file, open + 1, end, '>');
        if (close != end && *close == '>') {
            tagPlace = file.offsetOf(open);
            tagName = std::string_view(open + 1, static_cast<std::size_t>(close - open - 1));
            file.advance(close + 1);
            return;
        }
    }
    readTagSlowly();
}

void lvxParser::readTagSlowly()
{
    skipWhitespace();
    if (!moreInput())
        failAt(lvxMessages::unclosedTag, offsetHere());
    const char* const first = file.next();
    const std::uint64_t firstPlace = offsetHere();
    file.advance(first + 1);
    if (*first != '<')
        failAt(lvxMessages::notWellFormed, firstPlace);
    collectText(tagStore, tagName, '>');
    if (!moreInput())
        failAt(lvxMessages::unclosedTag, offsetHere());
    file.advance(file.next() + 1);  // the '>'
}

// Byte tests rather than string compares: this runs for every tag read.
bool lvxParser::isComment() const
{
    const std::size_t n = tagName.size();
    const char* const t = tagName.data();
    return n >= 3 && t[0] == '!' && t[1] == '-' && t[2] == '-' && t[n - 2] == '-' && t[n - 1] == '-';
}

// Comments come in runs. After the first of a run has been read, the white
// space and the comments that lie whole in the window are stepped over in one
// loop, without being copied into tagName; any other tag, and a comment that
// crosses the end of the window, goes through readTag.
void lvxParser::skipComments()
{
    const char* p = file.next();
    const char* end = file.limit();
    for (;;) {
        p = lvxScan::skipWhitespace(p, end);
        if (p == end) {
            file.advance(p);
            if (!moreInput())
                return;
            p = file.next();
            end = file.limit();
            continue;
        }
        if (end - p < 5 || std::memcmp(p, "<!--", 4) != 0)
            break;
        // The tag ends at its first '>', which cannot lie within "<!--".
        const auto length = static_cast<std::size_t>(end - p - 4);
        const auto* close = static_cast<const char*>(std::memchr(p + 4, '>', length));
        if (close == nullptr || close[-1] != '-' || close[-2] != '-')
            break;
        if (file.windowMayHoldNul() && std::memchr(p + 4, '\0', static_cast<std::size_t>(close - p - 4)) != nullptr)
            throw Error(lvxMessages::encoding);
        p = close + 1;
    }
    file.advance(p);
}

void lvxParser::nextTag()
{
    readTag();
    while (isComment()) {
        skipComments();
        readTag();
    }
}

void lvxParser::failRequired(std::string_view expected) const
{
    failAt(expected[0] == '/' ? lvxMessages::unclosedTag : lvxMessages::element, tagPlace);
}

void lvxParser::failExpected(std::string_view expected) const
{
    const bool bothClosing = expected[0] == '/' && !tagName.empty() && tagName[0] == '/';
    failAt(bothClosing ? lvxMessages::unclosedTag : lvxMessages::element, tagPlace);
}
