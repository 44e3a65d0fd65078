// The excerpt around an error: what stands before the faulty piece, the piece
// itself, what follows, and the line numbers for the gutter.
#include <gtest/gtest.h>

#include "error_excerpt.h"
#include "test_files.h"

namespace {

struct Expected {
    std::string before;
    std::string faulty;
    std::string after;
    std::uint32_t startLine;
    std::uint32_t endLine;
};

struct Case {
    const char* reason;
    std::string file;
    std::uint32_t line;
    std::uint32_t column;
    Expected expected;
};

// "<t1>\n<t2>\n..." up to <tN>: one tag per line, so every line is easy to name.
std::string tagLines(int count)
{
    std::string text;
    for (int n = 1; n <= count; ++n)
        text += "<t" + std::to_string(n) + ">\n";
    return text;
}

ErrorExcerpt buildFor(const std::string& bytes, std::uint32_t line, std::uint32_t column)
{
    ErrorExcerpt excerpt(lvxtest::writeFile("excerpt.lvx", bytes));
    excerpt.build(line, column);
    return excerpt;
}

void expectPieces(const ErrorExcerpt& excerpt, const Expected& expected)
{
    EXPECT_EQ(excerpt.textBefore, expected.before);
    EXPECT_EQ(excerpt.errorText, expected.faulty);
    EXPECT_EQ(excerpt.textAfter, expected.after);
    EXPECT_EQ(excerpt.startLine, expected.startLine);
    EXPECT_EQ(excerpt.endLine, expected.endLine);
}

const Case cases[] = {
    {"error at line 1, column 1: nothing before it; the tag ends its line, so the text after "
     "starts with a bare LF",
     "<qarn>\n<x>\n", 1, 1, {"", "<qarn>", "\n<x>\r\n", 1, 3}},
    {"error at line 2: line 1 with CR LF, then the start of line 2",
     "<a>\n<b>x</b>\n<c>\n", 2, 4, {"<a>\r\n<b>", "x", "</b>\r\n<c>\r\n", 1, 4}},
    {"error at line 10: three lines of context on each side, the last one cut before its LF",
     tagLines(14), 10, 1, {"<t7>\r\n<t8>\r\n<t9>\r\n", "<t10>", "\n<t11>\r\n<t12>\r\n<t13>\r", 7, 14}},
    {"a byte-order mark is blanked in the text before",
     "\xEF\xBB\xBF<qarn>x\n", 1, 10, {"   <qarn>", "x\r\n", "", 1, 2}},
    {"inside content the piece runs up to the next '<'",
     "<a>\n<b>12,34</b>\n", 2, 4, {"<a>\r\n<b>", "12,34", "</b>\r\n", 1, 3}},
    {"a tag not closed within three lines is cut with CR and \"...\" on the fourth",
     "<a>\n<b\nc\nd\ne\nf\n", 2, 1, {"<a>\r\n", "<b\r\nc\r\nd\r...", "", 1, 6}},
    {"an error just past the last byte shows the end-of-file marker",
     "<a>\n<b>", 2, 4, {"<a>\r\n<b>", "\xB7", "", 1, 3}},
    {"a column beyond the end of its line reads to the end: the marker after the last line",
     "<a>\n<b>\n<c>\n", 1, 10, {"<a>\r\n<b>\r\n<c>\r\n", "\xB7", "", 1, 5}},
    {"a file that ends right after the error line: the text after ends in that LF",
     "<a>\n<b>x</b>\n", 2, 4, {"<a>\r\n<b>", "x", "</b>\r\n", 1, 3}},
    {"CR LF line ends give the same pieces as LF",
     "<a>\r\n<b>x</b>\r\n<c>\r\n", 2, 4, {"<a>\r\n<b>", "x", "</b>\r\n<c>\r\n", 1, 4}},
    {"a byte 0x1A ends the input", "<a>\n<b>\x1A<c>\n", 2, 1, {"<a>\r\n", "<b>", "", 1, 3}},
    {"a lone CR is a byte of the line, kept as it is", "<a>\r<b>", 1, 5, {"<a>\r", "<b>", "", 1, 2}},
    {"the piece takes its first byte even when that is a '>'", "<a>>\n", 1, 4, {"<a>", ">\r\n", "", 1, 2}},
};

TEST(ErrorExcerpt, CutsThePiecesAroundTheError)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        expectPieces(buildFor(c.file, c.line, c.column), c.expected);
    }
}

TEST(ErrorExcerpt, StripsOnePairOfQuotesFromTheName)
{
    const std::string path = lvxtest::writeFile("quoted.lvx", "<a>\n<b>x</b>\n");
    ErrorExcerpt excerpt("\"" + path + "\"");
    excerpt.build(2, 4);
    expectPieces(excerpt, {"<a>\r\n<b>", "x", "</b>\r\n", 1, 3});
}

