#include "editor/floaters/KnobFloaterContainer.h"

#include "editor/floaters/FloaterLED.h"
#include "editor/floaters/FloaterNameView.h"
#include "editor/patches/PatchManager.h"
#include "editor/toolbar/TBWindow.h"
#include "framework/drawing/Canvas.h"
#include "framework/images/ImageCache.h"
#include "framework/input/Event.h"
#include "framework/windows/ABCWindow.h"
#include "panels/items/PnlKnobs.h"
#include "panels/painters/KnobGUI.h"
#include "panels/panel/Module.h"
#include "patch/document/Patch.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"
#include "synth/link/Pebix.h"

#include <algorithm>

using namespace NSHarrowen;

namespace {

constexpr uint8_t kMorphLocation = 2;
constexpr std::array<int16_t, 6> kColumnLeft{5, 55, 110, 160, 215, 270};
constexpr std::array<int16_t, 3> kRowTop{3, 52, 101};
constexpr std::array<int16_t, 3> kExtraNameLeft{50, 150, 250};
constexpr int16_t kExtraTop = 155;
constexpr CColor kSeparator{0x7777, 0x7777, 0x7777};
constexpr CColor kSmallModelFrame{0xBD00, 0x7B00, 0x7B00};
constexpr uint32_t kDecorations = 316;
constexpr int16_t kTagSize = 11;
// The strip at the left that shows whether the synthesizer is the small model.
constexpr int16_t kSmallModelStrip = 110;

CPatch* ActivePatch()
{
    const CPatchManager* patches = GetPatchManager();
    return patches ? patches->GetActivePatch() : nullptr;
}

// The control that edits a parameter of the patch: a module panel's, or a
// morph group's knob on the toolbar.
CPnlControl* FindParamControl(const CPatch& patch, const ParamAddress& address)
{
    if (address.location == kMorphLocation) {
        const CTBWindow* toolbar = GetToolbarWindow();
        return toolbar ? toolbar->GetMorphEntry(address.param) : nullptr;
    }
    const auto* module = dynamic_cast<const CModule*>(patch.FindModule(address));
    return module ? module->GetControl(address.param) : nullptr;
}

CPoint CellOrigin(size_t cell)
{
    return CPoint(kColumnLeft[cell / 3], kRowTop[cell % 3]);
}

} // namespace

CKnobFloaterContainer::CKnobFloaterContainer(CGroupView* parent) : CSolidColorGroupView(parent)
{
    SetColor(kBackground);
    SetFrame(CRect(0, 0, kWidth, kHeight));
    for (size_t i = 0; i < kKnobCount; ++i) {
        const CPoint at = CellOrigin(i);
        Cell& cell = cells_[i];
        cell.name = new CFloaterNameView(this, at.x, at.y);
        cell.knob = new CPnlMediumKnob(this, static_cast<int16_t>(at.x + 7), static_cast<int16_t>(at.y + 22));
        cell.knob->SetStepCount(127);
        cell.led = new CFloaterLED(this, static_cast<int16_t>(at.x + 34), static_cast<int16_t>(at.y + 22));
    }
    for (size_t i = 0; i < kExtraKnobs.size(); ++i)
        extraNames_[i] = new CFloaterNameView(this, kExtraNameLeft[i], kExtraTop);
}

CKnobFloaterContainer::~CKnobFloaterContainer()
{
    // The knobs leave while their container is still whole.
    DeleteChildren();
}

uint8_t CKnobFloaterContainer::GetKnobNumber(const CPnlControl& control) const
{
    for (size_t i = 0; i < kKnobCount; ++i)
        if (cells_[i].knob == &control)
            return static_cast<uint8_t>(i);
    return CKnobMap::kNone;
}

CPnlControl* CKnobFloaterContainer::FindAssignedControl(const CPnlControl& control) const
{
    CPatch* patch = ActivePatch();
    if (!patch)
        return nullptr;
    const uint8_t knob = GetKnobNumber(control);
    const CKnobMap map = patch->GetKnobMap();
    ParamAddress address;
    if (!map.FindByKnob(knob) || !map.GetParamOfKnob(knob, address))
        return nullptr;
    return FindParamControl(*patch, address);
}

