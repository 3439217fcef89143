#pragma once

#include "framework/views/GroupView.h"

#include <cstdint>
#include <string>

class CTabBarView;
class CTabButton;
class CTabScrollView;

// The toolbar's module tabs (430 x 42): a tab bar 16 pixels high and under
// it one row of module buttons per tab. A click on a tab shows its row; a
// press on a module button is latched for the toolbar while the update
// passes it starts run.
class CTBTabsView final : public NSHarrowen::CGroupView {
public:
    static constexpr int16_t kWidth = 430;
    static constexpr int16_t kHeight = 42;
    static constexpr int16_t kBarHeight = 16;

    explicit CTBTabsView(NSHarrowen::CGroupView* parent);
    ~CTBTabsView() override;

    void AddTab(const std::string& name);
    void AddButton(uint16_t picture, const std::string& tooltip, uint8_t typeId);
    void AddSeparator();
    bool TakeButtonClick(CTabButton*& button);

    CTabBarView& GetBar() const { return *bar_; }
    CTabScrollView& GetPages() const { return *pages_; }

    void Draw() override;
    void LayoutChildren() override;
    void ReceiveNotifications() override;

private:
    CTabScrollView* pages_;
    CTabBarView* bar_;
    CTabButton* latched_ = nullptr;
    bool latchPending_ = false;
};
