#pragma once

#include "updater/pages/WizardDialog.h"

namespace NSBootwren {

// Step 2: how to bring the synthesizer into its update state.
class CPagePrepare final : public CWizardDialog {
public:
    explicit CPagePrepare(CWizardHost& host);
    void FillTexts() override;
    bool CanGoNext() const override { return true; }
    int NextPage() const override { return 3; }
    bool CanGoBack() const override { return true; }
    int BackPage() const override { return 1; }
    bool OnCancel() override { return false; }

private:
    NSHarrowen::CStaticTextView* heading_;
    NSHarrowen::CStaticTextView* instructions_;
};

} // namespace NSBootwren
