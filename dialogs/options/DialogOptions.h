#pragma once

#include "framework/windows/ModalDialog.h"

#include <cstdint>

namespace NSHarrowen {
class CCheckBoxView;
class CPushButtonView;
class CRadioButtonGroupView;
} // namespace NSHarrowen
class CPreferences;

// "Editor Options" on dialog template 210: the cable style, the knob
// control mode, "Auto upload" and "Recycle windows". It works on copies of
// the preferences; OK writes them back (the preferences apply the cable
// style and knob mode at once) and saves the preferences file, Cancel
// writes nothing.
class CDialogOptions final : public NSHarrowen::CModalDialog {
public:
    static constexpr int32_t kTemplate = 210;
    static constexpr uint32_t kHelpContext = 40;
    enum EItem : uint16_t {
        kOk = 1171,
        kCancel = 1172,
        kHelp = 1004,
        kCableBox = 1140,
        kStraight3D = 1141,
        kCurved3D = 1142,
        kStraightThin = 1143,
        kCurvedThin = 1011,
        kKnobBox = 1155,
        kCircular = 1156,
        kHorizontal = 1157,
        kVertical = 1158,
        kAutoUpload = 1159,
        kRecycleWindows = 1013,
    };

    explicit CDialogOptions(CPreferences& preferences);

    uint32_t GetHelpContext() const override { return kHelpContext; }
    void ReceiveNotifications() override;
    void UpdateState() override;

    NSHarrowen::CRadioButtonGroupView* GetCableStyles() const { return cableStyles_; }
    NSHarrowen::CRadioButtonGroupView* GetKnobModes() const { return knobModes_; }
    NSHarrowen::CCheckBoxView* GetAutoUploadBox() const { return autoUploadBox_; }
    NSHarrowen::CCheckBoxView* GetRecycleBox() const { return recycleBox_; }
    NSHarrowen::CPushButtonView* GetOkButton() const { return ok_; }
    NSHarrowen::CPushButtonView* GetCancelButton() const { return cancel_; }
    NSHarrowen::CPushButtonView* GetHelpButton() const { return help_; }

private:
    void ShowWorkingCopies();
    void WriteBack();
    void ShowHelp();

    CPreferences& preferences_;
    NSHarrowen::CRadioButtonGroupView* cableStyles_ = nullptr;
    NSHarrowen::CRadioButtonGroupView* knobModes_ = nullptr;
    NSHarrowen::CCheckBoxView* autoUploadBox_ = nullptr;
    NSHarrowen::CCheckBoxView* recycleBox_ = nullptr;
    NSHarrowen::CPushButtonView* ok_ = nullptr;
    NSHarrowen::CPushButtonView* cancel_ = nullptr;
    NSHarrowen::CPushButtonView* help_ = nullptr;
    // The working copies.
    uint16_t cableStyle_;
    uint16_t knobControl_;
    bool autoUpload_;
    // An option of the preferences no control shows: written back as read.
    bool maximisedWindows_;
    bool recycleWindows_;
};
