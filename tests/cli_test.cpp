// The command-line checker as a user runs it: output, exit status, JSON.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

#include "test_files.h"

namespace {

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;
};

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string quoted(const std::string& argument)
{
    std::string out = "'";
    for (const char c : argument)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// Runs quorvel with the arguments, standard output and error into files.
Outcome quorvel(const std::vector<std::string>& arguments, const std::string& environment = "")
{
    const std::string out = lvxtest::tempPath("cli.out");
    const std::string err = lvxtest::tempPath("cli.err");
    std::string command = environment + " " + QUORVEL_BINARY;
    for (const std::string& argument : arguments)
        command += " " + quoted(argument);
    command += " >" + out + " 2>" + err + " </dev/null";
    const int raw = std::system(command.c_str());
    Outcome run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readAll(out);
    run.err = readAll(err);
    return run;
}

std::string example(const std::string& name)
{
    return std::string(QUORVEL_SOURCE_DIR) + "/examples/" + name;
}

std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

const std::string success = "Datei korrekt. Tipps nun spielbar.";

TEST(Cli, FirstLineIsTheMessageAndTheStatusTellsTheResult)
{
    const struct {
        const char* reason;
        std::string file;
        std::string message;
        int status;
    } rows[] = {
        {"correct lotto file", example("lotto.lvx"), success, 0},
        {"correct toto file with torwette", example("toto.lvx"), success, 0},
        {"correct number-and-star file", example("zahlen-und-sterne.lvx"), success, 0},
        {"positioned error", example("fehler-zahl-zu-gross.lvx"),
         "Die Datei enthält in der Zeile 14, Spalte 37 Inhalte, die nicht der aktuellen "
         "XML-Schnittstellenbeschreibung entsprechen.", 1},
        {"error without a place", example("fehler-kodierung.lvx"),
         "Die Datei entspricht nicht dem Datenformat der aktuellen XML-Schnittstellenbeschreibung "
         "(UTF-8 oder ASCII).", 1},
        {"the name is passed on unchanged: the validator strips the quotes", "\"" + example("lotto.lvx") + "\"",
         success, 0},
        {"an empty name is the validator's to judge", "", "Keine Datei angegeben.", 1},
        {"a wrong extension", "tipps.xml", "Ungültiger Dateiname. Die Datei muss mit '.lvx' enden.", 1},
        {"a file that does not exist", "/nonexistent/tipps.lvx", "Konnte Datei nicht öffnen.", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const Outcome run = quorvel({row.file});
        EXPECT_EQ(firstLine(run.out), row.message);
        EXPECT_EQ(run.status, row.status);
        EXPECT_EQ(run.err, "");
    }
}

TEST(Cli, ErrorsWithoutAPlacePrintTheMessageAlone)
{
    EXPECT_EQ(quorvel({example("fehler-kodierung.lvx")}).out,
              "Die Datei entspricht nicht dem Datenformat der aktuellen XML-Schnittstellenbeschreibung "
              "(UTF-8 oder ASCII).\n");
}

TEST(Cli, SeveralFilesTieEachResultToItsName)
{
    const Outcome run = quorvel({"--color=never", example("lotto.lvx"), "/nonexistent/a.lvx"});
    EXPECT_EQ(run.out, example("lotto.lvx") + ": " + success + "\n/nonexistent/a.lvx: Konnte Datei nicht öffnen.\n");
    EXPECT_EQ(run.status, 1) << "one failing file fails the run";
    EXPECT_EQ(quorvel({example("lotto.lvx"), example("toto.lvx")}).status, 0);
}

TEST(Cli, UsageErrorsExitWithTwo)
{
    const struct {
        const char* reason;
        std::vector<std::string> arguments;
    } rows[] = {
        {"no file", {}},
        {"an unknown option", {"--fast", example("lotto.lvx")}},
        {"a bad colour mode", {"--color=sometimes", example("lotto.lvx")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        const Outcome run = quorvel(row.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Aufruf: quorvel"), std::string::npos) << run.err;
    }
}

TEST(Cli, HelpAndVersion)
{
    const Outcome help = quorvel({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Aufruf: quorvel", 0), 0u);
    const Outcome version = quorvel({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Quorvel 02.10\n");
}

TEST(Cli, DoubleDashEndsTheOptions)
{
    const Outcome run = quorvel({"--", "--json"});
    EXPECT_EQ(run.out, "Ungültiger Dateiname. Die Datei muss mit '.lvx' enden.\n");
    EXPECT_EQ(run.status, 1);
}

TEST(Cli, JsonGivesOneObjectPerLine)
{
    const std::string good = example("lotto.lvx");
    const Outcome run = quorvel({"--json", good, "/nonexistent/a.lvx"});
    EXPECT_EQ(run.out, "{\"file\": \"" + good + "\", \"ok\": true, \"message\": \"" + success +
                           "\", \"line\": 0, \"column\": 0}\n"
                           "{\"file\": \"/nonexistent/a.lvx\", \"ok\": false, \"message\": \"Konnte Datei nicht "
                           "öffnen.\", \"line\": 0, \"column\": 0}\n");
    EXPECT_EQ(run.status, 1);
}

TEST(Cli, JsonEscapesNamesAndAddsTheExcerpt)
{
    const std::string dir = lvxtest::tempDir();
    const std::string name = dir + "/a \"b\" \\c\t\xFC.lvx";
    lvxtest::writeFile("a \"b\" \\c\t\xFC.lvx",
                       "<qarn>\n<versionsNr>3</versionsNr>\n<wsArt>17</wsArt>\n<schein>\n"
                       "<lottoTipp>01,02,03,04,05,46</lottoTipp>\n</schein>\n</qarn>\n");
    const Outcome run = quorvel({"--json", name});
    const std::string expectedName = "\"" + dir + "/a \\\"b\\\" \\\\c\\t\\ufffd.lvx\"";
    EXPECT_EQ(run.out, "{\"file\": " + expectedName +
                           ", \"ok\": false, \"message\": \"Die Datei enthält in der Zeile 5, Spalte 27 Inhalte, "
                           "die nicht der aktuellen XML-Schnittstellenbeschreibung entsprechen.\", \"line\": 5, "
                           "\"column\": 27, \"excerpt\": {\"startLine\": 2, \"endLine\": 8, \"textBefore\": "
                           "\"<versionsNr>3</versionsNr>\\r\\n<wsArt>17</wsArt>\\r\\n<schein>\\r\\n"
                           "<lottoTipp>01,02,03,04,05,\", \"errorText\": \"46\", \"textAfter\": "
                           "\"</lottoTipp>\\r\\n</schein>\\r\\n</qarn>\\r\\n\"}}\n");
}

// The terminal output of representative faulty files, compared with the
// files under tests/golden, with and without colour.
TEST(Cli, TerminalOutputMatchesTheGoldenFiles)
{
    const struct {
        const char* example;
        const char* golden;
        const char* color;
    } rows[] = {
        {"fehler-zahl-zu-gross.lvx", "zahl-zu-gross.txt", "--color=never"},
        {"fehler-zahl-zu-gross.lvx", "zahl-zu-gross.color.txt", "--color=always"},
        {"fehler-tag-nicht-geschlossen.lvx", "tag-nicht-geschlossen.txt", "--color=never"},
        {"fehler-falsche-version.lvx", "falsche-version.color.txt", "--color=always"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.golden);
        const Outcome run = quorvel({row.color, example(row.example)}, "cd " QUORVEL_SOURCE_DIR " &&");
        EXPECT_EQ(run.out, readAll(std::string(QUORVEL_SOURCE_DIR) + "/tests/golden/" + row.golden));
    }
}

TEST(Cli, ColourOnlyWhenAskedForOrOnATerminal)
{
    const std::string faulty = example("fehler-zahl-zu-gross.lvx");
    const std::string red = "\x1b[31m";
    EXPECT_EQ(quorvel({faulty}).out.find(red), std::string::npos) << "auto, not a terminal";
    EXPECT_EQ(quorvel({"--color=auto", faulty}).out.find(red), std::string::npos);
    EXPECT_NE(quorvel({"--color=always", faulty}).out.find(red), std::string::npos);
    EXPECT_NE(quorvel({"--color", "always", faulty}, "NO_COLOR=1").out.find(red), std::string::npos)
        << "an explicit choice wins over NO_COLOR";
}

// Control characters in the excerpt are shown as symbols, never sent raw.
TEST(Cli, ControlCharactersAreShownVisibly)
{
    const std::string path = lvxtest::writeFile(
        "control.lvx", "<qarn>\n<versionsNr>3</versionsNr>\n<wsArt>17</wsArt>\n<schein>\n"
                       "<lottoTipp>01,02\x1b[2J,03</lottoTipp>\n</schein>\n</qarn>\n");
    const Outcome run = quorvel({"--color=never", path});
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos);
    EXPECT_NE(run.out.find("01,02\xE2\x90\x9B[2J,03"), std::string::npos) << run.out;
}

}  // namespace
