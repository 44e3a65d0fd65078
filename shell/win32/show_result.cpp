#include "show_result.h"

#include <windows.h>

#include "error_excerpt.h"
#include "excerpt_view.h"
#include "lvx_parser.h"
#include "program_state.h"
#include "result_display.h"
#include "to_wide.h"

namespace {

// Red range [start, end) in the units of the text as the view got it.
struct Range {
    int start = 0;
    int end = 0;
};

// Text that is UTF-8 goes to the view as UTF-16, anything else byte for byte
// as ANSI text; the range is counted in the same units, so that the red
// falls exactly on the faulty piece.
Range showExcerptText(const ErrorExcerpt& excerpt)
{
    const std::string text = excerpt.textBefore + excerpt.errorText + excerpt.textAfter;
    Range range;
    if (holdsMultiByteUtf8(text.c_str())) {
        SetWindowTextW(program.excerptView, toWide(text));
        range.start = utf16Units(excerpt.textBefore);
        range.end = range.start + utf16Units(excerpt.errorText);
    } else {
        SetWindowTextA(program.excerptView, text.c_str());
        range.start = static_cast<int>(excerpt.textBefore.size());
        range.end = range.start + static_cast<int>(excerpt.errorText.size());
    }
    return range;
}

}  // namespace

void showResult(const lvxParser& parser, const std::string& fileName)
{
    SetWindowTextW(program.excerptView, L"");
    if (parser.errorMessage().empty()) {
        SetWindowTextW(program.messageField, toWide(successMessage));
        return;
    }
    SetWindowTextW(program.messageField, toWide(withoutLineFeeds(parser.errorMessage())));
    if (parser.errorLine() == 0 || parser.errorColumn() == 0)
        return;

    ErrorExcerpt excerpt(fileName);
    excerpt.build(parser.errorLine(), parser.errorColumn());
    const Range red = showExcerptText(excerpt);
    markRange(red.start, red.end);
    fillGutter(excerpt.startLine, excerpt.endLine);
}

void fillGutter(std::uint32_t startLine, std::uint32_t endLine)
{
    SetWindowTextA(program.gutter, gutterText(startLine, endLine).c_str());
}
