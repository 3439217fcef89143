#pragma once

#include "framework/views/GroupView.h"
#include "framework/controls/ScrollRange.h"

namespace NSHarrowen {

// A group whose children lie on a larger plane that scrolls on two axes.
// Derived views and their scroll bars set the two ranges.
class CScrollView : public CGroupView {
public:
    explicit CScrollView(CGroupView* parent);
    CScrollView(CGroupView* parent, const CRect& frame);

    // Moves the first visible position of the vertical axis only.
    void SetVerticalPosition(int32_t value);

    CRect GetContentRect() const override;
    void UpdateDisplay() override;
    void Draw() override;

private:
    CScrollRange vertical_;
    CScrollRange horizontal_;
    int16_t shownX_ = 0;
    int16_t shownY_ = 0;
};

} // namespace NSHarrowen
