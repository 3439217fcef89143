#pragma once

#include "framework/base/Point.h"

#include <cstdint>

namespace NSHarrowen {

// The system's own rectangle record: four 32-bit fields.
struct SystemRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// A rectangle of signed 16-bit coordinates whose right and bottom edges lie
// outside it. All arithmetic wraps at 16 bits.
struct CRect {
    int16_t left = 0;
    int16_t top = 0;
    int16_t right = 0;
    int16_t bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int32_t l, int32_t t, int32_t r, int32_t b)
        : left(static_cast<int16_t>(l)), top(static_cast<int16_t>(t)), right(static_cast<int16_t>(r)),
          bottom(static_cast<int16_t>(b))
    { }

    static CRect FromRECT(const SystemRect& r) { return CRect(r.left, r.top, r.right, r.bottom); }
    SystemRect ToRECT() const { return {left, top, right, bottom}; }

    void Set(int32_t l, int32_t t, int32_t r, int32_t b) { *this = CRect(l, t, r, b); }
    void SetEmpty() { *this = CRect(); }
    int16_t Width() const { return static_cast<int16_t>(right - left); }
    int16_t Height() const { return static_cast<int16_t>(bottom - top); }
    void SetWidth(int32_t w) { right = static_cast<int16_t>(left + w); }
    void SetHeight(int32_t h) { bottom = static_cast<int16_t>(top + h); }
    void SetSize(int32_t w, int32_t h)
    {
        SetWidth(w);
        SetHeight(h);
    }
    CPoint TopLeft() const { return CPoint(left, top); }

    void Offset(int32_t dx, int32_t dy);
    void MoveTo(CPoint p);
    void ShiftRight(int32_t d) { Offset(d, 0); }
    void ShiftLeft(int32_t d) { Offset(-d, 0); }
    void ShiftDown(int32_t d) { Offset(0, d); }
    void ShiftUp(int32_t d) { Offset(0, -d); }
    void ShiftRightByWidth() { ShiftRight(Width()); }
    void ShiftLeftByWidth() { ShiftLeft(Width()); }
    void ShiftDownByHeight() { ShiftDown(Height()); }

    void Inflate(int32_t d);
    void Deflate(int32_t d) { Inflate(-d); }
    void InflateVertically(int32_t d);
    void DeflateVertically(int32_t d) { InflateVertically(-d); }

    void Normalize();
    void Union(const CRect& other);
    bool Intersect(const CRect& other);
    bool Intersects(const CRect& other) const;
    bool Contains(int32_t x, int32_t y) const;
    bool Contains(CPoint p) const { return Contains(p.x, p.y); }
    bool IsInside(const CRect& other) const;
    bool IsEqual(const CRect& other) const { return *this == other; }
    bool IsEmpty() const { return Width() < 1 || Height() < 1; }

    void CenterIn(const CRect& other);
    void CenterVerticallyIn(const CRect& other);
    void MoveInside(const CRect& bounds);

    constexpr bool operator==(const CRect&) const = default;
};

} // namespace NSHarrowen
