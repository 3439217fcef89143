#pragma once

#include "updater/pages/WizardDialog.h"

namespace NSBootwren {

// Step 6: storing the new system in the synthesizer.
class CPageStore final : public CWizardDialog {
public:
    explicit CPageStore(CWizardHost& host);
    void FillTexts() override;
    bool CanGoNext() const override { return true; }
    int NextPage() const override { return 7; }

private:
    NSHarrowen::CStaticTextView* text_;
};

} // namespace NSBootwren
