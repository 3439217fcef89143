#include "panels/items/PnlDrumPresetSelector.h"

#include "panels/widgets/IncDecButton.h"
#include "panels/widgets/TextView.h"

#include <algorithm>

const std::array<CPnlDrumPresetSelector::Preset, CPnlDrumPresetSelector::kPresetCount>&
CPnlDrumPresetSelector::Presets()
{
    static const std::array<Preset, kPresetCount> presets = {{
        {"Kick 1", {42, 15, 67, 71, 120, 102, 57, 32, 39, 70, 1, 68, 82, 79, 115}},
        {"Kick 2", {43, 26, 76, 74, 105, 94, 63, 18, 78, 55, 1, 76, 65, 25, 123}},
        {"Kick 3", {31, 71, 66, 54, 127, 0, 90, 24, 71, 41, 0, 84, 63, 81, 112}},
        {"Kick 4", {32, 61, 79, 63, 113, 110, 90, 0, 0, 41, 1, 37, 76, 90, 127}},
        {"Kick 5", {36, 39, 71, 73, 104, 92, 111, 0, 40, 49, 0, 34, 88, 79, 69}},
        {"Snare 1", {79, 55, 54, 64, 127, 42, 102, 46, 0, 57, 2, 2, 0, 127, 127}},
        {"Snare 2", {68, 3, 69, 63, 84, 127, 55, 66, 63, 60, 2, 63, 58, 126, 122}},
        {"Snare 3", {64, 23, 56, 65, 120, 84, 26, 0, 19, 65, 2, 24, 65, 127, 98}},
        {"Snare 4", {68, 57, 68, 52, 105, 0, 91, 28, 42, 63, 0, 81, 65, 112, 127}},
        {"Snare 5", {85, 107, 49, 31, 127, 94, 0, 0, 63, 66, 2, 39, 76, 102, 98}},
        {"Tom1 1", {80, 38, 77, 68, 102, 58, 98, 26, 27, 71, 0, 33, 89, 105, 97}},
        {"Tom1 2", {69, 38, 78, 73, 102, 58, 96, 26, 27, 72, 0, 33, 89, 105, 89}},
        {"Tom1 3", {56, 38, 79, 73, 102, 58, 93, 26, 27, 74, 0, 33, 89, 105, 89}},
        {"Tom2 1", {86, 2, 76, 65, 99, 0, 67, 0, 56, 76, 0, 86, 86, 81, 117}},
        {"Tom2 2", {69, 2, 77, 66, 99, 0, 67, 0, 56, 76, 0, 86, 86, 81, 117}},
        {"Tom2 3", {55, 2, 79, 70, 99, 0, 67, 0, 56, 78, 0, 86, 86, 81, 117}},
        {"Tom3 1", {70, 28, 64, 72, 113, 81, 102, 4, 12, 68, 0, 44, 67, 96, 97}},
        {"Tom3 2", {58, 28, 67, 74, 113, 81, 102, 4, 12, 68, 0, 44, 78, 93, 97}},
        {"Tom3 3", {48, 28, 73, 75, 108, 81, 102, 4, 12, 68, 0, 44, 87, 96, 103}},
        {"Cymb 1", {127, 93, 0, 0, 0, 102, 91, 0, 26, 67, 2, 127, 0, 0, 127}},
        {"Cymb 2", {127, 93, 0, 0, 0, 102, 91, 50, 16, 76, 2, 127, 0, 0, 127}},
        {"Cymb 3", {127, 127, 26, 0, 28, 58, 112, 60, 0, 71, 2, 0, 0, 81, 107}},
        {"Cymb 4", {127, 127, 0, 0, 0, 127, 102, 107, 0, 74, 2, 127, 0, 0, 127}},
        {"Cymb 5", {28, 111, 63, 86, 73, 28, 83, 57, 37, 91, 0, 83, 71, 109, 123}},
        {"Perc 1", {77, 32, 48, 66, 117, 93, 32, 32, 40, 66, 2, 110, 126, 116, 30}},
        {"Perc 2", {127, 99, 73, 69, 86, 71, 110, 120, 0, 66, 2, 47, 20, 49, 114}},
        {"Perc 3", {96, 60, 56, 63, 127, 72, 32, 32, 40, 66, 2, 46, 37, 89, 46}},
        {"Perc 4", {87, 60, 56, 63, 127, 72, 32, 32, 40, 66, 2, 46, 37, 89, 46}},
        {"Perc 5", {110, 93, 79, 89, 92, 79, 92, 127, 0, 79, 0, 0, 0, 127, 89}},
        {"Perc 6", {30, 45, 83, 67, 127, 127, 55, 127, 28, 62, 2, 81, 76, 80, 97}},
    }};
    return presets;
}

CPnlDrumPresetSelector::CPnlDrumPresetSelector(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlWidgetItemABC(parent, x, y, 64, 21, kValueCount)
{
    const NSHarrowen::CRect& frame = GetFrame();
    text_ = std::make_unique<CTextView>(this, "none");
    text_->SetFrame(NSHarrowen::CRect(frame.left, frame.top + 3, frame.left + 50, frame.top + 18));
    stepper_ = std::make_unique<CUpDownButton>(this);
    stepper_->MoveTo(NSHarrowen::CPoint(static_cast<int16_t>(frame.left + 53), frame.top));
}

CPnlDrumPresetSelector::~CPnlDrumPresetSelector() = default;

uint8_t CPnlDrumPresetSelector::ValueFor(uint8_t entry)
{
    return Presets()[index_].values[entry];
}

void CPnlDrumPresetSelector::ReceiveNotifications()
{
    int32_t code = 0;
    while (stepper_->TakeEvent(code)) {
        stepper_->SetDisplayState(code);
        if (code == 1) {
            if (index_ + 1 < static_cast<int>(kPresetCount) && matched_) {
                ++index_;
            } else if (index_ + 1 >= static_cast<int>(kPresetCount)) {
                continue;
            }
        } else if (code == 2) {
            if (index_ == 0) {
                continue;
            }
            --index_;
        } else {
            continue;
        }
        // The changes come back from the module on the next pass: that pass
        // does not search again.
        holdOff_ = 1;
        SendChanges(kValueCount);
        matched_ = true;
        UpdateState();
    }
}

void CPnlDrumPresetSelector::UpdateDisplay()
{
    if (IsDirty()) {
        if (holdOff_ > 0) {
            --holdOff_;
        } else if (GetParams().size() >= kValueCount) {
            const auto& presets = Presets();
            const auto found = std::find_if(presets.begin(), presets.end(), [&](const Preset& preset) {
                for (uint8_t i = 0; i < kValueCount; ++i) {
                    if (GetParamValue(i) != preset.values[i]) {
                        return false;
                    }
                }
                return true;
            });
            matched_ = found != presets.end();
            if (matched_) {
                index_ = static_cast<uint8_t>(found - presets.begin());
            }
        }
        SetDirty(false);
        UpdateState();
    }
    text_->UpdateDisplay();
    stepper_->UpdateDisplay();
}

void CPnlDrumPresetSelector::UpdateState()
{
    text_->SetText(matched_ ? Presets()[index_].name : "none");
}
