// The character reader and the tag scanner: line and column counting, the
// reading discipline (CR LF, lone CR, 0x1A), the UTF-8 check, NUL bytes, tags,
// comments and the end of the input.

#include <gtest/gtest.h>

#include "test_files.h"

using namespace lvxtest;

namespace {

const std::string bom = "\xEF\xBB\xBF";

// The smallest correct lotto file, one element a line; `tipLine` replaces
// line 6, the line of the tip.
std::string lottoFile(const std::string& tipLine)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"  // 1
           "<qarn>\n"                                      // 2
           "<versionsNr>3.0</versionsNr>\n"                // 3
           "<wsArt>17</wsArt>\n"                           // 4
           "<schein>\n"                                    // 5
           + tipLine + "\n"                                // 6
           "</schein>\n"                                   // 7
           "</qarn>\n";                                    // 8
}

const std::string badTip = "<lottoTipp>01,02,03,04,05,46</lottoTipp>";  // 46 at offset 15

struct PlaceRow {
    const char* reason;
    std::string lfText;  // written with LF line ends
    Result expected;
};

// Every row is checked twice: as written, and with each LF turned into CR LF.
// Both line ends count alike, so the expected place is the same.
void checkBothLineEnds(const std::vector<PlaceRow>& rows)
{
    for (const PlaceRow& row : rows) {
        SCOPED_TRACE(row.reason);
        {
            SCOPED_TRACE("LF line ends");
            EXPECT_EQ(row.expected, check(row.lfText));
        }
        {
            SCOPED_TRACE("CR LF line ends");
            EXPECT_EQ(row.expected, check(crlf(row.lfText)));
        }
    }
}

}  // namespace

TEST(Positions, LinesAndColumns)
{
    const std::vector<PlaceRow> rows = {
        {"the smallest correct lotto file", lottoFile("<lottoTipp>03,11,17,28,40,45</lottoTipp>"),
         correct()},
        {"the tip text starts in column 12; 46 is 15 bytes further", lottoFile(badTip),
         at(text::content, 6, 27)},
        {"a UTF-8 mark moves only line 1", bom + lottoFile(badTip), at(text::content, 6, 27)},
        {"a tab counts as one column", lottoFile("\t" + badTip), at(text::content, 6, 28)},
        {"two blanks and a tab count as three columns", lottoFile("  \t" + badTip),
         at(text::content, 6, 30)},
        {"a comment before the tip on its line", lottoFile("<!-- c -->" + badTip),
         at(text::content, 6, 37)},
        {"each byte of a two-byte character is a column",
         lottoFile("<!--\xC3\xA4-->" + badTip), at(text::content, 6, 36)},
        {"each byte of a four-byte character is a column",
         lottoFile("<!--\xF0\x9F\x98\x80-->" + badTip), at(text::content, 6, 38)},
        {"line ends inside a comment count as lines", lottoFile("<!--\n\n-->\n" + badTip),
         at(text::content, 9, 27)},
        {"empty lines count", lottoFile("\n\n\n" + badTip), at(text::content, 9, 27)},
        {"a lone CR is delivered and counts as a column, not as a line end",
         lottoFile("\r" + badTip), at(text::content, 6, 28)},
        {"CR CR LF: the first CR is a column on the line before, the pair one line end",
         lottoFile("\r\r\n" + badTip), at(text::content, 7, 27)},
        {"a line break at the start of the tip text: offset 0, where the text starts",
         lottoFile("<lottoTipp>\n01,02,03,04,05,06</lottoTipp>"), at(text::content, 6, 12)},
        {"after a two-byte content the closing tag starts two columns on",
         "<qarn>\n<versionsNr>3\xC3\xA4</versionsnr>", at(text::unclosed, 2, 16)},
        {"the first byte of a file is line 1, column 1", "x", at(text::notWellFormed, 1, 1)},
        {"the first byte after a mark is column 4", bom + "x", at(text::notWellFormed, 1, 4)},
        {"a declaration error on line 1", "<?xml version='1.1'?><qarn>", at(text::content, 1, 15)},
        {"after a mark, columns of line 1 are 3 higher", bom + "<?xml version='1.1'?><qarn>",
         at(text::content, 1, 18)},
        {"a mark does not move line 2", bom + "<qarn>\n  x", at(text::notWellFormed, 2, 3)},
    };
    checkBothLineEnds(rows);
}

