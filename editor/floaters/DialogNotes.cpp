#include "editor/floaters/DialogNotes.h"

#include "editor/patches/PatchManager.h"
#include "editor/views/EditTextView.h"
#include "framework/drawing/Canvas.h"
#include "patch/document/Patch.h"

using namespace NSHarrowen;

namespace {

CPatch* ActivePatch()
{
    const CPatchManager* patches = GetPatchManager();
    return patches ? patches->GetActivePatch() : nullptr;
}

} // namespace

CRect CDialogNotes::GetDefaultRect()
{
    const CRect screen = GetScreenRect();
    return CRect(screen.right - 300, screen.top + 200, screen.right, screen.top + 550);
}

CDialogNotes::CDialogNotes() : CFloaterWindow("Notes Floater", true, 1, true)
{
    text_ = new CEditTextView(GetRootView());
    text_->SetEnabled(false);
}

CDialogNotes::~CDialogNotes() = default;

void CDialogNotes::ReceiveNotifications()
{
    CFloaterWindow::ReceiveNotifications();
    CPatch* active = ActivePatch();
    // Only the patch whose notes are shown takes the text.
    if (active && active == patch_ && text_->TestAndClearChanged()) {
        shownNotes_ = text_->GetText();
        active->SetNotes(shownNotes_);
    }
}

void CDialogNotes::UpdateState()
{
    CPatch* active = ActivePatch();
    if (active != patch_ || (active && active->GetNotes() != shownNotes_))
        Show(active);
    CFloaterWindow::UpdateState();
}

void CDialogNotes::Show(CPatch* patch)
{
    shownNotes_ = patch ? patch->GetNotes() : std::string();
    text_->SetEnabled(patch != nullptr);
    text_->SetText(shownNotes_);
    // What the view held for the other patch is not an edit of this one.
    text_->TestAndClearChanged();
    patch_ = patch;
}

void CDialogNotes::LayoutRootView()
{
    CFloaterWindow::LayoutRootView();
    text_->SetFrame(GetClientRect());
}
