#pragma once

#include "updater/pages/WizardDialog.h"

namespace NSBootwren {

// Step 7: the end; its button ends the program.
class CPageDone final : public CWizardDialog {
public:
    explicit CPageDone(CWizardHost& host);
    void FillTexts() override;
    int BackPage() const override { return 6; }

private:
    NSHarrowen::CStaticTextView* text_;
};

} // namespace NSBootwren
