#pragma once

#include "panels/items/PnlControl.h"

#include <cstdint>
#include <memory>

class CABCKnobGUI;

// The base of the round knobs and the vertical slider. A press is sorted
// into a hit region of the item: the body drags, the two arrow strips step
// with auto-repeat, and the indicator knob's centre mark resets the value
// to the middle. With Control held the gestures edit the morph amount.
// The region chosen at the press governs every later event of that press.
class CPnlKnobSliderABC : public CPnlControl {
public:
    CPnlKnobSliderABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width, int16_t height);
    ~CPnlKnobSliderABC() override;

    // One step of the running drag, at every periodic tick.
    virtual void Drag() = 0;
    // The region under a point relative to the frame's top-left corner.
    virtual uint8_t HitRegion(int16_t x, int16_t y) const = 0;

    bool OnMouseDown(int16_t x, int16_t y) override;
    bool OnDoubleClick(int16_t x, int16_t y) override;
    void MouseUp() override;
    void HandleBroadcast() override;
    void EndMouseTracking() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Draw() override;
    void UpdateDisplay() override;

    CABCKnobGUI& GetPainter() const { return *painter_; }

protected:
    void SetPainter(std::unique_ptr<CABCKnobGUI> painter);
    // The press of a region; false for none.
    bool PressRegion(uint8_t region);
    // Repaints when anything the painter shows changed (force: always).
    void RefreshPainter(bool force);

private:
    int8_t shownMorph_ = 0;
    uint8_t shownValue_ = 0;
    int32_t arrowHighlight_ = 0;
    std::unique_ptr<CABCKnobGUI> painter_;
};
