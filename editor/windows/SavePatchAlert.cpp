#include "editor/windows/SavePatchAlert.h"

#include "framework/base/Exceptions.h"
#include "framework/controls/PushButtonView.h"
#include "framework/views/IconView.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/DialogTemplate.h"

#include <utility>

using namespace NSHarrowen;

namespace {

CSavePatchAlert* gOpenQuestion = nullptr;

const CDialogItem& RequireItem(const CABCWindow& window, uint16_t id)
{
    const CDialogItem* item = window.GetDialogItem(id);
    if (!item)
        throw XBase();
    return *item;
}

CPushButtonView* MakeButton(CABCWindow& window, uint16_t id)
{
    return new CPushButtonView(window.GetRootView(), RequireItem(window, id));
}

} // namespace

CSavePatchAlert::CSavePatchAlert(const std::string& patchName, bool allowNoAll, ESaveAnswer* answer)
    : CModalDialog(kTemplate), yes_(MakeButton(*this, kYes)), cancel_(MakeButton(*this, kCancel)),
      no_(MakeButton(*this, kNo)), noAll_(MakeButton(*this, kNoAll)),
      text_(new CStaticTextView(GetRootView(), RequireItem(*this, kText))), answer_(answer),
      icon_(new CIconView(GetRootView(), RequireItem(*this, kIcon).rect, kIconCaution))
{
    noAll_->SetEnabled(allowNoAll);
    text_->SetText("Save changes to " + patchName + "?");
    for (CPushButtonView* button : {yes_, no_, noAll_, cancel_})
        AddToFocusChain(button);
    SetDefaultButton(yes_);
    SetCancelButton(cancel_);
}

void CSavePatchAlert::Open(const CRect& windowRect)
{
    CModalDialog::Open(windowRect);
    SetFocusView(yes_);
}

CPushButtonView* CSavePatchAlert::GetButton(EItem item) const
{
    switch (item) {
    case kYes:
        return yes_;
    case kCancel:
        return cancel_;
    case kNo:
        return no_;
    case kNoAll:
        return noAll_;
    default:
        return nullptr;
    }
}

void CSavePatchAlert::ReceiveNotifications()
{
    const std::pair<CPushButtonView*, ESaveAnswer> answers[] = {
        {yes_, kSaveYes}, {cancel_, kSaveCancel}, {no_, kSaveNo}, {noAll_, kSaveNoAll}};
    for (const auto& [button, value] : answers)
        if (button->TakeClick()) {
            *answer_ = value;
            RequestClose();
            break;
        }
    CModalDialog::ReceiveNotifications();
}

ESaveAnswer AskSaveChanges(const std::string& patchName, bool allowNoAll)
{
    if (gOpenQuestion)
        return kSaveAlreadyAsking;
    // Only a button changes the answer.
    ESaveAnswer answer = kSaveCancel;
    try {
        auto* box = new CSavePatchAlert(patchName, allowNoAll, &answer);
        gOpenQuestion = box;
        box->CenterOnFrame();
        box->Open(box->GetWindowRectInFrame());
        RunModal(box);
    } catch (...) {
        // Whatever broke, the answer stays as it was (Cancel unless a button spoke).
    }
    gOpenQuestion = nullptr;
    return answer;
}
