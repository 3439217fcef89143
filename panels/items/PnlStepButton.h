#pragma once

#include "panels/items/PnlControl.h"

#include <memory>

class CIncDecButtonGUIABC;

// A small stepper: a press on one half steps the value once, again after
// 400 ms and then every 70 ms while held; with Control it steps the morph
// amount. The up/down stepper's lower half and the left/right stepper's
// left half step down.
class CPnlStepButtonABC : public CPnlControl {
public:
    CPnlStepButtonABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width, int16_t height);
    ~CPnlStepButtonABC() override;

    bool OnMouseDown(int16_t x, int16_t y) override;
    bool OnDoubleClick(int16_t x, int16_t y) override;
    void MouseUp() override;
    void HandleBroadcast() override;
    void EndMouseTracking() override;
    void Draw() override;
    void UpdateDisplay() override;

    const CIncDecButtonGUIABC& GetPainter() const { return *painter_; }

protected:
    // True when the window point lies on the decrementing half.
    virtual bool IsDecrementHalf(int16_t x, int16_t y) const = 0;
    void SetPainter(std::unique_ptr<CIncDecButtonGUIABC> painter);

private:
    void PressArrow(int16_t x, int16_t y);

    std::unique_ptr<CIncDecButtonGUIABC> painter_;
    uint8_t arrowHighlight_ = 0;
};

class CPnlUpDownButton final : public CPnlStepButtonABC {
public:
    CPnlUpDownButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    bool IsDecrementHalf(int16_t x, int16_t y) const override;
};

class CPnlLeftRightButton final : public CPnlStepButtonABC {
public:
    CPnlLeftRightButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    bool IsDecrementHalf(int16_t x, int16_t y) const override;
};
