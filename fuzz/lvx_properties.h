#pragma once

// What must hold for every input, whatever its bytes: the properties that the
// fuzz targets assert, and that the regression test replays on the kept inputs.
// Each check returns an empty string when all holds, else what went wrong.

#include <cstdint>
#include <string>

class ErrorExcerpt;

namespace lvxfuzz {

// The outcome of one check.
struct Outcome {
    std::string message;
    std::uint32_t line = 0;
    std::uint32_t column = 0;
    bool positioned() const { return line != 0 && column != 0; }
};
bool operator==(const Outcome& a, const Outcome& b);
inline bool operator!=(const Outcome& a, const Outcome& b) { return !(a == b); }
std::string describe(const Outcome& outcome);

// The bytes as the reader hands them out: CR LF as LF, a lone CR kept, the
// input ends before the first 0x1A.
std::string delivered(const std::string& raw);

// The check of bytes in memory (under a valid name) and of a file by name.
Outcome checkMemory(const std::string& raw);
Outcome checkFile(const std::string& path);

// The result of a check of raw: one of the message table's texts, bare or in
// the position sentence; a place of the right kind within the input.
std::string outcomeProblems(const std::string& raw, const Outcome& outcome);

// The excerpt that was built at (line, column) over a file holding raw: its
// pieces are a window of the delivered input, changed only by the excerpt's
// own rules, and the line numbers frame it.
std::string excerptProblems(const std::string& raw, std::uint32_t line, std::uint32_t column,
                            const ErrorExcerpt& excerpt);

// Everything at once, over raw written to path: the memory check and its
// properties, a second check, the file check agreeing with it, and the
// excerpt at the reported place (built twice) and at one more place derived
// from the input.
std::string allProblems(const std::string& raw, const std::string& path);

}  // namespace lvxfuzz
