#pragma once

#include <windows.h>

// The character formats of the excerpt view (a rich-edit control).

// The view's default format: the face "Courier New", size and colour as the
// control has them.
void setExcerptDefaultFormat();

// A font like the view's default text: its face, size, weight and slant,
// at the screen's resolution. Lines in it are as high as the view's lines.
HFONT makeExcerptFont();

// All text of the view back to the automatic colour; done before every check
// and every choice of a file, so that no red is left from the last result.
void resetExcerptColour();

// Colours the characters [start, end) red, leaves nothing selected and
// scrolls the caret into view.
void markRange(int start, int end);
