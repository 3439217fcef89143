#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/detail/FontGlyph.h"
#include "platform/base/TextCharacters.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace platform {

namespace {

const std::shared_ptr<const Font>& StockFont()
{
    static const std::shared_ptr<const Font> font = Font::Create({"System", 16, true, false, false});
    return font;
}

Rgb Blend(Rgb under, Rgb over, unsigned alpha)
{
    auto mix = [alpha](unsigned a, unsigned b) {
        return static_cast<uint8_t>((a * (255 - alpha) + b * alpha + 127) / 255);
    };
    return MakeRgb(mix(RedOf(under), RedOf(over)), mix(GreenOf(under), GreenOf(over)),
                   mix(BlueOf(under), BlueOf(over)));
}

} // namespace

DeviceContext::DeviceContext(const Surface& surface)
    : surface_(surface), pen_(Pen::Create(0)), brush_(Brush::Create(0xFFFFFF))
{ }

// ---- clipping -------------------------------------------------------------

void DeviceContext::RecomputeClip() const
{
    clipForBounds_ = surface_.Bounds();
    Region clip(clipForBounds_);
    if (systemClip_)
        clip.CombineWith(*systemClip_, RegionOp::And);
    if (selectedClip_)
        clip.CombineWith(*selectedClip_, RegionOp::And);
    effectiveClip_ = std::move(clip);
}

const Region& DeviceContext::EffectiveClip() const
{
    if (!(clipForBounds_ == surface_.Bounds()))
        RecomputeClip();
    return effectiveClip_;
}

void DeviceContext::SetSystemClip(std::optional<Region> region)
{
    systemClip_ = std::move(region);
    RecomputeClip();
}

void DeviceContext::SelectClip(const Region* region)
{
    if (region != nullptr)
        selectedClip_ = *region;
    else
        selectedClip_.reset();
    RecomputeClip();
}

template <typename F> void DeviceContext::ForEachClippedSpan(int y, int x0, int x1, F&& visit) const
{
    if (x0 >= x1)
        return;
    // Bands are sorted by top and do not overlap, so their bottoms rise too:
    // the first band reaching below y is found by halving.
    const std::vector<IntRect>& rects = EffectiveClip().Rects();
    const auto first =
        std::partition_point(rects.begin(), rects.end(), [y](const IntRect& r) { return r.bottom <= y; });
    for (auto it = first; it != rects.end(); ++it) {
        const IntRect& r = *it;
        if (r.top > y)
            break;
        const int a = std::max(x0, r.left);
        const int b = std::min(x1, r.right);
        if (a < b)
            visit(a, b);
    }
}

// ---- state ----------------------------------------------------------------

std::shared_ptr<const Pen> DeviceContext::SelectPen(std::shared_ptr<const Pen> pen)
{
    std::swap(pen, pen_);
    return pen;
}

std::shared_ptr<const Brush> DeviceContext::SelectBrush(std::shared_ptr<const Brush> brush)
{
    std::swap(brush, brush_);
    return brush;
}

std::shared_ptr<const Font> DeviceContext::SelectFont(std::shared_ptr<const Font> font)
{
    std::swap(font, font_); // null stands for the stock font, made only when text needs it
    return font;
}

const std::shared_ptr<const Font>& DeviceContext::CurrentFont() const
{
    if (!font_)
        font_ = StockFont();
    return font_;
}

Rgb DeviceContext::SetTextColor(Rgb color)
{
    return std::exchange(textColor_, color & 0xFFFFFF);
}
Rgb DeviceContext::SetBackgroundColor(Rgb color)
{
    return std::exchange(backgroundColor_, color & 0xFFFFFF);
}
BackgroundMode DeviceContext::SetBackgroundMode(BackgroundMode mode)
{
    return std::exchange(backgroundMode_, mode);
}
RasterOp DeviceContext::SetRasterOp(RasterOp op)
{
    return std::exchange(rasterOp_, op);
}

// ---- shapes ---------------------------------------------------------------

void DeviceContext::SpanDevice(int y, int x0, int x1, Rgb color)
{
    ForEachClippedSpan(y, x0, x1, [&](int a, int b) {
        if (rasterOp_ == RasterOp::Not)
            surface_.InvertSpan(y, a, b);
        else
            surface_.FillSpan(y, a, b, color);
    });
}

