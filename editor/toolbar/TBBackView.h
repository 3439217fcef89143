#pragma once

#include "editor/toolbar/TBWindow.h"
#include "framework/views/SolidColorGroupView.h"

// The toolbar's grey background, parent of every other view of the
// toolbar. When the toolbar's width changes it has the 2-pixel strip of the
// right-hand bevel drawn again: at the old edge when it grew (so no stale
// bevel stays), at the new edge when it shrank.
class CTBWindow::CTBBackView final : public NSHarrowen::CSolidColorGroupView {
public:
    static constexpr int16_t kBevelWidth = 2;

    explicit CTBBackView(NSHarrowen::CGroupView* parent);

    void FrameChanged(const NSHarrowen::CRect& oldFrame, const NSHarrowen::CRect& newFrame) override;
};

// The toolbar grey, shared by the back view and the morph groups view.
const NSHarrowen::CColor& ToolbarGrey();
