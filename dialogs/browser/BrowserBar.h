#pragma once

#include "framework/views/SolidColorGroupView.h"

#include <cstdint>

class CBitmapPushButton;
class CTabBarView;

// The browser's top strip: the "Disk" and "Synth" tabs, and the up and
// refresh buttons at its right end. It latches what the user did for the
// browser to take.
class CBrowserBar final : public NSHarrowen::CSolidColorGroupView {
public:
    static constexpr uint16_t kUpPicture = 318;
    static constexpr uint16_t kRefreshPicture = 319;

    explicit CBrowserBar(NSHarrowen::CGroupView* parent);

    bool TakeTabChange(int16_t& index);
    bool TakeUpRequest();
    bool TakeRefreshRequest();
    CTabBarView* GetTabs() const { return tabs_; }
    CBitmapPushButton* GetUpButton() const { return up_; }
    CBitmapPushButton* GetRefreshButton() const { return refresh_; }

    void ReceiveNotifications() override;
    void LayoutChildren() override;
    void DrawBackground() override;

private:
    CTabBarView* tabs_;
    CBitmapPushButton* up_;
    CBitmapPushButton* refresh_;
    bool tabChanged_ = false;
    bool upPushed_ = false;
    bool refreshPushed_ = false;
    int16_t tabIndex_ = 0;
};
