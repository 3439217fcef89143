#pragma once

#include "framework/controls/ControlView.h"

#include <cstdint>
#include <string>

class CTabBarView;

// One named tab of a tab bar. A press on a tab that is not the selected
// one asks the bar to select it; the bar's owner decides.
class CTabView final : public NSHarrowen::CControlView {
public:
    CTabView(CTabBarView& bar, const std::string& text, uint8_t index, bool systemColours);

    const std::string& GetText() const { return text_; }
    uint8_t GetIndex() const { return index_; }
    bool IsSelected() const { return selected_; }

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void Draw() override;
    void UpdateState() override;
    void UpdateDisplay() override;

private:
    CTabBarView& bar_;
    std::string text_;
    bool selected_ = false;
    uint8_t index_;
    bool redraw_ = true;
    NSHarrowen::CColor textColour_;
    NSHarrowen::CColor shadowColour_;
};
