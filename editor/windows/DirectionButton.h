#pragma once

#include "editor/windows/PatchView.h"
#include "framework/views/View.h"
#include "panels/painters/SeparatorButtonGUI.h"

#include <cstdint>

// One of the splitter's three small buttons: it latches a click (wherever
// the press is released) for the splitter to take.
class CPatchView::CDirectionButton final : public NSHarrowen::CView {
public:
    static constexpr int16_t kSize = 11;

    CDirectionButton(NSHarrowen::CGroupView* parent, uint16_t picture);

    // Whether it was clicked since the last call.
    bool TakeClick();
    bool IsShownPressed() const { return shownPressed_; }

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void MouseStillDown() override;
    // The mouse taken away mid-press (another program came to the front):
    // the button rises without a click.
    void CaptureLost() override;
    void GetCursor() override;
    void Draw() override;
    void UpdateDisplay() override;

private:
    bool clicked_ = false;
    bool shownPressed_ = false;
    bool pressed_ = false;
    CSeparatorButtonGUI painter_;
};
