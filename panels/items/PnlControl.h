#pragma once

#include "panels/items/PanelItem.h"
#include "panels/items/ParentCast.h"
#include "synth/protocol/ParamAddress.h"

#include <cstdint>
#include <string>

class CControlContainerInterface;

// The base of the items that edit one parameter: knobs, the slider and the
// buttons. The control keeps the parameter's value and step count; the
// module writes the value (SetValue) when a change is applied, so gestures
// never write it themselves: they send steps to the container.
//
// The container is the parent view; constructing a control registers it
// with the container at once, which fixes its parameter index (the order of
// construction). The module sets the step count right after construction.
class CPnlControl : public CPanelItem {
public:
    CPnlControl(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
    ~CPnlControl() override;

    virtual void SetStepCount(uint8_t steps) { steps_ = steps; }
    // Hooks run after every increment or decrement step, changed or not.
    virtual void OnStepUp() { }
    virtual void OnStepDown() { }
    virtual void SetAuxByte(uint8_t aux) { aux_ = aux; }

    // The caller keeps the value within 0 .. step count (and 127).
    void SetValue(uint8_t value) { value_ = value; }
    uint8_t GetValue() const { return value_; }
    uint8_t GetStepCount() const { return steps_; }

    CControlContainerInterface* GetContainer() const;
    std::string GetParamName() const;
    ParamAddress GetParamAddress() const;
    std::string GetContainerName() const;

    // Steps of arrows and buttons.
    void IncrementValue();
    void DecrementValue();
    void IncrementMorph();
    void DecrementMorph();
    void StepInDirection(uint8_t direction, uint8_t target);

    // Auto-repeat of a held arrow: one step at the press, the next after
    // 400 ms, then every 70 ms.
    static constexpr uint32_t kFirstRepeatMs = 400;
    static constexpr uint32_t kRepeatMs = 70;
    void BeginRepeat(uint8_t direction);
    void RepeatTick();
    void EndRepeat();

    // Body drags.
    bool BeginDrag();
    void BeginMorphDrag();
    void EndDrag();
    // One step of a straight drag; axis 0 horizontal, 1 vertical. 256 pixels
    // of travel cover the whole range.
    void LinearDrag(int axis);

    void EndMouseTracking() override;
    // The mouse taken away mid-press (another program activated, a window
    // took the capture) ends the press as its release would.
    void CaptureLost() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void GetCursor() override;
    void ContextClick(NSHarrowen::CPoint where) override;
    void ParentChanged() override { container_.Reset(); }

    // The drag cursor while a body drag runs.
    static constexpr uint32_t kDragCursor = 272;

protected:
    // Control held: the morph target once the container allows a morph edit.
    void BeginMorphTarget();

private:
    CParentCast<CControlContainerInterface> container_;
    uint8_t value_ = 0;
    uint8_t steps_ = 0;
    uint8_t aux_ = 0;
};

// The parameter a panel control edits, as its container places it: the
// voice area (or the morph groups), the module index and the parameter.
ParamAddress MakeParamAddress(const CPnlControl& control);
