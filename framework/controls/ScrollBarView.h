#pragma once

#include "framework/controls/ControlLogic.h"
#include "framework/controls/EventLatch.h"
#include "framework/controls/NativeControlView.h"
#include "framework/controls/ScrollRange.h"

namespace NSHarrowen {

// A 0..999 scroll bar; orientation 0 vertical, 1 horizontal.
class CScrollBarView : public CNativeControlView {
public:
    CScrollBarView(CGroupView* parent, int32_t orientation);
    void SetValue(int16_t position);
    int16_t GetValue() const { return position_; }
    bool TakeChange(CScrollRequest& request) { return changed_.Take(request); }
    // Home, End, Page Up and Page Down as if they came from the bar.
    void HandleScrollCommand(const CKeyEvent& event);
    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void UpdateDisplay() override;
    void Draw() override;

private:
    int16_t position_ = 0;
    CEventLatch<CScrollRequest> changed_;
};

// A scroll bar over a CScrollRange; it reports the range a user action asks for.
class CScrollBarView2 : public CNativeControlView {
public:
    CScrollBarView2(CGroupView* parent, int32_t orientation);
    void SetRange(const CScrollRange& range) { range_ = range; }
    const CScrollRange& GetRange() const { return range_; }
    bool TakeChange(CScrollRange& range) { return changed_.Take(range); }
    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void UpdateDisplay() override;
    void Draw() override;

private:
    CScrollRange range_;
    CEventLatch<CScrollRange> changed_;
};

} // namespace NSHarrowen
