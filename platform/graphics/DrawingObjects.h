#pragma once

#include "platform/base/GraphicsTypes.h"

#include <atomic>
#include <memory>

namespace platform {

// Solid one-colour drawing objects. They are shared, immutable handles; a
// device context holds the selected ones. Counters tell how many were made.
class Pen {
public:
    static std::shared_ptr<const Pen> Create(Rgb color, int width = 1);
    Rgb Color() const { return color_; }
    int Width() const { return width_; }
    static long CreatedCount();

private:
    Pen(Rgb color, int width) : color_(color), width_(width) { }
    Rgb color_;
    int width_;
};

class Brush {
public:
    static std::shared_ptr<const Brush> Create(Rgb color);
    Rgb Color() const { return color_; }
    static long CreatedCount();

private:
    explicit Brush(Rgb color) : color_(color) { }
    Rgb color_;
};

} // namespace platform
