#pragma once

#include "platform/graphics/DrawingObjects.h"
#include "platform/graphics/Font.h"
#include "platform/base/GraphicsTypes.h"
#include "platform/graphics/Region.h"
#include "platform/graphics/Surface.h"

#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

enum class RasterOp { CopyPen, Not };
enum class BackgroundMode { Transparent = 1, Opaque = 2 };

// Flags of DeviceContext::DrawText.
namespace TextFlags {
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kVerticalCenter = 0x4; // single-line text only
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kSingleLine = 0x20;
inline constexpr unsigned kNoClip = 0x100;
inline constexpr unsigned kCalcRect = 0x400;     // measure only: the rectangle's bottom (and right) are set
inline constexpr unsigned kNoPrefix = 0x800;     // "&" is an ordinary character
inline constexpr unsigned kEditControl = 0x2000; // words wider than the rectangle break between characters
} // namespace TextFlags

// Draws into a Surface: a window's PixelBuffer, an off-screen bitmap or the
// screen. Drawing takes logical coordinates; the window origin is the logical
// point that lands on the surface's top-left pixel. Everything drawn is
// clipped to the surface, to the system clip (set by the window layer: the
// part of a window being painted) and to the selected clip; both clips are in
// surface (device) coordinates. Lines follow the usual end-point rule: a line
// from a to b paints a and not b.
class DeviceContext {
public:
    explicit DeviceContext(PixelBuffer& buffer) : DeviceContext(Surface(buffer)) { }
    explicit DeviceContext(Bitmap& bitmap) : DeviceContext(Surface(bitmap)) { }
    explicit DeviceContext(const Surface& surface);

    const Surface& GetSurface() const { return surface_; }
    Surface& GetSurface() { return surface_; }
    int Depth() const { return BitsPerPixel(surface_.Layout()); }

    void SetWindowOrigin(IntPoint origin) { origin_ = origin; }
    IntPoint WindowOrigin() const { return origin_; }

    void SetSystemClip(std::optional<Region> region);
    // A copy of the region is selected; null removes the selected clip.
    void SelectClip(const Region* region);
    // Everything drawing may touch, in device coordinates.
    const Region& EffectiveClip() const;
    // The bounds of the effective clip in logical coordinates.

    // Each Select returns the object selected before.
    std::shared_ptr<const Pen> SelectPen(std::shared_ptr<const Pen> pen);
    std::shared_ptr<const Brush> SelectBrush(std::shared_ptr<const Brush> brush);
    std::shared_ptr<const Font> SelectFont(std::shared_ptr<const Font> font);
    const std::shared_ptr<const Pen>& CurrentPen() const { return pen_; }
    const std::shared_ptr<const Brush>& CurrentBrush() const { return brush_; }
    const std::shared_ptr<const Font>& CurrentFont() const;

    Rgb SetTextColor(Rgb color);
    Rgb TextColor() const { return textColor_; }
    Rgb SetBackgroundColor(Rgb color);
    Rgb BackgroundColor() const { return backgroundColor_; }
    BackgroundMode SetBackgroundMode(BackgroundMode mode);
    BackgroundMode GetBackgroundMode() const { return backgroundMode_; }
    RasterOp SetRasterOp(RasterOp op);

    // Fills with the given brush; right and bottom edges are not painted.
    void FillRect(const IntRect& rect, const Brush& brush);
    void FillRect(const IntRect& rect) { FillRect(rect, *brush_); }
    // A one-pixel checker: pixels whose logical x + y is even take the first
    // colour, the others the second; right and bottom edges are not painted.
    void FillChecker(const IntRect& rect, Rgb even, Rgb odd);
    void MoveTo(int x, int y) { position_ = {x, y}; }
    // From the current position up to, not including, (x, y) with the pen and the raster operation.
    void LineTo(int x, int y);
    // Lines from point to point; each segment leaves out its end point.
    void Polyline(std::span<const IntPoint> points);
    void SetPixel(int x, int y, Rgb color);
    std::optional<Rgb> GetPixel(int x, int y) const;

    // Text with its cell's top-left corner at (x, y).
    void TextOut(int x, int y, std::string_view text);
    // Text laid out in the rectangle; returns the height of the text. With
    // kCalcRect nothing is drawn and the rectangle is set to the text's size.
    int DrawText(IntRect& rect, std::string_view text, unsigned flags);
    TextExtent GetTextExtent(std::string_view text) const;
    const TextMetrics& GetTextMetrics() const;

    // Copies width x height pixels from the source's logical (sx, sy) to this
    // context's logical (x, y), converting between layouts. Parts of the
    // source outside its surface are not copied.
    void BitBlt(int x, int y, int width, int height, const DeviceContext& source, int sx, int sy);

private:
    template <typename F> void ForEachClippedSpan(int y, int x0, int x1, F&& visit) const;
    void PlotDevice(int x, int y, Rgb color);
    void DrawSegment(int x0, int y0, int x1, int y1);
    void SpanDevice(int y, int x0, int x1, Rgb color);
    void DrawTextLine(int x, int y, std::string_view text, const IntRect* clipDevice);
    void RecomputeClip() const;

    Surface surface_;
    IntPoint origin_;
    IntPoint position_;
    std::optional<Region> systemClip_;
    std::optional<Region> selectedClip_;
    mutable Region effectiveClip_;
    mutable IntRect clipForBounds_{-1, -1, -1, -1}; // surface bounds the clip was computed for
    std::shared_ptr<const Pen> pen_;
    std::shared_ptr<const Brush> brush_;
    mutable std::shared_ptr<const Font> font_;
    Rgb textColor_ = 0;
    Rgb backgroundColor_ = 0xFFFFFF;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    RasterOp rasterOp_ = RasterOp::CopyPen;
};

} // namespace platform
