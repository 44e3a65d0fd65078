#pragma once

#include <string>

class ErrorExcerpt;

// A piece of the excerpt as UTF-8, decoded as the Windows program shows it:
// as UTF-8 when the joined excerpt holds multi-byte UTF-8, otherwise every
// byte as a Windows-1252 character.
std::string excerptPieceAsUtf8(const std::string& piece, bool asUtf8);

// The excerpt for a terminal: one output line per excerpt line, a
// right-aligned gutter of line numbers, and the faulty piece marked with a
// line of '^' under its first line, in red as well when color is on. Control
// characters other than tab are shown as visible symbols, never sent raw.
std::string renderExcerpt(const ErrorExcerpt& excerpt, bool color);
