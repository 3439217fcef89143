#pragma once

#include "platform/base/Geometry.h"
#include "platform/graphics/PixelBuffer.h"

#include <memory>
#include <utility>
#include <vector>

struct SDL_Window;

namespace platform {

// Pixels in memory shared with the X server: a window's buffer that lives in
// it is shown by the server reading it, without a copy in SDL's window
// surface besides. Only while `displayOpen` holds does it tell the server
// it is gone (after SDL closed the connection, the server has let go).
class X11SharedPixels : public PixelMemory {
public:
    // Null when the window's display has no shared memory, or its pixels
    // are not 0x00RRGGBB in 32 bits.
    static std::shared_ptr<X11SharedPixels> Create(SDL_Window* window, int width, int height,
                                                   std::shared_ptr<const bool> displayOpen);
    ~X11SharedPixels() override;
    X11SharedPixels(const X11SharedPixels&) = delete;
    X11SharedPixels& operator=(const X11SharedPixels&) = delete;

    uint32_t* Data() override { return data_; }
    // A new segment is all zero.
    bool TakeZeroed() override { return std::exchange(zeroed_, false); }
    // Shows the rectangles (clipped to the pixels) on the window, and waits
    // until the server has read them, so that drawing on can't tear them.
    void Show(SDL_Window* window, const std::vector<Rect>& rects) const;

private:
    X11SharedPixels() = default;

    struct Parts;
    std::unique_ptr<Parts> parts_;
    uint32_t* data_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    bool zeroed_ = true;
    std::shared_ptr<const bool> displayOpen_;
};

} // namespace platform
