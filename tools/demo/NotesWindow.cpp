#include "NotesWindow.h"

#include "framework/controls/PushButtonView.h"
#include "framework/controls/TextEditView.h"

namespace demo {

using namespace NSHarrowen;

NotesWindow::NotesWindow() : CDocumentWindow(2, "Notes")
{
    edit_ = new CSingleLineTextEditView(GetRootView(), 64, 50);
    edit_->SetFrame(CRect(10, 10, 290, 36));
    hint_ = new CPushButtonView(GetRootView(), "Hint");
    hint_->SetFrame(CRect(10, 50, 110, 76));
    hint_->SetToolTip("Type a note above");
}

std::string NotesWindow::GetText() const
{
    return edit_->GetText();
}

void NotesWindow::SetText(const std::string& text)
{
    edit_->SetText(text);
}

void NotesWindow::ReceiveNotifications()
{
    CEditNotification record;
    while (edit_->TakeNotification(record))
        edit_->ProcessNotification(record);
    hint_->TakeClick();
    CDocumentWindow::ReceiveNotifications();
}

} // namespace demo
