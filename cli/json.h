#pragma once

#include <string>

// The bytes as a JSON string literal, quotes included. Well-formed UTF-8 is
// kept; a byte that is not part of it (a file name in another code page, say)
// becomes U+FFFD, so the output is always valid JSON.
std::string jsonString(const std::string& bytes);
