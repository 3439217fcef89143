#pragma once

#include "framework/base/Rect.h"

namespace NSHarrowen {
class CView;
}

// The sunken bevel around a graph display; the graph draws the inside.
class CGraphGUI {
public:
    explicit CGraphGUI(const NSHarrowen::CView& owner) : owner_(owner) { }
    void Draw(const NSHarrowen::CRect& frame) const;

private:
    const NSHarrowen::CView& owner_;
};
