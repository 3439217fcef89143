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

} // namespace picgen
