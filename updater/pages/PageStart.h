#pragma once

#include "updater/pages/WizardDialog.h"

namespace NSBootwren {

// Step 1: the welcome, naming the model and the new version.
class CPageStart final : public CWizardDialog {
public:
    explicit CPageStart(CWizardHost& host);
    void FillTexts() override;
    bool CanGoNext() const override { return true; }
    int NextPage() const override { return 2; }

private:
    NSHarrowen::CStaticTextView* title_;
    NSHarrowen::CStaticTextView* welcome_;
    NSHarrowen::CStaticTextView* comment_;
};

} // namespace NSBootwren
