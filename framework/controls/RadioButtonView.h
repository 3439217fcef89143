#pragma once

#include "framework/controls/EventLatch.h"
#include "framework/controls/NativeControlView.h"

namespace NSHarrowen {

class CRadioButtonGroupView;

// A radio button that does not check itself: its group reports the pick and
// the owner sets the group's selection.
class CRadioButtonView : public CNativeControlView {
public:
    CRadioButtonView(CRadioButtonGroupView* group, const std::string& title);
    CRadioButtonView(CRadioButtonGroupView* group, const CDialogItem& item);

    bool IsChecked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }

    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void HandleArrowKey(bool forward) override;
    void HandleBroadcast() override;
    void UpdateDisplay() override;

private:
    CRadioButtonGroupView* Group() const;

    bool checked_ = false;
};

} // namespace NSHarrowen
