#pragma once

#include "dialogs/browser/ScrollListPage.h"

#include <cstdint>
#include <filesystem>

class CBrowserFooter;
class CHardDriveView;

// The "Disk" page: the folder list beside its scroll bar, above the footer
// with "Show all Files".
class CScrollHardDriveView final : public CScrollListPage {
public:
    static constexpr int16_t kFooterHeight = 20;

    CScrollHardDriveView(NSHarrowen::CGroupView* parent, std::filesystem::path top);

    CHardDriveView* GetList() const { return list_; }
    CBrowserFooter* GetFooter() const { return footer_; }
    void GoUp();
    void Refresh();

    void ReceiveNotifications() override;
    void UpdateState() override;
    void LayoutChildren() override;

private:
    void ToTop();

    CHardDriveView* list_;
    CBrowserFooter* footer_;
    int32_t savedPosition_ = 0;
};
