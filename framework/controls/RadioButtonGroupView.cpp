#include "framework/controls/RadioButtonGroupView.h"
#include "framework/controls/RadioButtonView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/controls/ControlLogic.h"
#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"

namespace NSHarrowen {

CRadioButtonGroupView::CRadioButtonGroupView(CGroupView* parent) : CGroupView(parent)
{
    SetFocusable(true);
}

CRadioButtonGroupView::CRadioButtonGroupView(CGroupView* parent, const CRect& frame) : CGroupView(parent, frame)
{
    SetFocusable(true);
}

CRadioButtonView* CRadioButtonGroupView::GetButton(int index) const
{
    return dynamic_cast<CRadioButtonView*>(GetChild(index));
}

int CRadioButtonGroupView::IndexOf(const CView* button) const
{
    for (int i = 0; i < CountChildren(); ++i)
        if (GetChild(i) == button)
            return i;
    return -1;
}

void CRadioButtonGroupView::ReportPick(int16_t index)
{
    if (index < 0 || !ShouldReportPick(index, picked_.IsSet(), picked_.Peek(), selection_))
        return;
    picked_.Publish(index, RunUpdatePasses);
}

void CRadioButtonGroupView::PickNeighbour(bool forward)
{
    ReportPick(static_cast<int16_t>(WrapIndex(selection_, CountChildren(), forward)));
}

void CRadioButtonGroupView::FitToButtons()
{
    if (CountChildren() == 0)
        return;
    CRect bounds = GetChild(0)->GetFrame();
    for (int i = 1; i < CountChildren(); ++i)
        bounds.Union(GetChild(i)->GetFrame());
    SetFrame(bounds);
}

void CRadioButtonGroupView::UpdateDisplay()
{
    const bool enabled = IsEnabledInHierarchy();
    if (selection_ != shown_ || enabled != shownEnabled_) {
        for (int i = 0; i < CountChildren(); ++i)
            if (CRadioButtonView* button = GetButton(i))
                button->SetChecked(i == selection_);
        shown_ = selection_;
        shownEnabled_ = enabled;
    }
    CGroupView::UpdateDisplay();
}

void CRadioButtonGroupView::TakeFocus()
{
    CRadioButtonView* selected = GetButton(selection_);
    if (selected)
        platform::SetFocus(selected->GetHandle());
    RunUpdatePasses();
}

void CRadioButtonGroupView::FocusGained()
{
    CRadioButtonView* selected = GetButton(selection_);
    if (selected && platform::GetFocus() != selected->GetHandle() && platform::IsWindowVisible(selected->GetHandle()))
        platform::SetFocus(selected->GetHandle());
}

void CRadioButtonGroupView::GiveUpFocus()
{
    GiveFocusBackToWindow(*this);
}

void CRadioButtonGroupView::RemoveChild(CView* view)
{
    if (shown_ >= 0 && GetChild(shown_) == view)
        shown_ = -1;
    CGroupView::RemoveChild(view);
}

} // namespace NSHarrowen
