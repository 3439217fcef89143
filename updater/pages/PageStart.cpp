#include "updater/pages/PageStart.h"

#include "framework/views/StaticTextView.h"
#include "updater/image/UpdateFile.h"
#include "updater/pages/WizardHost.h"

namespace NSBootwren {

CPageStart::CPageStart(CWizardHost& host) : CWizardDialog(host, 102, {1012, 1004, 1011})
{
    title_ = MakeText(1009);
    title_->SetFont(NSHarrowen::CFontSpec("MS Sans Serif", 30));
    welcome_ = MakeText(1003);
    comment_ = MakeText(1046);
}

void CPageStart::FillTexts()
{
    CWizardDialog::FillTexts();
    title_->SetText(FillPlaceholders(title_->GetText()));
    welcome_->SetText(FillPlaceholders(welcome_->GetText()));
    comment_->SetText(GetHost().GetImage().GetComment());
}

} // namespace NSBootwren
