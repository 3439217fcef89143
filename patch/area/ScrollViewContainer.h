#pragma once

#include "framework/views/GroupView.h"

#include <memory>

namespace NSHarrowen {
class CScrollBarView2;
}
class CScrollViewEx;

// Hosts one scrolling view and shows a horizontal and a vertical scroll bar
// only while the content needs them, with a box in the corner between them.
class CScrollViewContainer : public NSHarrowen::CGroupView {
public:
    explicit CScrollViewContainer(NSHarrowen::CGroupView* parent = nullptr);
    ~CScrollViewContainer() override;

    // Takes the view as the hosted one (and as a child).
    void SetScrollView(std::unique_ptr<CScrollViewEx> view);
    // Hosts a view its owner keeps (a patch's voice area); null hosts none.
    void LendScrollView(CScrollViewEx* view);
    // Hands the hosted view back to the caller, no longer a child (null for
    // a lent one, which only leaves).
    std::unique_ptr<CScrollViewEx> TakeScrollView();

    bool IsHorizontalBarShown() const { return horizontal_ != nullptr; }
    bool IsVerticalBarShown() const { return vertical_ != nullptr; }
    bool IsCornerBoxShown() const { return horizontal_ && vertical_; }
    NSHarrowen::CScrollBarView2* GetVerticalBar() const { return vertical_.get(); }

    void UpdateDisplay() override;
    void FrameChanged(const NSHarrowen::CRect& oldFrame, const NSHarrowen::CRect& newFrame) override;
    void ReceiveNotifications() override;
    void UpdateState() override;
    NSHarrowen::CRect GetContentRect() const override;
    void LayoutChildren() override;
    void DrawBackground() override;

private:
    NSHarrowen::CRect CornerBox() const;
    void InvalidateCornerBox();
    // Shows the view as the hosted one (a child); the owned one stays.
    void Host(CScrollViewEx* view);

    std::unique_ptr<CScrollViewEx> owned_;
    CScrollViewEx* hosted_ = nullptr;
    std::unique_ptr<NSHarrowen::CScrollBarView2> horizontal_;
    std::unique_ptr<NSHarrowen::CScrollBarView2> vertical_;
    bool cornerWasShown_ = false;
};
