#include "editor/toolbar/MorphContainer.h"

#include "editor/patches/PatchManager.h"
#include "editor/toolbar/TBBackView.h"
#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"
#include "panels/items/PnlKnobs.h"
#include "panels/menu/KnobAssignmentMenu.h"
#include "panels/painters/KnobGUI.h"
#include "panels/widgets/TextView.h"
#include "patch/document/Patch.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/protocol/MidiCtrlNames.h"

using NSHarrowen::CRect;

namespace {

const NSHarrowen::CColor kHighlight(0xC400, 0xF600, 0xED00);

CPatch* ActivePatch()
{
    const CPatchManager* patches = GetPatchManager();
    return patches ? patches->GetActivePatch() : nullptr;
}

ParamAddress GroupAddress(uint8_t group)
{
    return ParamAddress{2, 1, group};
}

// What drives a group, from the knob map (panel knobs 1 to 19, pedal,
// aftertouch, switch); empty for other knob indices.
std::string KnobText(uint8_t knob)
{
    if (knob <= 18)
        return "Kn " + std::to_string(knob + 1);
    switch (knob) {
    case 19:
        return "Pedal";
    case 20:
        return "aTouch";
    case 22:
        return "Switch";
    default:
        return {};
    }
}

} // namespace

CMorphContainer::CMorphContainer(NSHarrowen::CGroupView* parent) : CGroupView(parent)
{
    for (uint8_t group = 0; group < kGroupCount; ++group) {
        knobs_[group] = std::make_unique<CPnlSmallKnob>(this, 0, 0);
        knobs_[group]->SetStepCount(127);
        texts_[group] = std::make_unique<CTextView>(this, "");
    }
    SetSize(kWidth, kHeight);
}

CMorphContainer::~CMorphContainer() = default;

CPnlSmallKnob* CMorphContainer::GetEntry(uint8_t group) const
{
    return group < kGroupCount ? knobs_[group].get() : nullptr;
}

bool CMorphContainer::TakeGroupClick(uint8_t& group) const
{
    if (!clickPending_)
        return false;
    group = clickedGroup_;
    return true;
}

void CMorphContainer::SetHighlightedGroup(uint8_t group)
{
    if (group != highlighted_) {
        highlighted_ = group;
        InvalidateFrame();
    }
}

void CMorphContainer::MouseDown(const NSHarrowen::CEvent& event)
{
    if (ActivePatch() == nullptr)
        return;
    const NSHarrowen::CPoint at = event.GetPoint();
    const CRect f = GetFrame();
    for (uint8_t group = 0; group < kGroupCount; ++group) {
        const int16_t left = static_cast<int16_t>(f.left + kColumn * group);
        if (at.x >= left && at.x < left + kColumn && at.y >= f.top && at.y < f.bottom)
            clickedGroup_ = group;
        if (knobs_[group]->ContainsPoint(at)) {
            if (event.IsDoubleClick())
                knobs_[group]->OnDoubleClick(static_cast<int16_t>(at.x), static_cast<int16_t>(at.y));
            else
                knobs_[group]->OnMouseDown(static_cast<int16_t>(at.x), static_cast<int16_t>(at.y));
        }
    }
    if (clickedGroup_ != highlighted_) {
        clickPending_ = true;
        NSHarrowen::UpdateAllWindows();
        clickPending_ = false;
    }
}

void CMorphContainer::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window != nullptr) {
        NSHarrowen::CCanvas canvas(window);
        const CRect f = GetFrame();
        for (uint8_t group = 0; group < kGroupCount; ++group) {
            const int32_t left = f.left + kColumn * group;
            const CABCKnobGUI& painter = knobs_[group]->GetPainter();
            // The knob's marker strip is cleared while the knob shows no marker.
            if (!painter.GetStateByte() && !painter.IsFocused())
                canvas.FillRect(CRect(left, f.top + 20, left + 38, f.top + 24), ToolbarGrey());
            canvas.FrameRect(CRect(left, f.top, left + 38, f.top + 25),
                             group == highlighted_ ? kHighlight : ToolbarGrey());
        }
    }
    CGroupView::Draw();
}

