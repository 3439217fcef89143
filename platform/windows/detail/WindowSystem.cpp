#include "platform/windows/detail/WindowSystem.h"

#include "platform/system/Clock.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/SystemColors.h"
#include "platform/host/SystemMetrics.h"

#include <algorithm>

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

void Fill(PixelBuffer& pixels, Rect r, uint32_t value)
{
    r = r.Intersection({0, 0, pixels.Width(), pixels.Height()});
    for (int y = r.top; y < r.bottom; ++y) {
        uint32_t* row = pixels.Row(y);
        std::fill(row + r.left, row + r.right, value);
    }
}

void Frame(PixelBuffer& pixels, Rect r, uint32_t topLeft, uint32_t bottomRight)
{
    Fill(pixels, {r.left, r.top, r.right, r.top + 1}, topLeft);
    Fill(pixels, {r.left, r.top, r.left + 1, r.bottom}, topLeft);
    Fill(pixels, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    Fill(pixels, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

void DrawGlyph(PixelBuffer& pixels, const Rect& box, LResult button, uint32_t ink)
{
    const int cx = (box.left + box.right) / 2;
    const int cy = (box.top + box.bottom) / 2;
    if (button == hit::CloseButton) {
        for (int d = -3; d <= 3; ++d) {
            Fill(pixels, Rect::FromSize(cx + d - 1, cy + d, 2, 1), ink);
            Fill(pixels, Rect::FromSize(cx - d - 1, cy + d, 2, 1), ink);
        }
    } else if (button == hit::MaxButton) {
        Fill(pixels, {cx - 4, cy - 4, cx + 4, cy - 2}, ink);
        Frame(pixels, {cx - 4, cy - 4, cx + 4, cy + 4}, ink, ink);
    } else {
        Fill(pixels, {cx - 4, cy + 2, cx + 2, cy + 4}, ink);
    }
}

// The caption's title, left-aligned and clipped before the buttons.
void DrawTitle(WindowObject& w, const Rect& bar, uint32_t ink)
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
    DeviceContext dc(w.surface);
    dc.SetSystemClip(Region(area));
    dc.SelectFont(font);
    dc.SetTextColor(ink);
    dc.SetBackgroundMode(BackgroundMode::Transparent);
    dc.TextOut(area.left, area.top + (area.Height() - font->Metrics().height) / 2, w.title);
}

} // namespace

void DrawNonClient(WindowObject& w)
{
    PixelBuffer& pixels = w.surface;
    const Rect whole{0, 0, pixels.Width(), pixels.Height()};
    const Rect client = ClientArea(w);
    const int b = BorderWidth(w);
    if (b == 0 && CaptionHeight(w) == 0)
        return;
    const uint32_t face = Pixel(SystemColor::ButtonFace);
    // Everything outside the client area.
    Fill(pixels, {0, 0, whole.right, client.top}, face);
    Fill(pixels, {0, client.bottom, whole.right, whole.bottom}, face);
    Fill(pixels, {0, client.top, client.left, client.bottom}, face);
    Fill(pixels, {client.right, client.top, whole.right, client.bottom}, face);
    if (b > 1)
        Frame(pixels, whole, Pixel(SystemColor::ButtonHighlight), 0x404040);
    else if (b == 1)
        Frame(pixels, whole, 0x000000, 0x000000);
    if (const int caption = CaptionHeight(w)) {
        const uint32_t bar = w.activeCaption ? 0x000080 : 0x808080;
        const Rect barRect{b, b, whole.right - b, b + caption - 1};
        Fill(pixels, barRect, bar);
        DrawTitle(w, barRect, w.activeCaption ? 0xFFFFFF : 0xC0C0C0);
        for (LResult button : {hit::CloseButton, hit::MaxButton, hit::MinButton}) {
            const Rect box = CaptionButtonRect(w, button);
            if (box.IsEmpty())
                continue;
            Fill(pixels, box, face);
            Frame(pixels, box, Pixel(SystemColor::ButtonHighlight), 0x404040);
            DrawGlyph(pixels, box, button, 0x000000);
        }
    }
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

void MarkDirty(WindowHandle window)
{
    if (const WindowHandle top = GetTopLevel(window))
        System().dirtyTopLevels.insert(top);
}

namespace {

// Copies the window with its visible children into `out`, its top-left at
// `at`, within `clip` (coordinates of `out`).
void ComposeInto(const WindowObject& w, PixelBuffer& out, Point at, const Rect& clip)
{
    const Rect target = Rect::FromSize(at.x, at.y, w.rect.Width(), w.rect.Height()).Intersection(clip);
    for (int y = target.top; y < target.bottom; ++y) {
        const uint32_t* src = w.surface.Row(y - at.y) + (target.left - at.x);
        std::copy(src, src + target.Width(), out.Row(y) + target.left);
    }
    const Rect c = ClientArea(w);
    const Rect clientClip = c.Offset(at.x, at.y).Intersection(clip);
    for (WindowHandle h : w.children) {
        const WindowObject* child = Find(h);
        if (child && (child->style & style::Visible))
            ComposeInto(*child, out, {at.x + c.left + child->rect.left, at.y + c.top + child->rect.top}, clientClip);
    }
}

} // namespace

void ComposeTopLevel(const WindowObject& top, PixelBuffer& out)
{
    out.Resize(top.rect.Width(), top.rect.Height(), 0);
    ComposeInto(top, out, {0, 0}, {0, 0, out.Width(), out.Height()});
}

void PresentDirty()
{
    auto& sys = System();
    const std::set<WindowHandle> dirty = std::move(sys.dirtyTopLevels);
    sys.dirtyTopLevels.clear();
    PixelBuffer composed;
    for (WindowHandle h : dirty) {
        const WindowObject* w = Find(h);
        if (!w || !w->surfaceId || !(w->style & style::Visible))
            continue;
        ComposeTopLevel(*w, composed);
        Host().PresentSurface(w->surfaceId, composed);
    }
}

} // namespace platform::detail
