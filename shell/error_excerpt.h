#pragma once

#include <cstdint>
#include <string>

// The lines of a tip file around an error: up to three lines before the error
// line, the faulty piece (shown in red), and up to three lines after it. The
// file is read a second time, with the validator's reader and its counting of
// lines and columns. Line ends in the pieces are CR LF, so that a text control
// counts positions exactly as the strings do. Never fails: at worst the pieces
// stay empty.
class ErrorExcerpt {
public:
    // Stands for the faulty piece when the error lies at the end of the input:
    // the middle dot of Windows-1252.
    static constexpr char endOfFileMarker = '\xB7';

    explicit ErrorExcerpt(std::string name);

    // Cuts the excerpt around the validator's errorLine and errorColumn.
    void build(std::uint32_t line, std::uint32_t column);

    const std::int32_t contextLines = 3;
    std::string fileName;
    std::uint32_t startLine = 1;  // number of the first line shown
    std::uint32_t endLine = 1;    // number of the line after the last line shown
    std::string textBefore;
    std::string errorText;
    std::string textAfter;
};
