#include "framework/alerts/AlertBox.h"

#include "framework/controls/ControlLogic.h"
#include "framework/windows/DialogTemplate.h"
#include "framework/views/IconView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/resources/ResourceText.h"
#include "framework/views/StaticTextView.h"

#include <cctype>
#include <string_view>

namespace NSHarrowen {

namespace {

enum EAlertItem : uint16_t {
    kAlertItemButton1 = 1,
    kAlertItemButton2 = 2,
    kAlertItemButton3 = 3,
    kAlertItemMessage = 4,
    kAlertItemIcon = 5
};

CRect ItemRect(const CAlertBox& box, uint16_t id)
{
    const CDialogItem* item = box.GetDialogItem(id);
    return item ? item->rect : CRect();
}

// Labels compared without regard to case or a mnemonic mark.
bool SameLabel(const std::string& label, std::string_view lowerCase)
{
    std::string plain;
    for (const char c : label)
        if (c != '&')
            plain += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    while (!plain.empty() && plain.back() == ' ')
        plain.pop_back();
    while (!plain.empty() && plain.front() == ' ')
        plain.erase(plain.begin());
    return plain == lowerCase;
}

} // namespace

CAlertBox::CAlertBox(const std::string& script, int* result)
    : CModalDialog(kAlertTemplateId), script_(BoundedText(script, kAlertScriptLength)), result_(result)
{
    if (result_)
        *result_ = kAlertClosed;
}

CAlertBox::~CAlertBox()
{
    // The views go before the window's own teardown so that no dialog
    // button is left pointing at them.
    SetDefaultButton(nullptr);
    SetCancelButton(nullptr);
}

void CAlertBox::AddAlertArgument(const std::string& text)
{
    if (arguments_.size() < kAlertArgumentCount)
        arguments_.push_back(SanitizeAlertArgument(text));
}

int CAlertBox::ShownButtons() const
{
    return parsed_.ShownButtons();
}

CPushButtonView* CAlertBox::GetButton(int number) const
{
    return number >= 1 && number <= kAlertMaxButtons ? buttons_[number - 1] : nullptr;
}

void CAlertBox::MakeViews()
{
    parsed_ = ParseAlertText(script_, arguments_);
    const int count = ShownButtons();
    CAlertLayout places;
    for (int i = 0; i < kAlertMaxButtons; ++i)
        places.buttons[i] = ItemRect(*this, static_cast<uint16_t>(kAlertItemButton1 + i));
    places.message = ItemRect(*this, kAlertItemMessage);
    places.icon = ItemRect(*this, kAlertItemIcon);
    const CAlertLayout layout = LayoutAlert(places, parsed_.iconKind, count);

    CGroupView* root = GetRootView();
    CDialogItem messageItem;
    messageItem.rect = layout.message;
    messageItem.text = parsed_.MessageText();
    message_ = new CStaticTextView(root, messageItem);
    for (int i = 0; i < count; ++i) {
        CDialogItem item;
        item.rect = layout.buttons[i];
        item.text = parsed_.labels[i];
        buttons_[i] = new CPushButtonView(root, item);
    }
    icon_ = new CIconView(root, layout.icon, parsed_.iconKind);
    SetDefaultButton(buttons_[0]);
    // Escape answers a question as its Cancel button does, or No where it
    // has no Cancel.
    for (const char* answer : {"cancel", "no"})
        for (int i = 0; i < count && !GetCancelButton(); ++i)
            if (SameLabel(parsed_.labels[i], answer))
                SetCancelButton(buttons_[i]);
    for (int number : {2, 3, 1})
        if (CPushButtonView* button = GetButton(number))
            AddToFocusChain(button);
    made_ = true;
}

void CAlertBox::Open(const CRect& windowRect)
{
    if (!made_)
        MakeViews();
    CModalDialog::Open(windowRect);
    SetFocusView(buttons_[0]);
}

void CAlertBox::OpenCentered()
{
    Open(GetWindowRectInFrame());
}

void CAlertBox::ReceiveNotifications()
{
    CModalDialog::ReceiveNotifications();
    for (int i = 0; i < kAlertMaxButtons; ++i)
        if (buttons_[i] && buttons_[i]->TakeClick()) {
            if (result_)
                *result_ = kAlertButton1 + i;
            // The caller's variable may be gone once the modal run returns.
            result_ = nullptr;
            Close();
            return;
        }
}

void CAlertBox::DoCommand(const CKeyEvent& event)
{
    const bool arrow = event.code == kKeyLeft || event.code == kKeyRight;
    if (arrow && (event.kind == kEventKeyDown || event.kind == kEventKeyRepeat)) {
        const int count = ShownButtons();
        int current = 1;
        for (int i = 0; i < count; ++i)
            if (GetFocusView() == buttons_[i])
                current = i + 1;
        SetFocusView(GetButton(NextAlertButton(current, count, event.code == kKeyRight)));
        RunUpdatePasses(); // the focused button becomes the default one
        return;
    }
    CModalDialog::DoCommand(event);
}

CAlertBox* OpenAlertBox(const std::string& script, const std::vector<std::string>& arguments, int* result)
{
    auto* box = new CAlertBox(script, result);
    for (const std::string& argument : arguments)
        box->AddAlertArgument(argument);
    box->OpenCentered();
    return box;
}

int RunAlertTextWithArgs(const std::string& script, const std::vector<std::string>& arguments)
{
    int result = kAlertClosed;
    RunModal(OpenAlertBox(script, arguments, &result));
    return result;
}

int RunAlertText(const std::string& script)
{
    return RunAlertTextWithArgs(script, {});
}

int RunAlert(uint32_t alertId)
{
    return RunAlertTextWithArgs(GetResourceAlert(alertId), {});
}

int RunAlertWithArgs(uint32_t alertId, const std::string& argument)
{
    return RunAlertTextWithArgs(GetResourceAlert(alertId), {argument});
}

} // namespace NSHarrowen
