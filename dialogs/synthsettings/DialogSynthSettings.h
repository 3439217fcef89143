#pragma once

#include "dialogs/common/NumberSetting.h"
#include "framework/windows/ModalDialog.h"
#include "synth/protocol/SynthSettings.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace NSHarrowen {
class CCheckBoxView;
class CPushButtonView;
class CRadioButtonGroupView;
class CSingleLineTextEditView;
class CStaticTextView;
} // namespace NSHarrowen
class CPortManager;

// The global settings of the synthesizer on one port, on template 166, edited
// live: at the idle step after each change the dialog builds the settings
// record and sends it when it differs from the last one the synthesizer is
// known to hold. The record starts from that last-known one, so what the
// dialog does not edit (the per-slot values, an inactive slot's channel)
// goes back as it came. OK sends what is pending and closes; Cancel sends
// the settings the synthesizer had at opening and closes. Settings the
// synthesizer reports meanwhile replace what the dialog shows.
class CDialogSynthSettings final : public NSHarrowen::CModalDialog {
public:
    static constexpr int32_t kTemplate = 166;
    static constexpr uint32_t kHelpContext = 30;
    static constexpr uint32_t kTitleString = 400128070;
    static constexpr int kSlots = CSynthSettings::kSlotCount;
    enum ENumber : int { kVelMax, kVelMin, kTune, kRate, kSync, kChannelA, kNumberCount = kChannelA + kSlots };
    enum EChoice : int { kPedalPolarity, kKnobMode, kKeyboardMode, kClockSource, kChoiceCount };
    enum EFlag : int { kReceive, kSend, kLocalOff, kLeds, kFlagCount };

    // What the controls show.
    struct CWorkingValues {
        std::array<int32_t, kChoiceCount> choices{};
        std::array<int32_t, kNumberCount> numbers{127, 0, 0, 120, 4, 1, 2, 3, 4};
        std::array<bool, kFlagCount> flags{true, true, false, true};
        std::array<bool, kSlots> active{true, true, true, true};
        std::string name;
    };

    CDialogSynthSettings(CPortManager& ports, uint8_t port);
    ~CDialogSynthSettings() override;

    uint32_t GetHelpContext() const override { return kHelpContext; }
    void ReceiveNotifications() override;
    void UpdateState() override;
    void Idle() override;

    // The last-known record with the working values written over it.
    CSynthSettings BuildSettings() const;

    const CNumberSetting& GetNumber(ENumber number) const { return *numbers_[number]; }
    NSHarrowen::CRadioButtonGroupView* GetChoice(EChoice choice) const { return choices_[choice]; }
    NSHarrowen::CCheckBoxView* GetFlagBox(EFlag flag) const { return flagBoxes_[flag]; }
    NSHarrowen::CCheckBoxView* GetActiveBox(int slot) const { return activeBoxes_[slot]; }
    NSHarrowen::CSingleLineTextEditView* GetNameField() const { return name_; }
    NSHarrowen::CStaticTextView* GetFrequencyView() const { return frequencyView_; }
    NSHarrowen::CPushButtonView* GetHelpButton() const { return help_; }
    NSHarrowen::CPushButtonView* GetOkButton() const { return ok_; }
    NSHarrowen::CPushButtonView* GetCancelButton() const { return cancel_; }

private:
    void BuildViews();
    void BuildFocusChain();
    void DisableWhatTheModelLacks();
    void LoadWorkingValues(const CSynthSettings& settings);
    void SetNumber(ENumber number, int32_t value);
    void TakeName();
    void TakeUserActions();
    void ShowWorkingValues();
    bool SendIfChanged();
    bool HasSynth() const;

    CPortManager& ports_;
    const uint8_t port_;
    const CSynthSettings opening_;
    CSynthSettings lastKnown_;
    uint32_t settingsTime_;
    const uint8_t slotCount_;
    bool closeRequested_ = false;
    bool changed_ = false;
    CWorkingValues working_;
    std::string frequency_;

    std::array<std::unique_ptr<CNumberSetting>, kNumberCount> numbers_;
    std::array<NSHarrowen::CRadioButtonGroupView*, kChoiceCount> choices_{};
    std::array<NSHarrowen::CCheckBoxView*, kFlagCount> flagBoxes_{};
    std::array<NSHarrowen::CCheckBoxView*, kSlots> activeBoxes_{};
    std::array<NSHarrowen::CStaticTextView*, kSlots> slotLabels_{};
    NSHarrowen::CSingleLineTextEditView* name_ = nullptr;
    NSHarrowen::CStaticTextView* frequencyView_ = nullptr;
    NSHarrowen::CPushButtonView* help_ = nullptr;
    NSHarrowen::CPushButtonView* ok_ = nullptr;
    NSHarrowen::CPushButtonView* cancel_ = nullptr;
};

// The master tune as a frequency: 440 × 2^(cents / 1200) with two decimals
// and "Hz" ("440.00Hz" at 0).
std::string TuneFrequencyText(int32_t cents);

// Whether a typed character may go into the synthesizer's name: the
// printable characters from blank to "}" but the backslash.
bool IsSynthNameCharacter(char32_t character);
