// The tickets: number lists and lotto tickets, toto and torwette tickets,
// number-and-star tickets. In each row '^' marks the byte where the error is
// reported; offsets count from the first byte of the element text.

#include <gtest/gtest.h>

#include "test_files.h"

using namespace lvxtest;

namespace {

const std::string& C = text::content;
const std::string& E = text::element;
const std::string& U = text::unclosed;

const std::string lotto = "<lottoTipp>" + goodLotto + "</lottoTipp>";
const std::string toto = "<totoTipp>" + goodToto + "</totoTipp>";
const std::string tor = "<torwetteTipp>" + goodTorwette + "</torwetteTipp>";
const std::string tipp = "<tipp><emTippZahl>" + goodNumbers + "</emTippZahl><emTippStern>" +
                         goodStars + "</emTippStern></tipp>";

}  // namespace

// Lotto tips: 6 two-digit numbers from 1 to 45, strictly ascending.
TEST(NumberList, LottoTips)
{
    const std::vector<Row> rows = {
        {"the lowest numbers", lottoTip("01,02,03,04,05,06"), ""},
        {"the highest numbers", lottoTip("40,41,42,43,44,45"), ""},
        {"a first digit of 4 with 45 as maximum", lottoTip("04,14,24,34,44,45"), ""},
        {"ascending across the tens", lottoTip("09,10,19,20,29,30"), ""},
        {"one-digit numbers: the comma follows the only digit", lottoTip("^1,2,3,4,5,6"), C},
        {"a value above 45", lottoTip("01,02,03,04,05,^46"), C},
        {"a first digit above 4", lottoTip("01,02,03,04,05,^50"), C},
        {"a first digit above 4 is seen before the second byte", lottoTip("^5a,02,03,04,05,06"),
         C},
        {"00", lottoTip("^00,02,03,04,05,06"), C},
        {"not ascending", lottoTip("02,^01,03,04,05,06"), C},
        {"the same number twice", lottoTip("01,^01,03,04,05,06"), C},
        {"descending at the end", lottoTip("01,02,03,04,45,^44"), C},
        {"a blank after a comma is no digit", lottoTip("01,^ 02,03,04,05,06"), C},
        {"semicolons", lottoTip("01^;02;03;04;05;06"), C},
        {"a letter as second digit", lottoTip("0^a,02,03,04,05,06"), C},
        {"a multi-byte character where a number starts", lottoTip("^\xC3\xA4,02,03,04,05,06"), C},
        {"five numbers: the comma after the fifth is missing", lottoTip("01,02,03,04,05^"), C},
        {"a trailing comma after five numbers", lottoTip("01,02,03,04,05,^"), C},
        {"the text ends after the first digit of the sixth number", lottoTip("01,02,03,04,05,1^"),
         C},
        {"no comma between two numbers", lottoTip("01,02,03,04,05^06"), C},
        {"seven numbers", lottoTip("01,02,03,04,05,06^,07"), C},
        {"a blank after the last number", lottoTip("01,02,03,04,05,06^ "), C},
        {"a line end after the last number", lottoTip("01,02,03,04,05,06^\n"), C},
        {"a blank before the first number", lottoTip("^ 01,02,03,04,05,06"), C},
        {"a line end before the first number", lottoTip("^\n01,02,03,04,05,06"), C},
        {"an empty text: reported at the following '<'", lottoTip("^"), C},
        {"three-digit numbers", lottoTip("00^1,02,03,04,05,06"), C},
        {"the byte below '0' as a first digit", lottoTip("^/1,02,03,04,05,06"), C},
        {"the byte above '9' as a second digit", lottoTip("0^:,02,03,04,05,06"), C},
        {"the byte above '9' in the last number", lottoTip("01,02,03,04,05,0^:"), C},
        {"descending across the tens", lottoTip("01,02,03,04,10,^09"), C},
        {"a comma where the last comma belongs, then a digit", lottoTip("01,02,03,04,05,^,6"), C},
    };
    checkRows(rows);
}