TEST(Positions, EndOfInput)
{
    const std::string head = "<qarn><versionsNr>3</versionsNr><wsArt>17</wsArt>";
    const std::vector<PlaceRow> rows = {
        {"the file ends inside a tag: just past the last byte", head + "<schein",
         at(text::unclosed, 1, 57)},
        {"the file ends after a complete tag where a tag is expected", head + "<schein>",
         at(text::unclosed, 1, 58)},
        {"a final line end moves the place to the next line", head + "<schein>\n",
         at(text::unclosed, 2, 1)},
        {"the file ends inside a tag after a line end in it", head + "<schein\n",
         at(text::unclosed, 2, 1)},
        {"a CR before 0x1A is delivered and counted", head + "<schein>\r\x1A\n<lottoTipp>",
         at(text::unclosed, 1, 59)},
        {"the file ends right after a content", head + "<schein><lottoTipp>" + goodLotto,
         at(text::unclosed, 1, 86)},
        {"0x1A ends the input: the rest is never read", head + "<schein>\x1A<lottoTipp>",
         at(text::unclosed, 1, 58)},
        {"0x1A inside a tag ends it unclosed", head + "<sch\x1A" "ein>",
         at(text::unclosed, 1, 54)},
        {"0x1A ends the input before a broken UTF-8 byte, which is never checked",
         head + "<schein>\x1A\xFF", at(text::unclosed, 1, 58)},
    };
    checkBothLineEnds(rows);
}

TEST(Positions, ReadingDisciplineAfterTheDocument)
{
    const std::string doc = lottoFile("<lottoTipp>03,11,17,28,40,45</lottoTipp>");
    const std::vector<Row> rows = {
        {"0x1A after </qarn> ends the input: what follows is not looked at",
         doc + "\x1A" "garbage <x> \xFF\xFE", ""},
        {"a lone CR between elements is white space",
         "<qarn>\r<versionsNr>3</versionsNr>\r<wsArt>17</wsArt>\r<schein>\r<lottoTipp>" +
             goodLotto + "</lottoTipp>\r</schein>\r</qarn>\r",
         ""},
        {"a vertical tab is no white space between elements",
         "<qarn>^\v<versionsNr>3</versionsNr>", text::notWellFormed},
        {"a form feed is no white space between elements",
         "<qarn>^\f<versionsNr>3</versionsNr>", text::notWellFormed},
        {"a lone CR inside a tip text is a byte of the text",
         lottoDoc("<lottoTipp>03,11,17,28,40,45^\r</lottoTipp>"), text::content},
        {"CR LF inside a tip text is delivered as LF, one byte",
         lottoDoc("<lottoTipp>03,11,17,28,40,45^\r\n</lottoTipp>"), text::content},
    };
    checkRows(rows);
}

TEST(Encoding, Utf8ByteStructure)
{
    // The bytes stand in a comment, which is read but not judged: only the
    // encoding check can refuse them.
    auto inComment = [](const std::string& bytes) {
        return lottoDoc("<!--" + bytes + "--><lottoTipp>" + goodLotto + "</lottoTipp>");
    };
    const std::string doc = lottoDoc("<lottoTipp>" + goodLotto + "</lottoTipp>");
    const std::vector<Row> rows = {
        {"plain ASCII", inComment("abc"), ""},
        {"a two-byte character (ä)", inComment("\xC3\xA4"), ""},
        {"a three-byte character (the euro sign)", inComment("\xE2\x82\xAC"), ""},
        {"a four-byte character", inComment("\xF0\x9F\x98\x80"), ""},
        {"over-long forms pass: only the bit patterns count", inComment("\xC0\x80"), ""},
        {"an over-long three-byte form passes", inComment("\xE0\x80\xAF"), ""},
        {"an encoded surrogate passes", inComment("\xED\xA0\x80"), ""},
        {"above U+10FFFF passes", inComment("\xF4\x90\x80\x80"), ""},
        {"the largest four-byte pattern passes", inComment("\xF7\xBF\xBF\xBF"), ""},
        {"a start byte followed by a non-continuation byte", inComment("\xC3("), text::encoding},
        {"a lone continuation byte", inComment("\x80"), text::encoding},
        {"the last continuation value where a character must begin", inComment("\xBF"),
         text::encoding},
        {"a five-byte pattern is no UTF-8", inComment("\xF8\x88\x80\x80\x80"), text::encoding},
        {"FE in the middle of a file", inComment("\xFE"), text::encoding},
        {"FF in the middle of a file", inComment("\xFF"), text::encoding},
        {"a three-byte sequence cut short", inComment("\xE2\x82"), text::encoding},
        {"a four-byte sequence with a bad third byte", inComment("\xF0\x9F" "a\x80"),
         text::encoding},
        {"the file ends on C3, the middle of a character", doc + "\xC3", text::encoding},
        {"the file ends in a three-byte sequence", doc + "\xE2\x82", text::encoding},
        {"the file ends in a four-byte sequence", doc + "\xF0\x9F\x98", text::encoding},
        {"a complete character as the last bytes passes the encoding check; "
         "after </qarn> it is then refused as a stray byte",
         doc + "^\xC3\xA4", text::unclosed},
        {"the encoding check runs before the document: a broken byte at the very end "
         "wins over an earlier structural error",
         "<qarn><wrong>" + doc + "\xFF", text::encoding},
    };
    checkRows(rows);
}

