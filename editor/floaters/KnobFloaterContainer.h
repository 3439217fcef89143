#pragma once

#include "framework/views/SolidColorGroupView.h"
#include "panels/panel/ControlContainerInterface.h"

#include <array>
#include <cstdint>

class CFloaterLED;
class CFloaterNameView;
class CPatch;
class CPnlControl;
class CPnlMediumKnob;

// The knob floater's content: the synthesizer's 18 panel knobs, each with
// its LED and the name of what it is assigned to, and the names of what the
// pedal, aftertouch and the on/off switch drive, for the active patch. A
// floater knob is the container of nothing itself: every operation on it
// goes to the module control the knob is assigned to, so turning it edits
// that parameter as the module's own control would.
class CKnobFloaterContainer final : public NSHarrowen::CSolidColorGroupView, public CControlContainerInterface {
public:
    static constexpr NSHarrowen::CColor kBackground{0xBF00, 0xBF00, 0xBF00};
    static constexpr size_t kKnobCount = 18;
    static constexpr int16_t kWidth = 320;
    static constexpr int16_t kHeight = 180;
    // The knob map's numbers of the pedal, aftertouch and the switch.
    static constexpr std::array<uint8_t, 3> kExtraKnobs{19, 20, 22};

    explicit CKnobFloaterContainer(NSHarrowen::CGroupView* parent);
    ~CKnobFloaterContainer() override;

    CPnlMediumKnob& GetKnob(size_t index) const { return *cells_[index].knob; }
    CFloaterLED& GetLED(size_t index) const { return *cells_[index].led; }
    CFloaterNameView& GetNameView(size_t index) const { return *cells_[index].name; }
    // The pedal's, aftertouch's and the switch's names, in that order.
    CFloaterNameView& GetExtraNameView(size_t index) const { return *extraNames_[index]; }
    bool IsSmallModel() const { return smallModel_; }
    // The knob number of a floater knob (its cell), 23 for none.
    uint8_t GetKnobNumber(const CPnlControl& control) const;
    // The module control the floater knob is assigned to in the active patch.
    CPnlControl* FindAssignedControl(const CPnlControl& control) const;

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void Draw() override;
    void UpdateDisplay() override;
    void UpdateState() override;

    // CControlContainerInterface: each goes to the assigned control's own
    // container; without one nothing happens.
    void AddControl(CPnlControl& control) override;
    void ChangeValue(CPnlControl& control, uint8_t value) override;
    void ChangeMorph(CPnlControl& control, int8_t amount) override;
    void BeginEdit(CPnlControl& control) override;
    void TouchControl(CPnlControl& control) override;
    void EndEdit(CPnlControl& control) override;
    void ShowContextMenu(CPnlControl& control, NSHarrowen::CPoint where) override;
    bool AssignToToolbarMorphGroup(CPnlControl& control, int8_t amount) override;
    void RefreshControl(CPnlControl& control) override;
    int8_t GetMorphAmount(const CPnlControl& control) const override;
    uint8_t GetMorphGroup(const CPnlControl& control) const override;
    bool HasParamFocus(const CPnlControl& control) const override;
    ParamAddress GetParamAddress(const CPnlControl& control) const override;
    std::string GetModuleName(const CPnlControl& control) const override;
    std::string GetParamName(const CPnlControl& control) const override;
    uint8_t GetDefaultValue(const CPnlControl& control) const override;

private:
    struct Cell {
        CPnlMediumKnob* knob = nullptr;
        CFloaterLED* led = nullptr;
        CFloaterNameView* name = nullptr;
        bool assigned = false;
    };

    // Runs an operation on the assigned control with its container; the
    // fallback without one.
    template <typename Result, typename Step>
    Result Forward(const CPnlControl& control, Result fallback, Step step) const;
    void ShowAssignment(CPatch& patch, uint8_t knob, CFloaterNameView& name, Cell* cell);
    void DrawDecorations();

    std::array<Cell, kKnobCount> cells_{};
    std::array<CFloaterNameView*, kExtraKnobs.size()> extraNames_{};
    bool smallModel_ = false;
    bool shownSmallModel_ = false;
};