template <typename Result, typename Step>
Result CKnobFloaterContainer::Forward(const CPnlControl& control, Result fallback, Step step) const
{
    CPnlControl* assigned = FindAssignedControl(control);
    CControlContainerInterface* container = assigned ? assigned->GetContainer() : nullptr;
    if (!container)
        return fallback;
    return step(*container, *assigned);
}

void CKnobFloaterContainer::AddControl(CPnlControl&)
{
    // The cells know their knobs.
}

void CKnobFloaterContainer::ChangeValue(CPnlControl& control, uint8_t value)
{
    Forward(control, 0, [value](CControlContainerInterface& c, CPnlControl& a) {
        c.ChangeValue(a, value);
        return 0;
    });
    // A step of the user's gesture: the floater shows the new value at once.
    UpdateAllWindows();
}

void CKnobFloaterContainer::ChangeMorph(CPnlControl& control, int8_t amount)
{
    Forward(control, 0, [amount](CControlContainerInterface& c, CPnlControl& a) {
        c.ChangeMorph(a, amount);
        return 0;
    });
    UpdateAllWindows();
}

void CKnobFloaterContainer::BeginEdit(CPnlControl& control)
{
    Forward(control, 0, [](CControlContainerInterface& c, CPnlControl& a) {
        c.BeginEdit(a);
        return 0;
    });
}

void CKnobFloaterContainer::TouchControl(CPnlControl& control)
{
    Forward(control, 0, [](CControlContainerInterface& c, CPnlControl& a) {
        c.TouchControl(a);
        return 0;
    });
}

void CKnobFloaterContainer::EndEdit(CPnlControl& control)
{
    Forward(control, 0, [](CControlContainerInterface& c, CPnlControl& a) {
        c.EndEdit(a);
        return 0;
    });
}

void CKnobFloaterContainer::ShowContextMenu(CPnlControl& control, CPoint where)
{
    // The assigned parameter's own knob assignment menu.
    Forward(control, 0, [where](CControlContainerInterface& c, CPnlControl& a) {
        c.ShowContextMenu(a, where);
        return 0;
    });
}

bool CKnobFloaterContainer::AssignToToolbarMorphGroup(CPnlControl& control, int8_t amount)
{
    return Forward(control, false, [amount](CControlContainerInterface& c, CPnlControl& a) {
        return c.AssignToToolbarMorphGroup(a, amount);
    });
}

void CKnobFloaterContainer::RefreshControl(CPnlControl& control)
{
    control.UpdateDisplay();
}

int8_t CKnobFloaterContainer::GetMorphAmount(const CPnlControl& control) const
{
    return Forward(control, int8_t{0},
                   [](CControlContainerInterface& c, CPnlControl& a) { return c.GetMorphAmount(a); });
}

uint8_t CKnobFloaterContainer::GetMorphGroup(const CPnlControl&) const
{
    return CABCKnobGUI::kNoGroup;
}

bool CKnobFloaterContainer::HasParamFocus(const CPnlControl& control) const
{
    return Forward(control, false, [](CControlContainerInterface& c, CPnlControl& a) { return c.HasParamFocus(a); });
}

ParamAddress CKnobFloaterContainer::GetParamAddress(const CPnlControl&) const
{
    return ParamAddress{1, 0, 0};
}

std::string CKnobFloaterContainer::GetModuleName(const CPnlControl&) const
{
    return {};
}

std::string CKnobFloaterContainer::GetParamName(const CPnlControl&) const
{
    return {};
}

uint8_t CKnobFloaterContainer::GetDefaultValue(const CPnlControl& control) const
{
    return Forward(control, uint8_t{0},
                   [](CControlContainerInterface& c, CPnlControl& a) { return c.GetDefaultValue(a); });
}

