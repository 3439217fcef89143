#include "dialogs/savesynth/DialogSavePatchInSynth.h"

#include "dialogs/common/DialogViews.h"
#include "framework/alerts/AlertBox.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/EdgeDrawing.h"
#include "framework/views/StaticTextView.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/protocol/FlashAddress.h"
#include "synth/protocol/FlashMemory.h"

using namespace NSHarrowen;

namespace {

// The flash memory's result text goes in as the alert's argument.
constexpr const char* kFlashProblem = "[WARN][Flash Problem]^0[OK]";

} // namespace

CDialogSavePatchInSynth::CDialogSavePatchInSynth(CPortManager& ports, const std::string& patchName, uint8_t port,
                                                 uint8_t slot)
    : CModalDialog(kTemplate), ports_(ports), patchName_(patchName), port_(port), slot_(slot)
{
    const CDialogViews views(*this);
    save_ = views.Button(kSave);
    cancel_ = views.Button(kCancel);
    firstLine_ = views.Text(kFirstLine);
    secondLine_ = views.Text(kSecondLine);
    bankPopup_ = new CPopupButtonView(GetRootView(), views.Item(kBankPopup));
    locationPopup_ = new CPopupButtonView(GetRootView(), views.Item(kLocationPopup));
    views.Text(kBankLabel);
    views.Text(kLocationLabel);
    SetDefaultButton(save_);
    SetCancelButton(cancel_);
    for (CView* view : std::initializer_list<CView*>{save_, cancel_, bankPopup_, locationPopup_})
        AddToFocusChain(view);
    firstLine_->SetText("Save  \"" + patchName_ + "\"");
    ShowSynthName();
    FillBankMenu();
    FillLocationMenu();
    bankPopup_->SetItems(&bankMenu_);
    bankPopup_->SetSelection(bank_);
    locationPopup_->SetItems(&locationMenu_);
    locationPopup_->SetSelection(0);
}

bool CDialogSavePatchInSynth::HasOwnSynth() const
{
    return ports_.HasSynth(port_);
}

void CDialogSavePatchInSynth::RedrawViews()
{
    CModalDialog::RedrawViews();
    if (const CDialogItem* box = GetDialogItem(kBox)) {
        CCanvas canvas(this);
        DrawSunkenFrame(canvas, box->rect);
    }
}

void CDialogSavePatchInSynth::ShowSynthName()
{
    if (HasOwnSynth())
        secondLine_->SetText("In Synth:  " + ports_.GetSynth(port_)->GetSynthName());
}

void CDialogSavePatchInSynth::FillBankMenu()
{
    // Without its synthesizer the dialog closes in its first update pass.
    if (!HasOwnSynth())
        return;
    bankMenu_.RemoveAllItems();
    const uint8_t banks = ports_.GetFlashMemory(port_).GetBankCount();
    for (int bank = 1; bank <= banks; ++bank)
        bankMenu_.AppendItem("Bank " + std::to_string(bank));
}

void CDialogSavePatchInSynth::FillLocationMenu()
{
    if (!HasOwnSynth())
        return;
    locationMenu_.RemoveAllItems();
    const std::vector<CFlashEntry>& used = ports_.GetFlashMemory(port_).GetBank(bank_);
    auto entry = used.begin();
    for (uint8_t location = 0; location < CFlashAddress::kLocationsPerBank; ++location) {
        while (entry != used.end() && entry->location < location)
            ++entry;
        const bool stored = entry != used.end() && entry->location == location;
        locationMenu_.AppendItem(std::to_string(location + 1) + "  " + (stored ? entry->name : "Unused Patch"));
    }
}

void CDialogSavePatchInSynth::ReceiveNotifications()
{
    int16_t pick = 0;
    if (bankPopup_->TakeSelection(pick)) {
        bankPopup_->SetSelection(static_cast<uint16_t>(pick));
        bank_ = static_cast<uint8_t>(pick);
        FillLocationMenu();
        location_ = 0;
        locationPopup_->SetItems(&locationMenu_);
        locationPopup_->SetSelection(0);
    }
    if (locationPopup_->TakeSelection(pick)) {
        locationPopup_->SetSelection(static_cast<uint16_t>(pick));
        location_ = static_cast<uint8_t>(pick);
    }
    if (save_->TakeClick())
        store_ = kRequested;
    if (cancel_->TakeClick())
        Close();
    CModalDialog::ReceiveNotifications();
}

void CDialogSavePatchInSynth::UpdateState()
{
    if (!HasOwnSynth() && !IsMarkedForDeletion())
        Close();
    CModalDialog::UpdateState();
}

void CDialogSavePatchInSynth::Idle()
{
    CModalDialog::Idle();
    if (IsMarkedForDeletion())
        return;
    if (!HasOwnSynth()) {
        Close();
        return;
    }
    if (ports_.GetSynth(port_)->IsWaitingForReply())
        return;
    CFlashMemory& flash = ports_.GetFlashMemory(port_);
    if (store_ == kRequested) {
        flash.ClearResult();
        flash.StoreFromSlot(slot_, CFlashAddress::Clamped(bank_, location_));
        store_ = kAwaited;
    } else if (store_ == kAwaited && !flash.IsCommandPending()) {
        FinishStore();
    }
}

void CDialogSavePatchInSynth::FinishStore()
{
    store_ = kIdle;
    const CFlashMemory& flash = ports_.GetFlashMemory(port_);
    const uint32_t result = flash.GetLastResult();
    if (result != CFlashMemory::kResultDone && result != CFlashMemory::kResultNone)
        RunAlertTextWithArgs(kFlashProblem, {flash.GetLastResultText()});
    Close();
}
