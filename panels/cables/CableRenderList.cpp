#include "panels/cables/CableRenderList.h"

#include "framework/drawing/ABCCanvas.h"
#include "framework/drawing/Color.h"
#include "panels/cables/CableShades.h"
#include "panels/cables/PixelTarget.h"
#include "panels/cables/RenderEmpty.h"
#include "panels/cables/RenderSnake.h"
#include "panels/cables/RenderStraightLine.h"
#include "platform/graphics/DeviceContext.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

using NSHarrowen::CPoint;
using NSHarrowen::CRect;

namespace {

CableKey MakeKey(const JackAddress& end1, const JackAddress& end2, CPoint point1 = {}, CPoint point2 = {})
{
    return CableKey{point1.x, point1.y, point2.x, point2.y, end1, end2};
}

uint8_t DrawShape()
{
    return static_cast<uint8_t>(std::rand() & 0xFF);
}

} // namespace

CCableRenderList::CCableRenderList() : shape_(DrawShape()) { }

CCableRenderList::~CCableRenderList() = default;

std::unique_ptr<CRenderLineABC> CCableRenderList::CreateRenderer(const CableKey& key, uint32_t colour) const
{
    if (key.IsPoint()) {
        return std::make_unique<CRenderEmpty>(key, colour);
    }
    switch (style_) {
    case kStraight3D:
        return std::make_unique<CRenderStraightLine>(key, colour, true);
    case kCurved3D:
        return std::make_unique<CRenderSnake>(key, colour, shape_, true);
    case kStraightThin:
        return std::make_unique<CRenderStraightLine>(key, colour, false);
    default:
        return std::make_unique<CRenderSnake>(key, colour, shape_, false);
    }
}

std::vector<std::unique_ptr<CRenderLineABC>>::iterator CCableRenderList::Find(const JackAddress& end1,
                                                                              const JackAddress& end2)
{
    const CableKey wanted = MakeKey(end1, end2);
    return std::find_if(renderers_.begin(), renderers_.end(),
                        [&wanted](const auto& renderer) { return renderer->GetKey().Matches(wanted); });
}

CRenderLineABC* CCableRenderList::FindCable(const JackAddress& end1, const JackAddress& end2) const
{
    const auto found = const_cast<CCableRenderList*>(this)->Find(end1, end2);
    return found != renderers_.end() ? found->get() : nullptr;
}

bool CCableRenderList::IsCableHighlighted(const JackAddress& end1, const JackAddress& end2) const
{
    const CRenderLineABC* renderer = FindCable(end1, end2);
    return renderer != nullptr && renderer->IsHighlighted();
}

void CCableRenderList::AddCable(const JackAddress& end1, const JackAddress& end2, CPoint point1, CPoint point2,
                                uint8_t colour)
{
    renderers_.push_back(CreateRenderer(MakeKey(end1, end2, point1, point2), colour));
}

void CCableRenderList::RemoveCable(const JackAddress& end1, const JackAddress& end2)
{
    const auto found = Find(end1, end2);
    if (found != renderers_.end()) {
        renderers_.erase(found);
    }
}

void CCableRenderList::SetCableColour(const JackAddress& end1, const JackAddress& end2, uint8_t colour)
{
    if (CRenderLineABC* renderer = FindCable(end1, end2)) {
        renderer->SetColour(colour);
    }
}

void CCableRenderList::MoveCable(const JackAddress& end1, const JackAddress& end2, CPoint point1, CPoint point2)
{
    const auto found = Find(end1, end2);
    if (found == renderers_.end()) {
        return;
    }
    // A new shape for the new ends, in the old place, keeping the highlight.
    const bool highlighted = (*found)->IsHighlighted();
    const CableKey& old = (*found)->GetKey();
    *found = CreateRenderer(
        MakeKey(old.from, old.to, old.from == end1 ? point1 : point2, old.from == end1 ? point2 : point1),
        (*found)->GetColour());
    (*found)->SetHighlight(highlighted);
}

void CCableRenderList::InvalidateCable(const JackAddress& end1, const JackAddress& end2, NSHarrowen::CView& view)
{
    if (const CRenderLineABC* renderer = FindCable(end1, end2)) {
        renderer->Invalidate(view);
    }
}

void CCableRenderList::MoveAll(CPoint offset)
{
    if (offset.x == 0 && offset.y == 0) {
        return;
    }
    for (const auto& renderer : renderers_) {
        renderer->Move(offset.x, offset.y);
    }
}

