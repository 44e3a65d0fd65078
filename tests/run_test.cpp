// The validation run: the result record, the composed sentence, the name rules,
// opening the file, the size limit and the first bytes.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "lvx_parser.h"
#include "test_files.h"

using namespace lvxtest;

namespace {

constexpr std::size_t sizeLimit = 4194304;  // 4 x 1024 x 1024 bytes

const std::string& smallLotto = smallestLotto;

// A correct document padded after </qarn> to exactly `size` bytes on disk.
std::string padded(std::size_t size, const std::string& padPiece)
{
    std::string bytes = smallLotto;
    while (bytes.size() + padPiece.size() <= size)
        bytes += padPiece;
    while (bytes.size() < size)
        bytes += ' ';
    return bytes;
}

}  // namespace

// ---------------------------------------------------------------------------
// The result record and the composed sentence

TEST(ResultRecord, FreshObjectHoldsNoResult)
{
    lvxParser parser;
    EXPECT_EQ("", parser.errorMessage());
    EXPECT_EQ(0u, parser.errorLine());
    EXPECT_EQ(0u, parser.errorColumn());
}

TEST(ResultRecord, PositionErrorComposesTheFullSentence)
{
    const lvxParser::Error error = lvxParser::positionError(
        "Elemente, die nicht der aktuellen XML-Schnittstellenbeschreibung entsprechen. "
        "Entweder wurde ein XML-Tag vergessen, oder falsch geschrieben.",
        3, 1);
    EXPECT_EQ("Die Datei enthält in der Zeile 3, Spalte 1 Elemente, die nicht der aktuellen "
              "XML-Schnittstellenbeschreibung entsprechen. Entweder wurde ein XML-Tag "
              "vergessen, oder falsch geschrieben.",
              error.message);
    EXPECT_EQ(3u, error.line);
    EXPECT_EQ(1u, error.column);
}

TEST(ResultRecord, PositionErrorWritesPlainDigits)
{
    const lvxParser::Error error =
        lvxParser::positionError("einen Inhalt, der nicht XML-konform ist.", 1000, 10000);
    EXPECT_EQ("Die Datei enthält in der Zeile 1000, Spalte 10000 einen Inhalt, der nicht "
              "XML-konform ist.",
              error.message);
    EXPECT_EQ(1000u, error.line);
    EXPECT_EQ(10000u, error.column);
}

TEST(ResultRecord, PositionErrorMatchesTheSentenceTheTestsCompose)
{
    for (const std::string* text : {&text::content, &text::element, &text::unclosed,
                                    &text::notWellFormed}) {
        const lvxParser::Error error = lvxParser::positionError(text->c_str(), 12, 5);
        EXPECT_EQ(at(*text, 12, 5), (Result{error.message, error.line, error.column}));
    }
}

TEST(ResultRecord, PlainErrorHasNoPlace)
{
    const lvxParser::Error error("Konnte Datei nicht öffnen.");
    EXPECT_EQ("Konnte Datei nicht öffnen.", error.message);
    EXPECT_EQ(0u, error.line);
    EXPECT_EQ(0u, error.column);
}

// The third tip of a lotto ticket on line 14, its text from column 16, holds 46:
// the user reads the full sentence for line 14, column 16 + 15.
TEST(ResultRecord, UserReadsTheComposedSentenceOfAFileError)
{
    const std::string file =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"  // 1
        "<qarn>\n"                                      // 2
        "  <versionsNr>3.0</versionsNr>\n"              // 3
        "  <kundenNr>123456</kundenNr>\n"               // 4
        "  <wsArt>17</wsArt>\n"                         // 5
        "  <tnDauer>2</tnDauer>\n"                      // 6
        "  <joker>\n"                                   // 7
        "    <anzahlJokerProSchein>1</anzahlJokerProSchein>\n"  // 8
        "  </joker>\n"                                  // 9
        "  <!-- Lottoschein -->\n"                      // 10
        "  <schein>\n"                                  // 11
        "    <lottoTipp>03,11,17,28,40,45</lottoTipp>\n"  // 12
        "    <lottoTipp>01,02,03,04,05,06</lottoTipp>\n"  // 13
        "    <lottoTipp>01,02,03,04,05,46</lottoTipp>\n"  // 14
        "  </schein>\n"                                 // 15
        "</qarn>\n";                                    // 16
    const Result result = check(file);
    EXPECT_EQ("Die Datei enthält in der Zeile 14, Spalte 31 Inhalte, die nicht der aktuellen "
              "XML-Schnittstellenbeschreibung entsprechen.",
              result.message);
    EXPECT_EQ(14u, result.line);
    EXPECT_EQ(31u, result.column);
}

