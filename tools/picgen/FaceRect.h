#pragma once

namespace picgen {

// A rectangle on a face picture, in pixels from its top-left corner.
struct FaceRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    int Right() const { return x + w; }
    int Bottom() const { return y + h; }
    bool Intersects(const FaceRect& o) const
    {
        return x < o.Right() && o.x < Right() && y < o.Bottom() && o.y < Bottom();
    }
    FaceRect Inflated(int d) const { return {x - d, y - d, w + 2 * d, h + 2 * d}; }
    bool operator==(const FaceRect&) const = default;
};

// Whether a box stands in the gap between two frames, one over and one under
// it or one before and one after it, overlapping both on the other axis.
inline bool Between(const FaceRect& box, const FaceRect& a, const FaceRect& b)
{
    const auto across = [](const FaceRect& l, const FaceRect& r, const FaceRect& m) {
        return l.Right() <= m.x && m.Right() <= r.x && m.y < l.Bottom() && l.y < m.Bottom() && m.y < r.Bottom() &&
            r.y < m.Bottom();
    };
    const auto down = [](const FaceRect& t, const FaceRect& u, const FaceRect& m) {
        return t.Bottom() <= m.y && m.Bottom() <= u.y && m.x < t.Right() && t.x < m.Right() && m.x < u.Right() &&
            u.x < m.Right();
    };
    return across(a, b, box) || across(b, a, box) || down(a, b, box) || down(b, a, box);
}

} // namespace picgen
