#pragma once

#include "editor/toolbar/TBWindow.h"

#include <array>
#include <cstdint>
#include <memory>

namespace NSHarrowen {
class CGroupView;
}
class CPortManager;
class CSlotButton;
class CTextView;

// One MIDI port's row of the toolbar: the slot buttons A to D, the name of
// the synthesizer on the port and its flash meter. Without a synthesizer
// the row's views are hidden (moved off screen, keeping their frames).
class CTBPortRow final {
public:
    static constexpr uint8_t kSlotCount = 4;
    // The flash meter's left, the rightmost of the row's controls.
    static constexpr int16_t kMeterLeft = 901;

    CTBPortRow(NSHarrowen::CGroupView* parent, uint8_t port);
    ~CTBPortRow();
    CTBPortRow(const CTBPortRow&) = delete;
    CTBPortRow& operator=(const CTBPortRow&) = delete;

    // Places the row at the port's line of the toolbar.
    void Layout();
    // Acts on the slot buttons' clicks (only with a synthesizer on the port).
    void TakeSlotClicks(CPortManager& ports);
    // Shows the port's synthesizer, or hides the row without one.
    void Show(const CPortManager* ports);

    CTextView& GetNameText() const { return *name_; }
    CTBWindow::CFlashMeter& GetFlashMeter() const { return *meter_; }
    CSlotButton& GetSlotButton(uint8_t slot) const { return *slots_.at(slot); }

private:
    void Hide();

    uint8_t port_;
    std::unique_ptr<CTextView> name_;
    std::unique_ptr<CTBWindow::CFlashMeter> meter_;
    std::array<std::unique_ptr<CSlotButton>, kSlotCount> slots_;
};
