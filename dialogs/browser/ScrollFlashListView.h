#pragma once

#include "dialogs/browser/ScrollListPage.h"

#include <array>
#include <cstdint>

class CFlashListView;

// The "Synth" page: the flash list beside its scroll bar, one remembered
// position per port.
class CScrollFlashListView final : public CScrollListPage {
public:
    explicit CScrollFlashListView(NSHarrowen::CGroupView* parent);

    CFlashListView* GetList() const { return list_; }

    void ReceiveNotifications() override;
    void UpdateState() override;
    void LayoutChildren() override;

private:
    void FollowPort();

    CFlashListView* list_;
    std::array<int32_t, 4> savedPosition_{};
    int32_t shownPort_ = -1;
    int32_t maximum_ = 0;
};
