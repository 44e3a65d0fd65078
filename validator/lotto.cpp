#include "lvx_parser.h"

namespace {

// The byte at an offset of the text, or -1 past its end: the end counts as a
// byte that is neither a digit nor a comma.
int byteAt(const std::string& text, std::size_t offset)
{
    return offset < text.size() ? static_cast<unsigned char>(text[offset]) : -1;
}

bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

// A list of count two-digit numbers, separated by single commas, strictly
// ascending, each from 1 to maxValue. The tests of each number run in a fixed
// order, and that order decides the offset that is reported.
void lvxParser::checkNumberList(std::uint32_t count, std::uint32_t maxValue) const
{
    std::uint32_t previous = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t p = 3 * static_cast<std::size_t>(i);
        const int first = byteAt(content, p);
        if (!isDigit(first) || static_cast<std::uint32_t>(first - '0') > maxValue / 10)
            failInContent(p);
        const int second = byteAt(content, p + 1);
        if (!isDigit(second))
            failInContent(second == ',' ? p : p + 1);
        if (i + 1 < count && byteAt(content, p + 2) != ',')
            failInContent(p + 2);
        const auto value = static_cast<std::uint32_t>((first - '0') * 10 + (second - '0'));
        if (value < 1 || value > maxValue)
            failInContent(p);
        if (i > 0 && value <= previous)
            failInContent(p);
        previous = value;
    }
    const std::size_t length = 3 * static_cast<std::size_t>(count) - 1;
    if (content.size() > length)
        failInContent(length);
}

// One to twelve lotto tips of six numbers from 1 to 45. A thirteenth tip is
// left current for the body, which refuses it where it expects /schein.
void lvxParser::checkLottoTicket()
{
    static constexpr int maxTips = 12;
    for (int tips = 0; tips < maxTips; ++tips) {
        if (!nextTip("lottoTipp", tips))
            return;
        readContent();
        checkNumberList(6, 45);
        nextTag();
        requireTag("/lottoTipp");
    }
    nextTag();
}
