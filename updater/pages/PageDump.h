#pragma once

#include "updater/pages/WizardDialog.h"

#include <cstdint>
#include <string>

namespace NSHarrowen {
class CProgressBarView;
} // namespace NSHarrowen

namespace NSBootwren {

// Step 5: sends the system with its progress; moves on by itself when the synthesizer has it.
class CPageDump final : public CWizardDialog {
public:
    explicit CPageDump(CWizardHost& host);
    ~CPageDump() override;
    // Starts the transfer from the first byte each time the page is shown.
    void FillTexts() override;
    bool CanGoNext() const override;
    int NextPage() const override { return 6; }
    // Not while the transfer runs: leaving would stop a half-sent system.
    bool CanGoBack() const override;
    int BackPage() const override { return 2; }
    bool OnCancel() override;
    void UpdateState() override;

private:
    // Why the dump failed and what to do now.
    std::string TroubleText(int32_t trouble) const;

    NSHarrowen::CProgressBarView* progress_;
    NSHarrowen::CStaticTextView* status_;
    NSHarrowen::CStaticTextView* advice_;
};

} // namespace NSBootwren
