#pragma once

#include "panels/items/PnlWidgetItemABC.h"

#include <array>
#include <memory>

class CTextView;
class CUpDownButton;

// Chooses one of 30 drum sound presets: the text shows the preset the 15
// parameters match ("none" when they match none), the stepper applies the
// next or previous one. Up on values that match no preset applies the
// preset at the current index.
class CPnlDrumPresetSelector final : public CPnlWidgetItemABC {
public:
    static constexpr size_t kPresetCount = 30;
    static constexpr uint8_t kValueCount = 15;
    struct Preset {
        const char* name;
        std::array<uint8_t, kValueCount> values;
    };
    static const std::array<Preset, kPresetCount>& Presets();

    CPnlDrumPresetSelector(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
    ~CPnlDrumPresetSelector() override;

    void ReceiveNotifications() override;
    void UpdateDisplay() override;

    const CTextView& GetText() const { return *text_; }

protected:
    uint8_t ValueFor(uint8_t entry) override;

private:
    void UpdateState() override;

    std::unique_ptr<CTextView> text_;
    std::unique_ptr<CUpDownButton> stepper_;
    uint8_t index_ = 0;
    bool matched_ = false;
    uint8_t holdOff_ = 0;
};
