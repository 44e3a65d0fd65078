#pragma once

#include <string>

// The UTF-16 form of a UTF-8 string, for handing to a control. The result
// lives in one buffer for the whole program and is valid until the next call.
const wchar_t* toWide(const std::string& text);

// The number of UTF-16 units of a UTF-8 piece, as the control will count it.
int utf16Units(const std::string& piece);
