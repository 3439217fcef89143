#pragma once

#include "editor/windows/PatchView.h"
#include "framework/views/GroupView.h"
#include "panels/painters/SeparatorGUI.h"

#include <cstdint>

// The bar between the two voice areas. It is dragged to share the window's
// height between them, or its buttons (and the C and P keys) send it to the
// top or the bottom and back to where it was. It only records the position
// asked for; the window takes it, stores it in the patch header and lays
// itself out.
class CPatchView::CSplitterView final : public NSHarrowen::CGroupView {
public:
    static constexpr int16_t kHeight = 11;
    // The three buttons' pictures, left to right.
    static constexpr uint16_t kToTopPicture = 188;
    static constexpr uint16_t kToBottomPicture = 189;
    static constexpr uint16_t kRestorePicture = 193;
    static constexpr uint32_t kBarCursor = 187;

    explicit CSplitterView(NSHarrowen::CGroupView* parent);

    // The position to apply, when one waits or a drag moved away from the
    // current split.
    bool TakeSplitRequest(int16_t currentSplit, int16_t& position);
    // Key C: to the top, or back from it; key P: likewise with the bottom.
    void RequestTopOrRestore();
    void RequestBottomOrRestore();
    // Ends a drag (as the release does).
    void EndDrag() { MouseStillDown(); }
    bool IsDragging() const { return dragging_; }
    CDirectionButton& GetButton(int index) const;

    void HandleBroadcast() override;
    void MouseDown(const NSHarrowen::CEvent& event) override;
    void MouseStillDown() override;
    // The mouse taken away mid-drag (another program came to the front): the
    // bar stays where it was dragged, as after a release.
    void CaptureLost() override { dragging_ = false; }
    void GetCursor() override;
    void ReceiveNotifications() override;
    void LayoutChildren() override;
    void DrawBackground() override;

private:
    bool AtTop() const;
    bool AtBottom() const;
    // Before a move to an edge: where the bar was, unless it is at an edge.
    void RememberPosition();
    void RequestEdge(int16_t edge);

    CDirectionButton* toTop_;
    CDirectionButton* toBottom_;
    CDirectionButton* restore_;
    bool topRequest_ = false;
    bool bottomRequest_ = false;
    bool restoreRequest_ = false;
    bool pending_ = false;
    int16_t target_ = 0;
    int16_t remembered_ = 0;
    bool dragging_ = false;
    CSeparatorGUI painter_;
};
