#pragma once

#include "panels/items/PnlControl.h"
#include "panels/painters/ButtonGUI.h"

// An on/off button: a press toggles the value (the second press of a double
// click toggles it again); with Control it sets the morph amount to the
// other state, after assigning a morph group where the parameter has none.
class CPnlButtonABC : public CPnlControl {
public:
    CPnlButtonABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width);
    ~CPnlButtonABC() override;

    bool OnMouseDown(int16_t x, int16_t y) override;
    bool OnDoubleClick(int16_t x, int16_t y) override;
    void MouseUp() override;
    void Draw() override;
    void UpdateDisplay() override;

protected:
    // The painter is a member of the derived button (thousands of buttons
    // are built with a large patch: no allocation nor pointer of its own).
    virtual CABCButtonGUI& Painter() = 0;

private:
    void Toggle();
};

class CPnlCheckButton final : public CPnlButtonABC {
public:
    CPnlCheckButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width, const char* caption);

protected:
    CABCButtonGUI& Painter() override { return painter_; }

private:
    CTextButtonGUI painter_;
};

class CPnlCheckBitmapButton final : public CPnlButtonABC {
public:
    CPnlCheckBitmapButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width, uint16_t picture);

protected:
    CABCButtonGUI& Painter() override { return painter_; }

private:
    CBitmapButtonGUI painter_;
};
