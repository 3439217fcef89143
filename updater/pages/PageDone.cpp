#include "updater/pages/PageDone.h"

#include "framework/views/StaticTextView.h"
#include "updater/image/UpdateFile.h"
#include "updater/pages/WizardHost.h"

namespace NSBootwren {

CPageDone::CPageDone(CWizardHost& host) : CWizardDialog(host, 109, {1037, 1039, 1038})
{
    text_ = MakeText(1043);
}

void CPageDone::FillTexts()
{
    CWizardDialog::FillTexts();
    text_->SetText(GetHost().GetImage().GetModel().DoneText());
}

} // namespace NSBootwren