TEST(ErrorExcerpt, StaysEmptyWhenTheFileCannotBeRead)
{
    const char* names[] = {"", "\"", "\"\"", "/nonexistent/dir/file.lvx"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        ErrorExcerpt excerpt(name);
        excerpt.build(2, 3);
        expectPieces(excerpt, {"", "", "", 1, 1});
    }
}

TEST(ErrorExcerpt, SecondBuildOfTheSameFileGivesTheSamePieces)
{
    const std::string file = tagLines(20);
    const ErrorExcerpt first = buildFor(file, 15, 2);
    // A build in between with a longer text before it must leave nothing behind.
    buildFor(tagLines(400), 390, 1);
    const ErrorExcerpt second = buildFor(file, 15, 2);
    EXPECT_EQ(first.textBefore, second.textBefore);
    EXPECT_EQ(first.errorText, second.errorText);
    EXPECT_EQ(first.textAfter, second.textAfter);
    EXPECT_EQ(first.startLine, second.startLine);
    EXPECT_EQ(first.endLine, second.endLine);
}

// What the excerpt of tagLines shows for an error at the start of line n:
// three lines before, the tag, three lines after.
Expected aroundTagLine(std::uint32_t n)
{
    const auto tag = [](std::uint32_t k) { return "<t" + std::to_string(k) + ">"; };
    return {tag(n - 3) + "\r\n" + tag(n - 2) + "\r\n" + tag(n - 1) + "\r\n", tag(n),
            "\n" + tag(n + 1) + "\r\n" + tag(n + 2) + "\r\n" + tag(n + 3) + "\r", n - 3, n + 4};
}

// Large files are read in blocks of 64 KiB, and a block that ends before the
// error line is taken whole: the lines shown may lie on both sides of the end
// of a block, with LF and with CR LF line ends.
TEST(ErrorExcerpt, LinesAroundTheEndsOfBlocks)
{
    const int count = 17000;  // lines of 5 to 8 bytes (6 to 9 with CR LF): past two block ends
    const std::string lf = tagLines(count);
    const std::string pairs = lvxtest::crlf(lf);
    const std::string lfPath = lvxtest::writeFile("blocks-lf.lvx", lf);
    const std::string pairsPath = lvxtest::writeFile("blocks-crlf.lvx", pairs);
    // The lines at the ends of the first two blocks: 8331 and 15798 with LF,
    // 7405 and 14218 with CR LF; and the end of the file.
    const std::uint32_t near[] = {8331, 15798, 7405, 14218, 16990};
    for (const std::uint32_t middle : near) {
        for (std::uint32_t n = middle - 6; n <= middle + 6 && n + 3 <= count; ++n) {
            SCOPED_TRACE("line " + std::to_string(n));
            for (const std::string* path : {&lfPath, &pairsPath}) {
                ErrorExcerpt excerpt(*path);
                excerpt.build(n, 1);
                expectPieces(excerpt, aroundTagLine(n));
            }
        }
    }
}

TEST(ErrorExcerpt, LargeFilesWithFewOrNoLineEnds)
{
    const std::string longLine(100000, 'x');
    const Case large[] = {
        {"fewer than four line ends before the error: the text before starts at line 1",
         "<a>" + longLine + "\n<b>\n<c>\n", 3, 1, {"<a>" + longLine + "\r\n<b>\r\n", "<c>", "\n", 1, 4}},
        {"a column beyond the end of its line in a large file reads to the end",
         tagLines(17000), 10, 100, {"<t16998>\r\n<t16999>\r\n<t17000>\r\n", "\xB7", "", 16998, 17002}},
        {"a line of two blocks before the error line", longLine + "\n" + tagLines(5), 4, 1,
         {longLine + "\r\n<t1>\r\n<t2>\r\n", "<t3>", "\n<t4>\r\n<t5>\r\n", 1, 7}},
        {"a mark before a large file is blanked", "\xEF\xBB\xBF" + tagLines(17000), 16000, 1,
         aroundTagLine(16000)},
    };
    for (const Case& c : large) {
        SCOPED_TRACE(c.reason);
        expectPieces(buildFor(c.file, c.line, c.column), c.expected);
    }
}

// The excerpt counts lines and columns as the validator does: the position the
// check reports is where the excerpt puts the faulty piece.
TEST(ErrorExcerpt, StartsAtThePlaceTheCheckReports)
{
    const std::string doc =
        "\xEF\xBB\xBF<qarn>\r\n<versionsNr>3</versionsNr>\r\n<wsArt>17</wsArt>\r\n<schein>\r\n"
        "\t<lottoTipp>01,02,03,04,05,46</lottoTipp>\r\n</schein>\r\n</qarn>\r\n";
    const std::string path = lvxtest::writeFile("place.lvx", doc);
    const lvxtest::Result result = lvxtest::checkName(path);
    ASSERT_EQ(result.line, 5u);
    ErrorExcerpt excerpt(path);
    excerpt.build(result.line, result.column);
    EXPECT_EQ(excerpt.errorText, "46");
    EXPECT_EQ(excerpt.startLine, 2u);
    EXPECT_EQ(excerpt.endLine, 8u);
}

}  // namespace
