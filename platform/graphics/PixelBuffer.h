#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// A top-down buffer of 32-bit pixels, 0x00RRGGBB: the surface of every window,
// off-screen bitmap and screen the layer draws into.
class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height, uint32_t fill = 0) { Resize(width, height, fill); }

    void Resize(int width, int height, uint32_t fill = 0)
    {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill);
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    uint32_t At(int x, int y) const { return Row(y)[x]; }
    void Set(int x, int y, uint32_t value) { Row(y)[x] = value; }

    uint32_t* Data() { return pixels_.data(); }
    const uint32_t* Data() const { return pixels_.data(); }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

} // namespace platform
