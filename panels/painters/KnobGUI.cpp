#include "panels/painters/KnobGUI.h"

#include "framework/drawing/Canvas.h"
#include "framework/images/ImageCache.h"
#include "framework/views/View.h"
#include "framework/windows/ABCWindow.h"
#include "panels/painters/PictureKeys.h"

#include <algorithm>
#include <cmath>
#include <optional>

using NSHarrowen::CBitmap32;
using NSHarrowen::CPixelLock;
using NSHarrowen::CRect;

namespace {

constexpr int kPointerFrame = 29;
constexpr uint8_t kGrey = 0xBF;

struct Pixel {
    int b = 0;
    int g = 0;
    int r = 0;
};

const Pixel kWhite{255, 255, 255};

// Reads 32-bit pixels (blue, green, red, unused) of a locked bitmap, or
// black where the bitmap or the point is missing.
class CStrip {
public:
    explicit CStrip(NSHarrowen::CABCBitmap* bitmap) : bitmap_(bitmap)
    {
        if (bitmap_ != nullptr && bitmap_->GetDepth() == 32) {
            lock_.emplace(*bitmap_);
        }
    }
    Pixel At(int x, int y) const
    {
        if (!lock_ || x < 0 || y < 0 || x >= bitmap_->GetWidth() || y >= bitmap_->GetHeight()) {
            return {};
        }
        const uint8_t* p = lock_->Row(y) + x * 4;
        return {p[0], p[1], p[2]};
    }

private:
    NSHarrowen::CABCBitmap* bitmap_;
    std::optional<CPixelLock> lock_;
};

uint8_t Channel(double value)
{
    return static_cast<uint8_t>(std::clamp(static_cast<int>(std::trunc(value)), 0, 255));
}

// The tint of the morph sector over the body, by group.
Pixel Tint(uint8_t group, const Pixel& body, const Pixel& sector, int pointer)
{
    switch (group) {
    case 0:
        return {Channel(body.b - 0.25 * sector.b - 0.45 * pointer), Channel(body.g - 0.25 * sector.g - 0.45 * pointer),
                Channel(body.r + 0.15 * sector.r - 0.45 * pointer)};
    case 1:
        return {Channel(body.b - 0.65 * sector.b - 0.45 * pointer), Channel(body.g - 0.10 * sector.g - 0.45 * pointer),
                Channel(body.r - 0.65 * sector.r - 0.45 * pointer)};
    case 2:
        return {Channel(body.b + 0.15 * sector.b - 0.45 * pointer), Channel(body.g - 0.25 * sector.g - 0.45 * pointer),
                Channel(body.r - 0.25 * sector.r - 0.45 * pointer)};
    default:
        return {0, Channel(body.g + 0.10 * sector.g - 0.55 * pointer),
                Channel(body.r + 0.15 * sector.r - 0.55 * pointer)};
    }
}

} // namespace

CABCKnobGUI::CABCKnobGUI(const NSHarrowen::CView& owner) : owner_(owner) { }

void CABCKnobGUI::SetPosition(int32_t position)
{
    position_ = std::clamp(position, 0, kPositions - 1);
}

void CABCKnobGUI::SetMorphStart(int32_t position)
{
    const int32_t clamped = std::clamp(position, 0, kPositions - 1);
    if (clamped != morphStart_) {
        morphStart_ = clamped;
        UpdateArcKind();
    }
}

void CABCKnobGUI::SetMorphEnd(int32_t position)
{
    const int32_t clamped = std::clamp(position, 0, kPositions - 1);
    if (clamped != morphEnd_) {
        morphEnd_ = clamped;
        UpdateArcKind();
    }
}

void CABCKnobGUI::UpdateArcKind()
{
    const bool startLeft = morphStart_ < 32;
    const bool endLeft = morphEnd_ < 32;
    if (startLeft && endLeft) {
        arcKind_ = morphStart_ <= morphEnd_ ? 0 : 1;
    } else if (!startLeft && !endLeft) {
        arcKind_ = morphStart_ <= morphEnd_ ? 3 : 2;
    } else {
        arcKind_ = startLeft ? 4 : 5;
    }
}

CRoundKnobGUI::CRoundKnobGUI(const NSHarrowen::CView& owner, const KnobGeometry& geometry)
    : CABCKnobGUI(owner), geometry_(geometry)
{ }

