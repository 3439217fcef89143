#pragma once

#include "framework/controls/CheckableButtonView.h"

namespace NSHarrowen {

class CRadioButtonGroupView;

// A radio button that does not check itself: its group reports the pick and
// the owner sets the group's selection.
class CRadioButtonView : public CCheckableButtonView {
public:
    CRadioButtonView(CRadioButtonGroupView* group, const std::string& title);
    CRadioButtonView(CRadioButtonGroupView* group, const CDialogItem& item);

    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void HandleArrowKey(bool forward) override;
    void HandleBroadcast() override;

private:
    CRadioButtonGroupView* Group() const;
};

} // namespace NSHarrowen
