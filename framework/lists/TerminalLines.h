#pragma once

#include "framework/lists/LineRing.h"

#include <cstdint>
#include <vector>

namespace NSHarrowen {

// Which lines of a ring a terminal shows, bottom up, and where.
struct CTerminalRow {
    const char* text;
    int32_t baseline;
};

// Lines that fit in a height; a partly visible line counts.
int32_t TerminalVisibleLines(int32_t height, int32_t fontHeight);
// The greatest scroll offset: the used lines less the visible ones, never below 0.
int32_t TerminalTopLine(int32_t usedLines, int32_t visibleLines);
// The rows a terminal between top and bottom at offset draws (offset = top
// line shows the newest line at the bottom; 0 the oldest lines), row 0 the
// bottom one. Fewer lines than fit start at the top, as a page is read.
std::vector<CTerminalRow> TerminalRows(const CLineRing& ring, int32_t offset, int32_t visibleLines, int32_t top,
                                       int32_t bottom, int32_t fontHeight, int32_t ascent);

} // namespace NSHarrowen
