#include "updater/pages/PageMidi.h"

#include "framework/input/MouseState.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/views/StaticTextView.h"
#include "updater/image/UpdateFile.h"
#include "updater/link/UpdateLink.h"
#include "updater/pages/WizardHost.h"
#include "framework/controls/CheckBoxView.h"

namespace NSBootwren {

CPageMidi::CPageMidi(CWizardHost& host) : CWizardDialog(host, 105, {1021, 1022, 1015})
{
    NSHarrowen::CGroupView* root = GetRootView();
    instructions_ = MakeText(1020);
    MakeText(1018);
    MakeText(1019);
    input_ = new NSHarrowen::CPopupButtonView(root, *GetDialogItem(1016));
    output_ = new NSHarrowen::CPopupButtonView(root, *GetDialogItem(1017));
    safe_ = new NSHarrowen::CCheckBoxView(root, *GetDialogItem(1047));
    for (NSHarrowen::CView* view : {static_cast<NSHarrowen::CView*>(input_), static_cast<NSHarrowen::CView*>(output_),
                                    static_cast<NSHarrowen::CView*>(safe_)})
        AddToFocusChain(view);
}

void CPageMidi::FillTexts()
{
    CWizardDialog::FillTexts();
    CUpdateLink& link = GetHost().GetLink();
    instructions_->SetText(GetHost().GetImage().GetModel().MidiText());
    if (link.HasPorts()) {
        chosenInput_ = link.GetInPortIndex();
        chosenOutput_ = link.GetOutPortIndex();
    }
    ListPorts();
    SetFocusView(input_);
}

// Devices come and go while the wizard runs (the synthesizer switched off
// and on): each visit and each opening of a list takes them afresh, and
// Next opens them anew.
void CPageMidi::ListPorts()
{
    CUpdateLink& link = GetHost().GetLink();
    link.RelistPorts(chosenInput_, chosenOutput_);
    input_->SetItems(&link.GetInputMenu());
    output_->SetItems(&link.GetOutputMenu());
    input_->SetSelection(chosenInput_);
    output_->SetSelection(chosenOutput_);
}

void CPageMidi::ReceiveNotifications()
{
    if (!IsFilled())
        return;
    const bool inputOpening = input_->TakeOpening();
    if (output_->TakeOpening() || inputOpening)
        ListPorts();
    int16_t pick = 0;
    if (input_->TakeSelection(pick))
        chosenInput_ = static_cast<uint16_t>(pick);
    if (output_->TakeSelection(pick))
        chosenOutput_ = static_cast<uint16_t>(pick);
    if (safe_->TakeClick())
        safe_->SetChecked(!safe_->IsChecked());
    CWizardDialog::ReceiveNotifications();
}

void CPageMidi::UpdateState()
{
    CWizardDialog::UpdateState();
    if (!IsFilled())
        return;
    input_->SetSelection(chosenInput_);
    output_->SetSelection(chosenOutput_);
}

bool CPageMidi::OnNext()
{
    NSHarrowen::SetWaitCursor();
    CUpdateLink& link = GetHost().GetLink();
    const bool opened = link.OpenPorts(chosenInput_, chosenOutput_);
    if (safe_->IsChecked())
        link.SetSafeMode();
    NSHarrowen::SetArrowCursor();
    return opened;
}

} // namespace NSBootwren
