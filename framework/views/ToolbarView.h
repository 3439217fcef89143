#pragma once

#include "framework/windows/DialogItem.h"
#include "framework/drawing/FontSpec.h"
#include "framework/views/GroupView.h"
#include "framework/images/ImageCache.h"
#include "framework/views/SolidColorGroupView.h"
#include <string>

namespace NSHarrowen {

// A bar whose children stand in a row from the left, centred vertically.
class CToolbarView : public CSolidColorGroupView {
public:
    explicit CToolbarView(CGroupView* parent);
    void LayoutChildren() override;
    // Where the first child stands, from the bar's left edge (6 by default).
    void SetLeftMargin(int16_t margin) { leftMargin_ = margin; }

private:
    int16_t leftMargin_ = 6;
};

// An etched line between groups of a tool bar.
class CToolbarSeparatorView : public CView {
public:
    explicit CToolbarSeparatorView(CGroupView* parent);
    void Draw() override;
};

} // namespace NSHarrowen
