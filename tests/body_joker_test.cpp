// The document body: the joker block, the sequence of tickets, the 1000-ticket
// limit, the closing root tag and the tail after it.

#include <gtest/gtest.h>

#include "test_files.h"

using namespace lvxtest;

namespace {

const std::string lottoSchein = "<schein><lottoTipp>" + goodLotto + "</lottoTipp></schein>";
const std::string totoSchein = "<schein><totoTipp>" + goodToto + "</totoTipp></schein>";
const std::string starSchein = "<schein><tipp><emTippZahl>" + goodNumbers +
                               "</emTippZahl><emTippStern>" + goodStars +
                               "</emTippStern></tipp></schein>";

// A lotto document: header, then `body` (joker block and tickets), then </qarn>.
std::string lottoWith(const std::string& body)
{
    return header("3", "17") + body + "</qarn>\n";
}

// A lotto document with the given joker block before one ticket.
std::string joker(const std::string& inside)
{
    return lottoWith("<joker>" + inside + "</joker>" + lottoSchein);
}

const std::string anzahl1 = "<anzahlJokerProSchein>1</anzahlJokerProSchein>";

const std::string& smallest = smallestLotto;

// `count` lotto tickets, one a line, after a header on line 1.
std::string manyTickets(int count, const std::string& ticket = lottoSchein)
{
    return header("3", "17") + "\n" + repeat(ticket + "\n", count) + "</qarn>\n";
}

}  // namespace

TEST(Body, SmallestFile)
{
    const std::vector<Row> rows = {
        {"the smallest correct lotto file", smallest, ""},
        {"the same with CR LF line ends", crlf(smallest), ""},
        {"without the declaration", smallest.substr(smallest.find('\n') + 1), ""},
        {"without the final line end", smallest.substr(0, smallest.size() - 1), ""},
    };
    checkRows(rows);

    // With wsArt 34 the header refuses it at the version text: line 3, column 13.
    std::string starType = smallest;
    starType.replace(starType.find("<wsArt>17"), 9, "<wsArt>34");
    EXPECT_EQ(at(text::content, 3, 13), check(starType));
    EXPECT_EQ(at(text::content, 3, 13), check(crlf(starType)));
}

TEST(Body, Skeleton)
{
    const std::vector<Row> rows = {
        {"three tickets", lottoWith(repeat(lottoSchein, 3)), ""},
        {"tickets with line ends and comments between them",
         lottoWith("\n" + lottoSchein + "\n<!-- zwei -->\n" + lottoSchein + "\n<!-- ende -->\n"),
         ""},
        {"toto tickets", header("3", "28") + repeat(totoSchein, 2) + "</qarn>", ""},
        {"number-and-star tickets", header("4", "34") + repeat(starSchein, 2) + "</qarn>", ""},
        {"no ticket at all: </qarn> stands where schein is required",
         header("3", "17") + "^</qarn>", text::element},
        {"a tip directly after the header", header("3", "17") + "^<lottoTipp>", text::element},
        {"schein with an attribute", header("3", "17") + "^<schein nr=\"1\">", text::element},
        {"schein written in another case", header("3", "17") + "^<Schein>", text::element},
        {"a lotto tip in a toto file", header("3", "28") + "<schein>^<lottoTipp>" + goodLotto,
         text::element},
        {"a toto tip in a lotto file", header("3", "17") + "<schein>^<totoTipp>" + goodToto,
         text::element},
        {"a lotto tip in a number-and-star file",
         header("4", "34") + "<schein>^<lottoTipp>" + goodLotto, text::element},
        {"an empty lotto ticket: refused at </schein>", lottoWith("<schein>^</schein>"),
         text::element},
        {"an empty toto ticket", header("3", "28") + "<schein>^</schein></qarn>", text::element},
        {"an empty number-and-star ticket", header("4", "34") + "<schein>^</schein></qarn>",
         text::element},
        {"schein closed twice", lottoWith(lottoSchein + "^</schein>"), text::unclosed},
        {"schein closed with another name",
         lottoWith("<schein><lottoTipp>" + goodLotto + "</lottoTipp>^</scheine>"), text::unclosed},
        {"a tag other than schein or </qarn> after the tickets",
         lottoWith(lottoSchein + "^<schein nr=\"2\">"), text::element},
        {"a closing tag other than </qarn> after the tickets",
         header("3", "17") + lottoSchein + "^</qarns>", text::unclosed},
        {"a blank inside the closing root tag", header("3", "17") + lottoSchein + "^</qarn >",
         text::unclosed},
        {"a joker block after the first ticket ends the tickets",
         lottoWith(lottoSchein + "^<joker>" + anzahl1 + "</joker>"), text::element},
        {"a second joker block: refused where schein is required",
         lottoWith("<joker>" + anzahl1 + "</joker>^<joker>" + anzahl1 + "</joker>" + lottoSchein),
         text::element},
        {"the file ends right after the last </schein>: just past its last byte",
         header("3", "17") + lottoSchein + "^", text::unclosed},
        {"the file ends after the last </schein> and a line end",
         header("3", "17") + lottoSchein + "\n^", text::unclosed},
    };
    checkRows(rows);
}

