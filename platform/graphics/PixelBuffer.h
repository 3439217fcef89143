#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace platform {

// Memory a buffer's pixels can live in instead of a vector of its own: the
// memory a host shows a surface from, so the pixels drawn are the pixels
// shown and a present copies nothing.
class PixelMemory {
public:
    virtual ~PixelMemory() = default;
    virtual uint32_t* Data() = 0;
    // True the first time it is asked when the memory came all zero from
    // the system: filling it with zeros again would only fault in every
    // page before the first paint.
    virtual bool TakeZeroed() { return false; }
};

// A top-down buffer of 32-bit pixels, 0x00RRGGBB: the surface of every window,
// off-screen bitmap and screen the layer draws into. A copy has pixels of its
// own, wherever the original's live.
class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height, uint32_t fill = 0) { Resize(width, height, fill); }
    PixelBuffer(const PixelBuffer& other)
        : width_(other.width_), height_(other.height_), pixels_(other.Data(), other.Data() + other.Count())
    {
        data_ = pixels_.data();
    }
    PixelBuffer(PixelBuffer&& other) noexcept { *this = std::move(other); }
    PixelBuffer& operator=(const PixelBuffer& other)
    {
        if (this != &other)
            *this = PixelBuffer(other);
        return *this;
    }
    PixelBuffer& operator=(PixelBuffer&& other) noexcept
    {
        if (this != &other) {
            width_ = std::exchange(other.width_, 0);
            height_ = std::exchange(other.height_, 0);
            pixels_ = std::move(other.pixels_);
            memory_ = std::move(other.memory_);
            data_ = memory_ ? memory_->Data() : pixels_.data();
            other.pixels_.clear();
            other.data_ = nullptr;
        }
        return *this;
    }

    void Resize(int width, int height, uint32_t fill = 0)
    {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        memory_.reset();
        pixels_.assign(Count(), fill);
        data_ = pixels_.data();
    }

    // Takes width x height pixels in memory (which holds at least as many)
    // in place of its own, filled with fill.
    void Adopt(int width, int height, std::shared_ptr<PixelMemory> memory, uint32_t fill = 0)
    {
        width_ = width > 0 ? width : 0;
        height_ = height > 0 ? height : 0;
        std::vector<uint32_t>().swap(pixels_);
        memory_ = std::move(memory);
        data_ = memory_->Data();
        if (!memory_->TakeZeroed() || fill != 0)
            std::fill_n(data_, Count(), fill);
    }
    // The memory the pixels live in; null when they are the buffer's own.
    const PixelMemory* Memory() const { return memory_.get(); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    uint32_t* Row(int y) { return data_ + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    const uint32_t* Row(int y) const { return data_ + static_cast<size_t>(y) * static_cast<size_t>(width_); }
    uint32_t At(int x, int y) const { return Row(y)[x]; }
    void Set(int x, int y, uint32_t value) { Row(y)[x] = value; }

    uint32_t* Data() { return data_; }
    const uint32_t* Data() const { return data_; }

private:
    size_t Count() const { return static_cast<size_t>(width_) * static_cast<size_t>(height_); }

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    std::shared_ptr<PixelMemory> memory_;
    uint32_t* data_ = nullptr;
};

} // namespace platform
