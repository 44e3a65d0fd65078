#include "lvx_parser.h"
#include "scanner_inline.h"

namespace {

bool isOneOf(char c, const char* set)
{
    for (; *set != '\0'; ++set)
        if (c == *set)
            return true;
    return false;
}

// Whether the text is a correct toto text, judged in one pass without a
// branch per place: nearly every text is, and a wrong one is then judged
// place by place. Five dashes in all, none of them in the first five places,
// never makes a sixth dash the one refused.
bool isCorrectTotoText(std::string_view text, std::size_t places, int dashes)
{
    if (text.size() != 2 * places - 1)
        return false;
    unsigned wrong = 0;
    int dashCount = 0;
    for (std::size_t k = 0; k < places; ++k) {
        // Bitwise operators, not logical ones: the symbols are random, and a
        // branch for each would mostly be mispredicted.
        const char c = text[2 * k];
        const unsigned dash = static_cast<unsigned>(c == '-');
        dashCount += static_cast<int>(dash);
        const unsigned symbol = static_cast<unsigned>(c == '1') | static_cast<unsigned>(c == '2') |
                                static_cast<unsigned>(c == 'X') | (dash & static_cast<unsigned>(k >= 5));
        wrong |= symbol ^ 1u;
        if (k + 1 < places)
            wrong |= static_cast<unsigned>(text[2 * k + 1] != ',');
    }
    return wrong == 0 && dashCount == dashes;
}

}  // namespace

// One to thirteen toto tips, then optionally one torwette tip.
void lvxParser::checkTotoTicket()
{
    static constexpr int maxTips = 13;
    int tips = 0;
    for (; tips < maxTips; ++tips) {
        if (!nextTip("totoTipp", tips))
            break;
        readContent();
        checkTotoText();
        nextTag("/totoTipp");
        requireTag("/totoTipp");
    }
    // After the thirteenth tip the next tag has not been read yet.
    if (tips == maxTips)
        nextTag("torwetteTipp");
    if (tagIs("torwetteTipp"))
        checkTorwetteTipp();
}

// Eighteen symbols with a comma between each two; exactly five dashes, none of
// them in the first five places.
void lvxParser::checkTotoText() const
{
    static constexpr std::size_t places = 18;
    static constexpr std::size_t length = 2 * places - 1;
    static constexpr int dashes = 5;
    if (isCorrectTotoText(content, places, dashes))
        return;
    const std::size_t size = content.size();
    int dashCount = 0;
    for (std::size_t k = 0; k < places; ++k) {
        const std::size_t p = 2 * k;
        const std::size_t needed = k + 1 < places ? p + 2 : length;
        if (size < needed)
            failInContent(size);
        if (content[p] == '-')
            ++dashCount;
        const char* allowed = (k < 5 || dashCount > dashes) ? "12X" : "12X-";
        if (!isOneOf(content[p], allowed))
            failInContent(p);
        if (k + 1 < places && content[p + 1] != ',')
            failInContent(p + 1);
    }
    if (dashCount != dashes)
        failInContent(0);
    if (size > length)
        failInContent(length);
}

// Five pairs of the symbols 0, 1, 2 and +, separated by commas.
void lvxParser::checkTorwetteTipp()
{
    static constexpr std::size_t pairs = 5;
    static constexpr std::size_t length = 3 * pairs - 1;
    static constexpr char symbols[] = "012+";
    readContent();
    const std::size_t size = content.size();
    for (std::size_t i = 0; i < pairs; ++i) {
        const std::size_t p = 3 * i;
        const std::size_t needed = i + 1 < pairs ? p + 3 : length;
        if (size < needed)
            failInContent(size);
        if (!isOneOf(content[p], symbols))
            failInContent(p);
        if (!isOneOf(content[p + 1], symbols))
            failInContent(p + 1);
        if (i + 1 < pairs && content[p + 2] != ',')
            failInContent(p + 2);
    }
    if (size > length)
        failInContent(length);
    nextTag("/torwetteTipp");
    requireTag("/torwetteTipp");
    nextTag("/schein");
}
