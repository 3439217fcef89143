#pragma once

#include "framework/controls/NativeControlView.h"

namespace NSHarrowen {

// A native check box or radio button whose mark its owner sets: a click
// only reports, the next display pass shows the state set.
class CCheckableButtonView : public CNativeControlView {
public:
    // The frame of a button made with a title only, until its owner sets one.
    static constexpr CRect kTitledFrame{kOffscreen.left, kOffscreen.top, kOffscreen.left + 100, kOffscreen.top + 16};

    bool IsChecked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }

    void UpdateDisplay() override;

protected:
    using CNativeControlView::CNativeControlView;

private:
    bool checked_ = false;
};

} // namespace NSHarrowen