TEST(ResultRecord, ParseReturnsTheMessage)
{
    lvxParser parser;
    parser.fileName = writeFile("returned.lvx", "<qarn>");
    const std::string& returned = parser.parse();
    EXPECT_EQ(&parser.errorMessage(), &returned);
    EXPECT_EQ(at(text::unclosed, 1, 7).message, returned);
}

TEST(ResultRecord, SecondRunOnTheSameObjectStartsAfresh)
{
    lvxParser parser;
    parser.fileName = writeFile("first.lvx", "\n\n  <qarn>x");
    parser.parse();
    EXPECT_EQ(at(text::notWellFormed, 3, 9),
              (Result{parser.errorMessage(), parser.errorLine(), parser.errorColumn()}));

    // Counters, version and result are reset: the same error again, same place.
    parser.parse();
    EXPECT_EQ(at(text::notWellFormed, 3, 9),
              (Result{parser.errorMessage(), parser.errorLine(), parser.errorColumn()}));

    parser.fileName = writeFile("second.lvx", smallLotto);
    parser.parse();
    EXPECT_EQ(correct(),
              (Result{parser.errorMessage(), parser.errorLine(), parser.errorColumn()}));

    parser.fileName = "";
    parser.parse();
    EXPECT_EQ(bare(text::noFile),
              (Result{parser.errorMessage(), parser.errorLine(), parser.errorColumn()}));
}

// ---------------------------------------------------------------------------
// The name rules

TEST(FileName, Rules)
{
    const std::string good = writeFile("good.lvx", smallLotto);
    const std::string missing = tempPath("missing.lvx");
    ASSERT_FALSE(std::filesystem::exists(missing));
    ASSERT_FALSE(std::filesystem::exists("a.lvx"));

    struct NameRow {
        const char* reason;
        std::string name;
        Result expected;
    };
    const std::vector<NameRow> rows = {
        {"no name at all", "", bare(text::noFile)},
        {"two quotes are stripped to an empty name: a bad name, not no name", "\"\"",
         bare(text::fileName)},
        {"a single quote is first and last byte: stripped to empty", "\"", bare(text::fileName)},
        {"the extension alone is too short", ".lvx", bare(text::fileName)},
        {"quoted extension alone is too short", "\".lvx\"", bare(text::fileName)},
        {"upper-case extension", tempPath("good.LVX"), bare(text::fileName)},
        {"mixed-case extension", tempPath("good.Lvx"), bare(text::fileName)},
        {"a further extension after .lvx", good + ".bak", bare(text::fileName)},
        {"a blank after the extension", good + " ", bare(text::fileName)},
        {"no dot", tempPath("goodlvx"), bare(text::fileName)},
        {"a quote at the end only stays and spoils the extension", good + "\"",
         bare(text::fileName)},
        {"only one pair of quotes is removed", "\"\"" + good + "\"\"", bare(text::fileName)},
        {"one byte and .lvx passes the name check (then is not found)", "a.lvx",
         bare(text::open)},
        {"a quote at the start only stays: the name with it is not found", "\"" + good,
         bare(text::open)},
        {"a well-formed name of no file", missing, bare(text::open)},
        {"a correct file", good, correct()},
        {"a correct file, name in one pair of quotes", "\"" + good + "\"", correct()},
    };
    for (const NameRow& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_EQ(row.expected, checkName(row.name));
    }
}

TEST(FileName, EnclosingQuotesAreRemovedFromTheField)
{
    const std::string good = writeFile("quoted.lvx", smallLotto);
    lvxParser parser;
    parser.fileName = "\"" + good + "\"";
    parser.parse();
    EXPECT_EQ(good, parser.fileName);
    EXPECT_EQ("", parser.errorMessage());
}

// ---------------------------------------------------------------------------
// Names of things that are no readable regular file. None of them may block.

TEST(FileOpen, NonRegularFilesAreNotOpened)
{
    const std::string directory = tempPath("directory.lvx");
    ASSERT_TRUE(std::filesystem::create_directory(directory));

    const std::string fifo = tempPath("fifo.lvx");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));

    const std::string zero = tempPath("x.lvx");
    ASSERT_EQ(0, symlink("/dev/zero", zero.c_str()));

    const std::string dangling = tempPath("dangling.lvx");
    ASSERT_EQ(0, symlink(tempPath("nowhere.lvx").c_str(), dangling.c_str()));

    const std::string target = writeFile("target.lvx", smallLotto);
    const std::string goodLink = tempPath("link.lvx");
    ASSERT_EQ(0, symlink(target.c_str(), goodLink.c_str()));

    struct OpenRow {
        const char* reason;
        std::string name;
        Result expected;
    };
    const std::vector<OpenRow> rows = {
        {"a directory", directory, bare(text::open)},
        {"a FIFO: refused before opening, since opening it would wait for a writer", fifo,
         bare(text::open)},
        {"a link to the endless device /dev/zero", zero, bare(text::open)},
        {"a link that points nowhere", dangling, bare(text::open)},
        {"a link to a correct regular file is followed", goodLink, correct()},
    };
    for (const OpenRow& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_EQ(row.expected, checkName(row.name));
    }
}

