#include "updater/pages/PageStore.h"

#include "framework/views/StaticTextView.h"
#include "updater/image/UpdateFile.h"
#include "updater/pages/WizardHost.h"

namespace NSBootwren {

CPageStore::CPageStore(CWizardHost& host) : CWizardDialog(host, 108, {1034, 1036, 1035})
{
    text_ = MakeText(1045);
}

void CPageStore::FillTexts()
{
    CWizardDialog::FillTexts();
    text_->SetText(GetHost().GetImage().GetModel().StoreText());
}

} // namespace NSBootwren
