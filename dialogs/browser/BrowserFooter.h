#pragma once

#include "framework/views/SolidColorGroupView.h"

namespace NSHarrowen {
class CCheckBoxView;
}

// The strip under the disk list with the "Show all Files" box.
class CBrowserFooter final : public NSHarrowen::CSolidColorGroupView {
public:
    explicit CBrowserFooter(NSHarrowen::CGroupView* parent);

    // Always the current value; true once after it changed.
    bool TakeShowAllChange(bool& showAll);
    NSHarrowen::CCheckBoxView* GetShowAllBox() const { return box_; }

    void ReceiveNotifications() override;
    void LayoutChildren() override;
    void DrawBackground() override;

private:
    NSHarrowen::CCheckBoxView* box_;
    bool showAll_ = false;
    bool changed_ = false;
};
