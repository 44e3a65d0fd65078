// The start-up check: the command-line text goes into the name field as it
// is and is checked before the window is first shown.
#include <gtest/gtest.h>

#include "fixture_files.h"
#include "program_state.h"
#include "window_driver.h"

namespace {

const std::wstring instruction =
    L"Bitte überprüfen Sie eine fehlerhafte Datei erneut, bis die Meldung "
    L"\"Datei korrekt. Tipps nun spielbar\" erscheint.";

TEST(Startup, CommandLineTextIsCheckedAtOnce)
{
    const std::wstring path = fixtures::write("start.lvx", fixtures::numberTooLarge);
    struct Case {
        std::wstring commandLine;
        std::wstring title;
    };
    const Case cases[] = {
        {path, L"Quorvel - start.lvx"},
        // The quotes stay in the field; the title shows the closing one.
        {L"\"" + path + L"\"", L"Quorvel - start.lvx\""},
    };
    for (const Case& c : cases) {
        MainWindow window(c.commandLine);
        EXPECT_EQ(c.commandLine, nameField());
        EXPECT_EQ(c.title, titleOf(window));
        EXPECT_EQ(L"Die Datei enthält in der Zeile 14, Spalte 37 Inhalte, die nicht der aktuellen "
                  L"XML-Schnittstellenbeschreibung entsprechen.",
                  messageField());
        EXPECT_EQ(L"46", redText().text);
        EXPECT_EQ(L"11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n", gutter());
        EXPECT_EQ(instruction, textOf(program.instructionField));
    }
}

TEST(Startup, NameWithoutBackslashIsItsOwnBaseName)
{
    MainWindow window(L"nirgends-zu-finden.lvx");
    EXPECT_EQ(L"Quorvel - nirgends-zu-finden.lvx", titleOf(window));
    EXPECT_EQ(L"Konnte Datei nicht öffnen.", messageField());
    EXPECT_EQ(instruction, textOf(program.instructionField));
}

TEST(Startup, WithoutCommandLineTextNothingIsChecked)
{
    MainWindow window;
    EXPECT_EQ(L"Quorvel", titleOf(window));
    EXPECT_EQ(L"", nameField());
    EXPECT_EQ(L"", messageField());
    EXPECT_EQ(L"", excerptView());
    EXPECT_EQ(instruction, textOf(program.instructionField));
}

}  // namespace
