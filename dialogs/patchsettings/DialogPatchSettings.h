#pragma once

#include "dialogs/common/NumberSetting.h"
#include "framework/windows/ModalDialog.h"
#include "synth/protocol/PatchHeader.h"

#include <array>
#include <cstdint>
#include <memory>

namespace NSHarrowen {
class CCheckBoxView;
class CPushButtonView;
class CRadioButtonGroupView;
class CStaticTextView;
} // namespace NSHarrowen
class CPatch;

// The settings of one patch on template 112: voices, velocity and keyboard
// ranges, pedal and portamento modes, bend range, portamento time, octave
// shift and the two retrigger flags. Every edit goes to the patch at once
// (and so to its synthesizer slot); Cancel puts back the settings the patch
// had when the dialog opened. It also shows the voices the synthesizer gives
// the patch and the patch's resource use.
class CDialogPatchSettings final : public NSHarrowen::CModalDialog {
public:
    static constexpr int32_t kTemplate = 112;
    static constexpr uint32_t kHelpContext = 10;
    enum EItem : uint16_t {
        kVoicesField = 1027,
        kVoicesArrows = 1070,
        kCurrent = 1078,
        kGetNotes = 1004,
        kVelMaxField = 1021,
        kVelMaxArrows = 1042,
        kVelMinField = 1022,
        kVelMinArrows = 1043,
        kKbMaxField = 1026,
        kKbMaxArrows = 1044,
        kKbMinField = 1031,
        kKbMinArrows = 1045,
        kBendField = 1035,
        kBendArrows = 1072,
        kPmTimeField = 1038,
        kPmTimeArrows = 1046,
        kPoly = 1161,
        kCommon = 1162,
        kHelp = 1178,
        kOk = 1091,
        kCancel = 1092,
    };
    // The numbers in the order the dialog takes them.
    enum ENumber : int { kVelMax, kVelMin, kKbMax, kKbMin, kVoices, kPmTime, kBend, kNumberCount };

    // What the dialog shows, one value per control.
    struct CEditState {
        int32_t octave = 2;     // octave shift + 2
        int32_t pedal = 1;      // 0 "On/Off", 1 "Sustain"
        int32_t portamento = 0; // 0 "Normal", 1 "Auto"
        std::array<int32_t, kNumberCount> numbers{};
        bool commonRetrig = true;
        bool polyRetrig = true;
    };

    // owner: the patch's window.
    CDialogPatchSettings(NSHarrowen::CABCWindow* owner, CPatch& patch);
    ~CDialogPatchSettings() override;

    uint32_t GetHelpContext() const override { return kHelpContext; }
    void ReceiveNotifications() override;
    void UpdateState() override;

    void LoadEditState(const CPatchHeader& header);
    void StoreEditState(CPatchHeader& header) const;
    void ApplyToPatch();
    void ApplyAndClose();
    void ShowResources();

    const CNumberSetting& GetNumber(ENumber number) const { return *numbers_[number]; }
    NSHarrowen::CRadioButtonGroupView* GetOctaveRadios() const { return octave_; }
    NSHarrowen::CRadioButtonGroupView* GetPedalRadios() const { return pedal_; }
    NSHarrowen::CRadioButtonGroupView* GetPortamentoRadios() const { return portamento_; }
    NSHarrowen::CCheckBoxView* GetPolyBox() const { return poly_; }
    NSHarrowen::CCheckBoxView* GetCommonBox() const { return common_; }
    NSHarrowen::CPushButtonView* GetNotesButton() const { return getNotes_; }
    NSHarrowen::CPushButtonView* GetHelpButton() const { return help_; }
    NSHarrowen::CPushButtonView* GetOkButton() const { return ok_; }
    NSHarrowen::CPushButtonView* GetCancelButton() const { return cancel_; }
    NSHarrowen::CStaticTextView* GetCurrentText() const { return current_; }
    NSHarrowen::CStaticTextView* GetResourceText(int kind) const { return resources_[kind]; }

private:
    void BuildViews();
    void BuildFocusChain();
    bool TakeUserEdits();

    CPatch& patch_;
    const CPatchHeader opening_;
    uint64_t stamp_;
    CEditState state_;
    std::array<std::unique_ptr<CNumberSetting>, kNumberCount> numbers_;
    NSHarrowen::CRadioButtonGroupView* octave_ = nullptr;
    NSHarrowen::CRadioButtonGroupView* pedal_ = nullptr;
    NSHarrowen::CRadioButtonGroupView* portamento_ = nullptr;
    NSHarrowen::CCheckBoxView* poly_ = nullptr;
    NSHarrowen::CCheckBoxView* common_ = nullptr;
    NSHarrowen::CPushButtonView* getNotes_ = nullptr;
    NSHarrowen::CPushButtonView* help_ = nullptr;
    NSHarrowen::CPushButtonView* ok_ = nullptr;
    NSHarrowen::CPushButtonView* cancel_ = nullptr;
    NSHarrowen::CStaticTextView* current_ = nullptr;
    std::array<NSHarrowen::CStaticTextView*, 6> resources_{};
};
