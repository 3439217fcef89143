#include "dialogs/banks/DialogPatchUpload.h"

#include "framework/controls/PushButtonView.h"
#include "framework/files/AskFileDialogs.h"
#include "framework/views/GroupBoxView.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/DialogItem.h"
#include "synth/files/PatchFileTypes.h"
#include "synth/flash/BankTransfer.h"

#include <exception>

using namespace NSHarrowen;

CDialogPatchUpload::CDialogPatchUpload(uint8_t port) : CBankTransferDialog(kTemplate, port, "Bank Upload")
{
    CGroupView* root = GetRootView();
    auto* bankBox = new CGroupBoxView(root, Item(kBankBox).rect, Item(kBankBox).text);
    auto* locationBox = new CGroupBoxView(root, Item(kLocationBox).rect, Item(kLocationBox).text);
    MakeSharedViews(bankBox, {kBankPopup, kProgress, kStatus, kMoreInfo, kStart, kStop, kExit});
    browse_ = new CPushButtonView(locationBox, Item(kBrowse));
    line1_ = new CStaticTextView(locationBox, Item(kDestinationLine1));
    line2_ = new CStaticTextView(locationBox, Item(kDestinationLine2));
    AddToFocusChain(browse_);
    FinishConstruction("Bank Upload From ");
}

CDialogPatchUpload::~CDialogPatchUpload() = default;

void CDialogPatchUpload::TakeBrowseClicks()
{
    if (browse_->TakeClick() && HasSynth())
        ChooseDestination();
}

void CDialogPatchUpload::ChooseDestination()
{
    try {
        ResetResult();
        const std::string defaultName = "Bank" + std::to_string(GetBankIndex() + 1);
        std::unique_ptr<CFileSpec> chosen;
        if (AskSaveFile(GetRootView(), defaultName, kFileTypePatchList, chosen, kChooserTitle) && chosen)
            destination_ = std::move(chosen);
    } catch (const std::exception&) {
        BrowseFailed();
    }
}

void CDialogPatchUpload::StartTransfer()
{
    if (destination_)
        Engine().StartUpload(*destination_, GetBankIndex(), &Log());
}

void CDialogPatchUpload::ShowSource()
{
    if (destination_) {
        line1_->SetText(destination_->GetDirectoryPath());
        line2_->SetText(destination_->GetFileName());
    } else {
        line1_->SetText("Select destination");
        line2_->SetText("");
    }
}

void CDialogPatchUpload::EnableBrowsing(bool enabled)
{
    browse_->SetEnabled(enabled);
}
