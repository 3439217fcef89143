#include "platform/host/headless/HeadlessHost.h"

#include <algorithm>

namespace platform {

HeadlessHost::HeadlessHost(int width, int height) : width_(width), height_(height) { }

SurfaceId HeadlessHost::CreateSurface(const SurfaceParams& params)
{
    const SurfaceId id = nextId_++;
    surfaces_[id].params = params;
    order_.push_back(id);
    return id;
}

void HeadlessHost::DestroySurface(SurfaceId id)
{
    surfaces_.erase(id);
    order_.erase(std::remove(order_.begin(), order_.end(), id), order_.end());
}

void HeadlessHost::MoveSurface(SurfaceId id, const Rect& rect)
{
    if (auto it = surfaces_.find(id); it != surfaces_.end())
        it->second.params.rect = rect;
}

void HeadlessHost::ShowSurface(SurfaceId id, bool shown)
{
    if (auto it = surfaces_.find(id); it != surfaces_.end())
        it->second.shown = shown;
}

void HeadlessHost::RaiseSurface(SurfaceId id)
{
    if (!surfaces_.count(id))
        return;
    order_.erase(std::remove(order_.begin(), order_.end(), id), order_.end());
    order_.push_back(id);
}

void HeadlessHost::SetSurfaceTitle(SurfaceId id, const std::string& title)
{
    if (auto it = surfaces_.find(id); it != surfaces_.end())
        it->second.params.title = title;
}

void HeadlessHost::PresentSurface(SurfaceId id, const PixelBuffer& pixels)
{
    if (auto it = surfaces_.find(id); it != surfaces_.end())
        it->second.pixels = pixels;
}

void HeadlessHost::PresentSurfaceRects(SurfaceId id, const PixelBuffer& pixels, const std::vector<Rect>& rects)
{
    auto it = surfaces_.find(id);
    if (it == surfaces_.end())
        return;
    PixelBuffer& shown = it->second.pixels;
    if (shown.Width() != pixels.Width() || shown.Height() != pixels.Height()) {
        shown = pixels;
        return;
    }
    const Rect bounds{0, 0, pixels.Width(), pixels.Height()};
    for (const Rect& rect : rects) {
        const Rect r = rect.Intersection(bounds);
        for (int y = r.top; y < r.bottom; ++y)
            std::copy(pixels.Row(y) + r.left, pixels.Row(y) + r.right, shown.Row(y) + r.left);
    }
}

bool HeadlessHost::PollEvent(HostEvent& event)
{
    if (events_.empty())
        return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void HeadlessHost::WaitForEvent(uint32_t timeoutMs)
{
    if (events_.empty())
        clock_.Advance(timeoutMs);
}

void HeadlessHost::WarpPointer(Point screen)
{
    pointer_ = screen;
}

int HeadlessHost::MessageBox(const std::string& title, const std::string& text, int)
{
    boxTexts_.push_back(title + ": " + text);
    if (answers_.empty())
        return 0;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void HeadlessHost::Push(HostEvent event)
{
    events_.push_back(std::move(event));
}

void HeadlessHost::MoveMouse(Point screen)
{
    pointer_ = screen;
    HostEvent e;
    e.kind = HostEvent::Kind::MouseMove;
    e.screen = screen;
    Push(e);
}

void HeadlessHost::PressMouse(Point screen, int button)
{
    MouseButton(HostEvent::Kind::MouseDown, screen, button);
}

void HeadlessHost::ReleaseMouse(Point screen, int button)
{
    MouseButton(HostEvent::Kind::MouseUp, screen, button);
}

void HeadlessHost::MouseButton(HostEvent::Kind kind, Point screen, int button)
{
    pointer_ = screen;
    if (button == 1)
        buttonDown_ = kind == HostEvent::Kind::MouseDown;
    HostEvent e;
    e.kind = kind;
    e.screen = screen;
    e.button = button;
    Push(e);
}

void HeadlessHost::Wheel(Point screen, int notches)
{
    pointer_ = screen;
    HostEvent e;
    e.kind = HostEvent::Kind::Wheel;
    e.screen = screen;
    e.wheel = notches;
    Push(e);
}

void HeadlessHost::Click(Point screen, int button)
{
    PressMouse(screen, button);
    ReleaseMouse(screen, button);
}

void HeadlessHost::PressKey(uint32_t virtualKey, bool extended, bool repeat)
{
    Key(HostEvent::Kind::KeyDown, virtualKey, extended, repeat);
}

void HeadlessHost::ReleaseKey(uint32_t virtualKey, bool extended)
{
    Key(HostEvent::Kind::KeyUp, virtualKey, extended, false);
}

void HeadlessHost::Key(HostEvent::Kind kind, uint32_t virtualKey, bool extended, bool repeat)
{
    HostEvent e;
    e.kind = kind;
    e.virtualKey = virtualKey;
    e.extended = extended;
    e.repeat = repeat;
    Push(e);
}

void HeadlessHost::TypeCharacter(char32_t character)
{
    HostEvent e;
    e.kind = HostEvent::Kind::Text;
    e.character = character;
    Push(e);
}

void HeadlessHost::RequestClose(SurfaceId id)
{
    HostEvent e;
    e.kind = HostEvent::Kind::CloseRequest;
    e.surface = id;
    Push(e);
}

void HeadlessHost::RequestQuit()
{
    HostEvent e;
    e.kind = HostEvent::Kind::Quit;
    Push(e);
}

void HeadlessHost::PlaceByDesktop(SurfaceId id, const Rect& rect)
{
    auto it = surfaces_.find(id);
    if (it == surfaces_.end())
        return;
    it->second.params.rect = rect;
    HostEvent e;
    e.kind = HostEvent::Kind::Placed;
    e.surface = id;
    e.rect = rect;
    Push(e);
}

void HeadlessHost::DropFile(Point screen, const std::string& path)
{
    HostEvent e;
    e.kind = HostEvent::Kind::DropFile;
    e.screen = screen;
    e.text = path;
    Push(e);
}

PixelBuffer HeadlessHost::SurfaceIcon(SurfaceId id) const
{
    const auto it = surfaces_.find(id);
    return it == surfaces_.end() ? PixelBuffer() : it->second.icon;
}

void HeadlessHost::SetColorDepth(int bitsPerPixel)
{
    colorDepth_ = bitsPerPixel;
    HostEvent e;
    e.kind = HostEvent::Kind::DisplayChange;
    Push(e);
}

void HeadlessHost::SetApplicationFocus(bool focused)
{
    HostEvent e;
    e.kind = focused ? HostEvent::Kind::FocusGained : HostEvent::Kind::FocusLost;
    Push(e);
}

PixelBuffer HeadlessHost::Screen() const
{
    PixelBuffer screen(width_, height_, 0x3A6EA5);
    for (SurfaceId id : order_) {
        const Surface& s = surfaces_.at(id);
        if (!s.shown)
            continue;
        const Rect r = s.params.rect;
        const int w = std::min(r.Width(), s.pixels.Width());
        const int h = std::min(r.Height(), s.pixels.Height());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (screen.Contains(r.left + x, r.top + y))
                    screen.Set(r.left + x, r.top + y, s.pixels.At(x, y));
    }
    return screen;
}

const PixelBuffer* HeadlessHost::SurfacePixels(SurfaceId id) const
{
    auto it = surfaces_.find(id);
    return it == surfaces_.end() ? nullptr : &it->second.pixels;
}

Rect HeadlessHost::SurfaceRect(SurfaceId id) const
{
    auto it = surfaces_.find(id);
    return it == surfaces_.end() ? Rect{} : it->second.params.rect;
}

bool HeadlessHost::IsSurfaceShown(SurfaceId id) const
{
    auto it = surfaces_.find(id);
    return it != surfaces_.end() && it->second.shown;
}

std::string HeadlessHost::SurfaceTitle(SurfaceId id) const
{
    auto it = surfaces_.find(id);
    return it == surfaces_.end() ? std::string() : it->second.params.title;
}

} // namespace platform
