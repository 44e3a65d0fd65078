#include "lvx_parser.h"
#include "messages.h"
#include "scanner_inline.h"

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads an unsigned decimal number the way strtoul does: leading white space,
// an optional sign ('-' negates modulo 2^32), digits. A value beyond 32 bits
// saturates, so it never passes for a small one. Returns the offset where the
// reading ended: where the text began when there was no digit.
std::size_t readUnsigned(const std::string& text, std::size_t start, std::uint32_t& value)
{
    std::size_t i = start;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t digits = i;
    std::uint64_t number = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        if (number <= UINT32_MAX)
            number = number * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (i == digits) {
        value = 0;
        return start;
    }
    if (number > UINT32_MAX)
        value = UINT32_MAX;
    else
        value = negative ? 0u - static_cast<std::uint32_t>(number) : static_cast<std::uint32_t>(number);
    return i;
}

// Which ticket types each interface version admits.
bool versionAdmits(std::uint32_t major, int ticketType)
{
    if (major == 3)
        return ticketType == 17 || ticketType == 28;
    if (major == 4)
        return ticketType == 34;
    return false;
}

}  // namespace

// The root tag and the header, in their fixed order. Returns with the first
// tag after the header current.
void lvxParser::parseHeader()
{
    parseProlog();
    expectTag("qarn");

    nextTag();
    requireTag("versionsNr");
    readContent();
    readVersion();
    const std::uint64_t versionPlace = tagPlace;
    nextTag();
    requireTag("/versionsNr");
    nextTag();

    if (tagIs("kundenNr"))
        readNumberElement("/kundenNr", 999999);
    if (tagIs("spielID"))
        readNumberElement("/spielID", 999999);

    requireTag("wsArt");
    readContent();
    wsArt = checkWsArt();
    // Judged only after the ticket type itself has passed.
    if (!versionAdmits(versionMajor, wsArt))
        failAt(lvxMessages::content, versionPlace);
    nextTag();
    requireTag("/wsArt");
    nextTag();

    if (tagIs("tnDauer")) {
        readContent();
        checkTnDauer();
        nextTag();
        requireTag("/tnDauer");
        nextTag();
    }
    if (tagIs("filter")) {
        readContent();
        checkFilter();
        nextTag();
        requireTag("/filter");
        nextTag();
    }
}

// An optional number element whose opening tag is current: its value, its
// closing tag, and on to the next tag.
void lvxParser::readNumberElement(const char* closingTag, std::uint32_t maxValue)
{
    readContent();
    checkNumber(maxValue);
    nextTag();
    requireTag(closingTag);
    nextTag();
}

// Never fails: a text without a usable major number is refused by the version rule.
void lvxParser::readVersion()
{
    versionText = content;
    const std::size_t end = readUnsigned(versionText, 0, versionMajor);
    versionMinor = 0;
    if (end < versionText.size())
        readUnsigned(versionText, end + 1, versionMinor);
}

std::uint32_t lvxParser::checkNumber(std::uint32_t maxValue) const
{
    if (content.empty())
        failInContent(0);
    std::uint64_t value = 0;
    for (const char c : content) {
        if (!isDigit(c))
            failInContent(0);
        if (value <= maxValue)
            value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value == 0 || value > maxValue)
        failInContent(0);
    return static_cast<std::uint32_t>(value);
}

int lvxParser::checkWsArt() const
{
    if (content.size() != 2 || !isDigit(content[0]) || !isDigit(content[1]))
        failInContent(0);
    const int code = (content[0] - '0') * 10 + (content[1] - '0');
    if (code != 17 && code != 28 && code != 34)
        failInContent(0);
    return code;
}

void lvxParser::checkTnDauer() const
{
    checkNumber(wsArt == 28 ? 4 : 10);
}

// Up to 20 codes of four digits or capital letters, separated by single commas.
void lvxParser::checkFilter() const
{
    static constexpr int maxCodes = 20;
    if (content.empty())
        return;
    std::size_t start = 0;
    for (int codes = 1;; ++codes) {
        std::size_t end = content.find(',', start);
        if (end == std::string_view::npos)
            end = content.size();
        for (std::size_t i = start; i < end; ++i)
            if (!isDigit(content[i]) && !(content[i] >= 'A' && content[i] <= 'Z'))
                failInContent(start);
        if (end - start != 4)
            failInContent(start);
        if (end == content.size())
            return;
        if (codes == maxCodes)
            failInContent(end);
        start = end + 1;
    }
}
