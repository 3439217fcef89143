#pragma once

#include "panels/items/PnlControl.h"

#include <memory>
#include <string>

class CABCRadioButtonGUI;

// A row or column of buttons choosing one of a parameter's values. A press
// chooses the button under it (nothing is sent when it is chosen already);
// with Control it sets the morph amount that takes the parameter to that
// button, after assigning a morph group where the parameter has none.
class CPnlRadioButtonABC : public CPnlControl {
public:
    CPnlRadioButtonABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
    ~CPnlRadioButtonABC() override;

    // The value of the button under a window point.
    virtual uint8_t ButtonAt(int16_t x, int16_t y) const = 0;

    bool OnMouseDown(int16_t x, int16_t y) override;
    bool OnDoubleClick(int16_t x, int16_t y) override;
    void MouseUp() override;
    void Draw() override;
    void UpdateDisplay() override;

    const CABCRadioButtonGUI& GetPainter() const { return *painter_; }

protected:
    // The frame takes the painter's size.
    void SetPainter(std::unique_ptr<CABCRadioButtonGUI> painter);

private:
    void Choose(int16_t x, int16_t y);

    std::unique_ptr<CABCRadioButtonGUI> painter_;
    int8_t shownMorph_ = 0;
};

// Buttons stacked 14 pixels apart, the top one the highest value.
class CPnlVerticalRadioButtonABC : public CPnlRadioButtonABC {
public:
    using CPnlRadioButtonABC::CPnlRadioButtonABC;
    uint8_t ButtonAt(int16_t x, int16_t y) const override;
};

// Buttons side by side, the left one value 0.
class CPnlHorizontalRadioButtonABC : public CPnlRadioButtonABC {
public:
    using CPnlRadioButtonABC::CPnlRadioButtonABC;
    uint8_t ButtonAt(int16_t x, int16_t y) const override;
};

class CPnlVerticalRadioButton final : public CPnlVerticalRadioButtonABC {
public:
    CPnlVerticalRadioButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t count, int16_t size,
                            const std::string& options);
};

class CPnlVerticalBitmapRadioButton final : public CPnlVerticalRadioButtonABC {
public:
    CPnlVerticalBitmapRadioButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t count, int16_t size,
                                  uint16_t picture);
};

class CPnlHorizontalRadioButton final : public CPnlHorizontalRadioButtonABC {
public:
    CPnlHorizontalRadioButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t count, int16_t size,
                              const std::string& options);
};

class CPnlHorizontalBitmapRadioButton final : public CPnlHorizontalRadioButtonABC {
public:
    CPnlHorizontalBitmapRadioButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t count, int16_t size,
                                    uint16_t picture);
};
