#include "tests/support/patch/CableRenderDouble.h"

#include "framework/drawing/Canvas.h"
#include "framework/views/View.h"
#include "framework/drawing/ABCCanvas.h"

#include <algorithm>

namespace testsupport {

namespace {

// Audio, control, logic, slave, two spare colours, and a net without output.
constexpr std::array<NSHarrowen::CColor, 7> kCableColours = {
    NSHarrowen::CColor(0xE000, 0x1000, 0x1000), NSHarrowen::CColor(0x1000, 0x3000, 0xE000),
    NSHarrowen::CColor(0xE000, 0xD000, 0x0000), NSHarrowen::CColor(0x8000, 0x8000, 0x8000),
    NSHarrowen::CColor(0x0000, 0xA000, 0x0000), NSHarrowen::CColor(0xA000, 0x0000, 0xA000),
    NSHarrowen::CColor(0xFFFF, 0xFFFF, 0xFFFF)};

bool SameEnds(const CCableRenderDouble::Cable& cable, const JackAddress& a, const JackAddress& b)
{
    return (cable.end1 == a && cable.end2 == b) || (cable.end1 == b && cable.end2 == a);
}

NSHarrowen::CRect LineBounds(NSHarrowen::CPoint a, NSHarrowen::CPoint b)
{
    NSHarrowen::CRect rect(std::min(a.x, b.x) - 2, std::min(a.y, b.y) - 2, std::max(a.x, b.x) + 3,
                           std::max(a.y, b.y) + 3);
    return rect;
}

} // namespace

CCableRenderDouble::Cable* CCableRenderDouble::Find(const JackAddress& end1, const JackAddress& end2)
{
    const auto found =
        std::find_if(cables_.begin(), cables_.end(), [&](const Cable& cable) { return SameEnds(cable, end1, end2); });
    return found == cables_.end() ? nullptr : &*found;
}

void CCableRenderDouble::AddCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CPoint point1,
                                  NSHarrowen::CPoint point2, uint8_t colour)
{
    cables_.push_back(Cable{end1, end2, point1, point2, colour, false});
}

void CCableRenderDouble::RemoveCable(const JackAddress& end1, const JackAddress& end2)
{
    std::erase_if(cables_, [&](const Cable& cable) { return SameEnds(cable, end1, end2); });
}

void CCableRenderDouble::SetCableColour(const JackAddress& end1, const JackAddress& end2, uint8_t colour)
{
    if (Cable* cable = Find(end1, end2)) {
        cable->colour = colour;
    }
}

void CCableRenderDouble::MoveCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CPoint point1,
                                   NSHarrowen::CPoint point2)
{
    if (Cable* cable = Find(end1, end2)) {
        const bool same = cable->end1 == end1;
        cable->point1 = same ? point1 : point2;
        cable->point2 = same ? point2 : point1;
    }
}

void CCableRenderDouble::InvalidateCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CView& view)
{
    if (Cable* cable = Find(end1, end2)) {
        view.InvalidateRect(LineBounds(cable->point1, cable->point2));
    }
}

void CCableRenderDouble::MoveAll(NSHarrowen::CPoint offset)
{
    for (Cable& cable : cables_) {
        cable.point1 = NSHarrowen::CPoint(cable.point1.x + offset.x, cable.point1.y + offset.y);
        cable.point2 = NSHarrowen::CPoint(cable.point2.x + offset.x, cable.point2.y + offset.y);
    }
}

void CCableRenderDouble::DrawAll(NSHarrowen::CABCCanvas& canvas)
{
    for (const Cable& cable : cables_) {
        if (!IsColourShown(cable.colour)) {
            continue;
        }
        const NSHarrowen::CColor colour = cable.highlighted ? NSHarrowen::kWhite : kCableColours[cable.colour % 7];
        canvas.DrawLine(cable.point1.x, cable.point1.y, cable.point2.x, cable.point2.y, colour);
        canvas.DrawLine(cable.point1.x, cable.point1.y + 1, cable.point2.x, cable.point2.y + 1, colour);
    }
}

bool CCableRenderDouble::SetStyle(uint32_t style)
{
    const bool changed = style != style_;
    style_ = style;
    return changed;
}

void CCableRenderDouble::ShowColour(uint8_t colour)
{
    if (colour < shown_.size()) {
        shown_[colour] = true;
    }
}

void CCableRenderDouble::HideColour(uint8_t colour)
{
    if (colour < shown_.size()) {
        shown_[colour] = false;
    }
}

bool CCableRenderDouble::IsColourShown(uint8_t colour) const
{
    return colour >= shown_.size() || shown_[colour];
}

void CCableRenderDouble::HighlightCable(const JackAddress& end1, const JackAddress& end2)
{
    if (Cable* cable = Find(end1, end2)) {
        cable->highlighted = true;
    }
}

void CCableRenderDouble::InvalidateHighlighted(NSHarrowen::CView& view)
{
    for (const Cable& cable : cables_) {
        if (cable.highlighted) {
            view.InvalidateRect(LineBounds(cable.point1, cable.point2));
        }
    }
}

void CCableRenderDouble::ClearHighlights()
{
    for (Cable& cable : cables_) {
        cable.highlighted = false;
    }
}

} // namespace testsupport
