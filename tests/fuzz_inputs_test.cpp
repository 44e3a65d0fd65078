// The fuzz targets' properties, run by the normal tests: over every input the
// fuzzers ever found (fuzz/regressions), the hand-made seeds and the examples.
// And the property checks themselves: each refuses a result that is wrong.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "error_excerpt.h"
#include "lvx_parser.h"
#include "lvx_properties.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;
using lvxfuzz::Outcome;
namespace text = lvxtest::text;

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<fs::path> filesIn(const std::string& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(std::string(QUORVEL_SOURCE_DIR) + "/" + folder, error))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(FuzzInputs, EveryKeptInputHoldsEveryProperty)
{
    std::size_t count = 0;
    for (const char* folder : {"fuzz/regressions", "fuzz/seeds", "examples"}) {
        for (const fs::path& file : filesIn(folder)) {
            SCOPED_TRACE(file.string());
            const std::string raw = readAll(file);
            EXPECT_EQ("", lvxfuzz::allProblems(raw, lvxtest::tempPath("fuzz-input.lvx")));
            ++count;
        }
    }
    EXPECT_GE(count, 8u) << "the examples at least";
}

TEST(FuzzInputs, FileAndMemoryAgreeOnTheExamples)
{
    for (const fs::path& file : filesIn("examples")) {
        SCOPED_TRACE(file.string());
        EXPECT_EQ(lvxfuzz::checkFile(file.string()), lvxfuzz::checkMemory(readAll(file)));
    }
}

// ---------------------------------------------------------------------------
// The properties can fail: each wrong result below is refused.

std::string at(const std::string& message, std::uint32_t line, std::uint32_t column)
{
    return "Die Datei enthält in der Zeile " + std::to_string(line) + ", Spalte " +
           std::to_string(column) + " " + message;
}

TEST(FuzzProperties, RefuseWrongResults)
{
    const std::string lotto = lvxtest::lottoTip("01,02,03,04,05,46");  // a content error
    const Outcome right = lvxfuzz::checkMemory(lotto);
    ASSERT_EQ("", lvxfuzz::outcomeProblems(lotto, right));

    const struct {
        const char* reason;
        std::string input;
        Outcome wrong;
    } rows[] = {
        {"a text that is not in the table", lotto, {"Fehler.", 0, 0}},
        {"a place in the sentence that is not the place reported", lotto,
         {at(text::content, right.line, right.column - 1), right.line, right.column}},
        {"line without column", lotto, {right.message, right.line, 0}},
        {"a content error past the end of the input", "<qarn>", {at(text::content, 1, 8), 1, 8}},
        {"a content error on a line the input does not have", "<qarn>", {at(text::content, 2, 1), 2, 1}},
        {"an element error where no '<' stands", "<qarn> x", {at(text::element, 1, 8), 1, 8}},
        {"a not-well-formed error at a '<'", "<qarn>", {at(text::notWellFormed, 1, 1), 1, 1}},
        {"a not-well-formed error at white space", " x", {at(text::notWellFormed, 1, 1), 1, 1}},
        {"an unclosed-tag error past the end", "<qarn", {at(text::unclosed, 1, 7), 1, 7}},
        {"an unclosed-tag error past the end of a line", "<a\n<b", {at(text::unclosed, 1, 4), 1, 4}},
        {"the limit message for a small file", lotto, {text::limit, 0, 0}},
        {"the encoding message for clean ASCII", lotto, {text::encoding, 0, 0}},
        {"the open message from memory", lotto, {text::open, 0, 0}},
        {"success for a file without tickets", "<qarn></qarn>", {"", 0, 0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        EXPECT_NE("", lvxfuzz::outcomeProblems(row.input, row.wrong));
    }
}

TEST(FuzzProperties, RefuseWrongExcerpts)
{
    const std::string file = "\xEF\xBB\xBF<a>\r\n<b>\n<c>x</c>\n<d>\n<e>\n<f>\n<g>\n<h>\n";
    const std::string path = lvxtest::writeFile("excerpt-properties.lvx", file);
    ErrorExcerpt right(path);
    right.build(3, 4);
    ASSERT_EQ("", lvxfuzz::excerptProblems(file, 3, 4, right));
    ASSERT_EQ("x", right.errorText);

    const struct {
        const char* reason;
        void (*tamper)(ErrorExcerpt&);
    } rows[] = {
        {"the mark not blanked",
         [](ErrorExcerpt& e) { e.textBefore.replace(0, 3, "\xEF\xBB\xBF"); }},
        {"a CR missing before an LF", [](ErrorExcerpt& e) { e.textBefore.erase(e.textBefore.find("\r\n<c>"), 1); }},
        {"a CR added after a CR", [](ErrorExcerpt& e) { e.textBefore.insert(e.textBefore.find('\r'), "\r"); }},
        {"a byte changed", [](ErrorExcerpt& e) { e.textAfter[2] = 'C'; }},
        {"a byte left out between two pieces", [](ErrorExcerpt& e) { e.textAfter.erase(0, 1); }},
        {"startLine off by one", [](ErrorExcerpt& e) { ++e.startLine; }},
        {"endLine not after startLine", [](ErrorExcerpt& e) { e.endLine = e.startLine; }},
        {"a fourth line after the error line",
         [](ErrorExcerpt& e) { e.textAfter += "\n<g>\r"; }},
        {"the end-of-file marker inside the file", [](ErrorExcerpt& e) {
             e.errorText = std::string(1, ErrorExcerpt::endOfFileMarker);
             e.textAfter.clear();
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        ErrorExcerpt wrong = right;
        row.tamper(wrong);
        EXPECT_NE("", lvxfuzz::excerptProblems(file, 3, 4, wrong));
    }
}

// The excerpt's own rules are no breach: each excerpt below is right.
TEST(FuzzProperties, AcceptTheExcerptsOwnRules)
{
    const struct {
        const char* reason;
        std::string file;
        std::uint32_t line, column;
        std::uint32_t startLine, endLine;
    } rows[] = {
        {"a lone CR as the last byte ends a line that is not counted: endLine stays on line 1",
         "<qarn><versionsNr>3</versionsNr><wsArt>1\r", 1, 40, 1, 1},
        {"a piece cut after its third line", "<a\nb\nc\nd\ne\n", 1, 1, 1, 5},
        {"the blanked byte-order mark", "\xEF\xBB\xBF<qarn>x", 1, 10, 1, 2},
        {"a place past the end of its line: the marker after the last line", "<a>\r\n<b>\n", 1, 9, 1, 4},
        {"CR CR LF: the file's own CR before the LF, none added", "<a>\r\r\n<b>\r\r\nx", 3, 1, 1, 4},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.reason);
        ErrorExcerpt excerpt(lvxtest::writeFile("excerpt-rules.lvx", row.file));
        excerpt.build(row.line, row.column);
        EXPECT_EQ("", lvxfuzz::excerptProblems(row.file, row.line, row.column, excerpt));
        EXPECT_EQ(row.startLine, excerpt.startLine);
        EXPECT_EQ(row.endLine, excerpt.endLine);
    }
}

}  // namespace
