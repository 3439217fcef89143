#include "X11Screenshot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>

namespace demo {

bool GrabScreen(const platform::Rect& rect, platform::PixelBuffer& out)
{
    std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
    if (!display)
        return false;
    XSync(display.get(), False);
    XImage* image =
        XGetImage(display.get(), DefaultRootWindow(display.get()), rect.left, rect.top,
                  static_cast<unsigned>(rect.Width()), static_cast<unsigned>(rect.Height()), AllPlanes, ZPixmap);
    if (!image)
        return false;
    out.Resize(rect.Width(), rect.Height());
    for (int y = 0; y < rect.Height(); ++y)
        for (int x = 0; x < rect.Width(); ++x)
            out.Set(x, y, static_cast<uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
    XDestroyImage(image);
    return true;
}

long CountDifferences(const platform::PixelBuffer& a, const platform::PixelBuffer& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return static_cast<long>(a.Width()) * a.Height() + 1;
    long count = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            count += a.At(x, y) != b.At(x, y);
    return count;
}

} // namespace demo
