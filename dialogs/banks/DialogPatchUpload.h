#pragma once

#include "dialogs/banks/BankTransferDialog.h"

namespace NSHarrowen {
class CFileSpec;
}

// Bank Upload: copies a flash bank of the port's synthesizer into a folder
// of patch files, with a patch list under the name the user gives.
class CDialogPatchUpload final : public CBankTransferDialog {
public:
    static constexpr int32_t kTemplate = 269;
    static constexpr const char* kChooserTitle = "Patch Bank file";
    enum EItem : uint16_t {
        kBankBox = 1183,
        kBankPopup = 1179,
        kLocationBox = 1184,
        kDestinationLine1 = 1169,
        kDestinationLine2 = 1170,
        kBrowse = 1004,
        kProgress = 1047,
        kStatus = 1185,
        kMoreInfo = 1187,
        kStart = 1180,
        kStop = 1186,
        kExit = 1163,
    };

    explicit CDialogPatchUpload(uint8_t port);
    ~CDialogPatchUpload() override;

    NSHarrowen::CPushButtonView* GetBrowseButton() const { return browse_; }

protected:
    void TakeBrowseClicks() override;
    void StartTransfer() override;
    bool HasSource() const override { return destination_ != nullptr; }
    void ShowSource() override;
    void EnableBrowsing(bool enabled) override;

private:
    void ChooseDestination();

    NSHarrowen::CPushButtonView* browse_ = nullptr;
    std::unique_ptr<NSHarrowen::CFileSpec> destination_;
};
