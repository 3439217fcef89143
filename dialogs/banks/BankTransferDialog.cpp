#include "dialogs/banks/BankTransferDialog.h"

#include "dialogs/log/DialogLog.h"
#include "framework/alerts/AlertBox.h"
#include "framework/base/Exceptions.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/ProgressBarView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/files/FileSpec.h"
#include "framework/menus/Menu.h"
#include "framework/views/GroupBoxView.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/DialogItem.h"
#include "platform/base/DroppedExceptions.h"
#include "synth/flash/BankTransfer.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/protocol/FlashMemory.h"

#include <algorithm>
#include <exception>

using namespace NSHarrowen;

CBankTransferDialog::CBankTransferDialog(int32_t templateId, uint8_t port, std::string direction)
    : CModalDialog(templateId), port_(port), direction_(std::move(direction))
{ }

CBankTransferDialog::~CBankTransferDialog()
{
    // Closing is refused while a transfer runs; a dialog torn down anyway
    // (the program ending) stops the engine and takes its log back.
    if (HasSynth())
        Engine().ReleaseReport(&log_);
}

bool CBankTransferDialog::CanClose()
{
    return !IsRunning();
}

const CDialogItem& CBankTransferDialog::Item(uint16_t id) const
{
    const CDialogItem* item = GetDialogItem(id);
    if (!item)
        throw XBase();
    return *item;
}

CGroupView* CBankTransferDialog::MakeSharedViews(const CItems& items)
{
    CGroupView* root = GetRootView();
    auto* bankBox = new CGroupBoxView(root, Item(items.bankBox).rect, Item(items.bankBox).text);
    auto* locationBox = new CGroupBoxView(root, Item(items.locationBox).rect, Item(items.locationBox).text);
    exit_ = new CPushButtonView(root, Item(items.exit));
    start_ = new CPushButtonView(root, Item(items.start));
    stop_ = new CPushButtonView(root, Item(items.stop));
    moreInfo_ = new CPushButtonView(root, Item(items.moreInfo));
    status_ = new CStaticTextView(root, Item(items.status));
    progress_ = new CProgressBarView(root, Item(items.progress));
    bankPopup_ = new CPopupButtonView(bankBox, Item(items.bankPopup));
    AddToFocusChain(exit_);
    AddToFocusChain(bankPopup_);
    return locationBox;
}

void CBankTransferDialog::MakeLocationLines(CGroupView* locationBox, uint16_t line1, uint16_t line2)
{
    line1_ = new CStaticTextView(locationBox, Item(line1));
    line2_ = new CStaticTextView(locationBox, Item(line2));
}

void CBankTransferDialog::ShowLocation(const std::string& line1, const std::string& line2)
{
    line1_->SetText(line1);
    line2_->SetText(line2);
}

void CBankTransferDialog::ShowLocation(const CFileSpec& file)
{
    ShowLocation(file.GetDirectoryPath(), file.GetFileName());
}

void CBankTransferDialog::FinishConstruction(const std::string& titlePrefix)
{
    AddToFocusChain(start_);
    AddToFocusChain(stop_);
    AddToFocusChain(moreInfo_);
    CPortManager* ports = GetPortManager();
    SetTitle(titlePrefix + (ports ? ports->GetDisplayName(port_) : std::string()));
    BuildBankMenu();
    if (HasSynth()) {
        bank_ = CFlashAddress::ClampBank(Engine().GetAddress().bank);
        Engine().ClearResult();
    }
    bankPopup_->SetSelection(bank_);
    SetDefaultButton(exit_);
    SetCancelButton(exit_);
}

void CBankTransferDialog::BuildBankMenu()
{
    bankMenu_ = std::make_unique<CMenu>();
    const uint8_t banks = HasSynth() ? GetPortManager()->GetFlashMemory(port_).GetBankCount() : 0;
    for (uint8_t bank = 0; bank < banks; ++bank)
        bankMenu_->AppendItem(std::to_string(bank + 1));
    bankPopup_->SetItems(bankMenu_.get());
}

bool CBankTransferDialog::HasSynth() const
{
    const CPortManager* ports = GetPortManager();
    return ports && ports->HasSynth(port_);
}