// ---------------------------------------------------------------------------
// The size limit: the size on disk counts, before anything is read.

TEST(FileSize, Boundary)
{
    const std::vector<Row> rows = {
        {"exactly 4 MiB, padded with blanks after </qarn>", padded(sizeLimit, " "), ""},
        {"one byte more: refused unread, though it holds one ticket",
         padded(sizeLimit + 1, " "), text::limit},
        {"exactly 4 MiB of CR LF padding", padded(sizeLimit, "\r\n"), ""},
        {"the size on disk counts, not the text delivered after CR LF became LF",
         padded(sizeLimit + 1, "\r\n"), text::limit},
        {"the size is judged before the first bytes",
         "\xFF\xFE" + std::string(sizeLimit - 1, 'x'), text::limit},
        {"the size is judged before the encoding", std::string(sizeLimit + 1, '\xC3'),
         text::limit},
        {"exactly 4 MiB of garbage goes on to the checks", std::string(sizeLimit, '\x80'),
         text::encoding},
    };
    checkRows(rows);  // each row checked from a file and from memory
}

// A kernel-generated file reports a size of 0 and yet delivers megabytes: like
// a file that grows after its size was taken, it must be cut at the limit and
// answered with the limit message instead of being read without bound.
TEST(FileSize, SourceDeliveringMoreThanItsSizeIsCutAtTheLimit)
{
    const std::string source = "/proc/kallsyms";
    std::error_code error;
    if (!std::filesystem::is_regular_file(source, error) ||
        std::filesystem::file_size(source, error) != 0)
        GTEST_SKIP() << "no under-reporting source on this machine";
    std::ifstream in(source, std::ios::binary);
    std::size_t delivered = 0;
    char block[65536];
    bool asciiStart = false;
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        if (delivered == 0)
            asciiStart = block[0] != 0 && static_cast<unsigned char>(block[0]) < 0x80;
        delivered += static_cast<std::size_t>(in.gcount());
        if (delivered > sizeLimit)
            break;
    }
    if (delivered <= sizeLimit || !asciiStart)
        GTEST_SKIP() << "the source delivers too little here";

    const std::string link = tempPath("grows.lvx");
    ASSERT_EQ(0, symlink(source.c_str(), link.c_str()));
    EXPECT_EQ(bare(text::limit), checkName(link));
}

// ---------------------------------------------------------------------------
// The first bytes: UTF-16 and UTF-32 marks, empty input, the UTF-8 mark.

TEST(FirstBytes, Table)
{
    const std::string bom = "\xEF\xBB\xBF";
    const std::vector<Row> rows = {
        {"an empty file", "", text::encoding},
        {"UTF-16 little-endian mark", std::string("\xFF\xFE<\0q\0", 6), text::encoding},
        {"UTF-16 big-endian mark", std::string("\xFE\xFF\0<\0q", 6), text::encoding},
        {"a first byte 0x00", std::string("\0<qarn>", 7), text::encoding},
        {"a first byte 0x1A ends the input at once: counts as empty",
         "\x1A" + smallLotto, text::encoding},
        {"a UTF-8 mark before a correct document", bom + smallLotto, ""},
        {"a broken mark EF BB 3C", "\xEF\xBB<qarn>", text::encoding},
        {"the file ends inside the mark", "\xEF\xBB", text::encoding},
        {"a lone EF", "\xEF", text::encoding},
        {"0x1A inside the mark ends the input before the mark is complete",
         "\xEF\xBB\x1A\xBF<qarn>", text::encoding},
        {"the mark alone: the first tag is missing just past it, column 4", bom + "^",
         text::unclosed},
        {"the first byte after the mark is column 4", bom + "^x<qarn>", text::notWellFormed},
        {"a mark followed by 0x1A: the input ends just past the mark", bom + "^\x1A<qarn>",
         text::unclosed},
        {"a second mark is no tag", bom + "^" + bom + "<qarn>", text::notWellFormed},
        {"without a mark, column 1", "^x<qarn>", text::notWellFormed},
        {"the encoding of the whole file is checked before anything is parsed",
         "x<qarn>\xFF", text::encoding},
    };
    checkRows(rows);
}
