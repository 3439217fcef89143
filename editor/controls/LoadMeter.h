#pragma once

#include "framework/controls/ControlView.h"

#include <cstdint>
#include <string>

// A DSP load meter, 50 x 17: a label band on dark blue over a bar that is
// green up to the load (red when overloaded) and black beyond it. Its owner
// caps the load at 100 per cent.
class CLoadMeter final : public NSHarrowen::CControlView {
public:
    static constexpr int16_t kWidth = 50;
    static constexpr int16_t kHeight = 17;

    CLoadMeter(NSHarrowen::CGroupView* parent, const std::string& tooltip);

    void SetLoad(uint8_t percent);
    void SetOverload(uint8_t overload);
    void SetLabel(const std::string& label);
    uint8_t GetLoad() const { return load_; }
    const std::string& GetLabel() const { return label_; }

    void Draw() override;
    void UpdateDisplay() override;

private:
    bool changed_ = true;
    uint8_t load_ = 0;
    uint8_t overload_ = 0;
    std::string label_;
};