TEST(Lotto, TicketStructure)
{
    const std::vector<Row> rows = {
        {"one tip", lottoDoc(lotto), ""},
        {"twelve tips", lottoDoc(repeat(lotto, 12)), ""},
        {"a thirteenth tip is refused by the body", lottoDoc(repeat(lotto, 12) + "^" + lotto), E},
        {"line ends and comments between the tips",
         lottoDoc("\n  " + lotto + "\n  <!-- zwei -->\n  " + lotto + "\n"), ""},
        {"a comment between the numbers and the closing tag",
         lottoDoc("<lottoTipp>" + goodLotto + "<!-- c --></lottoTipp>"), ""},
        {"a comment before the numbers leaves the text empty",
         lottoDoc("<lottoTipp>^<!-- c -->" + goodLotto + "</lottoTipp>"), C},
        {"</schein> straight after <schein>", lottoDoc("^"), E},
        {"a first element of another name", lottoDoc("^<LottoTipp>" + goodLotto + "</LottoTipp>"),
         E},
        {"a first element with an attribute",
         lottoDoc("^<lottoTipp nr=\"1\">" + goodLotto + "</lottoTipp>"), E},
        {"an element of another name after the first tip ends the ticket",
         lottoDoc(lotto + "^<LottoTipp>" + goodLotto + "</LottoTipp>"), E},
        {"a tip not closed, the next tip follows",
         lottoDoc("<lottoTipp>" + goodLotto + "^" + lotto), U},
        {"a tip not closed, </schein> follows", lottoDoc("<lottoTipp>" + goodLotto + "^"), U},
        {"a tip closed with another name",
         lottoDoc("<lottoTipp>" + goodLotto + "^</lottotipp>"), U},
        {"an error in the second ticket",
         header("3", "17") + "\n<schein>" + lotto + "</schein>\n<schein>\n" +
             "  <lottoTipp>01,02,^02,04,05,06</lottoTipp>\n</schein>\n</qarn>\n",
         C},
    };
    checkRows(rows);
}

// Toto tips: 18 symbols with commas; places 1 to 5 take 1, 2 or X, places 6 to
// 18 also the dash, and exactly five dashes.
TEST(Toto, TotoTexts)
{
    const std::vector<Row> rows = {
        {"five dashes at the end", totoTip(goodToto), ""},
        {"five dashes right after place 5", totoTip("1,1,1,1,1,-,-,-,-,-,2,2,2,2,2,2,2,2"), ""},
        {"dashes spread over places 6 to 18", totoTip("X,X,X,X,X,-,1,-,2,-,X,-,1,-,2,X,1,2"), ""},
        {"a dash in place 1", totoTip("^-,1,1,1,1,1,-,-,-,-,2,2,2,2,2,2,2,2"), C},
        {"a dash in place 5", totoTip("1,1,1,1,^-,-,-,-,-,1,1,1,1,1,1,1,1,1"), C},
        {"the sixth dash", totoTip("1,1,1,1,1,1,1,-,-,-,-,-,^-,1,1,1,1,1"), C},
        {"only four dashes: reported at offset 0", totoTip("^1,2,X,1,2,X,1,2,X,1,2,X,1,2,-,-,-,-"),
         C},
        {"no dash at all", totoTip("^1,2,X,1,2,X,1,2,X,1,2,X,1,2,X,1,2,X"), C},
        {"too few dashes is reported before extra bytes at the end",
         totoTip("^1,2,X,1,2,X,1,2,X,1,2,X,1,2,-,-,-,-,x"), C},
        {"a lower-case x", totoTip("1,2,^x,1,2,X,1,2,X,1,2,X,1,-,-,-,-,-"), C},
        {"a 0 is no symbol", totoTip("^0,2,X,1,2,X,1,2,X,1,2,X,1,-,-,-,-,-"), C},
        {"a bad symbol in the last place", totoTip("1,2,X,1,2,X,1,2,X,1,2,X,1,-,-,-,-,^3"), C},
        {"a blank after the first comma", totoTip("1,^ 2,X,1,2,X,1,2,X,1,2,X,1,-,-,-,-,-"), C},
        {"semicolons", totoTip("1^;2;X;1;2;X;1;2;X;1;2;X;1;-;-;-;-;-"), C},
        {"a line end where a comma belongs", totoTip("1,2,X^\n1,2,X,1,2,X,1,2,X,1,-,-,-,-,-"), C},
        {"only 17 symbols: the text ends at offset 33",
         totoTip("1,2,X,1,2,X,1,2,X,1,2,X,1,-,-,-,-^"), C},
        {"17 symbols and a comma: 34 bytes", totoTip("1,2,X,1,2,X,1,2,X,1,2,X,1,-,-,-,-,^"), C},
        {"two symbols and no more", totoTip("1,2^"), C},
        {"a trailing comma", totoTip(goodToto + "^,"), C},
        {"a 19th symbol", totoTip(goodToto + "^,1"), C},
        {"a line end after the text", totoTip(goodToto + "^\n"), C},
        {"a blank before the text", totoTip("^ " + goodToto), C},
        {"an empty text", totoTip("^"), C},
    };
    checkRows(rows);
}

