#include "dialogs/banks/DialogPatchDownload.h"

#include "framework/controls/PushButtonView.h"
#include "framework/files/AskFileDialogs.h"
#include "framework/views/GroupBoxView.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/DialogItem.h"
#include "synth/files/PatchFileTypes.h"
#include "synth/flash/BankTransfer.h"

#include <exception>

using namespace NSHarrowen;

CDialogPatchDownload::CDialogPatchDownload(uint8_t port) : CBankTransferDialog(kTemplate, port, "Bank Download")
{
    CGroupView* root = GetRootView();
    auto* bankBox = new CGroupBoxView(root, Item(kBankBox).rect, Item(kBankBox).text);
    auto* locationBox = new CGroupBoxView(root, Item(kLocationBox).rect, Item(kLocationBox).text);
    MakeSharedViews(bankBox, {kBankPopup, kProgress, kStatus, kMoreInfo, kStart, kStop, kExit});
    browseFile_ = new CPushButtonView(locationBox, Item(kBrowseFile));
    browseFolder_ = new CPushButtonView(locationBox, Item(kBrowseFolder));
    line1_ = new CStaticTextView(locationBox, Item(kSourceLine1));
    line2_ = new CStaticTextView(locationBox, Item(kSourceLine2));
    warning_ = new CStaticTextView(root, Item(kWarningLine));
    AddToFocusChain(browseFile_);
    AddToFocusChain(browseFolder_);
    FinishConstruction("Bank Download To ");
}

CDialogPatchDownload::~CDialogPatchDownload() = default;

void CDialogPatchDownload::TakeBrowseClicks()
{
    if (browseFile_->TakeClick() && HasSynth())
        ChooseListFile();
    if (browseFolder_->TakeClick() && HasSynth())
        ChooseFolder();
}

void CDialogPatchDownload::ChooseListFile()
{
    try {
        ResetResult();
        std::unique_ptr<CFileSpec> chosen;
        if (AskOpenFileOfType(this, kChooserTitle, kFileTypePatchList, chosen) && chosen) {
            folder_.reset();
            listFile_ = std::move(chosen);
        }
    } catch (const std::exception&) {
        BrowseFailed();
    }
}

void CDialogPatchDownload::ChooseFolder()
{
    try {
        ResetResult();
        std::unique_ptr<CDirSpec> chosen;
        if (NSHarrowen::ChooseFolder(GetRootView(), kFolderChooserTitle, chosen, &kFileTypePatch) && chosen) {
            listFile_.reset();
            folder_ = std::move(chosen);
        }
    } catch (const std::exception&) {
        BrowseFailed();
    }
}

void CDialogPatchDownload::StartTransfer()
{
    if (listFile_)
        Engine().DownloadFromListFile(*listFile_, GetBankIndex(), &Log());
    else if (folder_)
        Engine().DownloadFromFolder(*folder_, GetBankIndex(), &Log());
}

void CDialogPatchDownload::ShowSource()
{
    if (listFile_) {
        line1_->SetText(listFile_->GetDirectoryPath());
        line2_->SetText(listFile_->GetFileName());
    } else if (folder_) {
        line1_->SetText(folder_->GetPath());
        line2_->SetText("Patches in alphabetic order.");
    } else {
        line1_->SetText("Select source");
        line2_->SetText("");
    }
}

void CDialogPatchDownload::EnableBrowsing(bool enabled)
{
    browseFile_->SetEnabled(enabled);
    browseFolder_->SetEnabled(enabled);
}

void CDialogPatchDownload::ShowWarning(bool running)
{
    warning_->SetText(running ? "" : kWarning);
}
