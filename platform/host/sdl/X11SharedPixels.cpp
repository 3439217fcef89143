#include "platform/host/sdl/X11SharedPixels.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#endif

namespace platform {

#if defined(SDL_VIDEO_DRIVER_X11)

struct X11SharedPixels::Parts {
    Display* display = nullptr;
    XShmSegmentInfo segment{};
    XImage* image = nullptr;
    GC gc = nullptr;
    bool attached = false;
};

namespace {

bool attachFailed = false;
unsigned long attachRequest = 0;
XErrorHandler handlerBefore = nullptr;

// The server refuses a segment it can't reach (a display on another
// machine); that is no error of the program. Errors of earlier requests,
// still due, go to the handler they were meant for.
int NoteAttachFailure(Display* display, XErrorEvent* error)
{
    if (error->serial == attachRequest) {
        attachFailed = true;
        return 0;
    }
    return handlerBefore != nullptr ? handlerBefore(display, error) : 0;
}

// One round trip: the answer to the attach, and only to it, is its error.
bool Attach(Display* display, XShmSegmentInfo& segment)
{
    attachFailed = false;
    attachRequest = NextRequest(display);
    handlerBefore = XSetErrorHandler(NoteAttachFailure);
    const bool sent = XShmAttach(display, &segment) != 0;
    XSync(display, False);
    XSetErrorHandler(handlerBefore);
    handlerBefore = nullptr;
    return sent && !attachFailed;
}

bool IsXrgb32(const XImage& image, int width)
{
    return image.bits_per_pixel == 32 && image.bytes_per_line == width * 4 && image.red_mask == 0xff0000 &&
        image.green_mask == 0xff00 && image.blue_mask == 0xff &&
        image.byte_order == (SDL_BYTEORDER == SDL_LIL_ENDIAN ? LSBFirst : MSBFirst);
}

} // namespace

std::shared_ptr<X11SharedPixels> X11SharedPixels::Create(SDL_Window* window, int width, int height,
                                                         std::shared_ptr<const bool> displayOpen)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || width <= 0 || height <= 0 || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return nullptr;
    Display* display = info.info.x11.display;
    XWindowAttributes attributes;
    if (!XShmQueryExtension(display) || !XGetWindowAttributes(display, info.info.x11.window, &attributes))
        return nullptr;
    std::shared_ptr<X11SharedPixels> pixels(new X11SharedPixels());
    pixels->parts_ = std::make_unique<Parts>();
    pixels->width_ = width;
    pixels->height_ = height;
    pixels->displayOpen_ = std::move(displayOpen);
    Parts& p = *pixels->parts_;
    p.display = display;
    p.segment.shmid = -1;
    p.image = XShmCreateImage(display, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap, nullptr,
                              &p.segment, static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!p.image || !IsXrgb32(*p.image, width))
        return nullptr;
    const size_t bytes = static_cast<size_t>(p.image->bytes_per_line) * static_cast<size_t>(height);
    p.segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (p.segment.shmid < 0)
        return nullptr;
    void* at = shmat(p.segment.shmid, nullptr, 0);
    // Marked for removal at once: it goes when the last of us and the
    // server lets go, also when the program ends on a crash.
    shmctl(p.segment.shmid, IPC_RMID, nullptr);
    if (at == reinterpret_cast<void*>(-1))
        return nullptr;
    p.segment.shmaddr = p.image->data = static_cast<char*>(at);
    p.segment.readOnly = True;
    if (!Attach(display, p.segment))
        return nullptr;
    p.attached = true;
    p.gc = XCreateGC(display, info.info.x11.window, 0, nullptr);
    pixels->data_ = reinterpret_cast<uint32_t*>(at);
    return pixels;
}

X11SharedPixels::~X11SharedPixels()
{
    Parts& p = *parts_;
    const bool open = displayOpen_ && *displayOpen_;
    if (open && p.gc)
        XFreeGC(p.display, p.gc);
    if (open && p.attached) {
        XShmDetach(p.display, &p.segment);
        XSync(p.display, False);
    }
    if (p.image) {
        p.image->data = nullptr;
        XDestroyImage(p.image);
    }
    if (p.segment.shmaddr)
        shmdt(p.segment.shmaddr);
}

void X11SharedPixels::Show(SDL_Window* window, const std::vector<Rect>& rects) const
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    const Parts& p = *parts_;
    bool shown = false;
    for (const Rect& rect : rects) {
        const Rect r = rect.Intersection({0, 0, width_, height_});
        if (r.IsEmpty())
            continue;
        XShmPutImage(p.display, info.info.x11.window, p.gc, p.image, r.left, r.top, r.left, r.top,
                     static_cast<unsigned>(r.Width()), static_cast<unsigned>(r.Height()), False);
        shown = true;
    }
    if (shown)
        XSync(p.display, False);
}

#else

struct X11SharedPixels::Parts { };

std::shared_ptr<X11SharedPixels> X11SharedPixels::Create(SDL_Window*, int, int, std::shared_ptr<const bool>)
{
    return nullptr;
}

X11SharedPixels::~X11SharedPixels() = default;

void X11SharedPixels::Show(SDL_Window*, const std::vector<Rect>&) const { }

#endif

} // namespace platform