// Torwette tips: five pairs of 0, 1, 2 or +, a comma between two pairs.
TEST(Toto, TorwetteTexts)
{
    const std::vector<Row> rows = {
        {"a correct torwette tip", torwette(goodTorwette), ""},
        {"all zeros", torwette("00,00,00,00,00"), ""},
        {"all plus signs", torwette("++,++,++,++,++"), ""},
        {"a 3 as first symbol", torwette("^3+,00,00,00,00"), C},
        {"a dash as second symbol", torwette("1^-,00,00,00,00"), C},
        {"a bad symbol in the last pair", torwette("10,2+,00,12,+^3"), C},
        {"a semicolon between pairs", torwette("10^;2+,00,12,+0"), C},
        {"four pairs: the text ends at offset 11", torwette("10,2+,00,12^"), C},
        {"a last pair of one symbol", torwette("10,2+,00,12,+^"), C},
        {"one symbol only", torwette("1^"), C},
        {"a trailing comma", torwette("10,2+,00,12,+0^,"), C},
        {"a third symbol in the last pair", torwette("10,2+,00,12,+0^0"), C},
        {"a blank after the text", torwette("10,2+,00,12,+0^ "), C},
        {"a blank before the text", torwette("^ 10,2+,00,12,+0"), C},
        {"an empty text", torwette("^"), C},
    };
    checkRows(rows);
}

TEST(Toto, TicketStructure)
{
    const std::vector<Row> rows = {
        {"one toto tip", totoDoc(toto), ""},
        {"one toto tip and a torwette tip", totoDoc(toto + tor), ""},
        {"thirteen toto tips", totoDoc(repeat(toto, 13)), ""},
        {"thirteen toto tips and a torwette tip", totoDoc(repeat(toto, 13) + tor), ""},
        {"line ends and comments between the tips",
         totoDoc("\n" + toto + "\n<!-- c -->\n" + tor + "\n"), ""},
        {"a fourteenth toto tip is refused by the body", totoDoc(repeat(toto, 13) + "^" + toto),
         E},
        {"a torwette tip alone", totoDoc("^" + tor), E},
        {"</schein> straight after <schein>", totoDoc("^"), E},
        {"a first element of another name", totoDoc("^<TotoTipp>" + goodToto + "</TotoTipp>"), E},
        {"a toto tip not closed, the next toto tip follows",
         totoDoc("<totoTipp>" + goodToto + "^" + toto), U},
        {"a toto tip not closed, a torwette tip follows",
         totoDoc("<totoTipp>" + goodToto + "^" + tor), U},
        {"a toto tip not closed, </schein> follows", totoDoc("<totoTipp>" + goodToto + "^"), U},
        {"a second torwette tip", totoDoc(toto + tor + "^" + tor), E},
        {"a toto tip after the torwette tip", totoDoc(toto + tor + "^" + toto), E},
        {"a torwette tip not closed",
         totoDoc(toto + "<torwetteTipp>" + goodTorwette + "^"), U},
        {"a torwette tip closed with another name",
         totoDoc(toto + "<torwetteTipp>" + goodTorwette + "^</torwettetipp>"), U},
        {"a torwette tip with an attribute ends the ticket",
         totoDoc(toto + "^<torwetteTipp x='1'>" + goodTorwette + "</torwetteTipp>"), E},
    };
    checkRows(rows);
}

