#pragma once

#include "dialogs/banks/BankTransferDialog.h"

namespace NSHarrowen {
class CDirSpec;
class CFileSpec;
} // namespace NSHarrowen

// Bank Download: fills a flash bank of the port's synthesizer from a patch
// list file, or from a folder's patch files in name order.
class CDialogPatchDownload final : public CBankTransferDialog {
public:
    static constexpr int32_t kTemplate = 275;
    static constexpr const char* kChooserTitle = "Patch Bank file";
    static constexpr const char* kFolderChooserTitle = "Patch Bank folder";
    static constexpr const char* kWarning = "WARNING! All patches in the bank will be erased.";
    enum EItem : uint16_t {
        kLocationBox = 1190,
        kSourceLine1 = 1191,
        kSourceLine2 = 1192,
        kBrowseFile = 1193,
        kBrowseFolder = 1004,
        kBankBox = 1189,
        kBankPopup = 1188,
        kProgress = 1194,
        kStatus = 1195,
        kMoreInfo = 1196,
        kWarningLine = 1197,
        kStart = 1198,
        kStop = 1199,
        kExit = 1200,
    };

    explicit CDialogPatchDownload(uint8_t port);
    ~CDialogPatchDownload() override;

    const NSHarrowen::CFileSpec* GetListFile() const { return listFile_.get(); }
    const NSHarrowen::CDirSpec* GetFolder() const { return folder_.get(); }
    NSHarrowen::CStaticTextView* GetWarningLine() const { return warning_; }
    NSHarrowen::CPushButtonView* GetBrowseFileButton() const { return browseFile_; }
    NSHarrowen::CPushButtonView* GetBrowseFolderButton() const { return browseFolder_; }

protected:
    void TakeBrowseClicks() override;
    void StartTransfer() override;
    bool HasSource() const override { return listFile_ || folder_; }
    void ShowSource() override;
    void EnableBrowsing(bool enabled) override;
    void ShowWarning(bool running) override;

private:
    void ChooseListFile();
    void ChooseFolder();

    NSHarrowen::CPushButtonView* browseFile_ = nullptr;
    NSHarrowen::CPushButtonView* browseFolder_ = nullptr;
    NSHarrowen::CStaticTextView* warning_ = nullptr;
    std::unique_ptr<NSHarrowen::CFileSpec> listFile_;
    std::unique_ptr<NSHarrowen::CDirSpec> folder_;
};
