// What a check shows: the message field, the excerpt view with exactly the
// faulty piece in red, and the line numbers in the gutter.
#include <gtest/gtest.h>

#include <richedit.h>

#include <algorithm>
#include <cstdlib>

#include "excerpt_view.h"
#include "fixture_files.h"
#include "lvx_parser.h"
#include "program_state.h"
#include "run_check.h"
#include "sent_messages.h"
#include "show_result.h"
#include "window_driver.h"

namespace {

const std::wstring contentMessageTail =
    L" Inhalte, die nicht der aktuellen XML-Schnittstellenbeschreibung entsprechen.";

void check(const MainWindow& window, const std::wstring& name)
{
    window.typeName(name);
    runCheck();
}

// The red characters must be exactly the expected piece, at the place where
// it stands in the view's text.
void expectRed(const std::wstring& shown, const std::wstring& piece, std::size_t at)
{
    ASSERT_EQ(piece, shown.substr(at, piece.size()));
    const RedText red = redText();
    EXPECT_EQ(piece, red.text);
    std::vector<int> expected;
    for (std::size_t i = 0; i < piece.size(); ++i)
        expected.push_back(static_cast<int>(at + i));
    EXPECT_EQ(expected, red.positions);
}

TEST(Result, CorrectFileShowsTheSuccessMessageOnly)
{
    MainWindow window;
    check(window, fixtures::write("korrekt.lvx", fixtures::correctLotto));
    EXPECT_EQ(L"Datei korrekt. Tipps nun spielbar.", messageField());
    EXPECT_EQ(L"", excerptView());
    EXPECT_EQ(L"", gutter());
    EXPECT_EQ(L"Quorvel - korrekt.lvx", titleOf(window));
}

TEST(Result, PositionedErrorShowsMessageExcerptRedPieceAndLineNumbers)
{
    MainWindow window;
    check(window, fixtures::write("zahl-zu-gross.lvx", fixtures::numberTooLarge));
    EXPECT_EQ(L"Die Datei enthält in der Zeile 14, Spalte 37" + contentMessageTail, messageField());
    const std::wstring shown = excerptView();
    EXPECT_EQ(L"    <lottoTipp>03,11,17,28,40,45</lottoTipp>\r\n"
              L"    <lottoTipp>01,02,03,04,05,06</lottoTipp>\r\n"
              L"  </schein>\r\n"
              L"  <schein><lottoTipp>01,02,03,04,05,46</lottoTipp>\r\n"
              L"  </schein>\r\n"
              L"</qarn>\r\n",
              shown);
    expectRed(shown, L"46", shown.find(L"05,46") + 3);
    EXPECT_EQ(L"11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n", gutter());
}

// The excerpt of a customer number with a letter on line 5; line 2 holds an
// "ü", two bytes in UTF-8 and one character on screen.
const std::wstring customerNumberExcerpt =
    L"<!-- Tipp für Max -->\r\n"
    L"<qarn>\r\n"
    L"  <versionsNr>3.0</versionsNr>\r\n"
    L"  <kundenNr>12x456</kundenNr>\r\n"
    L"  <wsArt>17</wsArt>\r\n"
    L"</qarn>\r\n";

TEST(Result, Utf8ExcerptCountsTheRedRangeInUtf16Units)
{
    MainWindow window;
    check(window, fixtures::write("umlaut.lvx", fixtures::customerNumberWithUmlautAbove));
    EXPECT_EQ(L"Die Datei enthält in der Zeile 5, Spalte 13" + contentMessageTail, messageField());
    const std::wstring shown = excerptView();
    EXPECT_EQ(customerNumberExcerpt, shown);
    // One position before the byte count of the text in front of it.
    const std::size_t bytesBefore = std::string(fixtures::customerNumberWithUmlautAbove).find("12x456") -
                                    std::string(fixtures::customerNumberWithUmlautAbove).find("<!--");
    ASSERT_EQ(bytesBefore + 3 - 1, shown.find(L"12x456"));  // + 3 CRs, - 1 for the "ü"
    expectRed(shown, L"12x456", shown.find(L"12x456"));
    EXPECT_EQ(L"2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n", gutter());
}

// A byte 0xFC is not UTF-8: the excerpt goes to the view as 8-bit text and the
// byte shows as the ANSI "ü". The validator never passes such a file, so the
// file is changed behind its back: the check ran on the UTF-8 bytes, the
// excerpt reads the file as it is now.
TEST(Result, ExcerptWithAByte0xFCGoesThroughThe8BitPath)
{
    ASSERT_EQ(1252u, GetACP()) << "the test prefix's ANSI code page";
    MainWindow window;
    std::string changed = fixtures::customerNumberWithUmlautAbove;
    changed.replace(changed.find("\xC3\xBC"), 2, "\xFC");
    const std::wstring path = fixtures::write("ansi.lvx", changed);
    const std::string name = fixtures::narrow(path);
    window.typeName(path);

    lvxParser parser;
    parser.fileName = name;
    parser.parseMemory(fixtures::customerNumberWithUmlautAbove,
                       std::string(fixtures::customerNumberWithUmlautAbove).size());
    ASSERT_EQ(5u, parser.errorLine());
    showResult(parser, name);

    const std::wstring shown = excerptView();
    EXPECT_EQ(customerNumberExcerpt, shown);
    expectRed(shown, L"12x456", shown.find(L"12x456"));
    EXPECT_EQ(L"2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n", gutter());
}

TEST(Result, ErrorAtTheEndOfTheInputShowsTheEndOfFileMarkerInRed)
{
    ASSERT_EQ(1252u, GetACP()) << "the test prefix's ANSI code page";
    MainWindow window;
    check(window, fixtures::write("zu-frueh-zu-ende.lvx", fixtures::endsInsideHeader));
    EXPECT_EQ(L"Die Datei enthält in der Zeile 4, Spalte 1 einen Inhalt, der nicht XML-konform ist. "
              L"Ein XML-Tag wurde nicht geschlossen.",
              messageField());
    const std::wstring shown = excerptView();
    EXPECT_EQ(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
              L"<qarn>\r\n"
              L"  <versionsNr>3.0</versionsNr>\r\n"
              L"\u00B7",
              shown);
    expectRed(shown, L"\u00B7", shown.size() - 1);
    EXPECT_EQ(L"1\r\n2\r\n3\r\n4\r\n", gutter());
}

TEST(Result, ErrorWithoutAPlaceFillsOnlyTheMessageField)
{
    struct Case {
        std::wstring name;
        std::wstring message;
    };
    const Case cases[] = {
        {L"", L"Keine Datei angegeben."},
        {L"tipps.txt", L"Ungültiger Dateiname. Die Datei muss mit '.lvx' enden."},
        {L"C:\\nirgends\\fehlt.lvx", L"Konnte Datei nicht öffnen."},
        {fixtures::write("kodierung.lvx", "<?xml version=\"1.0\"?>\n<!-- f\xFCr -->\n"),
         L"Die Datei entspricht nicht dem Datenformat der aktuellen XML-Schnittstellenbeschreibung "
         L"(UTF-8 oder ASCII)."},
    };
    MainWindow window;
    // A faulty file first, so that every view has something to lose.
    check(window, fixtures::write("vorher.lvx", fixtures::numberTooLarge));
    for (const Case& c : cases) {
        check(window, c.name);
        EXPECT_EQ(c.message, messageField()) << c.name;
        EXPECT_EQ(L"", excerptView()) << c.name;
        EXPECT_EQ(L"", gutter()) << c.name;
    }
}

TEST(Result, ANewCheckLeavesOnlyItsOwnPieceRed)
{
    MainWindow window;
    check(window, fixtures::write("erst.lvx", fixtures::numberTooLarge));
    ASSERT_EQ(L"46", redText().text);
    check(window, fixtures::write("dann.lvx", fixtures::customerNumberWithUmlautAbove));
    const std::wstring shown = excerptView();
    expectRed(shown, L"12x456", shown.find(L"12x456"));
    // The same file twice: the same piece, nothing more.
    runCheck();
    expectRed(excerptView(), L"12x456", shown.find(L"12x456"));
}

// The red of the last result would otherwise carry over into the text that
// replaces it: every check first returns all text to the automatic colour,
// then shows the progress text.
TEST(Result, ACheckFirstReturnsAllTextToTheAutomaticColour)
{
    MainWindow window;
    check(window, fixtures::write("rot.lvx", fixtures::numberTooLarge));
    SentMessages sent(program.excerptView);
    runCheck();
    ASSERT_LE(2u, sent.log.size());
    EXPECT_EQ(static_cast<UINT>(EM_SETCHARFORMAT), sent.log[0].message);
    EXPECT_EQ(static_cast<WPARAM>(SCF_ALL), sent.log[0].wParam);
    EXPECT_EQ(static_cast<DWORD>(CFM_COLOR), sent.log[0].formatMask);
    EXPECT_EQ(static_cast<DWORD>(CFE_AUTOCOLOR), sent.log[0].formatEffects);
    EXPECT_EQ(static_cast<UINT>(WM_SETTEXT), sent.log[1].message);
    EXPECT_EQ(L"prüfe...", sent.log[1].text);
}

TEST(Result, TheAutomaticColourLeavesNoRed)
{
    MainWindow window;
    check(window, fixtures::write("entfaerbt.lvx", fixtures::numberTooLarge));
    const std::wstring shown = excerptView();
    ASSERT_EQ(L"46", redText().text);
    resetExcerptColour();
    EXPECT_EQ(L"", redText().text);
    EXPECT_EQ(shown, excerptView());
}

// Where the n-th line of a control starts, in screen pixels from the top.
int lineTop(HWND control, int line, bool richEdit)
{
    const LPARAM start = SendMessageW(control, EM_LINEINDEX, line, 0);
    POINT place{};
    if (richEdit) {
        // The version 1 control writes the place into a POINTL.
        POINTL at{};
        SendMessageW(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), start);
        place = {at.x, at.y};
    } else {
        place.y = HIWORD(SendMessageW(control, EM_POSFROMCHAR, start, 0));
    }
    ClientToScreen(control, &place);
    return place.y;
}

// The gutter keeps no font of its own choosing: it takes the view's, so
// that every number stays beside its line down to the last one, instead of
// drifting a pixel or two a line.
TEST(Result, EveryLineNumberStandsBesideItsLine)
{
    MainWindow window;
    check(window, fixtures::write("zahl-zu-gross.lvx", fixtures::numberTooLarge));
    // 11 to 16, each number followed by CR LF.
    const std::wstring numbers = gutter();
    const int lines = static_cast<int>(std::count(numbers.begin(), numbers.end(), L'\n'));
    ASSERT_EQ(6, lines);
    const int firstOffset = lineTop(program.gutter, 0, false) - lineTop(program.excerptView, 0, true);
    EXPECT_LE(std::abs(firstOffset), 3);
    for (int line = 1; line < lines; ++line) {
        SCOPED_TRACE(line);
        const int offset = lineTop(program.gutter, line, false) - lineTop(program.excerptView, line, true);
        EXPECT_EQ(firstOffset, offset);
    }
}

}  // namespace
