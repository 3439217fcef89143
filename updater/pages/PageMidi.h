#pragma once

#include "updater/pages/WizardDialog.h"

#include <cstdint>

namespace NSHarrowen {
class CCheckBoxView;
class CPopupButtonView;
} // namespace NSHarrowen

namespace NSBootwren {

// Step 3: the MIDI ports and the slow pacing.
class CPageMidi final : public CWizardDialog {
public:
    explicit CPageMidi(CWizardHost& host);
    void FillTexts() override;
    bool CanGoNext() const override { return true; }
    int NextPage() const override { return 4; }
    // Opens the chosen ports; false keeps the page.
    bool OnNext() override;
    bool CanGoBack() const override { return true; }
    int BackPage() const override { return 2; }
    bool OnCancel() override { return false; }
    void ReceiveNotifications() override;
    void UpdateState() override;

    NSHarrowen::CPopupButtonView* GetInputPopup() const { return input_; }
    NSHarrowen::CPopupButtonView* GetOutputPopup() const { return output_; }
    NSHarrowen::CCheckBoxView* GetSafeBox() const { return safe_; }

private:
    void ListPorts();

    NSHarrowen::CStaticTextView* instructions_;
    NSHarrowen::CPopupButtonView* input_;
    NSHarrowen::CPopupButtonView* output_;
    NSHarrowen::CCheckBoxView* safe_;
    uint16_t chosenInput_ = 0;
    uint16_t chosenOutput_ = 0;
};

} // namespace NSBootwren
