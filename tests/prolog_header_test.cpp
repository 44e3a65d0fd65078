// The prolog (XML declaration, comments before the root) and the header:
// the order of its elements, the version rule, kundenNr, spielID, wsArt,
// tnDauer and the filter list.

#include <gtest/gtest.h>

#include "test_files.h"

using namespace lvxtest;

namespace {

const std::string bom = "\xEF\xBB\xBF";
const std::string lottoBody = "<schein><lottoTipp>" + goodLotto + "</lottoTipp></schein></qarn>\n";
const std::string totoBody = "<schein><totoTipp>" + goodToto + "</totoTipp></schein></qarn>\n";
const std::string starBody = "<schein><tipp><emTippZahl>" + goodNumbers +
                             "</emTippZahl><emTippStern>" + goodStars +
                             "</emTippStern></tipp></schein></qarn>\n";
const std::string lottoRest = "<qarn><versionsNr>3</versionsNr><wsArt>17</wsArt>" + lottoBody;

// The document after a prolog: root, header and one lotto ticket.
std::string afterProlog(const std::string& prolog) { return prolog + "\n" + lottoRest; }

// A lotto document whose header holds `between` after versionsNr and before wsArt.
std::string withBeforeWsArt(const std::string& between)
{
    return "<qarn><versionsNr>3</versionsNr>" + between + "<wsArt>17</wsArt>" + lottoBody;
}

// A document of the given version and ticket type, `after` following </wsArt>.
std::string typed(const std::string& version, const std::string& wsArt, const std::string& after)
{
    const std::string& body = wsArt == "28" ? totoBody : wsArt == "34" ? starBody : lottoBody;
    return "<qarn><versionsNr>" + version + "</versionsNr><wsArt>" + wsArt + "</wsArt>" + after +
           body;
}

struct DeclRow {
    const char* reason;
    std::string declaration;
    Result expected;
};

}  // namespace

