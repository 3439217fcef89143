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
    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam,
                                           platform::LParam lParam) override;
    void UpdateDisplay() override { SyncEnabled(); }

private:
    CEventLatch<int16_t> stepped_ {666};
};

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

// A 0..999 scroll bar; orientation 0 vertical, 1 horizontal.
class CScrollBarView : public CNativeControlView {
public:
    CScrollBarView(CGroupView* parent, int32_t orientation);
    void SetValue(int16_t position);
    int16_t GetValue() const { return position_; }
    bool TakeChange(CScrollRequest& request) { return changed_.Take(request); }
    // Home, End, Page Up and Page Down as if they came from the bar.
    void HandleScrollCommand(const CKeyEvent& event);
    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam,
                                           platform::LParam lParam) override;
    void UpdateDisplay() override;
    void Draw() override;

private:
    int16_t position_ = 0;
    int32_t orientation_;
    CEventLatch<CScrollRequest> changed_;
};

// A scroll bar over a CScrollRange; it reports the range a user action asks for.
class CScrollBarView2 : public CNativeControlView {
public:
    CScrollBarView2(CGroupView* parent, int32_t orientation);
    void SetRange(const CScrollRange& range) { range_ = range; }
    const CScrollRange& GetRange() const { return range_; }
    bool TakeChange(CScrollRange& range) { return changed_.Take(range); }
    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam,
                                           platform::LParam lParam) override;
    void UpdateDisplay() override;
    void Draw() override;

private:
    CScrollRange range_;
    int32_t orientation_;
    CEventLatch<CScrollRange> changed_;
};

} // namespace NSHarrowen
