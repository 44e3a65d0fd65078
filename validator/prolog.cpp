#include <cstring>

#include "lvx_parser.h"
#include "messages.h"

// An optional XML declaration as the very first thing, and comments before the
// root element. A declaration anywhere else stays the current tag and is
// refused as an element by the root check.
void lvxParser::parseProlog()
{
    const bool startsWithTag = peekByte() == '<';
    readTag();
    if (startsWithTag && checkDeclaration()) {
        nextTag();
        return;
    }
    if (isComment())
        nextTag();
}

namespace {

bool holdsAt(std::string_view text, std::size_t offset, const char* piece)
{
    const std::size_t length = std::strlen(piece);
    return text.size() >= offset + length && text.compare(offset, length, piece) == 0;
}

bool holdsOneOf(std::string_view text, std::size_t offset, std::initializer_list<const char*> pieces)
{
    for (const char* piece : pieces)
        if (holdsAt(text, offset, piece))
            return true;
    return false;
}

}  // namespace

// The declaration is not parsed as general XML: one fixed shape is compared
// piece by piece at fixed offsets of the tag text. A positioned error names the
// column where the expected piece would begin if the tag stood on one line.
bool lvxParser::checkDeclaration() const
{
    if (!holdsAt(tagName, 0, "?xml "))
        return false;
    const auto failAtOffset = [this](std::size_t offset) {
        failAt(lvxMessages::content, tagPlace, 1 + static_cast<std::uint32_t>(offset));
    };
    if (!holdsAt(tagName, 5, "version="))
        failAtOffset(5);
    if (!holdsOneOf(tagName, 13, {"'1.0'", "\"1.0\""}))
        failAtOffset(13);
    if (holdsAt(tagName, 18, "?") || holdsAt(tagName, 18, " ?"))
        return true;
    // Offset 18 is a separator of any kind, not examined.
    if (!holdsAt(tagName, 19, "encoding="))
        failAtOffset(19);
    if (!holdsOneOf(tagName, 28, {"'UTF-8'", "\"UTF-8\"", "'utf-8'", "\"utf-8\"", "'ASCII'", "\"ASCII\"",
                                  "'ascii'", "\"ascii\""}))
        throw Error(lvxMessages::encoding);
    const std::size_t questionMark = holdsAt(tagName, 35, " ") ? 36 : 35;
    if (!holdsAt(tagName, questionMark, "?"))
        failAtOffset(questionMark);
    return true;
}
