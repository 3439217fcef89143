#pragma once

#include "framework/views/GroupView.h"

namespace NSHarrowen {

// A group that fills its frame with one colour.
class CSolidColorGroupView : public CGroupView {
public:
    explicit CSolidColorGroupView(CGroupView* parent = nullptr);
    CSolidColorGroupView(CGroupView* parent, const CRect& frame);

    CColor GetBackgroundColor() const override { return color_; }
    void DrawBackground() override;
    void SetColor(const CColor& color) { color_ = color; }

private:
    CColor color_;
};

} // namespace NSHarrowen
