#include "dialogs/options/DialogOptions.h"

#include "dialogs/common/DialogViews.h"
#include "editor/prefs/Preferences.h"
#include "framework/alerts/AlertBox.h"
#include "framework/application/Help.h"
#include "framework/base/Exceptions.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"

using namespace NSHarrowen;

CDialogOptions::CDialogOptions(CPreferences& preferences)
    : CModalDialog(kTemplate), preferences_(preferences),
      cableStyle_(static_cast<uint16_t>(preferences.GetCableStyle())),
      knobControl_(static_cast<uint16_t>(preferences.GetKnobControl())), autoUpload_(preferences.autoUpload),
      maximisedWindows_(preferences.maximisedWindows), recycleWindows_(preferences.recycleWindows)
{
    const CDialogViews views(*this);
    ok_ = views.Button(kOk);
    views.GroupBox(kCableBox);
    cableStyles_ = views.Radios(GetRootView(), {kStraight3D, kCurved3D, kStraightThin, kCurvedThin});
    views.GroupBox(kKnobBox);
    knobModes_ = views.Radios(GetRootView(), {kCircular, kHorizontal, kVertical});
    autoUploadBox_ = views.CheckBox(kAutoUpload);
    recycleBox_ = views.CheckBox(kRecycleWindows);
    cancel_ = views.Button(kCancel);
    help_ = views.Button(kHelp);
    for (CView* view :
         std::initializer_list<CView*>{ok_, cableStyles_, knobModes_, autoUploadBox_, recycleBox_, cancel_, help_})
        AddToFocusChain(view);
    SetDefaultButton(ok_);
    SetCancelButton(cancel_);
    ShowWorkingCopies();
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
