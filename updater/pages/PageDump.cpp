#include "updater/pages/PageDump.h"

#include "framework/views/StaticTextView.h"
#include "framework/controls/UpDownButtonView.h"
#include "updater/link/UpdateLink.h"
#include "updater/pages/WizardHost.h"
#include "framework/controls/ProgressBarView.h"

#include <cmath>

namespace NSBootwren {

CPageDump::CPageDump(CWizardHost& host) : CWizardDialog(host, 107, {1029, 1033, 1030})
{
    progress_ = new NSHarrowen::CProgressBarView(GetRootView(), *GetDialogItem(1031));
    status_ = MakeText(1032);
}

// Leaving the page in any way ends the transfer.
CPageDump::~CPageDump()
{
    GetHost().GetLink().StopDump();
}

void CPageDump::FillTexts()
{
    CWizardDialog::FillTexts();
    CUpdateLink& link = GetHost().GetLink();
    link.StopDump();
    link.StartDump();
}

bool CPageDump::CanGoNext() const
{
    return GetHost().GetLink().GetDumpState() == kDumpDone;
}

bool CPageDump::CanGoBack() const
{
    switch (GetHost().GetLink().GetDumpState()) {
    case kDumpHeader:
    case kDumpSending:
    case kDumpWaiting:
        return false;
    default:
        return true;
    }
}

bool CPageDump::OnCancel()
{
    GetHost().GetLink().StopDump();
    return false;
}

void CPageDump::UpdateState()
{
    CWizardDialog::UpdateState();
    if (!IsFilled())
        return;
    UpdateButtons();
    const CUpdateLink& link = GetHost().GetLink();
    const auto perMille = static_cast<int>(std::floor(link.GetProgress()));
    progress_->SetValue(static_cast<uint16_t>(perMille));
    switch (link.GetDumpState()) {
    case kDumpHeader:
    case kDumpSending:
    case kDumpWaiting:
        status_->SetText("Dumping..." + std::to_string(static_cast<int>(std::floor(perMille * 0.1))) + "%");
        break;
    case kDumpFailed:
        status_->SetText("Dump error!");
        break;
    case kDumpDone:
        GoNext();
        break;
    default:
        break;
    }
}

} // namespace NSBootwren
