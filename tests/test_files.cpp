#include "test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "lvx_parser.h"

namespace lvxtest {

bool operator==(const Result& a, const Result& b)
{
    return a.message == b.message && a.line == b.line && a.column == b.column;
}

void PrintTo(const Result& result, std::ostream* out)
{
    *out << "{\"" << result.message << "\", line " << result.line << ", column "
         << result.column << "}";
}

namespace text {
const std::string noFile = "Keine Datei angegeben.";
const std::string fileName = "Ungültiger Dateiname. Die Datei muss mit '.lvx' enden.";
const std::string open = "Konnte Datei nicht öffnen.";
const std::string limit =
    "Die Datei entspricht nicht der aktuellen XML-Schnittstellenbeschreibung. "
    "Sie enthält mehr als 1000 Scheine oder ist größer als 4MB.";
const std::string encoding =
    "Die Datei entspricht nicht dem Datenformat der aktuellen "
    "XML-Schnittstellenbeschreibung (UTF-8 oder ASCII).";
const std::string content =
    "Inhalte, die nicht der aktuellen XML-Schnittstellenbeschreibung entsprechen.";
const std::string element =
    "Elemente, die nicht der aktuellen XML-Schnittstellenbeschreibung entsprechen. "
    "Entweder wurde ein XML-Tag vergessen, oder falsch geschrieben.";
const std::string unclosed =
    "einen Inhalt, der nicht XML-konform ist. Ein XML-Tag wurde nicht geschlossen.";
const std::string notWellFormed = "einen Inhalt, der nicht XML-konform ist.";
}  // namespace text

Result correct() { return Result{}; }

Result bare(const std::string& message) { return Result{message, 0, 0}; }

Result at(const std::string& text, std::uint32_t line, std::uint32_t column)
{
    return Result{"Die Datei enthält in der Zeile " + std::to_string(line) + ", Spalte " +
                      std::to_string(column) + " " + text,
                  line, column};
}

Marked mark(const std::string& withMarker)
{
    const std::size_t where = withMarker.find('^');
    if (where == std::string::npos || withMarker.find('^', where + 1) != std::string::npos)
        throw std::logic_error("a marked document needs exactly one '^'");
    Marked marked;
    marked.bytes = withMarker.substr(0, where) + withMarker.substr(where + 1);
    marked.line = 1;
    marked.column = 1;
    for (std::size_t i = 0; i < where; ++i) {
        const char c = withMarker[i];
        if (c == '\r' && i + 1 < withMarker.size() && withMarker[i + 1] == '\n')
            continue;  // CR LF is one line end
        if (c == '\n') {
            ++marked.line;
            marked.column = 1;
        } else {
            ++marked.column;
        }
    }
    return marked;
}

namespace {

struct TempDirectory {
    std::string path;
    TempDirectory()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "lvxtest-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary directory");
        path = pattern;
    }
    ~TempDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

Result resultOf(const lvxParser& parser)
{
    return Result{parser.errorMessage(), parser.errorLine(), parser.errorColumn()};
}

}  // namespace

std::string tempDir()
{
    static TempDirectory directory;
    return directory.path;
}

std::string tempPath(const std::string& name) { return tempDir() + "/" + name; }

std::string writeFile(const std::string& name, const std::string& bytes)
{
    const std::string path = tempPath(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
    return path;
}

Result checkName(const std::string& fileName)
{
    lvxParser parser;
    parser.fileName = fileName;
    parser.parse();
    return resultOf(parser);
}

Result checkFile(const std::string& bytes)
{
    static int counter = 0;
    const std::string path = writeFile("case" + std::to_string(++counter) + ".lvx", bytes);
    const Result result = checkName(path);
    std::filesystem::remove(path);
    return result;
}

Result checkMemory(const std::string& bytes)
{
    lvxParser parser;
    parser.fileName = "memory.lvx";
    parser.parseMemory(bytes.data(), bytes.size());
    return resultOf(parser);
}

Result check(const std::string& bytes)
{
    const Result fromFile = checkFile(bytes);
    const Result fromMemory = checkMemory(bytes);
    EXPECT_EQ(fromFile, fromMemory) << "parse() and parseMemory() disagree";
    return fromFile;
}

Result expected(const Row& row)
{
    if (row.message.empty())
        return correct();
    if (row.input.find('^') == std::string::npos)
        return bare(row.message);
    const Marked marked = mark(row.input);
    return at(row.message, marked.line, marked.column);
}

void checkRows(const std::vector<Row>& rows)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        const std::string bytes =
            row.input.find('^') == std::string::npos ? row.input : mark(row.input).bytes;
        EXPECT_EQ(expected(row), check(bytes));
    }
}

const std::string goodLotto = "03,11,17,28,40,45";
const std::string goodToto = "1,2,X,1,2,X,1,2,X,1,2,X,1,-,-,-,-,-";
const std::string goodTorwette = "10,2+,00,12,+0";
const std::string goodNumbers = "05,17,23,38,50";
const std::string goodStars = "02,11";

const std::string smallestLotto =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<qarn>\n"
    "<versionsNr>3.0</versionsNr>\n"
    "<wsArt>17</wsArt>\n"
    "<schein>\n"
    "<lottoTipp>03,11,17,28,40,45</lottoTipp>\n"
    "</schein>\n"
    "</qarn>\n";

std::string header(const std::string& version, const std::string& wsArt)
{
    return "<qarn><versionsNr>" + version + "</versionsNr><wsArt>" + wsArt + "</wsArt>";
}

std::string lottoDoc(const std::string& scheinInside)
{
    return header("3", "17") + "<schein>" + scheinInside + "</schein></qarn>\n";
}

std::string totoDoc(const std::string& scheinInside)
{
    return header("3", "28") + "<schein>" + scheinInside + "</schein></qarn>\n";
}

std::string starDoc(const std::string& scheinInside)
{
    return header("4", "34") + "<schein>" + scheinInside + "</schein></qarn>\n";
}

std::string lottoTip(const std::string& numbers)
{
    return lottoDoc("<lottoTipp>" + numbers + "</lottoTipp>");
}

std::string totoTip(const std::string& symbols)
{
    return totoDoc("<totoTipp>" + symbols + "</totoTipp>");
}

std::string torwette(const std::string& symbols)
{
    return totoDoc("<totoTipp>" + goodToto + "</totoTipp><torwetteTipp>" + symbols +
                   "</torwetteTipp>");
}

std::string starTip(const std::string& numbers, const std::string& stars)
{
    return starDoc("<tipp><emTippZahl>" + numbers + "</emTippZahl><emTippStern>" + stars +
                   "</emTippStern></tipp>");
}

std::string repeat(const std::string& piece, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i)
        all += piece;
    return all;
}

std::string crlf(const std::string& lfText)
{
    std::string out;
    for (const char c : lfText) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

}  // namespace lvxtest
