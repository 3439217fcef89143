#include "platform/windows/detail/WindowSystem.h"

#include "platform/system/Clock.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/SystemColors.h"
#include "platform/host/SystemMetrics.h"
#include "platform/graphics/RegionOps.h"

#include <algorithm>
#include <utility>

namespace platform::detail {

WindowSystem& System()
{
    static WindowSystem system;
    return system;
}

WindowObject* Find(WindowHandle window)
{
    if (!window)
        return nullptr;
    auto& windows = System().windows;
    auto it = windows.find(window);
    return it == windows.end() ? nullptr : it->second.get();
}

uint64_t Now()
{
    Host(); // installs the host's clock when none was installed yet
    return NowMilliseconds();
}

Message MakeMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    Message m;
    m.window = window;
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    m.time = static_cast<uint32_t>(Now());
    m.point = System().pointer;
    return m;
}

int BorderWidth(const WindowObject& w)
{
    if (w.style & style::ThickFrame)
        return GetSystemMetric(Metric::SizingFrameX);
    if ((w.style & style::DialogFrame) || (w.exStyle & exstyle::DialogModalFrame))
        return GetSystemMetric(Metric::DialogFrameX);
    if (w.style & style::Border)
        return 1;
    return 0;
}

int CaptionHeight(const WindowObject& w)
{
    return (w.style & style::Caption) == style::Caption ? GetSystemMetric(Metric::CaptionHeight) : 0;
}

Rect ClientArea(const WindowObject& w)
{
    const int b = BorderWidth(w);
    const int width = w.rect.Width();
    const int height = w.rect.Height();
    Rect c{b, b + CaptionHeight(w), width - b, height - b};
    c.right = std::max(c.left, c.right);
    c.bottom = std::max(c.top, c.bottom);
    return c;
}

Rect CaptionButtonRect(const WindowObject& w, LResult button)
{
    if (!CaptionHeight(w) || !(w.style & style::SysMenu))
        return {};
    const int b = BorderWidth(w);
    const int size = GetSystemMetric(Metric::CaptionHeight) - 4;
    int slot = 0;
    if (button == hit::CloseButton)
        slot = 0;
    else if (button == hit::MaxButton && (w.style & style::MaximizeBox))
        slot = 1;
    else if (button == hit::MinButton && (w.style & style::MinimizeBox))
        slot = (w.style & style::MaximizeBox) ? 2 : 1;
    else
        return {};
    const int right = w.rect.Width() - b - 2 - slot * (size + 2);
    return {right - size, b + 2, right, b + 2 + size};
}

LResult HitTest(const WindowObject& w, Point p)
{
    const Rect whole{0, 0, w.rect.Width(), w.rect.Height()};
    if (!whole.Contains(p))
        return hit::Nowhere;
    if (ClientArea(w).Contains(p))
        return hit::Client;
    for (LResult button : {hit::CloseButton, hit::MaxButton, hit::MinButton})
        if (CaptionButtonRect(w, button).Contains(p))
            return button;
    const int b = BorderWidth(w);
    const bool sizable = (w.style & style::ThickFrame) && w.show == ShowState::Normal;
    const bool left = p.x < b, right = p.x >= whole.right - b;
    const bool top = p.y < b, bottom = p.y >= whole.bottom - b;
    if (sizable && (left || right || top || bottom)) {
        const int corner = GetSystemMetric(Metric::CaptionHeight);
        const bool nearLeft = p.x < corner, nearRight = p.x >= whole.right - corner;
        const bool nearTop = p.y < corner, nearBottom = p.y >= whole.bottom - corner;
        if ((top && nearLeft) || (left && nearTop))
            return hit::TopLeft;
        if ((top && nearRight) || (right && nearTop))
            return hit::TopRight;
        if ((bottom && nearLeft) || (left && nearBottom))
            return hit::BottomLeft;
        if ((bottom && nearRight) || (right && nearBottom))
            return hit::BottomRight;
        return left ? hit::Left : right ? hit::Right : top ? hit::Top : hit::Bottom;
    }
    if (CaptionHeight(w) && p.y >= b && p.y < b + CaptionHeight(w))
        return hit::Caption;
    return hit::Border;
}