void CKnobFloaterContainer::ShowAssignment(CPatch& patch, uint8_t knob, CFloaterNameView& name, Cell* cell)
{
    const CKnobMap& map = patch.GetKnobMap();
    ParamAddress address;
    if (!map.FindByKnob(knob) || !map.GetParamOfKnob(knob, address)) {
        name.SetLines({}, {});
        if (cell) {
            cell->knob->SetValue(0);
            if (cell->assigned) {
                cell->led->SetLit(false);
                cell->assigned = false;
            }
        }
        return;
    }
    const CPnlControl* control = FindParamControl(patch, address);
    if (address.location == kMorphLocation)
        name.SetLines("Morph", "group " + std::to_string(address.param + 1));
    else if (control)
        name.SetLines(control->GetContainerName(), control->GetParamName());
    if (!cell)
        return;
    uint8_t value = 0;
    uint8_t steps = 127;
    if (control) {
        value = control->GetValue();
        steps = control->GetStepCount();
    } else if (address.location == kMorphLocation) {
        value = patch.GetMorphMap().GetGroupValue(address.param);
    }
    value = std::min<uint8_t>(value, 127);
    if (cell->knob->GetValue() != value)
        cell->knob->SetValue(value);
    cell->knob->SetStepCount(steps);
    if (!cell->assigned) {
        cell->led->SetLit(true);
        cell->assigned = true;
    }
}

void CKnobFloaterContainer::UpdateState()
{
    CSolidColorGroupView::UpdateState();
    CPatch* patch = ActivePatch();
    // Without a patch window the cells keep what they show.
    if (!patch)
        return;
    for (size_t i = 0; i < kKnobCount; ++i)
        ShowAssignment(*patch, static_cast<uint8_t>(i), *cells_[i].name, &cells_[i]);
    for (size_t i = 0; i < kExtraKnobs.size(); ++i)
        ShowAssignment(*patch, kExtraKnobs[i], *extraNames_[i], nullptr);
    smallModel_ = patch->IsLinked() && dynamic_cast<const CPebix*>(patch->GetSynth()) != nullptr;
}

void CKnobFloaterContainer::UpdateDisplay()
{
    CSolidColorGroupView::UpdateDisplay();
    if (shownSmallModel_ != smallModel_) {
        shownSmallModel_ = smallModel_;
        const CRect& frame = GetFrame();
        InvalidateRect(CRect(frame.left, frame.top, frame.left + kSmallModelStrip, frame.bottom));
    }
}

void CKnobFloaterContainer::MouseDown(const CEvent& event)
{
    const CPoint where = event.GetPoint();
    for (const Cell& cell : cells_)
        if (cell.knob->GetFrame().Contains(where)) {
            if (event.IsDoubleClick())
                cell.knob->OnDoubleClick(where.x, where.y);
            else
                cell.knob->OnMouseDown(where.x, where.y);
            return;
        }
}

void CKnobFloaterContainer::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    {
        CCanvas canvas(window);
        for (const Cell& cell : cells_)
            if (!cell.knob->GetPainter().GetStateByte()) {
                const CRect& knob = cell.knob->GetFrame();
                canvas.FillRect(CRect(knob.left, knob.top + 21, knob.right, knob.top + 25), kBackground);
            }
    }
    CSolidColorGroupView::Draw();
    DrawDecorations();
}

void CKnobFloaterContainer::DrawDecorations()
{
    CCanvas canvas(GetWindow());
    const CRect& frame = GetFrame();
    const int left = frame.left;
    const int top = frame.top;
    for (const int x : {107, 212, 264})
        canvas.DrawVerticalLine(left + x, top, top + 147, kSeparator);
    canvas.DrawHorizontalLine(top + 149, left, frame.right - 1, kSeparator);
    for (int i = 0; i < 3; ++i)
        canvas.DrawImagePart(left + 10 + 100 * i, top + 152, CImageID(kDecorations), 33 * i, 0, 32, 24);
    for (size_t i = 0; i < kKnobCount; ++i) {
        // The number tags: knobs 1-9 from the upper row, 10-18 from the lower.
        const CPoint at = CellOrigin(i);
        const int row = i < 9 ? 25 : 36;
        canvas.DrawImagePart(left + at.x + 32, top + at.y + 32, CImageID(kDecorations),
                             kTagSize * static_cast<int>(i % 9), row, kTagSize, kTagSize);
    }
    canvas.FrameRect(CRect(left, top, left + 105, top + 50), shownSmallModel_ ? kSmallModelFrame : kBackground);
}
