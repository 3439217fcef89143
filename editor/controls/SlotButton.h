#pragma once

#include "framework/controls/ControlView.h"
#include "panels/painters/ButtonGUI.h"

#include <cstdint>
#include <string>

// A slot selector (A to D) of a synthesizer's row in the toolbar. Its owner
// sets whether it is hidden, active (on: drawn pressed) and the current
// slot (lit); a click asks for the opposite of the on state and records
// whether Ctrl (or Command) was held. A hidden button stands far off screen
// and returns to its home frame when shown.
class CSlotButton final : public NSHarrowen::CControlView {
public:
    static constexpr int16_t kHiddenPosition = -10000;

    CSlotButton(NSHarrowen::CGroupView* parent, const char* label);
    ~CSlotButton() override;

    void SetHidden(bool hidden) { hidden_ = hidden; }
    void SetLit(bool lit) { lit_ = lit; }
    void SetOn(bool on) { on_ = on; }
    bool IsShown() const { return GetFrame().left != kHiddenPosition; }
    bool IsOn() const { return on_; }
    bool IsLit() const { return lit_; }
    const NSHarrowen::CRect& GetHomeFrame() const { return home_; }
    // The last click, once: the value asked for and whether Ctrl was held.
    bool TakeClick(uint8_t& value, uint8_t& controlKey);

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void MouseStillDown() override;
    void Draw() override;
    void UpdateDisplay() override;
    void FrameChanged(const NSHarrowen::CRect& oldFrame, const NSHarrowen::CRect& newFrame) override;

private:
    CTextButtonGUI painter_;
    NSHarrowen::CRect home_;
    bool hidden_ = false;
    bool lit_ = false;
    bool on_ = false;
    uint8_t requested_ = 0;
    uint8_t controlKey_ = 0;
    bool pending_ = false;
};
