#pragma once

#include "framework/views/GroupView.h"

#include <cstdint>

namespace NSHarrowen {
class CScrollBarView2;
}
class CListView;

// A browser page: a list beside a vertical scroll bar on the button face.
// The flash page remembers a position per port, the disk page one for its
// folder.
class CScrollListPage : public NSHarrowen::CGroupView {
public:
    static constexpr int16_t kBarWidth = 16;

    NSHarrowen::CScrollBarView2* GetScrollBar() const { return bar_; }
    void DrawBackground() override;

protected:
    explicit CScrollListPage(NSHarrowen::CGroupView* parent);
    // The list and the bar in the page, the bar ending `barBottomGap` above
    // the bottom and the list `listBottomGap` shorter than the page.
    void LayOut(CListView& list, int16_t barBottomGap, int16_t listBottomGap);
    // Scrolls the list so its row at `position` pixels is at the top.
    static void ScrollListTo(CListView& list, int32_t position);

    NSHarrowen::CScrollBarView2* bar_;
};
