#include "panels/items/PnlVUMeterABC.h"

#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"
#include "panels/items/DragState.h"
#include "panels/painters/PictureKeys.h"
#include "panels/panel/Module.h"

namespace {

constexpr int kDarkLevelRow = 24;
constexpr int kLitLevelRow = 30;
constexpr int kDarkGainRow = 12;
constexpr int kLitGainRow = 18;
constexpr int kLampX = 93;
constexpr int kLampWidth = 7;

void Part(NSHarrowen::CCanvas& canvas, int x, int y, int sourceX, int sourceY, int width)
{
    if (width > 0) {
        canvas.DrawImagePart(x, y, JpegPicture(CPnlVUMeterABC::kStrip), sourceX, sourceY, width,
                             CPnlVUMeterABC::kHeight);
    }
}

} // namespace

CPnlVUMeterABC::CPnlVUMeterABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlCustom(parent, x, y, 1)
{
    SetItemSize(kWidth, kHeight);
    if (auto* module = dynamic_cast<CModule*>(parent)) {
        module->AddDisplayItem(CModule::kMeterDisplayWeight);
    }
}

void CPnlVUMeterABC::SetLevel(int16_t level)
{
    if (level != level_) {
        level_ = level;
        changed_ = true;
        InvalidateFrame();
    }
    if (level >= CPnlClipVUMeter::kFullScale) {
        SetClip(true);
    }
}

void CPnlClipVUMeter::SetClip(bool clip)
{
    if (!clip) {
        return;
    }
    clipTime_ = NowMs32();
    if (!clip_) {
        clip_ = true;
        InvalidateFrame();
    }
}

void CPnlClipVUMeter::HandleBroadcast()
{
    if (clip_ && TimeHasPassed(NowMs32(), clipTime_ + kClipHoldMs) && GetLevel() < kFullScale) {
        clip_ = false;
        InvalidateFrame();
    }
}

void CPnlClipVUMeter::Draw()
{
    PaintBar([this](NSHarrowen::CCanvas& canvas, int l, int t) {
        // Full scale or above lights the whole bar.
        const int w = GetLevel() >= kFullScale ? kBarWidth : std::max<int>(GetLevel(), 0) * kBarWidth / kFullScale;
        Part(canvas, l, t, 0, kLitLevelRow, w);
        Part(canvas, l + w, t, w, kDarkLevelRow, kBarWidth - w);
        Part(canvas, l + kLampX, t, kLampX, clip_ ? kLitLevelRow : kDarkLevelRow, kLampWidth);
    });
}

void CPnlGainMeterABC::Draw()
{
    PaintBar([this](NSHarrowen::CCanvas& canvas, int l, int t) {
        // Filling from the right.
        const int w = GetLevel() >= kFullScale ? kWidth : std::max<int>(GetLevel(), 0) * kWidth / kFullScale;
        Part(canvas, l, t, 0, kDarkGainRow, kWidth - w);
        Part(canvas, l + kWidth - w, t, kWidth - w, kLitGainRow, w);
    });
}
