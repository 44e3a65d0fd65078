#pragma once

#include <string>

// One check of the file named in the name field, from clearing the views to
// showing the result. Runs to its end on the window's thread.
void runCheck();

// The name field's text as 8-bit ANSI text; a text over 260 bytes is cut.
std::string readNameField();

// The part of a name after its last backslash, or the whole name.
std::string baseName(const std::string& fileName);
