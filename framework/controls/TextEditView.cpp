#include "framework/controls/TextEditView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/application/Application.h"
#include "framework/menus/MenuBar.h"
#include "platform/host/HostClipboard.h"
#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"
#include "platform/base/TextCharacters.h"
#include "platform/windows/Window.h"

#include <algorithm>

namespace NSHarrowen {

namespace {

CRect TemplateFrame(const CRect& item)
{
    return CRect(item.left, item.top - 3, item.right, item.bottom + 4);
}

int32_t Bounded(int32_t maxLength)
{
    return std::clamp<int32_t>(maxLength, 0, CSingleLineTextEditView::kTextCapacity);
}

} // namespace

CSingleLineTextEditView::CSingleLineTextEditView(CGroupView* parent, int32_t maxLength, int32_t returnMode)
    : CNativeControlView(parent, kOffscreen, ENativeClass::TextEdit), returnMode_(returnMode),
      maxLength_(Bounded(maxLength))
{
    Init();
}

CSingleLineTextEditView::CSingleLineTextEditView(CGroupView* parent, const CDialogItem& item, int32_t maxLength,
                                                 int32_t returnMode)
    : CNativeControlView(parent, TemplateFrame(item.rect), ENativeClass::TextEdit), returnMode_(returnMode),
      maxLength_(Bounded(maxLength))
{
    Init();
}

void CSingleLineTextEditView::Init()
{
    SetFocusable(true);
    SetOpaqueMode(kOpaqueRect);
    CreateNative(platform::kEditClass, "", platform::style::Border | platform::ctlstyle::EditAutoHScroll,
                 platform::kExStyleClientEdge);
    platform::SendMessage(GetHandle(), platform::ctlmsg::EditLimitText, static_cast<platform::WParam>(maxLength_), 0);
}

CRect CSingleLineTextEditView::NativeRectFor(const CRect& frame) const
{
    return CRect(frame.left, frame.top + 2, frame.right, frame.bottom - 2);
}

void CSingleLineTextEditView::SetText(const std::string& text)
{
    if (!IsEditing())
        text_ = BoundedText(text, static_cast<size_t>(maxLength_));
}

void CSingleLineTextEditView::CopyText(char* buffer, size_t size) const
{
    if (buffer == nullptr || size == 0)
        return;
    const std::string text = BoundedText(GetNativeText(), size - 1);
    text.copy(buffer, text.size());
    buffer[text.size()] = '\0';
}

void CSingleLineTextEditView::SelectAll()
{
    platform::SendMessage(GetHandle(), platform::ctlmsg::EditSetSel, 0, -1);
}

bool CSingleLineTextEditView::IsEditing() const
{
    return IsTracking() && platform::IsWindowVisible(GetHandle());
}

void CSingleLineTextEditView::Publish(const CEditNotification& record)
{
    pending_.Publish(record, RunUpdatePasses);
}

void CSingleLineTextEditView::ProcessNotification(const CEditNotification& record)
{
    if (record.kind == kEditInsertChar) {
        const std::string text = platform::EncodeCharacter(record.character);
        platform::SendMessage(GetHandle(), platform::ctlmsg::EditReplaceSel, 1,
                              reinterpret_cast<platform::LParam>(text.c_str()));
    } else if (record.kind == kEditPassKey) {
        // Straight to the edit's own procedure: its replacement hands keys
        // to the window, which would bring them back here.
        const platform::KeyMessage& m = record.key.message;
        const uint32_t message = m.kind == platform::KeyMessage::kCharacter ? platform::msg::Char
            : m.kind == platform::KeyMessage::kKeyUp                        ? platform::msg::KeyUp
                                                                            : platform::msg::KeyDown;
        const platform::WParam word = m.kind == platform::KeyMessage::kCharacter ? m.character : m.virtualKey;
        CallPreviousProcedure(message, word, 0);
    } else {
        return;
    }
    text_ = BoundedText(GetNativeText(), static_cast<size_t>(maxLength_));
}

bool CSingleLineTextEditView::TakeCommit()
{
    CEditNotification record;
    if (!pending_.Take(record))
        return false;
    if (record.kind == kEditCommit)
        return true;
    ProcessNotification(record);
    return false;
}

bool CSingleLineTextEditView::AtLimit() const
{
    uint32_t start = 0;
    uint32_t end = 0;
    platform::SendMessage(GetHandle(), platform::ctlmsg::EditGetSel, reinterpret_cast<platform::WParam>(&start),
                          reinterpret_cast<platform::LParam>(&end));
    return start == end && static_cast<int32_t>(GetNativeText().size()) >= maxLength_;
}

void CSingleLineTextEditView::ForwardKey(const CKeyEvent& event)
{
    switch (ClassifyEditKey(event, returnMode_, AtLimit(), NumbersOnly())) {
    case EEditKeyAction::ToParent:
        CNativeControlView::ForwardKey(event);
        return;
    case EEditKeyAction::Commit:
        GiveUpFocus();
        return;
    case EEditKeyAction::NextField:
        if (CABCWindow* window = GetWindow())
            window->FocusNext();
        return;
    case EEditKeyAction::EditKey:
        Publish({kEditPassKey, 0, event});
        return;
    case EEditKeyAction::InsertChar:
        Publish({kEditInsertChar, event.character, {}});
        return;
    case EEditKeyAction::Beep:
        platform::MessageBeep();
        return;
    case EEditKeyAction::Ignore:
        return;
    }
}

void CSingleLineTextEditView::FocusLost()
{
    Publish({kEditCommit, 0, {}});
}

void CSingleLineTextEditView::UpdateDisplay()
{
    if (!IsEditing() && GetNativeText() != text_)
        platform::SetControlText(GetHandle(), text_);
    SyncEnabled();
}

std::string CSingleLineTextEditView::Selected() const
{
    uint32_t start = 0;
    uint32_t end = 0;
    platform::SendMessage(GetHandle(), platform::ctlmsg::EditGetSel, reinterpret_cast<platform::WParam>(&start),
                          reinterpret_cast<platform::LParam>(&end));
    const std::string text = GetNativeText();
    start = std::min<uint32_t>(start, static_cast<uint32_t>(text.size()));
    end = std::clamp<uint32_t>(end, start, static_cast<uint32_t>(text.size()));
    return text.substr(start, end - start);
}

void CSingleLineTextEditView::ReplaceSelection(const std::string& text)
{
    platform::SendMessage(GetHandle(), platform::ctlmsg::EditReplaceSel, 1,
                          reinterpret_cast<platform::LParam>(text.c_str()));
    text_ = BoundedText(GetNativeText(), static_cast<size_t>(maxLength_));
}

void CSingleLineTextEditView::UpdateMenu(CMenuBar* menuBar)
{
    CApplication* app = GetApplication();
    if (menuBar && app && IsEnabledInHierarchy()) {
        const CStandardCommands& c = app->GetStandardCommands();
        const bool selected = !Selected().empty();
        menuBar->SetCommandEnabled(c.cut, selected);
        menuBar->SetCommandEnabled(c.copy, selected);
        menuBar->SetCommandEnabled(c.clear, selected);
        menuBar->SetCommandEnabled(c.paste, platform::ClipboardHasText());
    }
    CNativeControlView::UpdateMenu(menuBar);
}

void CSingleLineTextEditView::DoMenuCommand(uint32_t command, uint32_t menu)
{
    CApplication* app = GetApplication();
    const CStandardCommands c = app ? app->GetStandardCommands() : CStandardCommands{};
    if (command == 0 || !app) {
        CNativeControlView::DoMenuCommand(command, menu);
    } else if (command == c.cut || command == c.copy) {
        const std::string selected = Selected();
        if (!selected.empty())
            platform::ClipboardSetText(selected);
        if (command == c.cut)
            ReplaceSelection("");
    } else if (command == c.clear) {
        ReplaceSelection("");
    } else if (command == c.paste) {
        const auto clip = platform::ClipboardGetText();
        const std::string selected = Selected();
        const auto text = PasteText(clip.value_or(""), static_cast<int32_t>(GetNativeText().size()),
                                    static_cast<int32_t>(selected.size()), maxLength_);
        if (!text) {
            platform::MessageBeep();
            return;
        }
        for (size_t at = 0; at < text->size();)
            Publish({kEditInsertChar, platform::DecodeCharacter(*text, at), {}});
    } else {
        CNativeControlView::DoMenuCommand(command, menu);
    }
}

} // namespace NSHarrowen