void DeviceContext::PlotDevice(int x, int y, Rgb color)
{
    SpanDevice(y, x, x + 1, color);
}

void DeviceContext::FillRect(const IntRect& rect, const Brush& brush)
{
    const IntRect device = rect.Offset(-origin_.x, -origin_.y).Intersection(EffectiveClip().Bounds());
    for (int y = device.top; y < device.bottom; ++y)
        ForEachClippedSpan(y, device.left, device.right,
                           [&](int a, int b) { surface_.FillSpan(y, a, b, brush.Color()); });
}

void DeviceContext::FillChecker(const IntRect& rect, Rgb even, Rgb odd)
{
    const IntRect device = rect.Offset(-origin_.x, -origin_.y).Intersection(EffectiveClip().Bounds());
    const std::array<Rgb, 2> colors{even & 0xFFFFFF, odd & 0xFFFFFF};
    for (int y = device.top; y < device.bottom; ++y) {
        const int parity = y + origin_.x + origin_.y;
        uint32_t* row = surface_.Row32(y);
        ForEachClippedSpan(y, device.left, device.right, [&](int a, int b) {
            for (int x = a; x < b; ++x) {
                const Rgb color = colors[static_cast<size_t>((x + parity) & 1)];
                if (row != nullptr)
                    row[x] = color;
                else
                    surface_.Set(x, y, color);
            }
        });
    }
}

// Device coordinates; leaves out the end point.
void DeviceContext::DrawSegment(int x0, int y0, int x1, int y1)
{
    const Rgb color = pen_->Color();
    if (y0 == y1) {
        if (x1 > x0)
            SpanDevice(y0, x0, x1, color);
        else if (x1 < x0)
            SpanDevice(y0, x1 + 1, x0 + 1, color);
        return;
    }
    if (x0 == x1) {
        const int step = y1 > y0 ? 1 : -1;
        for (int y = y0; y != y1; y += step)
            PlotDevice(x0, y, color);
        return;
    }
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        PlotDevice(x, y, color);
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void DeviceContext::LineTo(int x, int y)
{
    DrawSegment(position_.x - origin_.x, position_.y - origin_.y, x - origin_.x, y - origin_.y);
    position_ = {x, y};
}

void DeviceContext::Polyline(std::span<const IntPoint> points)
{
    if (points.empty())
        return;
    const IntPoint saved = position_;
    MoveTo(points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].x, points[i].y);
    position_ = saved;
}

void DeviceContext::SetPixel(int x, int y, Rgb color)
{
    const RasterOp saved = std::exchange(rasterOp_, RasterOp::CopyPen);
    PlotDevice(x - origin_.x, y - origin_.y, color & 0xFFFFFF);
    rasterOp_ = saved;
}

std::optional<Rgb> DeviceContext::GetPixel(int x, int y) const
{
    const int dx = x - origin_.x;
    const int dy = y - origin_.y;
    if (!surface_.Bounds().Contains(dx, dy))
        return std::nullopt;
    return surface_.Get(dx, dy);
}

// ---- text -----------------------------------------------------------------

const TextMetrics& DeviceContext::GetTextMetrics() const
{
    return CurrentFont()->Metrics();
}

TextExtent DeviceContext::GetTextExtent(std::string_view text) const
{
    return CurrentFont()->Extent(text);
}

