#pragma once

#include <string>

// Tip files written for the tests into a folder of their own under the
// temporary folder, removed at the end of the run.
namespace fixtures {

// Writes the bytes as they are (binary) and returns the file's full path.
std::wstring write(const std::string& fileName, const std::string& bytes);

// The same path as 8-bit text, as the name field hands it to the validator.
std::string narrow(const std::wstring& path);

void removeAll();

// A correct lotto file.
extern const char correctLotto[];
// The sixth number of the third tip is 46: line 14, column 37.
extern const char numberTooLarge[];
// A customer number with a letter, line 5; line 2 holds the "ü" of a comment.
extern const char customerNumberWithUmlautAbove[];
// Ends inside the header: the error lies at the end of the input.
extern const char endsInsideHeader[];

}  // namespace fixtures