void CMorphContainer::UpdateState()
{
    CGroupView::UpdateState();
    const CPatch* patch = ActivePatch();
    for (uint8_t group = 0; group < kGroupCount; ++group) {
        if (patch != nullptr) {
            ShowGroup(*patch, group);
        } else {
            knobs_[group]->SetValue(0);
            texts_[group]->SetTextIfChanged("");
        }
    }
}

void CMorphContainer::ShowGroup(const CPatch& patch, uint8_t group)
{
    const ParamAddress address = GroupAddress(group);
    const CMorphMap& morphs = patch.GetMorphMap();
    CPnlSmallKnob& knob = *knobs_[group];
    if (knob.GetValue() != morphs.GetGroupValue(group))
        knob.SetValue(morphs.GetGroupValue(group));
    // Later sources win: the keyboard over a controller, a controller over a knob.
    std::string text;
    bool assigned = false;
    uint8_t found = 0;
    if (patch.GetKnobMap().FindByParam(address, found)) {
        text = KnobText(found);
        assigned = true;
    }
    if (patch.GetCtrlMap().FindByParam(address, found)) {
        text = GetMidiCtrlShortName(found);
        assigned = true;
    }
    switch (morphs.GetKeyboardAssign(group)) {
    case 0:
        if (!assigned)
            text = "--";
        break;
    case 1:
        text = "Vel";
        break;
    case 2:
        text = "Note";
        break;
    default:
        break;
    }
    if (assigned || morphs.GetKeyboardAssign(group) <= 2)
        texts_[group]->SetTextIfChanged(text);
}

void CMorphContainer::LayoutChildren()
{
    const CRect f = GetFrame();
    for (uint8_t group = 0; group < kGroupCount; ++group) {
        const int32_t left = f.left + kColumn * group;
        const CRect knob = knobs_[group]->GetFrame();
        knobs_[group]->SetFrame(CRect(left + 9, f.top + 1, left + 9 + knob.Width(), f.top + 1 + knob.Height()));
        texts_[group]->SetFrame(CRect(left, f.top + 25, left + 38, f.top + 39));
    }
}

uint8_t CMorphContainer::GroupOf(const CPnlControl& control) const
{
    for (uint8_t group = 0; group < kGroupCount; ++group)
        if (knobs_[group].get() == &control)
            return group;
    return kNoGroup;
}

void CMorphContainer::ChangeValue(CPnlControl& control, uint8_t value)
{
    CPatch* patch = ActivePatch();
    const uint8_t group = GroupOf(control);
    // Only a change goes out: while the mouse is held the knob asks on every
    // move, and the window passes that show the new value come later.
    if (patch == nullptr || group == kNoGroup || patch->GetMorphMap().GetGroupValue(group) == value)
        return;
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMParamChange>(2, 1, group, value));
    patch->SendAndApplyMoleculesLive(packet);
    knobs_[group]->SetValue(patch->GetMorphMap().GetGroupValue(group));
}

void CMorphContainer::BeginEdit(CPnlControl& control)
{
    if (CPatch* patch = ActivePatch())
        patch->SetParamFocus(GetParamAddress(control));
}

void CMorphContainer::ShowContextMenu(CPnlControl& control, NSHarrowen::CPoint where)
{
    CPatch* patch = ActivePatch();
    if (patch == nullptr)
        return;
    CKnobAssignmentMenu menu(*patch, GetParamAddress(control));
    menu.RemoveMorphEntries();
    menu.TrackAndExecute(*this, where);
}

void CMorphContainer::RefreshControl(CPnlControl&)
{
    NSHarrowen::UpdateAllWindows();
}

bool CMorphContainer::HasParamFocus(const CPnlControl& control) const
{
    const CPatch* patch = ActivePatch();
    return patch != nullptr && patch->GetParamFocus() == GetParamAddress(control);
}

ParamAddress CMorphContainer::GetParamAddress(const CPnlControl& control) const
{
    return GroupAddress(GroupOf(control));
}

std::string CMorphContainer::GetParamName(const CPnlControl& control) const
{
    return "Group " + std::to_string(GroupOf(control) + 1);
}
