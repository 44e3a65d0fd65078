#pragma once

// Shared helpers of the validator tests: write bytes to a temporary .lvx file,
// check it with a fresh lvxParser, and compare the outcome with the answer the
// user is meant to read.
//
// The message texts are written out here once more, on purpose, instead of
// being taken from the validator: the tests pin the texts the users see.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace lvxtest {

// The outcome of one check, as the user reads it.
struct Result {
    std::string message;
    std::uint32_t line = 0;
    std::uint32_t column = 0;
};

bool operator==(const Result& a, const Result& b);
inline bool operator!=(const Result& a, const Result& b) { return !(a == b); }
void PrintTo(const Result& result, std::ostream* out);

// The texts of the validator's answers.
namespace text {
extern const std::string noFile;
extern const std::string fileName;
extern const std::string open;
extern const std::string limit;
extern const std::string encoding;
extern const std::string content;
extern const std::string element;
extern const std::string unclosed;
extern const std::string notWellFormed;
}  // namespace text

// Expected outcomes.
Result correct();                                   // empty message, no place
Result bare(const std::string& message);            // message without a place
// "Die Datei enthält in der Zeile L, Spalte C <text>" at (L, C); composed here,
// independently of lvxParser::positionError.
Result at(const std::string& text, std::uint32_t line, std::uint32_t column);

// A document with one '^' marking the byte where an error is reported.
// bytes: the document without the marker; line and column: the marker's place,
// counted as the user counts (every byte one column, CR LF or LF one line end).
struct Marked {
    std::string bytes;
    std::uint32_t line = 0;
    std::uint32_t column = 0;
};
Marked mark(const std::string& withMarker);

// Files.
std::string tempDir();                              // the test run's own directory
std::string tempPath(const std::string& name);      // a path inside it
std::string writeFile(const std::string& name, const std::string& bytes);

// Checks.
Result checkName(const std::string& fileName);     // parse() with the name as given
Result checkFile(const std::string& bytes);        // bytes written to a fresh .lvx file
Result checkMemory(const std::string& bytes);      // parseMemory() over the bytes
// checkFile, and records a failure when parseMemory answers differently.
Result check(const std::string& bytes);

// One row of a table: the input, with '^' where the error is expected, and the
// message text. An empty text means "correct"; a text without '^' in the input
// means "message without a place".
struct Row {
    const char* reason;
    std::string input;
    std::string message;
};
Result expected(const Row& row);
// Checks every row (file and memory) and names the failing row by its reason.
void checkRows(const std::vector<Row>& rows);

// Building blocks of documents, one line each so that rows stay short.
// A header ready for the body: <qarn>, versionsNr and wsArt.
std::string header(const std::string& version, const std::string& wsArt);
std::string lottoDoc(const std::string& scheinInside);   // wsArt 17, one schein
std::string totoDoc(const std::string& scheinInside);    // wsArt 28, one schein
std::string starDoc(const std::string& scheinInside);    // wsArt 34, one schein
std::string lottoTip(const std::string& numbers);        // one lottoTipp with that text
std::string totoTip(const std::string& symbols);         // one totoTipp with that text
std::string torwette(const std::string& symbols);        // a correct totoTipp, then this torwette text
std::string starTip(const std::string& numbers, const std::string& stars);

// Correct element texts.
extern const std::string goodLotto;     // 03,11,17,28,40,45
extern const std::string goodToto;      // 1,2,X,1,2,X,1,2,X,1,2,X,1,-,-,-,-,-
extern const std::string goodTorwette;  // 10,2+,00,12,+0
extern const std::string goodNumbers;   // 05,17,23,38,50
extern const std::string goodStars;     // 02,11

// The smallest correct lotto file, one element a line, LF line ends.
extern const std::string smallestLotto;

std::string repeat(const std::string& piece, int times);
std::string crlf(const std::string& lfText);  // every LF becomes CR LF

}  // namespace lvxtest
