#include "panels/cables/SegmentRaster.h"

#include "panels/cables/CableShades.h"
#include "panels/cables/PixelTarget.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

using NSHarrowen::CRect;

SegmentClass ClassifySegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const int32_t dx = x1 - x2;
    const int32_t dy = y1 - y2;
    if (std::abs(dx) < std::abs(dy)) {
        return {dx * dy < 1 ? SegmentKind::Kind1And7 : SegmentKind::Kind5And11, static_cast<uint8_t>(y1 < y2 ? 3 : 4)};
    }
    return {dx * dy >= 0 ? SegmentKind::Kind4And10 : SegmentKind::Kind2And8, static_cast<uint8_t>(x1 < x2 ? 1 : 2)};
}

CSegmentRaster::CSegmentRaster(int32_t x1, int32_t y1, int32_t x2, int32_t y2, float width)
    : class_(ClassifySegment(x1, y1, x2, y2)), width_(width)
{
    const bool steep = class_.IsSteep();
    majorA_ = steep ? y1 : x1;
    minorA_ = steep ? x1 : y1;
    majorB_ = steep ? y2 : x2;
    minorB_ = steep ? x2 : y2;
    if (majorB_ < majorA_) {
        std::swap(majorA_, majorB_);
        std::swap(minorA_, minorB_);
    }
    if (majorB_ == majorA_) {
        // Both ends coincide: nothing is drawn and no area is covered.
        return;
    }
    const int32_t edge = static_cast<int32_t>(std::ceil(GetHalfRun() - 0.5F));
    const int32_t minorLow = std::min(minorA_, minorB_) - edge - 1;
    const int32_t minorHigh = std::max(minorA_, minorB_) + edge + 2;
    rect_ = steep ? CRect(minorLow, majorA_ - 1, minorHigh, majorB_ + 2)
                  : CRect(majorA_ - 1, minorLow, majorB_ + 2, minorHigh);
}

float CSegmentRaster::GetSlope() const
{
    return static_cast<float>(minorB_ - minorA_) / static_cast<float>(majorB_ - majorA_);
}

float CSegmentRaster::GetHalfRun() const
{
    if (majorB_ == majorA_) {
        return 0.0F;
    }
    const float slope = GetSlope();
    return width_ / 2.0F * std::sqrt(slope * slope + 1.0F);
}

float CSegmentRaster::GetSlopeAngle() const
{
    return majorB_ == majorA_ ? 0.0F : std::atan(GetSlope());
}

void CSegmentRaster::Draw(const CRect& update, CPixelTarget& target, const Shading& shading) const
{
    CRect clip = update;
    if (rect_.IsEmpty() || !clip.Intersect(target.GetClip()) || !clip.Intersects(rect_)) {
        return;
    }
    const bool steep = class_.IsSteep();
    const int32_t clipMajorLow = steep ? clip.top : clip.left;
    const int32_t clipMajorHigh = steep ? clip.bottom : clip.right;
    const int32_t clipMinorLow = steep ? clip.left : clip.top;
    const int32_t clipMinorHigh = steep ? clip.right : clip.bottom;
    const float slope = GetSlope();
    const float halfRun = GetHalfRun();
    const int32_t first = std::max<int32_t>(majorA_, clipMajorLow);
    const int32_t last = std::min<int32_t>(majorB_, clipMajorHigh - 1);
    for (int32_t major = first; major <= last; ++major) {
        const float centre = static_cast<float>(minorA_) + slope * static_cast<float>(major - majorA_) + 0.5F;
        const float upper = centre - halfRun;
        const float lower = centre + halfRun;
        const int32_t rowFirst = std::max(static_cast<int32_t>(std::floor(upper)), clipMinorLow);
        const int32_t rowLast = std::min(static_cast<int32_t>(std::ceil(lower)) - 1, clipMinorHigh - 1);
        for (int32_t row = rowFirst; row <= rowLast; ++row) {
            const float rowTop = static_cast<float>(row);
            const float coverage = std::min(rowTop + 1.0F, lower) - std::max(rowTop, upper);
            const int32_t index =
                shading.start + static_cast<int32_t>((rowTop + 0.5F - upper) * static_cast<float>(shading.step));
            const uint32_t pixel = shading.pixels[std::clamp(index, 0, cableshades::kRampLength - 1)];
            const int32_t x = steep ? row : major;
            const int32_t y = steep ? major : row;
            if (coverage >= 0.999F) {
                target.Put(x, y, pixel);
            } else if (coverage > 0.0F) {
                const auto keep = static_cast<uint32_t>(std::lround(255.0F * (1.0F - coverage)));
                target.Blend(x, y, pixel, std::min<uint32_t>(keep, 255));
            }
        }
    }
}
