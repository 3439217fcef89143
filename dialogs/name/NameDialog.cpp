#include "dialogs/name/NameDialog.h"

#include "framework/controls/ControlLogic.h"
#include "framework/controls/TextEditView.h"
#include "framework/input/Keyboard.h"
#include "framework/input/MouseState.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowStyle.h"

using namespace NSHarrowen;

namespace {

// The box stands where the caption of a captioned box would have begun.
constexpr int16_t kCaptionHeight = 19;

} // namespace

bool IsNameCharacter(char32_t character)
{
    return character >= 0x20 && character <= 0x7D;
}

CRect CNameDialog::PlaceFor(CPoint position)
{
    const int16_t top = static_cast<int16_t>(position.y - kCaptionHeight);
    return CRect(position.x, top, position.x + kWidth, top + kHeight);
}

CNameDialog::CNameDialog(CABCWindow* owner, const std::string& title, std::string& name, uint8_t maxLength,
                         CPoint position, bool* accepted)
    : CModalDialog(owner, title), edit_(new CSingleLineTextEditView(GetRootView(), maxLength, kReturnToParent)),
      name_(name), maxLength_(maxLength), accepted_(accepted)
{
    *accepted_ = false;
    const platform::WindowHandle handle = GetHandle();
    namespace style = platform::style;
    platform::SetWindowStyle(handle, platform::GetWindowStyle(handle) & ~(style::Caption | style::SysMenu));
    edit_->SetFrame(CRect(0, 0, kWidth, kHeight));
    edit_->SetText(name_.substr(0, maxLength_));
    AddToFocusChain(edit_);
    SetWindowRect(PlaceFor(position));
}

void CNameDialog::Open(const CRect& windowRect)
{
    CModalDialog::Open(windowRect);
    SetFocusView(edit_);
    edit_->SelectAll();
}

void CNameDialog::ReceiveNotifications()
{
    CEditNotification record;
    while (edit_->TakeNotification(record)) {
        if (record.kind == kEditInsertChar && !IsNameCharacter(record.character)) {
            SystemBeep();
            continue;
        }
        edit_->ProcessNotification(record);
    }
    CModalDialog::ReceiveNotifications();
}

void CNameDialog::DoCommand(const CKeyEvent& event)
{
    if (event.kind == kEventKeyDown && event.code == kKeyEscape) {
        Close();
        return;
    }
    if (event.kind == kEventKeyDown && (event.code == kKeyReturn || event.code == kKeyEnter)) {
        Accept();
        return;
    }
    CModalDialog::DoCommand(event);
}

void CNameDialog::Accept()
{
    name_ = edit_->GetText().substr(0, maxLength_);
    *accepted_ = true;
    Close();
}