// The declaration has one fixed shape; a positioned error names the column where
// the expected piece would begin, counted from the tag's '<' in column 1.
TEST(Prolog, DeclarationShapes)
{
    const std::vector<DeclRow> rows = {
        {"no declaration", "", correct()},
        {"version in apostrophes, no encoding", "<?xml version='1.0'?>", correct()},
        {"a blank before the question mark", "<?xml version='1.0' ?>", correct()},
        {"version in double quotes", "<?xml version=\"1.0\"?>", correct()},
        {"encoding UTF-8 in double quotes", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>", correct()},
        {"quotings of version and encoding are independent",
         "<?xml version='1.0' encoding=\"utf-8\"?>", correct()},
        {"ascii with a blank before the question mark",
         "<?xml version=\"1.0\" encoding='ascii' ?>", correct()},
        {"ASCII", "<?xml version='1.0' encoding='ASCII'?>", correct()},
        {"\"ASCII\"", "<?xml version='1.0' encoding=\"ASCII\"?>", correct()},
        {"'utf-8'", "<?xml version='1.0' encoding='utf-8'?>", correct()},
        {"nothing after the question mark is examined", "<?xml version='1.0'?abc>", correct()},
        {"nothing after the question mark is examined, with encoding",
         "<?xml version='1.0' encoding='UTF-8'? standalone='no'>", correct()},
        {"a tab as separator before encoding", "<?xml version='1.0'\tencoding='UTF-8'?>",
         correct()},
        {"a line end as separator before encoding", "<?xml version='1.0'\nencoding='UTF-8'?>",
         correct()},
        {"the separator byte is not examined", "<?xml version='1.0'xencoding='UTF-8'?>",
         correct()},
        {"an unsupported encoding: encoding message, no place",
         "<?xml version='1.0' encoding='ISO-8859-1'?>", bare(text::encoding)},
        {"encoding names are case-exact", "<?xml version='1.0' encoding='Utf-8'?>",
         bare(text::encoding)},
        {"mixed quotes around the encoding", "<?xml version='1.0' encoding='UTF-8\"?>",
         bare(text::encoding)},
        {"UTF8 without dash", "<?xml version='1.0' encoding='UTF8'?>", bare(text::encoding)},
        {"version 1.1", "<?xml version='1.1'?>", at(text::content, 1, 15)},
        {"version quotes that do not match", "<?xml version='1.0\"?>", at(text::content, 1, 15)},
        {"version without quotes", "<?xml version=1.0?>", at(text::content, 1, 15)},
        {"the tag ends after version=", "<?xml version=>", at(text::content, 1, 15)},
        {"two blanks after xml", "<?xml  version='1.0'?>", at(text::content, 1, 7)},
        {"nothing after '?xml '", "<?xml >", at(text::content, 1, 7)},
        {"Version with a capital", "<?xml Version='1.0'?>", at(text::content, 1, 7)},
        {"standalone instead of encoding", "<?xml version='1.0' standalone='yes'?>",
         at(text::content, 1, 21)},
        {"neither question mark nor encoding", "<?xml version='1.0'>", at(text::content, 1, 21)},
        {"two blanks before the question mark", "<?xml version='1.0'  ?>",
         at(text::content, 1, 21)},
        {"no question mark after the encoding", "<?xml version='1.0' encoding='UTF-8'>",
         at(text::content, 1, 37)},
        {"two blanks after the encoding", "<?xml version='1.0' encoding='UTF-8'  ?>",
         at(text::content, 1, 38)},
        {"standalone after the encoding",
         "<?xml version='1.0' encoding='UTF-8' standalone='yes'?>", at(text::content, 1, 38)},
        {"after a line break the column is still counted as on one line",
         "<?xml version='1.0'\nencoding='UTF-8'>", at(text::content, 1, 37)},
        {"after a line break, a missing encoding= is reported on line 1",
         "<?xml version='1.0'\nstandalone='yes'?>", at(text::content, 1, 21)},
        {"?XML is no declaration: the root check refuses it", "<?XML version='1.0'?>",
         at(text::element, 1, 1)},
        {"?xml without blank is no declaration", "<?xml-stylesheet href='a'?>",
         at(text::element, 1, 1)},
        {"a blank before the declaration: not recognised, refused at its '<'",
         " <?xml version='1.0'?>", at(text::element, 1, 2)},
        {"an empty line before the declaration", "\n<?xml version='1.0'?>",
         at(text::element, 2, 1)},
        {"a bad declaration after a blank is not examined either", " <?xml version='1.1'?>",
         at(text::element, 1, 2)},
        {"a declaration after a comment is refused by the root check",
         "<!-- note --><?xml version='1.0'?>", at(text::element, 1, 14)},
        {"a second declaration", "<?xml version='1.0'?><?xml version='1.0'?>",
         at(text::element, 1, 22)},
        {"comments after the declaration are passed over",
         "<?xml version='1.0'?><!-- a --><!-- b -->", correct()},
        {"a comment before the root", "<!-- note -->", correct()},
        {"<!--> and <!----> are comments", "<!--><!---->", correct()},
        {"text before the root", "x", at(text::notWellFormed, 1, 1)},
    };
    for (const DeclRow& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_EQ(row.expected, check(afterProlog(row.declaration)));
    }
}

TEST(Prolog, DeclarationAfterByteOrderMark)
{
    const std::vector<DeclRow> rows = {
        {"an accepted declaration after the mark", "<?xml version='1.0' encoding='UTF-8'?>",
         correct()},
        {"every column of line 1 is 3 higher", "<?xml version='1.1'?>", at(text::content, 1, 18)},
        {"two blanks after xml", "<?xml  version='1.0'?>", at(text::content, 1, 10)},
        {"no question mark after the encoding", "<?xml version='1.0' encoding='UTF-8'>",
         at(text::content, 1, 40)},
        {"the root check after the mark", "<?XML version='1.0'?>", at(text::element, 1, 4)},
    };
    for (const DeclRow& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_EQ(row.expected, check(bom + afterProlog(row.declaration)));
    }
}

TEST(Header, RootAndOrder)
{
    const std::string zahl = "<kundenNr>1</kundenNr>";
    const std::vector<Row> rows = {
        {"the smallest header", lottoRest, ""},
        {"every optional element at its place",
         "<qarn><versionsNr>3</versionsNr><kundenNr>1</kundenNr><spielID>2</spielID>"
         "<wsArt>17</wsArt><tnDauer>3</tnDauer><filter>AB12</filter>" + lottoBody,
         ""},
        {"white space and comments between header elements",
         "<qarn>\n  <versionsNr>3</versionsNr> <!-- v -->\n\t<wsArt>17</wsArt>\n" + lottoBody, ""},
        {"no root tag: refused at versionsNr", "^<versionsNr>3</versionsNr>", text::element},
        {"the root with an attribute", "^<qarn xmlns='x'><versionsNr>3</versionsNr>",
         text::element},
        {"the root written in another case", "^<Qarn><versionsNr>3</versionsNr>", text::element},
        {"a closing tag as root", "^</qarn>", text::element},
        {"no versionsNr: refused at wsArt", "<qarn>^<wsArt>17</wsArt>" + lottoBody, text::element},
        {"versionsNr not closed", "<qarn><versionsNr>3^<wsArt>17</wsArt>", text::unclosed},
        {"versionsNr closed by another name", "<qarn><versionsNr>3^</versionsnr>", text::unclosed},
        {"spielID before kundenNr: kundenNr stands where wsArt is required",
         withBeforeWsArt("<spielID>1</spielID>^" + zahl), text::element},
        {"kundenNr twice", withBeforeWsArt(zahl + "^" + zahl), text::element},
        {"an attribute on a header tag makes it another element",
         withBeforeWsArt("^<kundenNr x='1'>1</kundenNr>"), text::element},
        {"kundenNr not closed, spielID follows", withBeforeWsArt("<kundenNr>12^<spielID>"),
         text::unclosed},
        {"kundenNr closed as spielID", withBeforeWsArt("<kundenNr>12^</spielID>"), text::unclosed},
        {"spielID not closed", withBeforeWsArt("<spielID>12^<wsArt>"), text::unclosed},
        {"an unknown element where wsArt is required", withBeforeWsArt("^<kunde>1</kunde>"),
         text::element},
        {"tnDauer before wsArt", withBeforeWsArt("^<tnDauer>1</tnDauer>"), text::element},
        {"wsArt not closed", "<qarn><versionsNr>3</versionsNr><wsArt>17^</wsart>", text::unclosed},
        {"tnDauer not closed", typed("3", "17", "<tnDauer>1^<filter>"), text::unclosed},
        {"filter not closed", typed("3", "17", "<filter>AB12^</filte>"), text::unclosed},
        {"tnDauer after filter: the header has ended, the body refuses it",
         typed("3", "17", "<filter>AB12</filter>^<tnDauer>1</tnDauer>"), text::element},
        {"filter twice: the body refuses the second",
         typed("3", "17", "<filter>AB12</filter>^<filter>AB12</filter>"), text::element},
        {"kundenNr after wsArt: the body refuses it",
         typed("3", "17", "^<kundenNr>1</kundenNr>"), text::element},
    };
    checkRows(rows);
}

TEST(Header, VersionRule)
{
    auto version = [](const std::string& text, const std::string& wsArt) {
        return "<qarn><versionsNr>^" + text + "</versionsNr><wsArt>" + wsArt + "</wsArt>" +
               (wsArt == "28" ? totoBody : wsArt == "34" ? starBody : lottoBody);
    };
    // A correct row carries no marker: the marker is only where an error is expected.
    auto good = [](const std::string& text, const std::string& wsArt) {
        return typed(text, wsArt, "");
    };
    const std::vector<Row> rows = {
        {"3 admits lotto", good("3", "17"), ""},
        {"3 admits toto", good("3", "28"), ""},
        {"4 admits number-and-star", good("4", "34"), ""},
        {"4.0 refuses lotto", version("4.0", "17"), text::content},
        {"4 refuses toto", version("4", "28"), text::content},
        {"3.0 refuses number-and-star", version("3.0", "34"), text::content},
        {"5 refuses lotto", version("5", "17"), text::content},
        {"2.9 is major 2", version("2.9", "17"), text::content},
        {"an empty version text is major 0, reported at the '<' that follows",
         version("", "17"), text::content},
        {".3 has no digit at the start", version(".3", "17"), text::content},
        {"-3 is negative", version("-3", "17"), text::content},
        {"a letter before the number", version("v3", "17"), text::content},
        {"a number beyond 32 bits never gives 3", version("4294967299", "17"), text::content},
        {"a negative number beyond 32 bits never gives 3", version("-4294967293000", "17"),
         text::content},
        {"03 is major 3", good("03", "17"), ""},
        {"3abc is major 3", good("3abc", "17"), ""},
        {"+3 is major 3", good("+3", "17"), ""},
        {"a blank before 3.0", good(" 3.0", "17"), ""},
        {"3 on a line of its own", good("\n3\n", "17"), ""},
        {"3 after tab, vertical tab, form feed and CR", good("\t\v\f\r3", "17"), ""},
        {"3.15: the minor number is read by no rule", good("3.15", "17"), ""},
        {"3 beta", good("3 beta", "17"), ""},
        {"a minus negates modulo 2^32: -4294967293 gives 3", good("-4294967293", "17"), ""},
        {"4.99 admits number-and-star", good("4.99", "34"), ""},
        {"the ticket type is judged first: wsArt 99 refused at its content",
         "<qarn><versionsNr>5</versionsNr><wsArt>^99</wsArt>", text::content},
        {"a bad kundenNr is reported in preference to the version",
         "<qarn><versionsNr>5</versionsNr><kundenNr>^0</kundenNr><wsArt>17</wsArt>",
         text::content},
        {"the version rule runs before the closing tag of wsArt is read",
         "<qarn><versionsNr>^5</versionsNr><wsArt>17<schein>", text::content},
        {"a comment inside versionsNr ends the text; the digits after it stand where a tag "
         "is expected",
         "<qarn><versionsNr><!-- v -->^3</versionsNr><wsArt>17</wsArt>", text::notWellFormed},
        {"the version text is reported where it starts, also after line ends",
         "<qarn><versionsNr>^\n\n5</versionsNr><wsArt>17</wsArt>", text::content},
    };
    checkRows(rows);
}

TEST(Header, NumberValues)
{
    auto kunde = [](const std::string& value) {
        return withBeforeWsArt("<kundenNr>^" + value + "</kundenNr>");
    };
    auto spiel = [](const std::string& value) {
        return withBeforeWsArt("<spielID>^" + value + "</spielID>");
    };
    auto goodKunde = [](const std::string& value) {
        return withBeforeWsArt("<kundenNr>" + value + "</kundenNr>");
    };
    const std::vector<Row> rows = {
        {"kundenNr 1", goodKunde("1"), ""},
        {"kundenNr with leading zeros", goodKunde("000001"), ""},
        {"kundenNr at its maximum", goodKunde("999999"), ""},
        {"leading zeros do not count, however many", goodKunde("00000000000000000001"), ""},
        {"kundenNr and spielID together",
         withBeforeWsArt("<kundenNr>5</kundenNr><spielID>999999</spielID>"), ""},
        {"kundenNr 0", kunde("0"), text::content},
        {"kundenNr 000000", kunde("000000"), text::content},
        {"kundenNr above the maximum", kunde("1000000"), text::content},
        {"kundenNr beyond 32 bits that would wrap to 1", kunde("4294967297"), text::content},
        {"kundenNr with a blank before", kunde(" 12"), text::content},
        {"kundenNr with a blank after", kunde("12 "), text::content},
        {"kundenNr with a line end after", kunde("12\n"), text::content},
        {"kundenNr with a sign", kunde("+12"), text::content},
        {"kundenNr negative", kunde("-1"), text::content},
        {"kundenNr with a letter", kunde("12a"), text::content},
        {"kundenNr empty: reported at the following '<'", kunde(""), text::content},
        {"spielID 0", spiel("0"), text::content},
        {"spielID above the maximum", spiel("1000000"), text::content},
        {"spielID empty", spiel(""), text::content},
        {"spielID at its maximum", withBeforeWsArt("<spielID>999999</spielID>"), ""},
    };
    checkRows(rows);
}

TEST(Header, WsArt)
{
    auto art = [](const std::string& value) {
        return "<qarn><versionsNr>3</versionsNr><wsArt>^" + value + "</wsArt>" + lottoBody;
    };
    const std::vector<Row> rows = {
        {"17 lotto", typed("3", "17", ""), ""},
        {"28 toto", typed("3", "28", ""), ""},
        {"34 number-and-star", typed("4", "34", ""), ""},
        {"three digits", art("017"), text::content},
        {"one digit", art("1"), text::content},
        {"an unknown code", art("96"), text::content},
        {"00", art("00"), text::content},
        {"a blank before", art(" 17"), text::content},
        {"a blank after", art("17 "), text::content},
        {"a letter", art("1a"), text::content},
        {"empty", art(""), text::content},
    };
    checkRows(rows);
}

TEST(Header, TnDauer)
{
    auto dauer = [](const std::string& wsArt, const std::string& value) {
        return typed(wsArt == "34" ? "4" : "3", wsArt, "<tnDauer>^" + value + "</tnDauer>");
    };
    auto good = [](const std::string& wsArt, const std::string& value) {
        return typed(wsArt == "34" ? "4" : "3", wsArt, "<tnDauer>" + value + "</tnDauer>");
    };
    const std::vector<Row> rows = {
        {"toto: 1", good("28", "1"), ""},
        {"toto: 4 is the limit", good("28", "4"), ""},
        {"toto: 5 is above it", dauer("28", "5"), text::content},
        {"toto: 10 is above it", dauer("28", "10"), text::content},
        {"toto: 0", dauer("28", "0"), text::content},
        {"lotto: 10 is the limit", good("17", "10"), ""},
        {"lotto: 010", good("17", "010"), ""},
        {"lotto: 11 is above it", dauer("17", "11"), text::content},
        {"lotto: 0", dauer("17", "0"), text::content},
        {"lotto: empty", dauer("17", ""), text::content},
        {"lotto: a blank before", dauer("17", " 2"), text::content},
        {"number-and-star: 10", good("34", "10"), ""},
        {"number-and-star: 11", dauer("34", "11"), text::content},
        {"number-and-star: 0", dauer("34", "0"), text::content},
    };
    checkRows(rows);
}

TEST(Header, Filter)
{
    auto filter = [](const std::string& value) {
        return typed("3", "17", "<filter>" + value + "</filter>");
    };
    // The error is reported at the marker inside the filter text.
    auto bad = [](const std::string& marked) {
        return typed("3", "17", "<filter>" + marked + "</filter>");
    };
    std::string twenty = "AB00";
    for (int i = 1; i < 20; ++i)
        twenty += ",AB" + std::string(1, static_cast<char>('0' + i / 10)) +
                  std::string(1, static_cast<char>('0' + i % 10));
    ASSERT_EQ(99u, twenty.size());
    const std::vector<Row> rows = {
        {"an empty filter", filter(""), ""},
        {"one code", filter("AB12"), ""},
        {"two codes", filter("AB12,CD34"), ""},
        {"digits only and letters only", filter("0000,ZZZZ"), ""},
        {"twenty codes", filter(twenty), ""},
        {"lower-case letters", bad("^ab12"), text::content},
        {"a code of three bytes", bad("^AB1"), text::content},
        {"a code of five bytes", bad("^AB123"), text::content},
        {"a short second code", bad("AB12,^CD3"), text::content},
        {"an empty code between two commas", bad("AB12,^,CD34"), text::content},
        {"a trailing comma: the empty code starts at the end of the text", bad("AB12,^"),
         text::content},
        {"a leading comma", bad("^,AB12"), text::content},
        {"a line end after the code", bad("^AB12\n"), text::content},
        {"a blank after the code", bad("^AB12 "), text::content},
        {"a blank before the code", bad("^ AB12"), text::content},
        {"a blank after the comma", bad("AB12,^ CD34"), text::content},
        {"a semicolon is no separator", bad("^AB12;CD34"), text::content},
        {"a lower-case letter in the second code", bad("AB12,^cD34"), text::content},
        {"a dash in a code", bad("^A-12"), text::content},
        {"a letter above 127", bad("^\xC3\x84" "B1"), text::content},
        {"a 21st code: refused at the comma after the 20th", bad(twenty + "^,AB20"),
         text::content},
        {"a trailing comma after 20 codes", bad(twenty + "^,"), text::content},
    };
    checkRows(rows);
}
