#pragma once

// The files the benchmarks measure, generated on the spot: large fixtures are
// never kept in the repository. Every generator is deterministic, so that two
// runs measure the same bytes.

#include <cstddef>
#include <string>

namespace benchfiles {

// The largest file the checker accepts.
constexpr std::size_t maxFileBytes = 4u * 1024 * 1024;

// (a) A correct lotto file: 1000 tickets of 12 tips, one element per line, LF.
std::string lottoFile();
// (b) (a) padded with comment and blank lines between the tickets to exactly
// maxFileBytes bytes.
std::string paddedLottoFile();
// (c) (a) with CR LF line ends.
std::string crlfLottoFile();
// (d) Correct toto and number-and-star files of 1000 full tickets each.
std::string totoFile();
std::string starFile();
// (e) (b) with its last line, the closing root tag, misspelt: the error lies
// on the last line, at column 1. Same size as (b).
std::string lastLineErrorFile();

// Every LF becomes CR LF.
std::string withCrLf(const std::string& lfText);

// Writes the bytes to the path; false when that fails.
bool writeFile(const std::string& path, const std::string& bytes);

}  // namespace benchfiles