bool CCableRenderList::IsDrawn(const CRenderLineABC& renderer) const
{
    return renderer.IsHighlighted() || renderer.GetColour() >= colourShown_.size() ||
        colourShown_[renderer.GetColour()];
}

void CCableRenderList::DrawInto(const CRect& update, CPixelTarget& target)
{
    for (const auto& renderer : renderers_) {
        if (IsDrawn(*renderer)) {
            renderer->Draw(update, target);
        }
    }
}

// The pieces write 32-bit pixels straight into whatever the canvas draws on
// (a window's buffer or a bitmap), one rectangle of the clip at a time: a
// piece blends with the pixel under it, so a pixel the clip keeps out (not
// repainted under it) must not be written at all. A knob's repaint touches
// the cables over the knob, not every cable in the picture.
void CCableRenderList::DrawAll(NSHarrowen::CABCCanvas& canvas)
{
    platform::DeviceContext* dc = canvas.GetDC();
    uint32_t* pixels = dc != nullptr ? dc->GetSurface().Row32(0) : nullptr;
    if (pixels == nullptr) {
        DrawPlain(canvas);
        return;
    }
    const platform::Surface& surface = dc->GetSurface();
    const platform::IntPoint origin = dc->WindowOrigin();
    const CRect frame(origin.x, origin.y, origin.x + surface.Width(), origin.y + surface.Height());
    const int rowBytes = platform::RowBytesFor(platform::PixelLayout::Xrgb32, surface.Width());
    for (const platform::IntRect& rect : dc->EffectiveClip().Rects()) {
        const CRect update(rect.left + origin.x, rect.top + origin.y, rect.right + origin.x, rect.bottom + origin.y);
        CPixelTarget target(reinterpret_cast<uint8_t*>(pixels), rowBytes, frame, update);
        if (!target.IsEmpty()) {
            DrawInto(target.GetClip(), target);
        }
    }
}

// Without a picture to write into, cables show as lines between their ends.
void CCableRenderList::DrawPlain(NSHarrowen::CABCCanvas& canvas) const
{
    for (const auto& renderer : renderers_) {
        if (!IsDrawn(*renderer)) {
            continue;
        }
        const uint32_t pixel = cableshades::ThinPixel(renderer->GetColour(), renderer->IsHighlighted());
        const NSHarrowen::CColor colour(static_cast<uint16_t>(((pixel >> 16U) & 0xFFU) * 0x101U),
                                        static_cast<uint16_t>(((pixel >> 8U) & 0xFFU) * 0x101U),
                                        static_cast<uint16_t>((pixel & 0xFFU) * 0x101U));
        const CableKey& key = renderer->GetKey();
        canvas.DrawLine(key.x1, key.y1, key.x2, key.y2, colour);
    }
}

bool CCableRenderList::SetStyle(uint32_t style)
{
    if (style == style_ || style > kCurvedThin) {
        return false;
    }
    style_ = style;
    RebuildAll();
    return true;
}

void CCableRenderList::Reshape()
{
    shape_ = DrawShape();
    RebuildAll();
    pending_ = pending_ || (IsCurved() && !renderers_.empty());
}

bool CCableRenderList::TakePendingChange()
{
    return std::exchange(pending_, false);
}

void CCableRenderList::RebuildAll()
{
    for (auto& renderer : renderers_) {
        const bool highlighted = renderer->IsHighlighted();
        renderer = CreateRenderer(renderer->GetKey(), renderer->GetColour());
        renderer->SetHighlight(highlighted);
    }
}

void CCableRenderList::ShowColour(uint8_t colour)
{
    if (colour < colourShown_.size()) {
        colourShown_[colour] = true;
    }
}

void CCableRenderList::HideColour(uint8_t colour)
{
    if (colour < colourShown_.size()) {
        colourShown_[colour] = false;
    }
}

bool CCableRenderList::IsColourShown(uint8_t colour) const
{
    return colour >= colourShown_.size() || colourShown_[colour];
}

void CCableRenderList::HighlightCable(const JackAddress& end1, const JackAddress& end2)
{
    if (CRenderLineABC* renderer = FindCable(end1, end2)) {
        renderer->SetHighlight(true);
    }
}

void CCableRenderList::InvalidateHighlighted(NSHarrowen::CView& view)
{
    for (const auto& renderer : renderers_) {
        if (renderer->IsHighlighted()) {
            renderer->Invalidate(view);
        }
    }
}

void CCableRenderList::ClearHighlights()
{
    for (const auto& renderer : renderers_) {
        renderer->SetHighlight(false);
    }
}
