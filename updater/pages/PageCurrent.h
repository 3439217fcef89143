#pragma once

#include "updater/pages/WizardDialog.h"

namespace NSBootwren {

// Step 4: finds the synthesizer and shows its version and what the update means.
class CPageCurrent final : public CWizardDialog {
public:
    explicit CPageCurrent(CWizardHost& host);
    // Starts the search afresh each time the page is shown.
    void FillTexts() override;
    bool CanGoNext() const override;
    int NextPage() const override { return 5; }
    bool CanGoBack() const override { return true; }
    int BackPage() const override;
    void UpdateState() override;

private:
    void ShowFound();
    NSHarrowen::CStaticTextView* lines_[3];
};

} // namespace NSBootwren
