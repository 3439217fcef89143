#include "updater/pages/WizardDialog.h"

#include "framework/alerts/AlertBox.h"
#include "framework/windows/DialogTemplate.h"
#include "framework/controls/PushButtonView.h"
#include "framework/views/StaticTextView.h"
#include "updater/image/UpdateFile.h"
#include "updater/pages/Placeholders.h"
#include "updater/pages/WizardHost.h"

namespace NSBootwren {

namespace {

constexpr const char* kNotUpdatedAlert =
    "[NOTE] You're ^0 has NOT been updated! Switch it off and on for normal usage.[OK]";

} // namespace

CWizardDialog::CWizardDialog(CWizardHost& host, int32_t templateId, const CWizardButtons& buttons) : host_(host)
{
    SetDialogTemplate(NSHarrowen::CDialogTemplate::Load(templateId));
    SetWindowRect(NSHarrowen::CRect(100, 200, 400, 460));
    const NSHarrowen::CRect frame = GetDialogTemplate()->GetFrame();
    SetWindowRect(NSHarrowen::CRect(100, 200, 100 + frame.Width(), 200 + frame.Height()));
    LayoutRootView();
    NSHarrowen::CGroupView* root = GetRootView();
    back_ = new NSHarrowen::CPushButtonView(root, *GetDialogItem(buttons.back));
    next_ = new NSHarrowen::CPushButtonView(root, *GetDialogItem(buttons.next));
    cancel_ = new NSHarrowen::CPushButtonView(root, *GetDialogItem(buttons.cancel));
    for (NSHarrowen::CView* button : {static_cast<NSHarrowen::CView*>(back_), static_cast<NSHarrowen::CView*>(next_),
                                      static_cast<NSHarrowen::CView*>(cancel_)})
        AddToFocusChain(button);
}

CWizardDialog::~CWizardDialog()
{
    host_.ForgetPage(this);
}

NSHarrowen::CStaticTextView* CWizardDialog::MakeText(uint16_t id)
{
    return new NSHarrowen::CStaticTextView(GetRootView(), *GetDialogItem(id));
}

std::string CWizardDialog::FillPlaceholders(const std::string& text) const
{
    const CUpdateFile& image = host_.GetImage();
    return ReplaceAll(ReplaceAll(text, kModelPlaceholder, image.GetModel().DisplayName()), kVersionPlaceholder,
                      image.GetVersionText());
}

void CWizardDialog::FillTexts()
{
    filled_ = true;
    UpdateButtons();
    for (NSHarrowen::CPushButtonView* button : {next_, back_, cancel_})
        if (button->IsEnabled()) {
            SetFocusView(button);
            break;
        }
}

void CWizardDialog::UpdateButtons()
{
    next_->SetEnabled(CanGoNext());
    back_->SetEnabled(CanGoBack());
    SetDefault(next_->IsEnabled() ? next_ : back_->IsEnabled() ? back_ : cancel_);
}

void CWizardDialog::SetDefault(NSHarrowen::CPushButtonView* button)
{
    if (button == default_)
        return;
    if (default_)
        default_->SetDefaultLook(false);
    default_ = button;
    default_->SetDefaultLook(true);
}

void CWizardDialog::ReceiveNotifications()
{
    CNoFrameWindow::ReceiveNotifications();
    if (!IsFilled())
        return;
    if (next_->TakeClick() && CanGoNext() && OnNext()) {
        host_.ShowPage(NextPage());
        return;
    }
    if (back_->TakeClick() && CanGoBack() && OnBack()) {
        host_.ShowPage(BackPage());
        return;
    }
    if (cancel_->TakeClick())
        Cancel();
}

void CWizardDialog::GoNext()
{
    if (CanGoNext() && OnNext())
        host_.ShowPage(NextPage());
}

void CWizardDialog::Cancel()
{
    TellCancelled();
    host_.RequestQuit();
}

void CWizardDialog::TellCancelled()
{
    if (cancelled_)
        return;
    cancelled_ = true;
    if (!OnCancel())
        NSHarrowen::RunAlertTextWithArgs(kNotUpdatedAlert, {host_.GetImage().GetModel().DisplayName()});
}

bool CWizardDialog::CanClose()
{
    TellCancelled();
    return true;
}

bool CWizardDialog::HandleWizardKey(const NSHarrowen::CKeyEvent& event)
{
    if (!IsFilled() || event.kind != NSHarrowen::kEventKeyDown)
        return false;
    // Under an alert the keys are the alert's: its Return is no step of the
    // wizard. Only under the notice that the update was cancelled does
    // Escape end the program, as the notice's OK does.
    if (GetDisableCount() > 0) {
        if (!cancelled_ || event.code != NSHarrowen::kKeyEscape)
            return false;
        host_.RequestQuit();
        return true;
    }
    if (event.code == NSHarrowen::kKeyEscape) {
        cancel_->Click();
        return true;
    }
    if (event.code == NSHarrowen::kKeyReturn || event.code == NSHarrowen::kKeyEnter) {
        if (default_)
            default_->Click();
        return true;
    }
    return false;
}

void CWizardDialog::DoCommand(const NSHarrowen::CKeyEvent& event)
{
    if (!HandleWizardKey(event))
        CNoFrameWindow::DoCommand(event);
}

} // namespace NSBootwren