TEST(Encoding, NulBytes)
{
    const std::string nul(1, '\0');
    const std::vector<Row> rows = {
        {"NUL inside a tag: the encoding message, no place",
         "<qarn><versions" + nul + "Nr>3</versionsNr>", text::encoding},
        {"NUL inside content", lottoDoc("<lottoTipp>" + nul + goodLotto + "</lottoTipp>"),
         text::encoding},
        {"NUL inside a comment, which is a tag", lottoDoc("<!-- " + nul + " -->"),
         text::encoding},
        {"NUL where a tag must begin passes the encoding check and is no '<'",
         "<qarn><versionsNr>3</versionsNr>^" + nul + "<wsArt>17</wsArt>", text::notWellFormed},
    };
    checkRows(rows);
}

TEST(Scanner, TagsAndComments)
{
    const std::string tip = "<lottoTipp>" + goodLotto + "</lottoTipp>";
    const std::vector<Row> rows = {
        {"a comment between elements is passed over", lottoDoc("<!-- note -->" + tip), ""},
        {"comments anywhere between tags up to </qarn>",
         "<!--a--><qarn><!--b--><versionsNr>3</versionsNr><!--c--><wsArt>17</wsArt><!--d-->"
         "<schein><!--e--><lottoTipp>" + goodLotto + "<!--f--></lottoTipp><!--g--></schein>"
         "<!--h--></qarn>",
         ""},
        {"<!--> is a comment: its two ends overlap", lottoDoc("<!-->" + tip), ""},
        {"<!----> is a comment", lottoDoc("<!---->" + tip), ""},
        {"<!---> is a comment", lottoDoc("<!--->" + tip), ""},
        {"a comment ends at its first '>': the rest is no comment",
         lottoDoc("^<!-- a > b -->" + tip), text::element},
        {"a tag that does not end in -- is no comment", lottoDoc("^<!-- a ->" + tip),
         text::element},
        {"<!- is no comment", lottoDoc("^<!- a -->" + tip), text::element},
        {"a processing instruction is a tag like any other", lottoDoc("^<?pi x?>" + tip),
         text::element},
        {"a doctype is a tag like any other", "^<!DOCTYPE qarn><qarn>", text::element},
        {"an attribute makes a different tag", lottoDoc("^<lottoTipp nr=\"1\">" + goodLotto +
                                                        "</lottoTipp>"),
         text::element},
        {"a blank in a tag makes a different tag", lottoDoc("^<lottoTipp >" + goodLotto +
                                                            "</lottoTipp>"),
         text::element},
        {"a line end in a tag makes a different tag",
         lottoDoc("^<lottoTipp\n>" + goodLotto + "</lottoTipp>"), text::element},
        {"'<' inside a tag belongs to it", lottoDoc("^<lotto<Tipp>" + goodLotto + "</lottoTipp>"),
         text::element},
        {"an empty tag", lottoDoc("^<>" + tip), text::element},
        {"tag names are compared case by case", lottoDoc("^<LottoTipp>" + goodLotto +
                                                         "</LottoTipp>"),
         text::element},
        {"text between two elements is refused at its first byte",
         "<qarn><versionsNr>3</versionsNr> ^x <wsArt>17</wsArt>", text::notWellFormed},
        {"a '>' where a tag must begin", "<qarn>^><versionsNr>", text::notWellFormed},
        {"entities are not decoded: &#48; is no digit",
         lottoDoc("<lottoTipp>^&#48;3,11,17,28,40,45</lottoTipp>"), text::content},
        {"a closing tag expected, an opening tag found: not closed (requireTag)",
         lottoDoc("<lottoTipp>" + goodLotto + "^<lottoTipp>"), text::unclosed},
    };
    checkRows(rows);
}

