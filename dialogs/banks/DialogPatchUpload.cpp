#include "dialogs/banks/DialogPatchUpload.h"

#include "framework/controls/PushButtonView.h"
#include "framework/files/AskFileDialogs.h"
#include "framework/windows/DialogItem.h"
#include "synth/files/PatchFileTypes.h"
#include "synth/flash/BankTransfer.h"

using namespace NSHarrowen;

CDialogPatchUpload::CDialogPatchUpload(uint8_t port) : CBankTransferDialog(kTemplate, port, "Bank Upload")
{
    CGroupView* locationBox =
        MakeSharedViews({kBankBox, kLocationBox, kBankPopup, kProgress, kStatus, kMoreInfo, kStart, kStop, kExit});
    browse_ = new CPushButtonView(locationBox, Item(kBrowse));
    MakeLocationLines(locationBox, kDestinationLine1, kDestinationLine2);
    AddToFocusChain(browse_);
    FinishConstruction("Bank Upload From ");
}

CDialogPatchUpload::~CDialogPatchUpload() = default;

void CDialogPatchUpload::TakeBrowseClicks()
{
    if (browse_->TakeClick() && HasSynth())
        Browse([this] { ChooseDestination(); });
}

void CDialogPatchUpload::ChooseDestination()
{
    const std::string defaultName = "Bank" + std::to_string(GetBankIndex() + 1);
    std::unique_ptr<CFileSpec> chosen;
    if (AskSaveFile(GetRootView(), defaultName, kFileTypePatchList, chosen, kChooserTitle) && chosen)
        destination_ = std::move(chosen);
}

void CDialogPatchUpload::StartTransfer()
{
    if (destination_)
        Engine().StartUpload(*destination_, GetBankIndex(), &Log());
}

void CDialogPatchUpload::ShowSource()
{
    if (destination_)
        ShowLocation(*destination_);
    else
        ShowLocation("Select destination", "");
}

void CDialogPatchUpload::EnableBrowsing(bool enabled)
{
    browse_->SetEnabled(enabled);
}
