#pragma once

#include "framework/base/Rect.h"

#include <cstdint>

namespace NSHarrowen {
class CView;
}
class CPixelTarget;

// The drawn form of a cable or of one piece of it: the box it covers, its
// colour index and whether it is highlighted.
class CRenderABC {
public:
    CRenderABC() = default;
    virtual ~CRenderABC() = default;
    CRenderABC(const CRenderABC&) = delete;
    CRenderABC& operator=(const CRenderABC&) = delete;
    // A chain hands out its corners by value.
    CRenderABC(CRenderABC&&) noexcept = default;

    // Writes the pixels that fall inside the update rectangle.
    virtual void Draw(const NSHarrowen::CRect& update, CPixelTarget& target) = 0;
    virtual void Move(int32_t dx, int32_t dy);
    virtual void Invalidate(NSHarrowen::CView& view) const;
    virtual void SetHighlight(bool highlighted);
    virtual void SetColour(uint32_t colour);

    const NSHarrowen::CRect& GetRect() const { return rect_; }
    uint32_t GetColour() const { return colour_; }
    bool IsHighlighted() const { return highlighted_; }

protected:
    explicit CRenderABC(uint32_t colour) : colour_(colour) { }
    void SetRect(const NSHarrowen::CRect& rect) { rect_ = rect; }

private:
    NSHarrowen::CRect rect_;
    uint32_t colour_ = 0;
    bool highlighted_ = false;
};