namespace {

uint32_t Pixel(SystemColor color)
{
    const uint32_t bgr = GetSystemColor(color);
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

// Where a window's frame is drawn: its top-level's pixels, the window's
// top-left in them, and the part of them that shows the window.
struct FrameTarget {
    PixelBuffer& pixels;
    Point at;
    const Region& clip;
};

void Fill(const FrameTarget& t, Rect r, uint32_t value)
{
    r = r.Offset(t.at.x, t.at.y).Intersection({0, 0, t.pixels.Width(), t.pixels.Height()});
    if (r.IsEmpty())
        return;
    for (const IntRect& c : t.clip.Rects()) {
        const Rect part = r.Intersection(c);
        for (int y = part.top; y < part.bottom; ++y) {
            uint32_t* row = t.pixels.Row(y);
            std::fill(row + part.left, row + part.right, value);
        }
    }
}

void Frame(const FrameTarget& t, Rect r, uint32_t topLeft, uint32_t bottomRight)
{
    Fill(t, {r.left, r.top, r.right, r.top + 1}, topLeft);
    Fill(t, {r.left, r.top, r.left + 1, r.bottom}, topLeft);
    Fill(t, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    Fill(t, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

void DrawGlyph(const FrameTarget& t, const Rect& box, LResult button, uint32_t ink)
{
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    if (button == hit::CloseButton) {
        for (int d = -3; d <= 3; ++d) {
            Fill(t, Rect::FromSize(cx + d - 1, cy + d, 2, 1), ink);
            Fill(t, Rect::FromSize(cx - d - 1, cy + d, 2, 1), ink);
        }
    } else if (button == hit::MaxButton) {
        Fill(t, {cx - 4, cy - 4, cx + 4, cy - 2}, ink);
        Frame(t, {cx - 4, cy - 4, cx + 4, cy + 4}, ink, ink);
    } else {
        Fill(t, {cx - 4, cy + 2, cx + 2, cy + 4}, ink);
    }
}

// The caption's title, left-aligned and clipped before the buttons.
void DrawTitle(const WindowObject& w, const FrameTarget& t, const Rect& bar, uint32_t ink)
{
    static std::shared_ptr<const Font> font;
    if (!font) {
        try {
            font = Font::Create({"MS Sans Serif", 13, true, false, false});
        } catch (const std::exception&) {
            return; // no font installed: captions without titles
        }
    }
    Rect area = bar;
    for (LResult button : {hit::MinButton, hit::MaxButton, hit::CloseButton})
        if (const Rect box = CaptionButtonRect(w, button); !box.IsEmpty())
            area.right = std::min(area.right, box.left - 2);
    area.left += 3;
    if (area.IsEmpty() || w.title.empty())
        return;
    DeviceContext dc(t.pixels);
    dc.SetWindowOrigin({-t.at.x, -t.at.y});
    Region clip(area.Offset(t.at.x, t.at.y));
    Intersect(clip, t.clip);
    dc.SetSystemClip(clip);
    dc.SelectFont(font);
    dc.SetTextColor(ink);
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.TextOut(area.left, area.top + (area.Height() - font->Metrics().height) / 2, w.title);
}

void PaintNonClient(WindowObject& w)
{
    const Rect whole{0, 0, w.rect.Width(), w.rect.Height()};
    const Rect client = ClientArea(w);
    const int b = BorderWidth(w);
    if (b == 0 && CaptionHeight(w) == 0)
        return;
    WindowObject& top = TopLevelOf(w);
    const Point at = OffsetInTop(w);
    Region clip = VisibleInTop(w, false);
    Subtract(clip, client.Offset(at.x, at.y));
    if (clip.IsEmpty())
        return;
    const FrameTarget t{top.surface, at, clip};
    const uint32_t face = Pixel(SystemColor::ButtonFace);
    // Everything outside the client area.
    Fill(t, {0, 0, whole.right, client.top}, face);
    Fill(t, {0, client.bottom, whole.right, whole.bottom}, face);
    Fill(t, {0, client.top, client.left, client.bottom}, face);
    Fill(t, {client.right, client.top, whole.right, client.bottom}, face);
    if (b > 1)
        Frame(t, whole, Pixel(SystemColor::ButtonHighlight), 0x404040);
    else if (b == 1)
        Frame(t, whole, 0x000000, 0x000000);
    if (const int caption = CaptionHeight(w)) {
        const uint32_t bar = w.activeCaption ? 0x000080 : 0x808080;
        const Rect barRect{b, b, whole.right - b, b + caption - 1};
        Fill(t, barRect, bar);
        DrawTitle(w, t, barRect, w.activeCaption ? 0xFFFFFF : 0xC0C0C0);
        for (LResult button : {hit::CloseButton, hit::MaxButton, hit::MinButton}) {
            const Rect box = CaptionButtonRect(w, button);
            if (box.IsEmpty())
                continue;
            Fill(t, box, face);
            Frame(t, box, Pixel(SystemColor::ButtonHighlight), 0x404040);
            DrawGlyph(t, box, button, 0x000000);
        }
    }
    MarkDirtyRegion(w, clip);
}

void DrawDueFrame(WindowObject& top)
{
    if (std::exchange(top.frameDue, false))
        PaintNonClient(top);
}

// Hands the top-level's changed pixels to the host, when it shows them.
void PresentTopLevel(WindowObject& w)
{
    const bool shown = w.surfaceId && (w.style & style::Visible);
    if (shown)
        DrawDueFrame(w);
    Region changed;
    std::swap(changed, w.dirty);
    if (!shown)
        return;
    Intersect(changed, Rect{0, 0, w.surface.Width(), w.surface.Height()});
    if (changed.IsEmpty())
        return;
    const std::vector<Rect> rects(changed.Rects().begin(), changed.Rects().end());
    Host().PresentSurfaceRects(w.surfaceId, w.surface, rects);
}

} // namespace

void DrawNonClient(WindowObject& w)
{
    if (w.parent) {
        PaintNonClient(w);
        return;
    }
    w.frameDue = true;
    System().dirtyTopLevels.insert(w.handle);
}

Point WindowOrigin(const WindowObject& w)
{
    if (const WindowObject* parent = Find(w.parent)) {
        const Point o = WindowOrigin(*parent);
        const Rect c = ClientArea(*parent);
        return {o.x + c.left + w.rect.left, o.y + c.top + w.rect.top};
    }
    return w.rect.TopLeft();
}

WindowObject& TopLevelOf(const WindowObject& w)
{
    const WindowObject* top = &w;
    while (const WindowObject* parent = Find(top->parent))
        top = parent;
    return const_cast<WindowObject&>(*top);
}

Point OffsetInTop(const WindowObject& w)
{
    const Point o = WindowOrigin(w);
    const Point t = WindowOrigin(TopLevelOf(w));
    return {o.x - t.x, o.y - t.y};
}

Region VisibleInTop(const WindowObject& w, bool clientOnly)
{
    const Point at = OffsetInTop(w);
    const Rect client = ClientArea(w).Offset(at.x, at.y);
    Region visible(clientOnly ? client : Rect::FromSize(at.x, at.y, w.rect.Width(), w.rect.Height()));
    if (clientOnly)
        for (WindowHandle h : w.children)
            if (const WindowObject* child = Find(h); child && (child->style & style::Visible))
                Subtract(visible, child->rect.Offset(client.left, client.top));
    const WindowObject* current = &w;
    while (const WindowObject* parent = Find(current->parent)) {
        if (!(current->style & style::Visible))
            return {};
        const Point parentAt = OffsetInTop(*parent);
        const Rect parentClient = ClientArea(*parent).Offset(parentAt.x, parentAt.y);
        Intersect(visible, parentClient);
        const auto& siblings = parent->children;
        auto above = std::find(siblings.begin(), siblings.end(), current->handle);
        if (above != siblings.end())
            ++above;
        for (; above != siblings.end(); ++above)
            if (const WindowObject* s = Find(*above); s && (s->style & style::Visible))
                Subtract(visible, s->rect.Offset(parentClient.left, parentClient.top));
        if (visible.IsEmpty())
            return visible;
        current = parent;
    }
    Intersect(visible, Rect{0, 0, current->rect.Width(), current->rect.Height()});
    return visible;
}

void MarkDirty(WindowHandle window)
{
    if (const WindowObject* w = Find(window))
        MarkDirtyRegion(*w, VisibleInTop(*w, false));
}

void MarkDirtyRegion(const WindowObject& w, const Region& inTop)
{
    WindowObject& top = TopLevelOf(w);
    Unite(top.dirty, inTop);
    System().dirtyTopLevels.insert(top.handle);
}

void ExposeTree(WindowObject& w)
{
    if (!(w.style & style::Visible) && w.parent)
        return;
    DrawNonClient(w);
    const Rect c = ClientArea(w);
    Unite(w.update, Rect{0, 0, c.Width(), c.Height()});
    w.erase = true;
    for (WindowHandle h : w.children)
        if (WindowObject* child = Find(h); child && (child->style & style::Visible))
            ExposeTree(*child);
}

void ExposeArea(WindowObject& w, const Rect& area)
{
    const Rect c = ClientArea(w);
    const Rect inside = area.Intersection({0, 0, c.Width(), c.Height()});
    if (inside.IsEmpty())
        return;
    Unite(w.update, inside);
    w.erase = true;
    for (WindowHandle h : w.children) {
        WindowObject* child = Find(h);
        if (!child || !(child->style & style::Visible) || !child->rect.Intersects(inside))
            continue;
        DrawNonClient(*child);
        const Rect childClient = ClientArea(*child);
        ExposeArea(*child, inside.Offset(-child->rect.left - childClient.left, -child->rect.top - childClient.top));
    }
}

const PixelBuffer& ComposedTopLevel(WindowObject& top)
{
    DrawDueFrame(top);
    return top.surface;
}

void PresentDirty()
{
    auto& sys = System();
    const std::set<WindowHandle> dirty = std::move(sys.dirtyTopLevels);
    sys.dirtyTopLevels.clear();
    for (WindowHandle h : dirty)
        PresentDirtyOf(h);
}

void PresentDirtyOf(WindowHandle topLevel)
{
    WindowObject* w = Find(topLevel);
    if (!w || w->parent)
        return;
    PresentTopLevel(*w);
    // Drawing a due frame marks its window again: its pixels went out above.
    System().dirtyTopLevels.erase(topLevel);
}

} // namespace platform::detail
