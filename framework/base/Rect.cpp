#include "framework/base/Rect.h"

#include <algorithm>

namespace NSHarrowen {

namespace {
int16_t Wrap(int32_t v)
{
    return static_cast<int16_t>(v);
}
} // namespace

void CRect::Offset(int32_t dx, int32_t dy)
{
    left = Wrap(left + dx);
    right = Wrap(right + dx);
    top = Wrap(top + dy);
    bottom = Wrap(bottom + dy);
}

void CRect::MoveTo(CPoint p)
{
    const int16_t w = Width();
    const int16_t h = Height();
    left = p.x;
    top = p.y;
    SetSize(w, h);
}

void CRect::Inflate(int32_t d)
{
    left = Wrap(left - d);
    right = Wrap(right + d);
    InflateVertically(d);
}

void CRect::InflateVertically(int32_t d)
{
    top = Wrap(top - d);
    bottom = Wrap(bottom + d);
}

void CRect::Normalize()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

void CRect::Union(const CRect& other)
{
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
}

bool CRect::Intersect(const CRect& other)
{
    left = std::max(left, other.left);
    top = std::max(top, other.top);
    right = std::min(right, other.right);
    bottom = std::min(bottom, other.bottom);
    if (Width() < 0 || Height() < 0)
        SetEmpty();
    return !IsEmpty();
}

bool CRect::Intersects(const CRect& other) const
{
    return left < other.right && top < other.bottom && right > other.left && bottom > other.top;
}

bool CRect::Contains(int32_t x, int32_t y) const
{
    return left <= x && x < right && top <= y && y < bottom;
}

bool CRect::IsInside(const CRect& other) const
{
    return left >= other.left && top >= other.top && right <= other.right && bottom <= other.bottom;
}

void CRect::CenterIn(const CRect& other)
{
    MoveTo(CPoint(other.left + (other.Width() - Width()) / 2, other.top + (other.Height() - Height()) / 2));
}

void CRect::CenterVerticallyIn(const CRect& other)
{
    MoveTo(CPoint(left, other.top + (other.Height() - Height()) / 2));
}

void CRect::MoveInside(const CRect& bounds)
{
    if (left < bounds.left)
        ShiftRight(bounds.left - left);
    if (top < bounds.top)
        ShiftDown(bounds.top - top);
    if (right > bounds.right)
        ShiftLeft(right - bounds.right);
    if (bottom > bounds.bottom)
        ShiftUp(bottom - bounds.bottom);
}

} // namespace NSHarrowen
