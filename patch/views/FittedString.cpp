#include "patch/views/FittedString.h"

#include "framework/drawing/Color.h"
#include "framework/drawing/ABCCanvas.h"

#include <vector>

namespace {

constexpr const char* kEllipsis = "..";

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Where each of the last `count` characters starts, first to last.
std::vector<size_t> LastCharacterStarts(const std::string& text, size_t count)
{
    std::vector<size_t> starts;
    size_t end = text.size();
    while (end > 0 && starts.size() < count) {
        size_t start = end - 1;
        while (start > 0 && IsContinuationByte(text[start]))
            --start;
        starts.insert(starts.begin(), start);
        end = start;
    }
    return starts;
}

// The ellipsis goes before the first digit among the last three characters,
// else at the end.
std::string WithEllipsis(const std::string& text)
{
    const std::vector<size_t> last = LastCharacterStarts(text, 3);
    std::string copy = text;
    if (last.size() < 3)
        return copy + kEllipsis;
    for (const size_t at : last) {
        if (copy[at] >= '0' && copy[at] <= '9') {
            copy.insert(at, kEllipsis);
            return copy;
        }
    }
    return copy + kEllipsis;
}

// Removes the character two places before the last "." (with the ellipsis
// inserted, the one just before it); false when there is none.
bool RemoveBeforeEllipsis(std::string& text)
{
    const size_t dot = text.rfind('.');
    if (dot == std::string::npos || dot < 2)
        return false;
    size_t start = dot - 2;
    while (start > 0 && IsContinuationByte(text[start]))
        --start;
    text.erase(start, dot - 1 - start);
    return true;
}

std::string FitForCanvas(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& rect, const std::string& text,
                         const NSHarrowen::CFontSpec& font)
{
    return FitString(text, rect.Width(),
                     [&canvas, &font](const std::string& s) { return canvas.GetStringWidth(s.c_str(), font); });
}

} // namespace

std::string FitString(const std::string& text, int width, const std::function<int(const std::string&)>& measure)
{
    const int room = width - 2;
    if (measure(text) < room)
        return text;
    std::string copy = WithEllipsis(text);
    while (measure(copy) > room && LastCharacterStarts(copy, 2).size() >= 2)
        if (!RemoveBeforeEllipsis(copy))
            break;
    return copy;
}

void DrawFittedString(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& rect, const std::string& text,
                      const NSHarrowen::CFontSpec& font)
{
    canvas.DrawStringInRect(rect, FitForCanvas(canvas, rect, text, font).c_str(), font, NSHarrowen::kBlack);
}

void DrawFittedStringCentered(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& rect, const std::string& text,
                              const NSHarrowen::CFontSpec& font)
{
    canvas.DrawStringCentered(rect, FitForCanvas(canvas, rect, text, font).c_str(), font, NSHarrowen::kBlack);
}
