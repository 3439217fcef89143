#pragma once

#include "framework/controls/ControlLogic.h"
#include "framework/controls/EventLatch.h"
#include "framework/controls/NativeControlView.h"
#include "framework/controls/ScrollRange.h"

namespace NSHarrowen {

// Up-down arrows (range 0 to 1000, wrapping) that report steps of +1 or -1.
class CUpDownButtonView : public CNativeControlView {
public:
    CUpDownButtonView(CGroupView* parent, const CDialogItem& item);
    // The step once (then 0 until the next).
    bool TakeStep(int16_t& step);
    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void UpdateDisplay() override { SyncEnabled(); }

private:
    CEventLatch<int16_t> stepped_{666};
};

} // namespace NSHarrowen
