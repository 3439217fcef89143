#pragma once

#include "framework/views/GroupView.h"

#include <cstdint>

// The base of every element of a module panel: knob, slider, button, LED,
// meter, value text, graph, jack, special item. A small child view of the
// panel, placed at a position given relative to the panel's top-left
// corner (the face starts 3 pixels in).
//
// The panel does not use the framework's MouseDown for its items: it walks
// its children and offers a press to each item under the point through
// OnMouseDown (the second press of a double click through OnDoubleClick)
// until one answers true. The release reaches the item holding the mouse
// capture as MouseUp.
class CPanelItem : public NSHarrowen::CGroupView {
public:
    // `parent` is the panel; (x, y) relative to its top-left corner.
    CPanelItem(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
    ~CPanelItem() override;
    CPanelItem(const CPanelItem&) = delete;
    CPanelItem& operator=(const CPanelItem&) = delete;

    // Points in window coordinates. The defaults consume the press.
    virtual bool OnMouseDown(int16_t x, int16_t y);
    virtual bool OnDoubleClick(int16_t x, int16_t y);
    // Ends whatever the item's press started (module deleted, patch closed):
    // by default releases the capture.
    virtual void EndMouseTracking();
    // The left button was released while the item held the capture.
    void MouseUp() override { }

    NSHarrowen::CPoint GetCenter() const;
    // Sets the frame's size keeping its top-left corner.
    void SetItemSize(int16_t width, int16_t height);

    void MouseStillDown() override { MouseUp(); }
    // Widgets inside the item move with it.
    void FrameChanged(const NSHarrowen::CRect& oldFrame, const NSHarrowen::CRect& newFrame) override;
};

// Moves every child of a group by the distance its frame moved.
void MoveChildrenWithFrame(NSHarrowen::CGroupView& group, const NSHarrowen::CRect& oldFrame,
                           const NSHarrowen::CRect& newFrame);