CBankTransfer& CBankTransferDialog::Engine() const
{
    return GetPortManager()->GetSynth(port_)->GetBankTransfer();
}

bool CBankTransferDialog::IsRunning() const
{
    return HasSynth() && Engine().IsRunning();
}

void CBankTransferDialog::ResetResult()
{
    if (HasSynth())
        Engine().ClearResult();
    shownResult_ = CBankTransfer::kResultNone;
    log_.Clear();
}

void CBankTransferDialog::Browse(const std::function<void()>& choose)
{
    try {
        ResetResult();
        choose();
    } catch (const std::exception&) {
        ShowBrowseFailed();
    }
}

void CBankTransferDialog::ShowBrowseFailed()
{
    try {
        RunAlertText(kBrowseFailed);
    } catch (...) {
        platform::RecordDroppedException("the bank dialog's browse alert");
    }
    RequestClose();
}

void CBankTransferDialog::ReceiveNotifications()
{
    int16_t picked = 0;
    if (bankPopup_->TakeSelection(picked)) {
        bank_ = static_cast<uint8_t>(std::clamp<int16_t>(picked, 0, CFlashAddress::kMaxBank));
        ResetResult();
    }
    TakeBrowseClicks();
    if (exit_->TakeClick())
        RequestClose();
    if (start_->TakeClick() && HasSynth())
        StartTransfer();
    if (moreInfo_->TakeClick())
        ShowLog();
    if (stop_->TakeClick() && HasSynth())
        Engine().RequestAbort();
    CModalDialog::ReceiveNotifications();
}

void CBankTransferDialog::ShowLog()
{
    std::string title = "Log";
    if (shownResult_ == CBankTransfer::kResultFinished)
        title = direction_ + " log";
    else if (shownResult_ == CBankTransfer::kResultFailed)
        title = direction_ + " Error Log";
    CDialogLog* box = nullptr;
    try {
        box = new CDialogLog(this, &log_, title);
        box->CenterOnFrame();
        box->Open(box->GetWindowRectInFrame());
        RunModal(box);
    } catch (...) {
        // A box that was made but could not run is ours to remove.
        if (box && !box->IsMarkedForDeletion())
            delete box;
        try {
            RunAlertText(kLogFailed);
        } catch (...) {
            platform::RecordDroppedException("the bank dialog's log alert");
        }
    }
}

void CBankTransferDialog::UpdateState()
{
    bankPopup_->SetSelection(bank_);
    if (!HasSynth()) {
        for (CView* view : std::initializer_list<CView*>{bankPopup_, start_, stop_, moreInfo_})
            view->SetEnabled(false);
        EnableBrowsing(false);
        exit_->SetEnabled(true);
        if (wasRunning_) {
            // The synthesizer went while its job ran: the job failed.
            wasRunning_ = false;
            shownResult_ = CBankTransfer::kResultFailed;
            progress_->SetValue(0);
            status_->SetText("Dump Error");
        }
        // What was done before the synthesizer went stays readable.
        moreInfo_->SetEnabled(log_.GetUsedLines() > 0);
    } else {
        const CBankTransfer& engine = Engine();
        const bool running = engine.IsRunning();
        wasRunning_ = running;
        ShowSource();
        if (running) {
            progress_->SetValue(static_cast<uint16_t>(engine.GetProgress()));
            status_->SetText(engine.GetCurrentName());
        } else {
            progress_->SetValue(0);
            const uint32_t result = engine.GetResult();
            shownResult_ = result;
            status_->SetText(result == CBankTransfer::kResultFinished     ? "Dump OK"
                                 : result == CBankTransfer::kResultFailed ? "Dump Error"
                                                                          : "");
        }
        ShowWarning(running);
        bankPopup_->SetEnabled(!running);
        EnableBrowsing(!running);
        start_->SetEnabled(!running && HasSource());
        stop_->SetEnabled(running);
        exit_->SetEnabled(!running);
        moreInfo_->SetEnabled(log_.GetUsedLines() > 0);
    }
    CModalDialog::UpdateState();
}
