#pragma once

#include <cstdint>
#include <string>

class lvxParser;

// Shows the validator's result: the success message, or the error message
// and, for an error with a place, the excerpt with the faulty piece in red
// and its line numbers. Expects the views cleared by runCheck.
void showResult(const lvxParser& parser, const std::string& fileName);

// The gutter shows the numbers from startLine while below endLine.
void fillGutter(std::uint32_t startLine, std::uint32_t endLine);
