#include "dialogs/options/DialogOptions.h"

#include "editor/prefs/Preferences.h"
#include "framework/alerts/AlertBox.h"
#include "framework/application/Help.h"
#include "framework/base/Exceptions.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"
#include "framework/controls/RadioButtonView.h"
#include "framework/views/GroupBoxView.h"

using namespace NSHarrowen;

namespace {

const CDialogItem& Item(const CABCWindow& window, uint16_t id)
{
    const CDialogItem* item = window.GetDialogItem(id);
    if (!item)
        throw XBase();
    return *item;
}

} // namespace

CDialogOptions::CDialogOptions(CPreferences& preferences)
    : CModalDialog(kTemplate), preferences_(preferences),
      cableStyle_(static_cast<uint16_t>(preferences.GetCableStyle())),
      knobControl_(static_cast<uint16_t>(preferences.GetKnobControl())), autoUpload_(preferences.autoUpload),
      maximisedWindows_(preferences.maximisedWindows), recycleWindows_(preferences.recycleWindows)
{
    CGroupView* root = GetRootView();
    ok_ = new CPushButtonView(root, Item(*this, kOk));
    cableStyles_ = MakeChoice(kCableBox, {kStraight3D, kCurved3D, kStraightThin, kCurvedThin});
    knobModes_ = MakeChoice(kKnobBox, {kCircular, kHorizontal, kVertical});
    autoUploadBox_ = new CCheckBoxView(root, Item(*this, kAutoUpload));
    recycleBox_ = new CCheckBoxView(root, Item(*this, kRecycleWindows));
    cancel_ = new CPushButtonView(root, Item(*this, kCancel));
    help_ = new CPushButtonView(root, Item(*this, kHelp));
    for (CView* view :
         std::initializer_list<CView*>{ok_, cableStyles_, knobModes_, autoUploadBox_, recycleBox_, cancel_, help_})
        AddToFocusChain(view);
    SetDefaultButton(ok_);
    SetCancelButton(cancel_);
    ShowWorkingCopies();
}

CRadioButtonGroupView* CDialogOptions::MakeChoice(uint16_t box, std::initializer_list<uint16_t> buttons)
{
    const CDialogItem& frame = Item(*this, box);
    new CGroupBoxView(GetRootView(), frame.rect, frame.text);
    auto* group = new CRadioButtonGroupView(GetRootView());
    for (uint16_t id : buttons)
        new CRadioButtonView(group, Item(*this, id));
    group->FitToButtons();
    return group;
}

void CDialogOptions::ReceiveNotifications()
{
    int16_t picked = 0;
    if (cableStyles_->TakeSelection(picked) && picked >= 0)
        cableStyle_ = static_cast<uint16_t>(picked);
    if (knobModes_->TakeSelection(picked) && picked >= 0)
        knobControl_ = static_cast<uint16_t>(picked);
    if (autoUploadBox_->TakeClick())
        autoUpload_ = !autoUploadBox_->IsChecked();
    if (recycleBox_->TakeClick())
        recycleWindows_ = !recycleBox_->IsChecked();
    if (help_->TakeClick())
        ShowHelp();
    if (ok_->TakeClick()) {
        WriteBack();
        RequestClose();
    } else if (cancel_->TakeClick()) {
        RequestClose();
    }
    CModalDialog::ReceiveNotifications();
}

void CDialogOptions::ShowWorkingCopies()
{
    cableStyles_->SetSelection(static_cast<int16_t>(cableStyle_));
    knobModes_->SetSelection(static_cast<int16_t>(knobControl_));
    autoUploadBox_->SetChecked(autoUpload_);
    recycleBox_->SetChecked(recycleWindows_);
}

void CDialogOptions::UpdateState()
{
    ShowWorkingCopies();
    CModalDialog::UpdateState();
}

void CDialogOptions::WriteBack()
{
    preferences_.SetCableStyle(cableStyle_);
    preferences_.SetKnobControl(knobControl_);
    preferences_.autoUpload = autoUpload_;
    preferences_.maximisedWindows = maximisedWindows_;
    preferences_.recycleWindows = recycleWindows_;
    preferences_.Save();
}

void CDialogOptions::ShowHelp()
{
    try {
        ShowHelpTopic(kHelpContext);
    } catch (const XBase&) {
        // The viewer failed; a missing file was reported by the help itself.
        RunAlert(kHelpFileAlert);
    }
}