void CRoundKnobGUI::Compose()
{
    const KnobGeometry& g = geometry_;
    const CStrip pointers(NSHarrowen::GetImage(StripPicture(kPointerStrip)));
    const CStrip bodies(NSHarrowen::GetImage(StripPicture(g.bodyStrip)));
    const uint8_t group = GetMorphGroup();
    const bool grouped = group < kNoGroup;
    const int bodyFrame = grouped ? group + 2 : 1;
    const uint8_t kind = GetArcKind();
    auto line = [&](int position, int x, int y) {
        return pointers.At(position * kPointerFrame + g.pointerOffset + x, g.pointerOffset + y);
    };

    CPixelLock out(*scratch_);
    for (int y = 0; y < g.scratchHeight; ++y) {
        uint8_t* row = out.Row(y);
        for (int x = 0; x < g.scratchWidth; ++x) {
            row[x * 4] = row[x * 4 + 1] = row[x * 4 + 2] = kGrey;
            row[x * 4 + 3] = 0;
        }
    }
    for (int x = 0; x < g.size; ++x) {
        bool inside = false;
        int largestOpen = 0;
        int largestClose = 0;
        // Which line opens the sector in this column, and which closes it.
        int opening = -1;
        int closing = -1;
        bool strictOpen = false;
        if ((kind == 0 || kind == 1) && x < g.leftColumns) {
            opening = kind == 0 ? GetMorphStart() : GetMorphEnd();
            closing = kind == 0 ? GetMorphEnd() : GetMorphStart();
        } else if ((kind == 2 || kind == 3) && x > g.rightColumns) {
            opening = kind == 2 ? GetMorphStart() : GetMorphEnd();
            closing = kind == 2 ? GetMorphEnd() : GetMorphStart();
        } else if (kind == 4) {
            opening = x < g.splitColumn ? GetMorphStart() : GetMorphEnd();
            strictOpen = x >= g.splitColumn;
        } else if (kind == 5) {
            opening = x < g.splitColumn ? GetMorphEnd() : GetMorphStart();
        }
        for (int y = g.size - 1; y >= 0; --y) {
            const Pixel mask = bodies.At(x, y);
            const Pixel body = bodies.At(bodyFrame * g.size + x, y);
            const int pointer = line(GetPosition(), x, y).r;
            Pixel sector;
            if (grouped && opening >= 0) {
                const Pixel open = line(opening, x, y);
                if (open.r > 0) {
                    if (strictOpen ? open.r > largestOpen : open.r >= largestOpen) {
                        sector = open;
                        largestOpen = open.r;
                    } else {
                        sector = kWhite;
                    }
                    inside = true;
                } else if (inside) {
                    sector = kWhite;
                }
                if (closing >= 0) {
                    const Pixel close = line(closing, x, y);
                    const bool wins = kind <= 1 ? close.r > largestClose : close.r >= largestClose;
                    if (close.r > 0) {
                        if (wins) {
                            sector = kWhite;
                            largestClose = close.r;
                        } else {
                            sector = close;
                        }
                        inside = false;
                    }
                }
            }
            Pixel result = body;
            if (mask.g != 0) {
                result = {kGrey, kGrey, kGrey};
            } else if (mask.b != 0) {
                result = body;
            } else if (!grouped) {
                if (pointer > 0) {
                    result = {Channel(body.b - 0.45 * pointer), Channel(body.g - 0.45 * pointer),
                              Channel(body.r - 0.45 * pointer)};
                }
            } else if (sector.r != 0) {
                result = Tint(group, body, sector, pointer);
            }
            uint8_t* p = out.Row(y) + (x + g.bodyX) * 4;
            p[0] = static_cast<uint8_t>(result.b);
            p[1] = static_cast<uint8_t>(result.g);
            p[2] = static_cast<uint8_t>(result.r);
        }
    }
}

void CRoundKnobGUI::DrawMarker()
{
    const KnobGeometry& g = geometry_;
    int part = -1;
    if (GetStateByte()) {
        if (GetAuxValue() >= 0 && GetAuxValue() <= 2) {
            part = GetAuxValue() + 1;
        }
    } else if (IsFocused()) {
        part = 0;
    }
    if (part < 0) {
        return;
    }
    scratch_->DrawImagePart(0, g.markerY, JpegPicture(g.markerPicture), part * g.markerStep, 0, g.markerWidth,
                            g.markerHeight);
}

CRoundKnobGUI::Face CRoundKnobGUI::CurrentFace() const
{
    return Face{GetPosition(), GetMorphStart(), GetMorphEnd(),  GetMorphGroup(),
                GetArcKind(),  GetAuxValue(),   GetStateByte(), IsFocused()};
}

void CRoundKnobGUI::Draw(const CRect& frame)
{
    NSHarrowen::CABCWindow* window = GetOwner().GetWindow();
    if (window == nullptr || frame.Width() <= 0 || frame.Height() <= 0) {
        return;
    }
    const Face face = CurrentFace();
    // The face's pixels are made when the knob is first drawn: a patch's
    // panels are built long before most of their knobs show.
    if (!scratch_ || face != composed_) {
        if (!scratch_) {
            scratch_ = std::make_unique<CBitmap32>(geometry_.scratchWidth, geometry_.scratchHeight);
        }
        Compose();
        DrawMarker();
        composed_ = face;
    }
    const bool marked = GetStateByte() || IsFocused();
    NSHarrowen::CCanvas canvas(window);
    canvas.DrawBitmapPart(frame.left, frame.top, *scratch_, 0, 0,
                          marked ? geometry_.scratchWidth : geometry_.plainWidth,
                          marked ? geometry_.scratchHeight : geometry_.plainHeight);
}
