#pragma once

#include "framework/controls/ControlView.h"

#include <cstdint>
#include <string>

class CABCButtonGUI;

// An on/off button that never changes its own state: a click asks for the
// opposite of the on state, and the owner takes that request and sets the
// on state it accepts. The button is drawn pressed while it is on.
class CCheckButtonABC : public NSHarrowen::CControlView {
public:
    ~CCheckButtonABC() override;

    void SetOn(bool on) { on_ = on; }
    bool IsOn() const { return on_; }
    // The value asked for at the last click, once.
    bool TakeChange(uint8_t& value);

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void MouseStillDown() override;
    void Draw() override;
    void UpdateDisplay() override;

protected:
    CCheckButtonABC(NSHarrowen::CGroupView* parent, const std::string& tooltip);
    virtual CABCButtonGUI& Painter() = 0;

private:
    bool on_ = false;
    bool pending_ = false;
    uint8_t requested_ = 0;
};
