#include "framework/lists/TerminalLines.h"

#include "framework/base/IntFunctions.h"

namespace NSHarrowen {

int32_t TerminalVisibleLines(int32_t height, int32_t fontHeight)
{
    return fontHeight <= 0 || height <= 0 ? 0 : DivRoundUp(height, fontHeight);
}

int32_t TerminalTopLine(int32_t usedLines, int32_t visibleLines)
{
    return MaxInt(usedLines - visibleLines, 0);
}

std::vector<CTerminalRow> TerminalRows(const CLineRing& ring, int32_t offset, int32_t visibleLines, int32_t top,
                                       int32_t bottom, int32_t fontHeight, int32_t ascent)
{
    const int32_t used = ring.GetUsedLines();
    const int32_t topLine = TerminalTopLine(used, visibleLines);
    const int32_t shown = PinInt(offset, 0, topLine);
    const int32_t n = MinInt(used, visibleLines);
    // The bottom row's top: at the view's bottom once the lines fill it.
    const int32_t lastTop = n < visibleLines ? top + (n - 1) * fontHeight : bottom - fontHeight;
    std::vector<CTerminalRow> rows;
    for (int32_t i = 0; i < n; ++i)
        rows.push_back({ring.GetLineFromEnd(topLine - shown + i), lastTop - i * fontHeight + ascent});
    return rows;
}

} // namespace NSHarrowen
