#pragma once

// The scanner's steps that run for nearly every tag of a ticket, inline where
// the tickets are read, so that an expected tag's name is a constant there.

#include <cstring>

#include "byte_words.h"
#include "lvx_parser.h"
#include "messages.h"

namespace lvxScan {

// Steps over white space (blank, tab, CR, LF) in [p, end): returns the first
// other byte, or end. A single shift picks the four out of the bytes up to
// the blank.
inline const char* skipWhitespace(const char* p, const char* end)
{
    constexpr std::uint64_t whitespace = 1ull << ' ' | 1ull << '\t' | 1ull << '\r' | 1ull << '\n';
    for (; p != end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c > ' ' || ((whitespace >> c) & 1) == 0)
            break;
    }
    return p;
}

// The first stop byte in [p, end), or the first NUL byte (with lookForNul)
// or CR (with lookForCr) if that comes earlier, or end. Eight bytes at a time
// and without a library call, since tags and contents are short and every one
// passes here. A caller leaves out a byte that the window cannot hold.
template <bool lookForNul, bool lookForCr>
inline const char* findStop(const char* p, const char* end, char stop)
{
    const auto stopByte = static_cast<unsigned char>(stop);
    for (; end - p >= 8; p += 8) {
        const std::uint64_t word = byteWords::load(p);
        std::uint64_t found = byteWords::bytesEqual(word, stopByte);
        if (lookForNul)
            found |= byteWords::bytesEqual(word, 0);
        if (lookForCr)
            found |= byteWords::bytesEqual(word, '\r');
        if (found != 0)
            return p + byteWords::lowestFlagged(found);
    }
    while (p != end && *p != stop && !(lookForNul && *p == '\0') && !(lookForCr && *p == '\r'))
        ++p;
    return p;
}

// The end of a text that lies whole in the window and holds neither a NUL
// byte nor a CR, the usual case: the stop byte. Anything else stops earlier.
inline const char* findPlainEnd(const TextReader& file, const char* p, const char* end, char stop)
{
    if (file.windowMayHoldCr())
        return file.windowMayHoldNul() ? findStop<true, true>(p, end, stop) : findStop<false, true>(p, end, stop);
    return file.windowMayHoldNul() ? findStop<true, false>(p, end, stop) : findStop<false, false>(p, end, stop);
}

}  // namespace lvxScan

// The tag that usually comes next is recognized by one comparison where it
// lies whole in the window; anything else goes through nextTag(). likely holds
// no '>' and no NUL byte and is no comment, so that nextTag() would read the
// same tag the same way.
inline void lvxParser::nextTag(std::string_view likely)
{
    const char* const end = file.limit();
    const char* const open = lvxScan::skipWhitespace(file.next(), end);
    file.advance(open);
    const auto length = likely.size();
    if (static_cast<std::size_t>(end - open) >= length + 2 && open[0] == '<' && open[length + 1] == '>' &&
        std::memcmp(open + 1, likely.data(), length) == 0) {
        tagPlace = file.offsetOf(open);
        tagName = std::string_view(open + 1, length);
        file.advance(open + length + 2);
        return;
    }
    nextTag();
}

// A content that lies whole in the window is taken in one step; any other
// goes through collectText, which also finds every error.
inline void lvxParser::readContent()
{
    const char* const from = file.next();
    const char* const end = file.limit();
    tagPlace = file.offsetOf(from);
    const char* const to = lvxScan::findPlainEnd(file, from, end, '<');
    if (to != end && *to == '<') {
        content = std::string_view(from, static_cast<std::size_t>(to - from));
        file.advance(to);
        return;
    }
    collectText(contentStore, content, '<');
}

// Reads the next tag inside a ticket and tells whether it opens another tip. A
// ticket without any tip is refused at that tag; after the first tip, any
// other tag ends the ticket and is left for the body's check of /schein.
inline bool lvxParser::nextTip(std::string_view tipTag, int tipsSoFar)
{
    nextTag(tipTag);
    if (tagIs(tipTag))
        return true;
    if (tipsSoFar == 0)
        failAt(lvxMessages::element, tagPlace);
    return false;
}
