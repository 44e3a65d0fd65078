#include "lvx_parser.h"
#include "scanner_inline.h"

namespace {

// The byte at an offset of the text, or -1 past its end: the end counts as a
// byte that is neither a digit nor a comma.
int byteAt(std::string_view text, std::size_t offset)
{
    return offset < text.size() ? static_cast<unsigned char>(text[offset]) : -1;
}

bool isDigit(int c)
{
    return c >= '0' && c <= '9';
}

// Whether the count numbers at text form a correct list, judged in one pass
// without a branch per test: nearly every list is, and a wrong one is then
// judged test by test. For two digits the order of the numbers is the order
// of their two bytes taken as one number, the first byte high; so the list
// ascends above 00 when these keys do, and it stays within maxValue (below
// 100) when its last key does.
template <std::uint32_t count>
bool isCorrectList(const char* text, std::uint32_t maxValue)
{
    unsigned wrong = 0;
    unsigned previousKey = '0' << 8 | '0';
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned first = static_cast<unsigned char>(text[3 * i]);
        const unsigned second = static_cast<unsigned char>(text[3 * i + 1]);
        const unsigned key = first << 8 | second;
        wrong |= static_cast<unsigned>(first - '0' > 9) | static_cast<unsigned>(second - '0' > 9) |
                 static_cast<unsigned>(key <= previousKey);
        if (i + 1 < count)
            wrong |= static_cast<unsigned>(text[3 * i + 2] != ',');
        previousKey = key;
    }
    const unsigned maxKey = ('0' + maxValue / 10) << 8 | ('0' + maxValue % 10);
    return (wrong | static_cast<unsigned>(previousKey > maxKey)) == 0;
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

// The content of a number list, and its check. A correct list at the start of
// the window with a '<' after it holds neither '<' nor a NUL byte, so it is
// the whole content: taken without looking for its end.
template <std::uint32_t count>
void lvxParser::readNumberList(std::uint32_t maxValue)
{
    constexpr std::size_t length = 3 * count - 1;
    const char* const from = file.next();
    if (static_cast<std::size_t>(file.limit() - from) > length && from[length] == '<' &&
        isCorrectList<count>(from, maxValue)) {
        tagPlace = file.offsetOf(from);
        content = std::string_view(from, length);
        file.advance(from + length);
        return;
    }
    readContent();
    checkNumberList(count, maxValue);
}

template void lvxParser::readNumberList<2>(std::uint32_t);
template void lvxParser::readNumberList<5>(std::uint32_t);

// One to twelve lotto tips of six numbers from 1 to 45. A thirteenth tip is
// left current for the body, which refuses it where it expects /schein.
void lvxParser::checkLottoTicket()
{
    static constexpr int maxTips = 12;
    for (int tips = 0; tips < maxTips; ++tips) {
        if (!nextTip("lottoTipp", tips))
            return;
        readNumberList<6>(45);
        nextTag("/lottoTipp");
        requireTag("/lottoTipp");
    }
    nextTag("/schein");
}
