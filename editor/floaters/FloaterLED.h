#pragma once

#include "framework/controls/ControlView.h"

#include <cstdint>

// The knob floater's small lamp beside a knob: lit while the knob is
// assigned.
class CFloaterLED final : public NSHarrowen::CControlView {
public:
    static constexpr uint32_t kLitPicture = 212;
    static constexpr uint32_t kUnlitPicture = 217;
    static constexpr int16_t kSize = 7;

    CFloaterLED(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

    void SetLit(bool lit);
    bool IsLit() const { return lit_; }
    void Draw() override;

private:
    bool lit_ = false;
};
