#include "lvx_parser.h"

#include "messages.h"

lvxParser::Error lvxParser::positionError(const char* text, std::uint32_t line, std::uint32_t column)
{
    std::string message = lvxMessages::positionPrefix;
    message += " Zeile ";
    message += std::to_string(line);
    message += ", Spalte ";
    message += std::to_string(column);
    message += ' ';
    message += text;
    return Error(std::move(message), line, column);
}

void lvxParser::failAt(const char* text, std::uint64_t offset, std::uint32_t extraColumns) const
{
    throw PlacedError{text, offset, extraColumns};
}

// Value checks report at the first byte of the content plus an offset into it,
// always on the line where the content starts.
void lvxParser::failInContent(std::size_t offset) const
{
    failAt(lvxMessages::content, tagPlace, static_cast<std::uint32_t>(offset));
}
