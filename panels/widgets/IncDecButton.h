#pragma once

#include "panels/widgets/PanelFormControl.h"

#include <cstdint>
#include <memory>

class CIncDecButtonGUIABC;

// A stepper that reports events for its owner to take: code 1 for the
// upper (or right) half, 2 for the lower (or left) half, repeated 400 ms
// after the press and then every 100 ms while held, and 0 at the release.
// In panel form (inside a panel item) it tells its parent after each event;
// in window form it refreshes every window.
class CIncDecButtonABC : public CPanelFormControl {
public:
    static constexpr uint32_t kFirstRepeatMs = 400;
    static constexpr uint32_t kRepeatMs = 100;

    CIncDecButtonABC(NSHarrowen::CGroupView* parent, int16_t width, int16_t height, Form form);
    ~CIncDecButtonABC() override;

    bool TakeEvent(int32_t& code);
    void SetDisplayState(int32_t state) { displayState_ = state; }

    void HandleBroadcast() override;
    void MouseDown(const NSHarrowen::CEvent& event) override;
    void MouseStillDown() override;
    // A capture taken away (a dialog took over) ends the press like a release.
    void CaptureLost() override;
    void Draw() override;
    void UpdateDisplay() override;

protected:
    void SetPainter(std::unique_ptr<CIncDecButtonGUIABC> painter);
    // True when a window point lies on the half that steps down (code 2).
    virtual bool IsLowerHalf(NSHarrowen::CPoint where) const = 0;

private:
    void EndPress();

    std::unique_ptr<CIncDecButtonGUIABC> painter_;
    int32_t code_ = 0;
    bool pending_ = false;
    int32_t displayState_ = 0;
    uint32_t nextRepeat_ = 0;
};

class CUpDownButton final : public CIncDecButtonABC {
public:
    explicit CUpDownButton(NSHarrowen::CGroupView* parent, Form form = Form::Panel);

protected:
    bool IsLowerHalf(NSHarrowen::CPoint where) const override;
};

class CLeftRightButton final : public CIncDecButtonABC {
public:
    explicit CLeftRightButton(NSHarrowen::CGroupView* parent, Form form = Form::Panel);

protected:
    bool IsLowerHalf(NSHarrowen::CPoint where) const override;
};