// Large inputs are read in blocks; a CR LF pair, a lone CR or a long tag may
// straddle any block boundary. Pairs at every offset parity cover them all.
TEST(Positions, LargeInput)
{
    const std::string head = "<qarn><versionsNr>3</versionsNr><wsArt>17</wsArt>";
    const int pairs = 150000;  // 300,000 bytes of line ends
    struct LargeRow {
        const char* reason;
        std::string bytes;
        Result expected;
    };
    const std::vector<LargeRow> rows = {
        {"CR LF pairs at even offsets", head + crlf(repeat("\n", pairs)) + "x",
         at(text::notWellFormed, pairs + 1, 1)},
        {"CR LF pairs at odd offsets", head + " " + crlf(repeat("\n", pairs)) + "x",
         at(text::notWellFormed, pairs + 1, 1)},
        {"lone CRs count as columns of one line", head + repeat("\r", pairs) + "x",
         at(text::notWellFormed, 1, 50 + pairs)},
        {"a tag of 300,000 bytes is read whole", head + "<" + std::string(300000, 'a') + ">",
         at(text::element, 1, 50)},
        {"a tip text of 300,000 bytes is judged after its 17th byte",
         head + "<schein><lottoTipp>" + goodLotto + std::string(300000, '7') + "</lottoTipp>",
         at(text::content, 1, 50 + 19 + 17)},
        {"0x1A far into the file ends the input there",
         head + repeat("\n", pairs) + "<schein>\x1A" + std::string(100000, '\xFF'),
         at(text::unclosed, pairs + 1, 9)},
    };
    for (const LargeRow& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_EQ(row.expected, check(row.bytes));
    }
}

// The reader hands the text out in blocks of 64 KiB, and any piece may cross
// the end of one: white space, a tag the scanner expects, a number list, a
// closing tag, a CR LF pair. A comment of growing length in front moves the
// end of the first block through every byte of a ticket, with LF and with CR
// LF line ends; the error in the last ticket is only found at its place when
// every piece before it was read right.
TEST(BlockEdges, EveryByteOfATicketAtTheEndOfABlock)
{
    constexpr std::size_t block = 64 * 1024;
    const std::string tip = "    <lottoTipp>" + goodLotto + "</lottoTipp>\n";
    const std::string ticket = "  <schein>\n" + repeat(tip, 12) + "  </schein>\n";
    const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<qarn>\n"
                             "  <versionsNr>3.0</versionsNr>\n  <wsArt>17</wsArt>\n";
    const int tickets = static_cast<int>(block / ticket.size()) + 1;
    const std::string tail = "  <schein>\n    <lottoTipp>01,02,03,04,05,^46</lottoTipp>\n  </schein>\n</qarn>\n";
    for (const bool pairs : {false, true}) {
        const std::size_t ticketBytes = pairs ? crlf(ticket).size() : ticket.size();
        for (std::size_t shift = 0; shift < ticketBytes; ++shift) {
            SCOPED_TRACE((pairs ? "CR LF, shift " : "LF, shift ") + std::to_string(shift));
            const std::string lf = head + "<!--" + std::string(shift, '-') + "-->\n" + repeat(ticket, tickets) + tail;
            checkRows({{"a content error after the end of the first block", pairs ? crlf(lf) : lf, text::content}});
        }
    }
}

// Comments between tickets are stepped over in runs; one of a run crosses the
// end of the block, at every byte of it in turn.
TEST(BlockEdges, CommentRunAcrossTheEndOfABlock)
{
    constexpr std::size_t block = 64 * 1024;
    const std::string comment = "  <!-- Kommentar zwischen zwei Scheinen -->\n";
    const std::string ticket = "  <schein>\n    <lottoTipp>" + goodLotto + "</lottoTipp>\n  </schein>\n";
    const std::string head = "<qarn>\n  <versionsNr>3</versionsNr>\n  <wsArt>17</wsArt>\n" + ticket;
    const int comments = static_cast<int>(block / comment.size()) + 2;
    const std::string tail = "  <schein>\n    <lottoTipp>01,02,03,04,05,^46</lottoTipp>\n  </schein>\n</qarn>\n";
    for (const bool pairs : {false, true}) {
        for (std::size_t shift = 0; shift < comment.size() + 1; ++shift) {
            SCOPED_TRACE((pairs ? "CR LF, shift " : "LF, shift ") + std::to_string(shift));
            const std::string lf = head + std::string(shift, ' ') + repeat(comment, comments) + tail;
            checkRows({{"a content error after a run of comments", pairs ? crlf(lf) : lf, text::content}});
        }
    }
}

