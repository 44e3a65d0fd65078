// What the result display computes for its controls: which path the excerpt
// takes, the red range in the units of that path, the gutter and the message.
#include <gtest/gtest.h>

#include "error_excerpt.h"
#include "result_display.h"

namespace {

TEST(HoldsMultiByteUtf8, JudgesByBitPatternAlone)
{
    const struct {
        const char* text;
        bool expected;
        const char* reason;
    } rows[] = {
        {"", false, "empty"},
        {"plain ASCII <a>", false, "no multi-byte sequence"},
        {"Gr\xC3\xBC\xC3\x9F" "e", true, "two-byte sequences"},
        {"\xE2\x82\xAC", true, "three bytes: the euro sign"},
        {"\xF0\x9F\x98\x80", true, "four bytes"},
        {"\xC0\x80", true, "over-long form passes"},
        {"\xED\xA0\x80", true, "encoded surrogate passes"},
        {"\xF7\xBF\xBF\xBF", true, "above U+10FFFF passes"},
        {"a\xC3", false, "sequence cut short by the end"},
        {"\xC3(", false, "lead byte without continuation"},
        {"\x80", false, "continuation byte where a character begins"},
        {"\xF8\x88\x80\x80\x80", false, "not a UTF-8 byte"},
        {"ok \xFC", false, "a lone Windows-1252 byte"},
        {"\xB7", false, "the end-of-file marker"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(holdsMultiByteUtf8(row.text), row.expected) << row.reason;
}

TEST(GutterText, NumbersFromStartWhileBelowEnd)
{
    EXPECT_EQ(gutterText(7, 14), "7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n");
    EXPECT_EQ(gutterText(1, 2), "1\r\n");
    EXPECT_EQ(gutterText(5, 5), "") << "start equal to end: empty";
    EXPECT_EQ(gutterText(6, 5), "") << "start above end: empty";
    EXPECT_EQ(gutterText(999, 1001), "999\r\n1000\r\n") << "no digit grouping";
}

TEST(WithoutLineFeeds, RemovesEveryLfAndKeepsCr)
{
    EXPECT_EQ(withoutLineFeeds("a\nb\r\nc\n"), "ab\rc");
    EXPECT_EQ(withoutLineFeeds("Keine Datei angegeben."), "Keine Datei angegeben.");
}

ErrorExcerpt excerptOf(const std::string& before, const std::string& faulty, const std::string& after)
{
    ErrorExcerpt excerpt("unused.lvx");
    excerpt.textBefore = before;
    excerpt.errorText = faulty;
    excerpt.textAfter = after;
    return excerpt;
}

TEST(LayoutExcerpt, CountsTheRedRangeInTheUnitsOfItsPath)
{
    const struct {
        const char* reason;
        ErrorExcerpt excerpt;
        bool utf16;
        std::size_t start;
        std::size_t end;
    } rows[] = {
        {"pure ASCII: 8-bit path, bytes", excerptOf("<a>\r\n<b>", "46", "</b>\r\n"), false, 8, 10},
        {"a two-byte character before the piece: UTF-16 path, one unit less",
         excerptOf("<k>M\xC3\xBCller\r\n<b>", "46", "</b>"), true, 14, 16},
        {"a four-byte character counts two UTF-16 units", excerptOf("\xF0\x9F\x98\x80", "x", ""), true, 2, 3},
        {"a lone byte 0xFC: 8-bit path, bytes", excerptOf("<k>M\xFCller\r\n<b>", "46", ""), false, 14, 16},
        {"the end-of-file marker keeps the 8-bit path", excerptOf("<a>\r\n<b>", "\xB7", ""), false, 8, 9},
        {"a multi-byte character in the piece itself", excerptOf("<a>", "\xC3\xA4\xC3\xB6", "</a>"), true, 3, 5},
        {"a range that ends at the end of the text", excerptOf("ab", "c", ""), false, 2, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const ExcerptLayout layout = layoutExcerpt(row.excerpt);
        EXPECT_EQ(layout.text, row.excerpt.textBefore + row.excerpt.errorText + row.excerpt.textAfter);
        EXPECT_EQ(layout.utf16, row.utf16);
        EXPECT_EQ(layout.redStart, row.start);
        EXPECT_EQ(layout.redEnd, row.end);
    }
}

// Ill-formed pieces (they pass the bit-pattern test) become U+FFFD, one for
// each longest start of a sequence, as the platform's conversion does.
TEST(Utf16FromUtf8, ReplacesIllFormedPiecesWithReplacementCharacters)
{
    EXPECT_EQ(utf16FromUtf8("M\xC3\xBCller"), u"M\u00FCller");
    EXPECT_EQ(utf16FromUtf8("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(utf16FromUtf8("\xC0\x80"), u"\uFFFD\uFFFD");
    EXPECT_EQ(utf16FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(utf16FromUtf8("\xE2\x82" "a"), u"\uFFFDa");
    EXPECT_EQ(utf8FromUtf16(utf16FromUtf8("Gr\xC3\xBC\xC3\x9F" "e \xF0\x9F\x98\x80")),
              "Gr\xC3\xBC\xC3\x9F" "e \xF0\x9F\x98\x80");
}

TEST(Utf8FromWindows1252, MapsEveryByteToItsCharacter)
{
    EXPECT_EQ(utf8FromWindows1252("M\xFCller"), "M\xC3\xBCller");
    EXPECT_EQ(utf8FromWindows1252("\xB7"), "\xC2\xB7") << "the end-of-file marker";
    EXPECT_EQ(utf8FromWindows1252("\x80"), "\xE2\x82\xAC") << "the euro sign";
    EXPECT_EQ(utf8FromWindows1252("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D")
        << "undefined bytes stand for the control characters of the same value";
    EXPECT_EQ(utf8FromWindows1252("a\tb\r\n"), "a\tb\r\n");
}

}  // namespace
