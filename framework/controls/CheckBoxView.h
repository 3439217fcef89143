#pragma once

#include "framework/controls/EventLatch.h"
#include "framework/windows/ModalDialog.h"
#include "framework/controls/CheckableButtonView.h"

namespace NSHarrowen {

// A check box that does not toggle itself: the owner takes the click and
// sets the state.
class CCheckBoxView : public CCheckableButtonView {
public:
    CCheckBoxView(CGroupView* parent, const std::string& title);
    CCheckBoxView(CGroupView* parent, const CDialogItem& item);

    bool TakeClick() { return clicked_.Take(); }

    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

private:
    CEventLatch<bool> clicked_;
};

} // namespace NSHarrowen
