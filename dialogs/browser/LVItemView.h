#pragma once

#include "framework/views/SolidColorGroupView.h"

#include <cstdint>
#include <string>

class CListView;

// The view of one row of a browser list: a 16 x 16 icon and the text, in
// black, or white on black while highlighted, over a white line at the
// bottom.
class CLVItemView final : public NSHarrowen::CSolidColorGroupView {
public:
    CLVItemView(CListView& owner, std::string text, uint32_t iconResource);

    void SetHighlighted(bool highlighted);
    bool IsHighlighted() const { return highlighted_; }
    const std::string& GetText() const { return text_; }

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void ContextClick(NSHarrowen::CPoint where) override;
    void UpdateDisplay() override;
    void DrawBackground() override;

private:
    CListView& owner_;
    std::string text_;
    uint32_t iconResource_;
    bool highlighted_ = false;
    bool highlightChanged_ = false;
};
