#pragma once

#include "framework/drawing/FontSpec.h"
#include "framework/views/GroupView.h"

#include <cstdint>
#include <string>

// A row of named tabs side by side from the left. A press on a tab other
// than the selected one is latched while the update passes it starts run;
// the owner takes it and sets the selection.
class CTabBarView final : public NSHarrowen::CGroupView {
public:
    static constexpr int16_t kTabPadding = 15;

    CTabBarView(NSHarrowen::CGroupView* parent, uint8_t style);

    // Adds a tab (as wide as its text plus padding) and lays the bar out.
    void AddTab(const std::string& text, bool systemColours = false);
    uint8_t GetTabCount() const { return count_; }
    int16_t GetSelected() const { return selected_; }
    // Changes the selection without a notification.
    void SetSelected(int16_t index) { selected_ = index; }
    bool TakeSelection(int16_t& index);
    // From a tab: the user pressed it.
    void LatchTab(int16_t index);
    static NSHarrowen::CFontSpec TabFont() { return NSHarrowen::CFontSpec("Arial", 12); }

    void Draw() override;
    void LayoutChildren() override;

private:
    uint8_t count_ = 0;
    int16_t selected_ = 0;
    int16_t latched_ = 0;
    bool latchPending_ = false;
    uint8_t style_;
};
