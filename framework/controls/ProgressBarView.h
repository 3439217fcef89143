#pragma once

#include "framework/controls/ControlLogic.h"
#include "framework/controls/EventLatch.h"
#include "framework/controls/NativeControlView.h"
#include "framework/controls/ScrollRange.h"

namespace NSHarrowen {

// A progress bar of 0..1000; 6666 shows an empty bar.
class CProgressBarView : public CNativeControlView {
public:
    CProgressBarView(CGroupView* parent, const CDialogItem& item);
    void SetValue(uint16_t value) { value_ = value; }
    uint16_t GetValue() const { return value_; }
    void UpdateDisplay() override;
    CRect GetOpaqueRect() const override { return NativeRectFor(GetFrame()); }
    CRect NativeRectFor(const CRect& frame) const override;

private:
    uint16_t value_ = 0;
};

} // namespace NSHarrowen