void DeviceContext::DrawTextLine(int x, int y, std::string_view text, const IntRect* clipDevice)
{
    const Font& font = *CurrentFont();
    const TextMetrics& metrics = font.Metrics();
    int penX = x - origin_.x;
    const int top = y - origin_.y;
    const int baseline = top + metrics.ascent;
    const int width = font.Extent(text).width;
    auto clipped = [&](int row, int x0, int x1, auto&& visit) {
        if (clipDevice != nullptr) {
            if (row < clipDevice->top || row >= clipDevice->bottom)
                return;
            x0 = std::max(x0, clipDevice->left);
            x1 = std::min(x1, clipDevice->right);
        }
        ForEachClippedSpan(row, x0, x1, visit);
    };

    if (backgroundMode_ == BackgroundMode::Opaque)
        for (int row = top; row < top + metrics.height; ++row)
            clipped(row, penX, penX + width, [&](int a, int b) { surface_.FillSpan(row, a, b, backgroundColor_); });

    for (size_t at = 0; at < text.size();) {
        const GlyphImage& glyph = font.Glyph(DecodeCharacter(text, at));
        const int gx = penX + glyph.left;
        const int gy = baseline - glyph.top;
        for (int r = 0; r < glyph.rows; ++r) {
            const int row = gy + r;
            const uint8_t* coverage = glyph.coverage.data() + static_cast<size_t>(r) * static_cast<size_t>(glyph.width);
            clipped(row, gx, gx + glyph.width, [&](int a, int b) {
                for (int px = a; px < b; ++px) {
                    const unsigned alpha = coverage[px - gx];
                    if (alpha == 255)
                        surface_.Set(px, row, textColor_);
                    else if (alpha != 0)
                        surface_.Set(px, row, Blend(surface_.Get(px, row), textColor_, alpha));
                }
            });
        }
        penX += glyph.advance;
    }

    if (font.Request().underline) {
        const int start = x - origin_.x;
        const int first = baseline + font.UnderlineOffset() - font.UnderlineThickness() / 2;
        for (int row = first; row < first + font.UnderlineThickness(); ++row)
            clipped(row, start, start + width, [&](int a, int b) { surface_.FillSpan(row, a, b, textColor_); });
    }
}

void DeviceContext::TextOut(int x, int y, std::string_view text)
{
    DrawTextLine(x, y, text, nullptr);
}

namespace {

std::string StripPrefixes(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i; // "&x" shows x, "&&" shows one "&"
        out += text[i];
    }
    return out;
}

// Breaks one paragraph into lines no wider than width where it can.
std::vector<std::string> WrapParagraph(const Font& font, std::string_view paragraph, int width, bool breakWords)
{
    std::vector<std::string> lines;
    std::string line;
    int lineWidth = 0;
    size_t i = 0;
    auto flush = [&] {
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        lines.push_back(line);
        line.clear();
        lineWidth = 0;
    };
    while (i < paragraph.size()) {
        size_t end = i;
        while (end < paragraph.size() && paragraph[end] != ' ')
            ++end;
        while (end < paragraph.size() && paragraph[end] == ' ')
            ++end; // a word carries its trailing blanks
        const std::string_view word = paragraph.substr(i, end - i);
        size_t inkLength = word.size();
        while (inkLength > 0 && word[inkLength - 1] == ' ')
            --inkLength;
        const int inkWidth = font.Extent(word.substr(0, inkLength)).width;
        if (!line.empty() && lineWidth + inkWidth > width)
            flush();
        if (line.empty() && inkWidth > width && breakWords) {
            for (size_t k = 0; k < inkLength;) {
                const size_t start = k;
                const int advance = font.Advance(DecodeCharacter(word, k));
                if (!line.empty() && lineWidth + advance > width)
                    flush();
                line.append(word.substr(start, k - start));
                lineWidth += advance;
            }
            line.append(word.substr(inkLength));
            lineWidth += font.Extent(word.substr(inkLength)).width;
        } else {
            line.append(word);
            lineWidth += font.Extent(word).width;
        }
        i = end;
    }
    flush();
    return lines;
}

} // namespace

