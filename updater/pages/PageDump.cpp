#include "updater/pages/PageDump.h"

#include "framework/views/StaticTextView.h"
#include "framework/controls/UpDownButtonView.h"
#include "updater/link/UpdateLink.h"
#include "updater/pages/WizardHost.h"
#include "framework/controls/ProgressBarView.h"
#include "framework/resources/ResourceText.h"

#include <cmath>

namespace NSBootwren {

namespace {

// The texts of each trouble (string resource 128), and the advice that
// follows those a new try may mend.
constexpr uint32_t kTroubleTexts[] = {0, 400128006, 400128007, 400128008, 400128009};
constexpr uint32_t kTryAgainText = 400128010;

} // namespace

CPageDump::CPageDump(CWizardHost& host) : CWizardDialog(host, 107, {1029, 1033, 1030})
{
    progress_ = new NSHarrowen::CProgressBarView(GetRootView(), *GetDialogItem(1031));
    status_ = MakeText(1032);
    advice_ = MakeText(1048);
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
    advice_->SetText("");
}

std::string CPageDump::TroubleText(int32_t trouble) const
{
    if (trouble <= kTroubleNone || trouble > kTroubleNoVerdict)
        return {};
    std::string text = NSHarrowen::GetResourceString(kTroubleTexts[trouble]);
    if (trouble != kTroubleGone)
        text += "\r" + NSHarrowen::GetResourceString(kTryAgainText);
    return FillPlaceholders(text);
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
        advice_->SetText(TroubleText(link.GetDumpTrouble()));
        break;
    case kDumpDone:
        GoNext();
        break;
    default:
        break;
    }
}

} // namespace NSBootwren
