#include "dialogs/slot/DialogSlot.h"

#include "editor/slots/SlotChoice.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"
#include "framework/controls/RadioButtonView.h"
#include "framework/views/GroupBoxView.h"
#include "framework/views/StaticTextView.h"
#include "synth/link/PortManager.h"

using namespace NSHarrowen;

namespace {

constexpr int16_t kBoxLeft = 5;
constexpr int16_t kFirstBoxTop = 15;
constexpr int16_t kBoxWidth = 300;
constexpr int16_t kBoxGap = 7;
constexpr int16_t kRowHeight = 20;
constexpr int16_t kButtonWidth = 60;
constexpr int16_t kNameOffset = 60;
constexpr int16_t kNameWidth = 150;
constexpr int16_t kLineHeight = 16;
constexpr CPoint kLonelyLocal{9, 10};
constexpr int16_t kPushWidth = 50;
constexpr int16_t kPushHeight = 26;
constexpr int16_t kPushStep = 60;

std::string SlotLabel(uint8_t slot, uint8_t slots)
{
    return slots > 1 ? std::string("Slot ") + static_cast<char>('A' + slot) : std::string("Slot");
}

} // namespace

std::string SlotDialogTitle(const std::string& caption)
{
    return caption.empty() ? std::string("Slot Selection") : "Slot Selection - " + caption;
}

CDialogSlot::CDialogSlot(CSlotChoice& request)
    : CModalDialog(SlotDialogTitle(request.GetCaption())), request_(request), manager_(GetPortManager()),
      selectedPort_(request.IsLocal() ? kLocal : request.GetPort()), selectedSlot_(request.GetSlot())
{
    CGroupView* root = GetRootView();
    ok_ = new CPushButtonView(root, "OK");
    cancel_ = new CPushButtonView(root, "Cancel");
    SetDefaultButton(ok_);
    SetCancelButton(cancel_);
    if (request_.OffersUpload())
        upload_ = new CPushButtonView(root, "Upload");
    group_ = new CRadioButtonGroupView(root);
    for (CView* view : {static_cast<CView*>(ok_), static_cast<CView*>(cancel_), static_cast<CView*>(upload_),
                        static_cast<CView*>(group_)})
        if (view)
            AddToFocusChain(view);
    BuildControls();
}

uint8_t CDialogSlot::CurrentSlotCount(uint8_t port) const
{
    return manager_ && manager_->HasSynth(port) ? manager_->GetSlotCount(port) : 0;
}

void CDialogSlot::DeleteControls()
{
    delete local_;
    local_ = nullptr;
    for (CPortViews& views : ports_) {
        for (uint8_t slot = 0; slot < kSlots; ++slot) {
            delete views.buttons[slot];
            delete views.names[slot];
        }
        delete views.box;
        views = CPortViews{};
    }
}

int16_t CDialogSlot::BuildPort(uint8_t port, uint8_t slots, int16_t top)
{
    CPortViews& views = ports_[port];
    views.builtSlots = slots;
    const int16_t height = static_cast<int16_t>(kRowHeight * slots + 15);
    views.box = new CGroupBoxView(GetRootView(), CRect(kBoxLeft, top, kBoxLeft + kBoxWidth, top + height), "");
    const CRect content = views.box->GetContentRect();
    for (uint8_t slot = 0; slot < slots; ++slot) {
        const int16_t x = content.left;
        const int16_t y = static_cast<int16_t>(content.top + kRowHeight * slot);
        views.buttons[slot] = new CRadioButtonView(group_, SlotLabel(slot, slots));
        views.buttons[slot]->SetFrame(CRect(x, y, x + kButtonWidth, y + kLineHeight));
        views.names[slot] = new CStaticTextView(views.box, "");
        views.names[slot]->SetFrame(CRect(x + kNameOffset, y + 1, x + kNameOffset + kNameWidth, y + 1 + kLineHeight));
    }
    return views.box->GetFrame().bottom;
}

