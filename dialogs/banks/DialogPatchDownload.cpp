#include "dialogs/banks/DialogPatchDownload.h"

#include "framework/controls/PushButtonView.h"
#include "framework/files/AskFileDialogs.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/DialogItem.h"
#include "synth/files/PatchFileTypes.h"
#include "synth/flash/BankTransfer.h"

using namespace NSHarrowen;

CDialogPatchDownload::CDialogPatchDownload(uint8_t port) : CBankTransferDialog(kTemplate, port, "Bank Download")
{
    CGroupView* locationBox =
        MakeSharedViews({kBankBox, kLocationBox, kBankPopup, kProgress, kStatus, kMoreInfo, kStart, kStop, kExit});
    browseFile_ = new CPushButtonView(locationBox, Item(kBrowseFile));
    browseFolder_ = new CPushButtonView(locationBox, Item(kBrowseFolder));
    MakeLocationLines(locationBox, kSourceLine1, kSourceLine2);
    warning_ = new CStaticTextView(GetRootView(), Item(kWarningLine));
    AddToFocusChain(browseFile_);
    AddToFocusChain(browseFolder_);
    FinishConstruction("Bank Download To ");
}

CDialogPatchDownload::~CDialogPatchDownload() = default;

void CDialogPatchDownload::TakeBrowseClicks()
{
    if (browseFile_->TakeClick() && HasSynth())
        Browse([this] { ChooseListFile(); });
    if (browseFolder_->TakeClick() && HasSynth())
        Browse([this] { ChooseFolder(); });
}

void CDialogPatchDownload::ChooseListFile()
{
    std::unique_ptr<CFileSpec> chosen;
    if (AskOpenFileOfType(this, kChooserTitle, kFileTypePatchList, chosen) && chosen) {
        folder_.reset();
        listFile_ = std::move(chosen);
    }
}

void CDialogPatchDownload::ChooseFolder()
{
    std::unique_ptr<CDirSpec> chosen;
    if (NSHarrowen::ChooseFolder(GetRootView(), kFolderChooserTitle, chosen, &kFileTypePatch) && chosen) {
        listFile_.reset();
        folder_ = std::move(chosen);
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
    if (listFile_)
        ShowLocation(*listFile_);
    else if (folder_)
        ShowLocation(folder_->GetPath(), "Patches in alphabetic order.");
    else
        ShowLocation("Select source", "");
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