// The UTF-8 structure is judged block by block: a character that starts in one
// block ends in the next, and what the next block holds decides.
TEST(BlockEdges, CharactersAcrossTheEndOfABlock)
{
    constexpr std::size_t block = 64 * 1024;
    const std::string head = "<qarn><versionsNr>3</versionsNr><wsArt>17</wsArt><!--";
    const std::string rest = "--><schein><lottoTipp>" + goodLotto + "</lottoTipp></schein></qarn>\n";
    const std::string characters = "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";  // 2, 3 and 4 bytes
    for (std::size_t shift = 0; shift <= characters.size(); ++shift) {
        SCOPED_TRACE("shift " + std::to_string(shift));
        const std::string filler(block - head.size() - characters.size() + shift, 'k');
        std::string broken = characters;
        broken.back() = 'x';  // the last continuation byte of the four-byte character
        checkRows({
            {"well-formed characters pass", head + filler + characters + rest, ""},
            {"a missing continuation byte after the block end", head + filler + broken + rest, text::encoding},
        });
    }
    const std::string doc = lottoDoc("<lottoTipp>" + goodLotto + "</lottoTipp>");
    const std::string upToBlock = doc + std::string(block - 1 - doc.size(), ' ');
    checkRows({
        {"the last byte of the first block starts a character, the file ends there", upToBlock + "\xC3",
         text::encoding},
        {"the file ends one byte into the second block, inside a character", upToBlock + "\xE2\x82",
         text::encoding},
        {"a character completed by the first byte of the second block, then refused as a stray byte",
         upToBlock.substr(0, upToBlock.size() - 1) + "^\xC3\xA4", text::unclosed},
    });
}

// After an error in the content the rest of the file is still read for its
// encoding, which wins; a NUL byte there is never looked at.
TEST(BlockEdges, EncodingJudgedPastAnEarlyError)
{
    const std::string filler = "<!--" + std::string(200000, 'k') + "-->";
    const std::string nul(1, '\0');
    checkRows({
        {"a broken byte three blocks after a structural error", "<qarn><wrong>" + filler + "\xFF", text::encoding},
        {"a structural error, then only well-formed characters", "<qarn>^<wrong>" + filler + "\xC3\xA4", text::element},
        {"a NUL byte after a structural error is never read", "<qarn>^<wrong>" + filler + nul, text::element},
        {"a NUL byte inside a tag of a later block", "<qarn>" + filler + "<versions" + nul + "Nr>", text::encoding},
        {"a NUL byte inside a comment of a later block", "<qarn>" + filler + "<!-- " + nul + " -->", text::encoding},
    });
}

// A CR LF pair inside a content or a tag counts as one LF there, also when
// its CR ends one block and its LF begins the next.
TEST(BlockEdges, PairInsideATextAcrossTheEndOfABlock)
{
    constexpr std::size_t block = 64 * 1024;
    const std::string head = "<qarn>\r\n<versionsNr>3</versionsNr>\r\n<wsArt>17</wsArt>\r\n<schein>\r\n";
    for (std::size_t shift = 0; shift < 4; ++shift) {
        SCOPED_TRACE("shift " + std::to_string(shift));
        // The CR stands at offsets 65534 to 65537, its LF one further.
        const std::string lead = "<!--" + std::string(block - head.size() - 4 - 3 - 11 - 17 - 2 + shift, 'k') + "-->";
        const std::string first = "<!--" + std::string(block - 30 + shift, 'k') + "-->";
        checkRows({
            {"a pair after the last number: one byte too many", head + lead + "<lottoTipp>" + goodLotto +
                 "^\r\n</lottoTipp>\r\n</schein>\r\n</qarn>\r\n", text::content},
            {"a pair inside a tag makes another tag", head + lead + "^<lottoTipp" + std::string(17, 'x') +
                 "\r\n>" + goodLotto + "</lottoTipp>", text::element},
            {"a pair after the version number is one LF there", first + "<qarn><versionsNr>3.0\r\n</versionsNr>"
                 "<wsArt>17</wsArt><schein><lottoTipp>" + goodLotto + "</lottoTipp></schein></qarn>", ""},
            {"the version refused for its ticket type is reported where its text starts",
             first + "<qarn><versionsNr>^3.0\r\n4</versionsNr><wsArt>34</wsArt>", text::content},
        });
    }
}
