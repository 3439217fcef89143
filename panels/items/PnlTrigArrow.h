#pragma once

#include "panels/items/PnlCustom.h"

// A small arrow that shows a trigger mode: drawn (JPEG 315) while its
// parameter is not 0.
class CPnlTrigArrow final : public CPnlCustom {
public:
    static constexpr uint16_t kArrow = 315;

    CPnlTrigArrow(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
    void UpdateDisplay() override;
    void Draw() override;
    bool IsShown() const { return value_ != 0; }

private:
    uint8_t value_ = 0;
};
