#pragma once

#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"
#include "panels/items/PnlCustom.h"

#include <cstdint>

// A 100 x 5 level bar of a value the synthesizer reports, cut from the
// meter strip (JPEG 265).
class CPnlVUMeterABC : public CPnlCustom {
public:
    static constexpr uint16_t kStrip = 265;
    static constexpr int16_t kWidth = 100;
    static constexpr int16_t kHeight = 5;

    CPnlVUMeterABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

    // Repaints when the level changed; a level of 127 or more also clips.
    void SetLevel(int16_t level);
    int16_t GetLevel() const { return level_; }
    virtual void SetClip(bool) { }

protected:
    // Paints on the window with the frame's top-left corner, if shown.
    template <typename Paint> void PaintBar(Paint&& paint)
    {
        if (NSHarrowen::CABCWindow* window = GetWindow()) {
            NSHarrowen::CCanvas canvas(window);
            paint(canvas, GetFrame().left, GetFrame().top);
            changed_ = false;
        }
    }

    bool changed_ = false;

private:
    int16_t level_ = 0;
};

// The level bar with a clip lamp that stays lit 700 ms after the last
// full-scale level.
class CPnlClipVUMeter final : public CPnlVUMeterABC {
public:
    static constexpr int16_t kFullScale = 127;
    static constexpr int16_t kBarWidth = 92;
    static constexpr uint32_t kClipHoldMs = 700;

    using CPnlVUMeterABC::CPnlVUMeterABC;
    void SetClip(bool clip) override;
    bool IsClipLit() const { return clip_; }
    void HandleBroadcast() override;
    void Draw() override;

private:
    bool clip_ = false;
    uint32_t clipTime_ = 0;
};

// A gain-reduction bar filling from the right. The synthesizer reports
// gain levels from 0 to 819.
class CPnlGainMeterABC : public CPnlVUMeterABC {
public:
    static constexpr int16_t kFullScale = 819;

    using CPnlVUMeterABC::CPnlVUMeterABC;
    void Draw() override;
};

class CPnlCompMeter final : public CPnlGainMeterABC {
public:
    using CPnlGainMeterABC::CPnlGainMeterABC;
};

class CPnlExpanderMeter final : public CPnlGainMeterABC {
public:
    using CPnlGainMeterABC::CPnlGainMeterABC;
};