TEST(Body, TailAfterRoot)
{
    const std::string doc = header("3", "17") + lottoSchein + "</qarn>";
    const std::vector<Row> rows = {
        {"the file ends right after </qarn>", doc, ""},
        {"blanks, tabs, CR, LF and CR LF after </qarn>", doc + " \t\r\n\n \r \t\r\n  ", ""},
        {"many empty lines", doc + repeat("\n", 200), ""},
        {"a lone CR as the last byte", doc + "\r", ""},
        {"0x1A after </qarn> ends the input", doc + "\n\x1A<trailing>stuff", ""},
        {"a comment after </qarn>: element message at its '<'", doc + "\n  ^<!-- ende -->",
         text::element},
        {"a second root", doc + "\n^<qarn>", text::element},
        {"a second closing root tag", doc + "^</qarn>", text::element},
        {"a stray x: unclosed-tag message at the x", doc + "\n\n   ^x", text::unclosed},
        {"a stray '>'", doc + "^>", text::unclosed},
        {"a vertical tab is no white space here", doc + "\n^\v", text::unclosed},
        {"a NUL after </qarn>", doc + " ^" + std::string(1, '\0'), text::unclosed},
        {"a multi-byte character after </qarn>", doc + "\n^\xE2\x82\xAC", text::unclosed},
    };
    checkRows(rows);
}

// 1000 tickets are the most a file may hold; the 1001st is refused as soon as
// its opening tag has been read, whatever it holds.
TEST(Body, TicketLimit)
{
    const std::string badTip = "<schein><lottoTipp>01,02,03,04,05,^46</lottoTipp></schein>\n";
    const std::vector<Row> rows = {
        {"1000 lotto tickets", manyTickets(1000), ""},
        {"1001 lotto tickets: limit message, no place", manyTickets(1001), text::limit},
        {"1001 lotto tickets, the 1001st broken inside",
         header("3", "17") + repeat(lottoSchein, 1000) + "<schein><nonsense>", text::limit},
        {"1001 toto tickets", header("3", "28") + repeat(totoSchein, 1001) + "</qarn>",
         text::limit},
        {"1001 number-and-star tickets", header("4", "34") + repeat(starSchein, 1001) + "</qarn>",
         text::limit},
        {"1000 tickets and a stray byte after </qarn>", manyTickets(1000) + "^x", text::unclosed},
        {"an error in the first of 1001 tickets is met before the count",
         header("3", "17") + "\n" + badTip + repeat(lottoSchein + "\n", 1000) + "</qarn>\n",
         text::content},
    };
    checkRows(rows);

    // An error in the 1000th ticket, one ticket a line after the header: line 1001.
    const std::string last = header("3", "17") + "\n" + repeat(lottoSchein + "\n", 999) +
                             "<schein><lottoTipp>01,02,03,04,05,46</lottoTipp></schein>\n</qarn>\n";
    EXPECT_EQ(at(text::content, 1001, 35), check(last));
}

