#pragma once

#include "panels/items/PnlKnobSliderABC.h"

// The round knobs. The body follows the mouse around the knob (circular
// mode: the pointer is first put on the arc at the current value) or along
// a straight line (horizontal and vertical modes), as the preference says.
class CPnlKnobABC : public CPnlKnobSliderABC {
public:
    struct Shape {
        int16_t width;
        int16_t height;
        int16_t centreX; // the knob's centre in the frame
        int16_t centreY;
        int16_t radius;
        int16_t bodyBottom;     // rows below this are the arrows
        int16_t decrementRight; // the decrement arrow's columns lie below this
    };

    CPnlKnobABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, const Shape& shape);

    NSHarrowen::CPoint GetKnobCenter() const { return NSHarrowen::CPoint(shape_.centreX, shape_.centreY); }
    int16_t GetKnobRadius() const { return shape_.radius; }

    bool OnMouseDown(int16_t x, int16_t y) override;
    bool OnDoubleClick(int16_t x, int16_t y) override;
    void Drag() override;
    uint8_t HitRegion(int16_t x, int16_t y) const override;

    static constexpr double kPi = 3.141592653;

protected:
private:
    // Circular mode: puts the pointer on the arc at fraction f of the range
    // and starts the drag from there.
    void PlacePointer(double fraction);
    void AfterPress(bool morphWhenAllowed);
    void CircularDrag();

    const Shape& shape_;
};