// Number-and-star tips: 5 numbers from 1 to 50, 2 stars from 1 to 12.
TEST(Star, NumberTexts)
{
    const std::vector<Row> rows = {
        {"a correct number list", starTip(goodNumbers, goodStars), ""},
        {"the lowest numbers", starTip("01,02,03,04,05", goodStars), ""},
        {"the highest numbers", starTip("46,47,48,49,50", goodStars), ""},
        {"a value above 50", starTip("05,17,23,38,^51", goodStars), C},
        {"a first digit above 5", starTip("05,17,23,38,^60", goodStars), C},
        {"a one-digit number", starTip("^5,17,23,38,50", goodStars), C},
        {"descending", starTip("50,^49,48,47,46", goodStars), C},
        {"four numbers", starTip("05,17,23,38^", goodStars), C},
        {"six numbers", starTip("05,17,23,38,50^,51", goodStars), C},
        {"a six-number lotto list", starTip("01,02,03,04,05^,06", goodStars), C},
        {"an empty number list", starTip("^", goodStars), C},
    };
    checkRows(rows);
}

TEST(Star, StarTexts)
{
    const std::vector<Row> rows = {
        {"02,11", starTip(goodNumbers, "02,11"), ""},
        {"the lowest and highest stars", starTip(goodNumbers, "01,12"), ""},
        {"not ascending", starTip(goodNumbers, "11,^02"), C},
        {"the same star twice", starTip(goodNumbers, "07,^07"), C},
        {"12 twice", starTip(goodNumbers, "12,^12"), C},
        {"a star above 12", starTip(goodNumbers, "^13,01"), C},
        {"a second star above 12", starTip(goodNumbers, "02,^13"), C},
        {"a first digit above 1", starTip(goodNumbers, "^20,01"), C},
        {"star 00", starTip(goodNumbers, "^00,01"), C},
        {"one-digit stars", starTip(goodNumbers, "^1,2"), C},
        {"the second star is missing", starTip(goodNumbers, "02^"), C},
        {"the second star has one digit", starTip(goodNumbers, "02,1^"), C},
        {"a third star", starTip(goodNumbers, "02,11^,03"), C},
        {"a blank after the stars", starTip(goodNumbers, "02,11^ "), C},
        {"an empty star list", starTip(goodNumbers, "^"), C},
    };
    checkRows(rows);
}

TEST(Star, TicketStructure)
{
    const std::string zahl = "<emTippZahl>" + goodNumbers + "</emTippZahl>";
    const std::string stern = "<emTippStern>" + goodStars + "</emTippStern>";
    const std::vector<Row> rows = {
        {"one tip", starDoc(tipp), ""},
        {"ten tips", starDoc(repeat(tipp, 10)), ""},
        {"line ends and comments between the tags",
         starDoc("\n<tipp>\n  <!-- z -->\n  " + zahl + "\n  " + stern + "\n</tipp>\n"), ""},
        {"an eleventh tip is refused by the body", starDoc(repeat(tipp, 10) + "^" + tipp), E},
        {"</schein> straight after <schein>", starDoc("^"), E},
        {"a list directly inside schein", starDoc("^" + zahl + stern), E},
        {"tipp with an attribute", starDoc("^<tipp nr='1'>" + zahl + stern + "</tipp>"), E},
        {"stars before numbers: refused at emTippStern",
         starDoc("<tipp>^" + stern + zahl + "</tipp>"), E},
        {"an empty tip: refused at its closing tag", starDoc("<tipp>^</tipp>"), E},
        {"the number list not closed, the stars follow",
         starDoc("<tipp><emTippZahl>" + goodNumbers + "^" + stern + "</tipp>"), U},
        {"the number list closed with another name",
         starDoc("<tipp><emTippZahl>" + goodNumbers + "^</emTippStern>"), U},
        {"a second number list", starDoc("<tipp>" + zahl + "^" + zahl + stern + "</tipp>"), E},
        {"the tip ends after the numbers", starDoc("<tipp>" + zahl + "^</tipp>"), E},
        {"the star list not closed", starDoc("<tipp>" + zahl + "<emTippStern>" + goodStars +
                                             "^</tipp>"),
         U},
        {"a second star list: an opening tag where </tipp> is expected",
         starDoc("<tipp>" + zahl + stern + "^" + stern + "</tipp>"), E},
        {"tipp not closed, </schein> follows", starDoc("<tipp>" + zahl + stern + "^"), U},
        {"tipp not closed, the next tip follows",
         starDoc("<tipp>" + zahl + stern + "^" + tipp), E},
        {"tipp closed with another name", starDoc("<tipp>" + zahl + stern + "^</tip>"), U},
        {"an error in the second tip",
         starDoc(tipp + "\n<tipp>" + zahl + "<emTippStern>^13,01</emTippStern></tipp>"), C},
    };
    checkRows(rows);
}
