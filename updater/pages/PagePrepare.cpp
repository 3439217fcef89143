#include "updater/pages/PagePrepare.h"

#include "framework/views/StaticTextView.h"
#include "updater/image/UpdateFile.h"
#include "updater/pages/WizardHost.h"

namespace NSBootwren {

CPagePrepare::CPagePrepare(CWizardHost& host) : CWizardDialog(host, 103, {1008, 1007, 1010})
{
    heading_ = MakeText(1013);
    instructions_ = MakeText(1006);
    MakeText(1014);
}

void CPagePrepare::FillTexts()
{
    CWizardDialog::FillTexts();
    heading_->SetText(FillPlaceholders(heading_->GetText()));
    instructions_->SetText(GetHost().GetImage().GetModel().PrepareText());
}

} // namespace NSBootwren
