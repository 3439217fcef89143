#pragma once

#include "framework/controls/ControlView.h"

#include <cstdint>
#include <string>

class CTabButtonBar;

// A module button of a tab's row, 23 x 22: the module type's picture from
// the tab sheet in a flat frame, raised under the mouse and sunken while
// pressed. A press is latched for the toolbar, which starts dragging a new
// module of the button's type; the drag's end raises the button again.
class CTabButton final : public NSHarrowen::CControlView {
public:
    static constexpr int16_t kWidth = 23;
    static constexpr int16_t kHeight = 22;

    CTabButton(CTabButtonBar& bar, uint16_t picture, const std::string& tooltip, uint8_t typeId);

    uint16_t GetPicture() const { return picture_; }
    uint8_t GetTypeId() const { return typeId_; }
    bool IsPressed() const { return pressed_; }

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void MouseUp() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Draw() override;

private:
    CTabButtonBar& bar_;
    uint16_t picture_;
    std::string tooltip_;
    bool pressed_ = false;
    bool hover_ = false;
    uint8_t typeId_;
};