TEST(Joker, Block)
{
    const std::string maximale = "<maximaleJokerAnzahl>5</maximaleJokerAnzahl>";
    auto anzahl = [](const std::string& value) {
        return joker("<anzahlJokerProSchein>^" + value + "</anzahlJokerProSchein>");
    };
    auto maximum = [&](const std::string& value) {
        return joker(anzahl1 + "<maximaleJokerAnzahl>^" + value + "</maximaleJokerAnzahl>");
    };
    auto goodAnzahl = [](const std::string& value) {
        return joker("<anzahlJokerProSchein>" + value + "</anzahlJokerProSchein>");
    };
    auto goodMaximum = [&](const std::string& value) {
        return joker(anzahl1 + "<maximaleJokerAnzahl>" + value + "</maximaleJokerAnzahl>");
    };
    const std::vector<Row> rows = {
        {"one joker per ticket", joker(anzahl1), ""},
        {"with a maximum", joker(anzahl1 + maximale), ""},
        {"white space and comments inside the block",
         joker("\n  " + anzahl1 + "\n  <!-- max -->\n  " + maximale + "\n"), ""},
        {"after tnDauer and filter",
         header("3", "17") + "<tnDauer>2</tnDauer><filter>AB12</filter><joker>" + anzahl1 +
             "</joker>" + lottoSchein + "</qarn>",
         ""},
        {"in a toto file", header("3", "28") + "<joker>" + anzahl1 + "</joker>" + totoSchein +
                               "</qarn>",
         ""},
        {"in a number-and-star file",
         header("4", "34") + "<joker>" + anzahl1 + maximale + "</joker>" + starSchein + "</qarn>",
         ""},
        {"10 per ticket", goodAnzahl("10"), ""},
        {"010 per ticket", goodAnzahl("010"), ""},
        {"0 per ticket", anzahl("0"), text::content},
        {"11 per ticket", anzahl("11"), text::content},
        {"empty count: reported at the following '<'", anzahl(""), text::content},
        {"a blank before the count", anzahl(" 1"), text::content},
        {"a sign before the count", anzahl("+1"), text::content},
        {"a count beyond 32 bits that would wrap to 1", anzahl("4294967297"), text::content},
        {"maximum 1", goodMaximum("1"), ""},
        {"maximum 10000", goodMaximum("10000"), ""},
        {"maximum 010000", goodMaximum("010000"), ""},
        {"maximum 0", maximum("0"), text::content},
        {"maximum 10001", maximum("10001"), text::content},
        {"maximum empty", maximum(""), text::content},
        {"maximum with a letter", maximum("5x"), text::content},
        {"an empty joker block: refused at </joker>", lottoWith("<joker>^</joker>" + lottoSchein),
         text::element},
        {"the maximum before the count", joker("^" + maximale + anzahl1), text::element},
        {"the count written in another case",
         joker("^<AnzahlJokerProSchein>1</AnzahlJokerProSchein>"), text::element},
        {"a second count: the block's end is expected there", joker(anzahl1 + "^" + anzahl1),
         text::element},
        {"a second maximum", joker(anzahl1 + maximale + "^" + maximale), text::element},
        {"the count not closed, the maximum follows",
         joker("<anzahlJokerProSchein>3^<maximaleJokerAnzahl>"), text::unclosed},
        {"the count closed with another name",
         joker("<anzahlJokerProSchein>3^</anzahlJoker>"), text::unclosed},
        {"the maximum not closed", joker(anzahl1 + "<maximaleJokerAnzahl>5^</joker>"),
         text::unclosed},
        {"the block not closed: schein stands where </joker> is expected",
         lottoWith("<joker>" + anzahl1 + "^" + lottoSchein), text::element},
        {"the block closed with another name",
         lottoWith("<joker>" + anzahl1 + "^</jokers>" + lottoSchein), text::unclosed},
        {"a joker block before wsArt", header("3", "17").substr(0, 32) + "^<joker>", text::element},
    };
    checkRows(rows);
}
