#include "updater/pages/PageCurrent.h"

#include "framework/views/StaticTextView.h"
#include "updater/image/UpdateFile.h"
#include "updater/link/UpdateLink.h"
#include "updater/pages/WizardHost.h"

namespace NSBootwren {

namespace {

constexpr uint32_t kNoOsInstalled = 0x7F7F;

} // namespace

CPageCurrent::CPageCurrent(CWizardHost& host) : CWizardDialog(host, 106, {1024, 1025, 1023})
{
    lines_[0] = MakeText(1026);
    lines_[1] = MakeText(1027);
    lines_[2] = MakeText(1028);
}

void CPageCurrent::FillTexts()
{
    CWizardDialog::FillTexts();
    CUpdateLink& link = GetHost().GetLink();
    link.StopIdentify();
    link.StartIdentify();
}

bool CPageCurrent::CanGoNext() const
{
    return GetHost().GetLink().GetIdentifyResult() == kIdentifyFound;
}

int CPageCurrent::BackPage() const
{
    return GetHost().GetLink().GetIdentifyResult() == kIdentifyNotInUpdateMode ? 2 : 3;
}

void CPageCurrent::UpdateState()
{
    CWizardDialog::UpdateState();
    if (!IsFilled())
        return;
    UpdateButtons();
    const std::string name = GetHost().GetImage().GetModel().DisplayName();
    std::string first;
    switch (GetHost().GetLink().GetIdentifyResult()) {
    case kIdentifyLooking:
        first = "Looking for a " + name;
        break;
    case kIdentifyNoReply:
        first = "Can't find a " + name + " on the ports you have selected.\rPress Back to select new MIDI ports.";
        break;
    case kIdentifyNotInUpdateMode:
        first = "The " + name + " is not in update mode. Press Back for instructions.";
        break;
    case kIdentifyWrongModel:
        first = "It's not a  " + name + " that is connected to the port. Press Back to select new MIDI ports.";
        break;
    case kIdentifyFound:
        ShowFound();
        return;
    default:
        return; // idle: the texts stay
    }
    lines_[0]->SetText(first);
    lines_[1]->SetText("");
    lines_[2]->SetText("");
}

void CPageCurrent::ShowFound()
{
    const CUpdateFile& image = GetHost().GetImage();
    const CUpdateLink& link = GetHost().GetLink();
    const std::string name = image.GetModel().DisplayName();
    const uint32_t current = link.GetCurrentVersion();
    const uint32_t next = image.GetVersion();
    const bool noOs = (current >> 8) == kNoOsInstalled;
    lines_[0]->SetText(noOs ? "There is no OS installed in your " + name + "."
                            : "The current version of your " + name + " is " + link.GetCurrentVersionText());
    lines_[1]->SetText("The new OS will be " + image.GetVersionText());
    std::string warning;
    if (noOs)
        warning.clear();
    else if (current == next)
        warning = "You are about to update your " + name + " with the same version as the one already installed!";
    else {
        warning = image.GetModel().WarningText(current, next);
        if (warning.empty() && next < current)
            warning =
                "WARNING! You are about to update your " + name + " with an earlier version than the one installed!";
    }
    lines_[2]->SetText(warning);
}

} // namespace NSBootwren