int DeviceContext::DrawText(IntRect& rect, std::string_view text, unsigned flags)
{
    const Font& font = *CurrentFont();
    const std::string shown = (flags & TextFlags::kNoPrefix) != 0 ? std::string(text) : StripPrefixes(text);

    std::vector<std::string> lines;
    if ((flags & TextFlags::kSingleLine) != 0) {
        lines.push_back(shown);
    } else {
        size_t start = 0;
        while (start <= shown.size()) {
            size_t end = shown.find_first_of("\r\n", start);
            const std::string_view paragraph =
                std::string_view(shown).substr(start, end == std::string::npos ? std::string::npos : end - start);
            if ((flags & TextFlags::kWordBreak) != 0) {
                for (std::string& line :
                     WrapParagraph(font, paragraph, rect.Width(), (flags & TextFlags::kEditControl) != 0))
                    lines.push_back(std::move(line));
            } else {
                lines.emplace_back(paragraph);
            }
            if (end == std::string::npos)
                break;
            if (shown[end] == '\r' && end + 1 < shown.size() && shown[end + 1] == '\n')
                ++end;
            start = end + 1;
        }
    }

    const int lineHeight = font.Metrics().height;
    const int height = lineHeight * static_cast<int>(lines.size());
    if ((flags & TextFlags::kCalcRect) != 0) {
        int widest = 0;
        for (const std::string& line : lines)
            widest = std::max(widest, font.Extent(line).width);
        rect.right = rect.left + widest;
        rect.bottom = rect.top + height;
        return height;
    }

    const IntRect clipDevice = rect.Offset(-origin_.x, -origin_.y);
    const IntRect* clip = (flags & TextFlags::kNoClip) != 0 ? nullptr : &clipDevice;
    int y = rect.top;
    if ((flags & TextFlags::kSingleLine) != 0 && (flags & TextFlags::kVerticalCenter) != 0)
        y = rect.top + (rect.Height() - lineHeight) / 2;
    for (const std::string& line : lines) {
        int x = rect.left;
        const int lineWidth = font.Extent(line).width;
        if ((flags & TextFlags::kCenter) != 0)
            x = rect.left + (rect.Width() - lineWidth) / 2;
        else if ((flags & TextFlags::kRight) != 0)
            x = rect.right - lineWidth;
        DrawTextLine(x, y, line, clip);
        y += lineHeight;
    }
    return height;
}

// ---- blits ----------------------------------------------------------------

void DeviceContext::BitBlt(int x, int y, int width, int height, const DeviceContext& source, int sx, int sy)
{
    int dx = x - origin_.x;
    int dy = y - origin_.y;
    int srcX = sx - source.origin_.x;
    int srcY = sy - source.origin_.y;
    // Keep the source rectangle inside the source surface.
    if (srcX < 0) {
        width += srcX;
        dx -= srcX;
        srcX = 0;
    }
    if (srcY < 0) {
        height += srcY;
        dy -= srcY;
        srcY = 0;
    }
    width = std::min(width, source.surface_.Width() - srcX);
    height = std::min(height, source.surface_.Height() - srcY);
    if (width <= 0 || height <= 0)
        return;
    // Rows the clip leaves out are not visited.
    const IntRect clip = EffectiveClip().Bounds();
    const int firstRow = std::max(0, clip.top - dy);
    const int endRow = std::min(height, clip.bottom - dy);
    if (firstRow >= endRow)
        return;
    const Surface& from = source.surface_;
    const bool fast = from.Layout() == PixelLayout::Xrgb32 && surface_.Layout() == PixelLayout::Xrgb32;
    // Pictures kept at 24 bits are widened span by span (never the same surface).
    const bool widen = from.Layout() == PixelLayout::Bgr24 && surface_.Layout() == PixelLayout::Xrgb32;
    // Within one surface, copy rows in the order that reads each before it is overwritten.
    const bool upward = dy > srcY;
    std::vector<Rgb> line(fast || widen ? 0 : static_cast<size_t>(width));
    for (int i = firstRow; i < endRow; ++i) {
        const int row = upward ? endRow - 1 - (i - firstRow) : i;
        const int ty = dy + row;
        const int fy = srcY + row;
        if (!fast && !widen)
            for (int px = 0; px < width; ++px)
                line[static_cast<size_t>(px)] = from.Get(srcX + px, fy);
        ForEachClippedSpan(ty, dx, dx + width, [&](int a, int b) {
            if (fast) {
                std::memmove(surface_.Row32(ty) + a, from.Row32(fy) + (srcX + a - dx), static_cast<size_t>(b - a) * 4);
                return;
            }
            if (widen) {
                from.ReadBgr24(fy, srcX + a - dx, b - a, surface_.Row32(ty) + a);
                return;
            }
            for (int px = a; px < b; ++px)
                surface_.Set(px, ty, line[static_cast<size_t>(px - dx)]);
        });
    }
}

} // namespace platform
