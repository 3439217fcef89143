#include "editor/views/EditTextView.h"

#include "framework/input/Keyboard.h"
#include "framework/windows/ABCWindow.h"
#include "platform/controls/Controls.h"
#include "platform/windows/Message.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/WindowStyle.h"

using namespace NSHarrowen;

namespace {

// Where the control waits until its owner gives it a place.
const CRect kParked(-100, -100, 0, 0);

// Every line end becomes one CR.
std::string WithCrLineEnds(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i] == '\n' ? '\r' : text[i];
    }
    return out;
}

uint32_t MessageOf(const platform::KeyMessage& key)
{
    switch (key.kind) {
    case platform::KeyMessage::kKeyUp:
        return platform::msg::KeyUp;
    case platform::KeyMessage::kCharacter:
        return platform::msg::Char;
    default:
        return platform::msg::KeyDown;
    }
}

} // namespace

CEditTextView::CEditTextView(CGroupView* parent) : CNativeControlView(parent, kParked, ENativeClass::MultiLineEdit)
{
    SetFocusable(true);
    CreateNative(platform::kEditClass, "",
                 platform::style::VScroll | platform::ctlstyle::EditMultiLine | platform::ctlstyle::EditAutoVScroll,
                 platform::kExStyleClientEdge);
    platform::SendMessage(GetHandle(), platform::ctlmsg::EditLimitText, kMaxLength, 0);
}

int CEditTextView::GetTextLength() const
{
    return static_cast<int>(platform::SendMessage(GetHandle(), platform::ctlmsg::GetTextLength, 0, 0));
}

std::string CEditTextView::GetText() const
{
    std::string text = GetNativeText();
    std::erase(text, '\n');
    return text;
}

void CEditTextView::SetText(const std::string& text)
{
    std::string lines;
    for (const char c : WithCrLineEnds(text)) {
        lines += c;
        if (c == '\r')
            lines += '\n';
    }
    SetNativeText(lines);
}

bool CEditTextView::TestAndClearChanged()
{
    return std::exchange(changed_, false);
}

void CEditTextView::ForwardKey(const CKeyEvent& event)
{
    const platform::KeyMessage& key = event.message;
    const platform::WParam w = key.kind == platform::KeyMessage::kCharacter
        ? static_cast<platform::WParam>(key.character)
        : static_cast<platform::WParam>(key.virtualKey);
    const std::string before = GetNativeText();
    CallPreviousProcedure(MessageOf(key), w, 0);
    // Only a key that changed the text is an edit: Ctrl+S, Shift or an
    // arrow leave the notes as they were.
    if (GetNativeText() != before)
        changed_ = true;
    UpdateAllWindows();
}

void CEditTextView::UpdateDisplay()
{
    CNativeControlView::UpdateDisplay();
    SyncEnabled();
}

platform::LResult CEditTextView::HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam)
{
    // Typed characters and pastes change the text without a key step.
    if (message == platform::msg::Command && platform::HighWordOf(wParam) == platform::kEditChange)
        Edited();
    return 0;
}

void CEditTextView::Edited()
{
    changed_ = true;
    UpdateAllWindows();
}