void CDialogSlot::BuildControls()
{
    DeleteControls();
    int16_t top = kFirstBoxTop;
    const CGroupBoxView* last = nullptr;
    for (uint8_t port = 0; port < kPorts; ++port) {
        const uint8_t slots = CurrentSlotCount(port);
        if (slots == 0)
            continue;
        top = static_cast<int16_t>(BuildPort(port, slots, top) + kBoxGap);
        last = ports_[port].box;
    }

    CPoint localAt = kLonelyLocal;
    if (last) {
        // Where a further row of the last box would have stood, 10 lower.
        localAt = CPoint(last->GetContentRect().left, static_cast<int16_t>(last->GetFrame().bottom + 11));
    }
    local_ = new CRadioButtonView(group_, "Local");
    local_->SetFrame(CRect(localAt.x, localAt.y, localAt.x + kButtonWidth, localAt.y + kLineHeight));
    group_->FitToButtons();

    const int16_t pushTop = static_cast<int16_t>(local_->GetFrame().bottom + 10);
    int16_t left = upload_ ? 65 : 95;
    for (CPushButtonView* button : {ok_, cancel_, upload_}) {
        if (!button)
            continue;
        button->SetFrame(CRect(left, pushTop, left + kPushWidth, pushTop + kPushHeight));
        left = static_cast<int16_t>(left + kPushStep);
    }

    if (manager_ && manager_->HasCurrentSynth()) {
        selectedPort_ = manager_->GetCurrentPort();
        selectedSlot_ = manager_->GetCurrentSlot();
    }
    selectedIndex_ = IndexFromChoice();
    ChoiceFromIndex();
    group_->SetSelection(static_cast<int16_t>(selectedIndex_));
    SetFocusView(group_);

    const CRect outer = GetWindowRectInFrame();
    const int16_t overhead = static_cast<int16_t>(outer.Height() - GetClientRect().Height());
    SetWindowRect(CRect(outer.left, outer.top, outer.left + kWidth, outer.top + overhead + pushTop + kPushHeight + 5));
    InvalidateAll();
}

uint16_t CDialogSlot::IndexFromChoice() const
{
    uint16_t index = 0;
    for (uint8_t port = 0; port < kPorts; ++port)
        for (uint8_t slot = 0; slot < ports_[port].builtSlots; ++slot, ++index)
            if (port == selectedPort_ && slot == selectedSlot_)
                return index;
    return index;
}

void CDialogSlot::ChoiceFromIndex()
{
    uint16_t index = 0;
    for (uint8_t port = 0; port < kPorts; ++port) {
        for (uint8_t slot = 0; slot < ports_[port].builtSlots; ++slot, ++index) {
            if (index == selectedIndex_) {
                selectedPort_ = port;
                selectedSlot_ = slot;
                return;
            }
        }
    }
    selectedPort_ = kLocal;
    selectedSlot_ = 0;
}

void CDialogSlot::ReceiveNotifications()
{
    int16_t picked = 0;
    if (group_->TakeSelection(picked) && picked >= 0) {
        picked_ = true;
        selectedIndex_ = static_cast<uint16_t>(picked);
        ChoiceFromIndex();
    }
    if (ok_->TakeClick())
        Finish(CSlotChoice::kOk);
    else if (cancel_->TakeClick())
        Finish(CSlotChoice::kCancel);
    else if (upload_ && upload_->TakeClick())
        Finish(CSlotChoice::kUpload);
    CModalDialog::ReceiveNotifications();
}

void CDialogSlot::Finish(int32_t result)
{
    request_.SetResult(result);
    if (result != CSlotChoice::kCancel) {
        if (selectedPort_ == kLocal)
            request_.SetLocal();
        else
            request_.SetChoice(selectedPort_, selectedSlot_);
    }
    RequestClose();
}

void CDialogSlot::CheckSlotCounts()
{
    for (uint8_t port = 0; port < kPorts; ++port) {
        if (CurrentSlotCount(port) == ports_[port].builtSlots)
            continue;
        ChoiceFromIndex();
        BuildControls();
        return;
    }
}

void CDialogSlot::FollowCurrentSlot()
{
    if (picked_ || !manager_ || !manager_->HasCurrentSynth())
        return;
    const uint8_t port = manager_->GetCurrentPort();
    const uint8_t slot = manager_->GetCurrentSlot();
    // Nothing to follow to before the slot's button is built.
    if ((port == selectedPort_ && slot == selectedSlot_) || port >= kPorts || slot >= ports_[port].builtSlots)
        return;
    selectedPort_ = port;
    selectedSlot_ = slot;
    selectedIndex_ = IndexFromChoice();
}

void CDialogSlot::UpdateTexts()
{
    for (uint8_t port = 0; port < kPorts; ++port) {
        const CPortViews& views = ports_[port];
        if (!views.box || !manager_ || !manager_->HasSynth(port))
            continue;
        views.box->SetTitle("Port " + std::to_string(port + 1) + ": " + manager_->GetDisplayName(port));
        for (uint8_t slot = 0; slot < views.builtSlots; ++slot)
            views.names[slot]->SetText(manager_->SlotHasPatch(port, slot) ? manager_->GetSlotPatchName(port, slot)
                                                                          : std::string());
    }
}

void CDialogSlot::UpdateState()
{
    if (IsMarkedForDeletion()) {
        CModalDialog::UpdateState();
        return;
    }
    try {
        CheckSlotCounts();
    } catch (const std::exception&) {
        // Without its views the dialog can only end, as if cancelled.
        DeleteControls();
        Finish(CSlotChoice::kCancel);
        CModalDialog::UpdateState();
        return;
    }
    FollowCurrentSlot();
    group_->SetSelection(static_cast<int16_t>(selectedIndex_));
    UpdateTexts();
    if (upload_)
        upload_->SetEnabled(selectedPort_ != kLocal);
    CModalDialog::UpdateState();
}
