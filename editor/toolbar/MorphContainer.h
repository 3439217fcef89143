#pragma once

#include "framework/views/GroupView.h"
#include "panels/panel/ControlContainerInterface.h"

#include <array>
#include <cstdint>
#include <memory>

class CPatch;
class CPnlSmallKnob;
class CTextView;

// The toolbar's four morph groups of the active patch: one small knob per
// group (parameters 0 to 3 of the morph module, location 2, module 1), a
// text below each that tells what drives the group, and a frame around the
// group that new morph assignments go to. Clicking a group selects it.
class CMorphContainer final : public NSHarrowen::CGroupView, public CControlContainerInterface {
public:
    static constexpr uint8_t kGroupCount = 4;
    static constexpr uint8_t kNoGroup = 4;
    static constexpr int16_t kWidth = 155;
    static constexpr int16_t kHeight = 40;
    static constexpr int16_t kColumn = 39;

    explicit CMorphContainer(NSHarrowen::CGroupView* parent);
    ~CMorphContainer() override;

    CPnlSmallKnob* GetEntry(uint8_t group) const;
    CTextView& GetText(uint8_t group) const { return *texts_.at(group); }
    // The group of the click whose update passes are running.
    bool TakeGroupClick(uint8_t& group) const;
    void SetHighlightedGroup(uint8_t group);
    uint8_t GetHighlightedGroup() const { return highlighted_; }

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void Draw() override;
    void UpdateState() override;
    void LayoutChildren() override;

    // CControlContainerInterface.
    void AddControl(CPnlControl&) override { }
    void ChangeValue(CPnlControl& control, uint8_t value) override;
    void ChangeMorph(CPnlControl&, int8_t) override { }
    void BeginEdit(CPnlControl& control) override;
    void TouchControl(CPnlControl&) override { }
    void EndEdit(CPnlControl&) override { }
    void ShowContextMenu(CPnlControl& control, NSHarrowen::CPoint where) override;
    bool AssignToToolbarMorphGroup(CPnlControl&, int8_t) override { return false; }
    void RefreshControl(CPnlControl&) override;
    int8_t GetMorphAmount(const CPnlControl&) const override { return 0; }
    uint8_t GetMorphGroup(const CPnlControl& control) const override { return GroupOf(control); }
    bool HasParamFocus(const CPnlControl& control) const override;
    ParamAddress GetParamAddress(const CPnlControl& control) const override;
    std::string GetModuleName(const CPnlControl&) const override { return "Morph"; }
    std::string GetParamName(const CPnlControl& control) const override;
    uint8_t GetDefaultValue(const CPnlControl&) const override { return 0; }

private:
    uint8_t GroupOf(const CPnlControl& control) const;
    void ShowGroup(const CPatch& patch, uint8_t group);

    std::array<std::unique_ptr<CPnlSmallKnob>, kGroupCount> knobs_;
    std::array<std::unique_ptr<CTextView>, kGroupCount> texts_;
    bool clickPending_ = false;
    uint8_t clickedGroup_ = 0;
    uint8_t highlighted_ = 0;
};
