#include "framework/windows/ModalDialog.h"

#include "platform/base/DroppedExceptions.h"
#include "framework/application/Application.h"
#include "framework/windows/DialogTemplate.h"
#include "framework/base/Exceptions.h"
#include "framework/menus/MenuBar.h"
#include "framework/views/View.h"
#include "framework/controls/PushButtonView.h"
#include "framework/views/GroupView.h"
#include "framework/input/Keyboard.h"

#include <cctype>
#include "framework/input/Ticks.h"
#include "platform/system/Clock.h"
#include "platform/windows/MessageQueue.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

namespace {

platform::WindowHandle FrameHandle()
{
    const CApplication* app = GetApplication();
    return app ? app->GetFrameHandle() : 0;
}

std::string ApplicationName()
{
    const CApplication* app = GetApplication();
    return app ? app->GetName() : std::string();
}

// The mnemonic of a button label: the letter marked with "&", else its
// first letter, in upper case; 0 for none.
char LabelMnemonic(const std::string& label)
{
    for (size_t i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != '&')
            continue;
        if (label[i + 1] != '&')
            return static_cast<char>(std::toupper(static_cast<unsigned char>(label[i + 1])));
        ++i;
    }
    for (const char c : label)
        if (std::isalnum(static_cast<unsigned char>(c)))
            return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return 0;
}

// The first enabled push button of the tree, in tree order, with that mnemonic.
CPushButtonView* FindButtonByMnemonic(CView* view, char letter)
{
    if (auto* button = dynamic_cast<CPushButtonView*>(view))
        return button->IsEnabledInHierarchy() && LabelMnemonic(button->GetNativeText()) == letter ? button : nullptr;
    if (auto* group = dynamic_cast<CGroupView*>(view))
        for (int i = 0; i < group->CountChildren(); ++i)
            if (CPushButtonView* found = FindButtonByMnemonic(group->GetChild(i), letter))
                return found;
    return nullptr;
}

// A quit from outside ends the modal run first, when the dialog agrees as
// it would to the quit itself; the outermost loop then asks the usual
// questions. A dialog that refuses keeps running and the quit is dropped.
void EndForQuit(CApplication& app, CModalDialog& dialog)
{
    // What the dialog asks before it agrees runs as usual, not ended too.
    app.SetRunState(kRunStateRunning);
    if (!dialog.CanClose())
        return;
    dialog.Close();
    app.RequestQuit();
}

bool TakesKeys(platform::WindowHandle w)
{
    const CABCWindow* window = GetWindowFromHandle(w);
    return w && platform::IsWindow(w) && platform::IsWindowVisible(w) && platform::IsWindowEnabled(w) &&
        !(window && window->IsMarkedForDeletion());
}

// The dialog in front that still runs, if any.
CABCWindow* TopOpenDialog()
{
    for (int i = CountWindows() - 1; i >= 0; --i)
        if (CABCWindow* w = GetWindowAt(i); w->GetKind() == kWindowModal && TakesKeys(w->GetHandle()))
            return w;
    return nullptr;
}

// Gives the keys (and the active caption) back to the window that had them
// before a dialog: a dialog under an alert, a floater, the patch window in
// front. One that is gone or hidden leaves them with the dialog's owner or
// the main frame, or, while those are under another dialog, with that one.
void GiveKeysBack(platform::WindowHandle before, platform::WindowHandle owner)
{
    const platform::WindowHandle frame = FrameHandle();
    if (before && before == frame && TakesKeys(frame)) {
        if (CABCWindow* document = GetActiveDocumentWindow()) {
            document->BringToFront();
            return;
        }
    }
    if (CABCWindow* window = GetWindowFromHandle(before); window && TakesKeys(before))
        window->BringToFront();
    else if (TakesKeys(before))
        platform::SetActiveWindow(before);
    else if (const platform::WindowHandle next = owner && platform::IsWindow(owner) ? owner : frame; TakesKeys(next))
        platform::SetActiveWindow(next);
    else if (CABCWindow* dialog = TopOpenDialog())
        dialog->BringToFront();
    else if (next)
        platform::SetActiveWindow(next);
}

} // namespace

CModalDialog::CModalDialog(const std::string& title, int frameStyle)
    : CABCWindow(kWindowModal, CColor::FromButtonFace())
{
    Create(FrameHandle(), title, frameStyle);
}

CModalDialog::CModalDialog(CABCWindow* owner, const std::string& title, int frameStyle)
    : CABCWindow(kWindowModal, CColor::FromButtonFace())
{
    Create(owner ? owner->GetHandle() : FrameHandle(), title, frameStyle);
}

CModalDialog::CModalDialog(int32_t templateId, int frameStyle) : CABCWindow(kWindowModal, CColor::FromButtonFace())
{
    FromTemplate(nullptr, templateId, frameStyle);
}

CModalDialog::CModalDialog(CABCWindow* owner, int32_t templateId, int frameStyle)
    : CABCWindow(kWindowModal, CColor::FromButtonFace())
{
    FromTemplate(owner, templateId, frameStyle);
}

void CModalDialog::FromTemplate(CABCWindow* owner, int32_t templateId, int frameStyle)
{
    SetDialogTemplate(CDialogTemplate::Load(templateId));
    const CDialogTemplate* t = GetDialogTemplate();
    const std::string title = t->GetTitle().empty() ? ApplicationName() : t->GetTitle();
    Create(owner ? owner->GetHandle() : FrameHandle(), title, frameStyle);
    const CRect frame = t->GetFrame();
    SetWindowRect(GetCenteredRectForContentSize(frame.Width(), frame.Height()));
    LayoutRootView();
}

void CModalDialog::Create(platform::WindowHandle owner, const std::string& title, int frameStyle)
{
    platform::CreateParams params;
    params.className = kModalDialogWindowClass;
    params.title = title;
    // An owned pop-up: the child bit of the classic style word does not apply.
    params.style = (frameStyle == 1 ? 0xC0C80000u : 0xC0C00000u) & ~platform::style::Child;
    params.exStyle = frameStyle == 1 ? platform::exstyle::ContextHelp : 0;
    params.rect = platform::Rect::FromSize(0, 0, 300, 200);
    params.owner = owner;
    params.createData = reinterpret_cast<intptr_t>(static_cast<CABCWindow*>(this));
    keysBefore_ = platform::GetActiveWindow();
    const platform::WindowHandle handle = platform::CreateWindow(params);
    if (!handle)
        throw XBase();
    platform::SetWindowModal(handle, true);
    DisableOthers();
}

CModalDialog::~CModalDialog()
{
    EnableOthers();
}

void CModalDialog::DisableOthers()
{
    // A press held when the dialog takes over never sees its release: the
    // view that holds the mouse lets go now and is told.
    if (CView* capture = GetMouseCaptureView(); capture && capture->GetWindow() != this)
        capture->CancelMouseCapture();
    if (CView* tracking = GetMouseTrackingView(); tracking && tracking->GetWindow() != this)
        tracking->CancelMouseTracking();
    if (CApplication* app = GetApplication())
        app->DisableFrame();
    for (int i = 0; i < CountWindows(); ++i)
        if (CABCWindow* w = GetWindowAt(i); w != this && w->GetHandle())
            w->RaiseDisableCount();
    disabledOthers_ = true;
}

void CModalDialog::EnableOthers()
{
    if (!disabledOthers_)
        return;
    disabledOthers_ = false;
    if (CApplication* app = GetApplication())
        app->EnableFrame();
    for (int i = 0; i < CountWindows(); ++i)
        if (CABCWindow* w = GetWindowAt(i); w != this && w->GetDisableCount() > 0)
            w->LowerDisableCount();
}

int CModalDialog::GetBorderWidth() const
{
    return platform::GetSystemMetric(platform::Metric::DialogFrameX);
}

int CModalDialog::GetBorderHeight() const
{
    return platform::GetSystemMetric(platform::Metric::DialogFrameY);
}

void CModalDialog::SetDefaultButton(IDialogButton* button)
{
    if (defaultButton_)
        defaultButton_->SetDefaultLook(false);
    defaultButton_ = button;
    if (button)
        button->SetDefaultLook(true);
}

void CModalDialog::Open(const CRect& windowRect)
{
    CABCWindow::Open(windowRect);
    if (!GetFocusView())
        FocusFirst();
}

void CModalDialog::Close()
{
    CABCWindow::Close();
    if (!IsMarkedForDeletion())
        return;
    const platform::WindowHandle handle = GetHandle();
    const bool active = platform::GetActiveWindow() == handle;
    platform::ShowWindow(handle, platform::ShowCommand::Hide);
    EnableOthers();
    if (active || platform::GetActiveWindow() == handle)
        GiveKeysBack(keysBefore_, platform::GetOwner(handle));
}

void CModalDialog::DoCommand(const CKeyEvent& event)
{
    // Alt and a letter press the button whose label has that mnemonic.
    if (event.kind == kEventKeyDown && event.modifiers.IsAltDown() && !event.modifiers.IsControlOrCommandDown()) {
        const uint16_t letter = KeyCharacter(event);
        if (CPushButtonView* button =
                letter ? FindButtonByMnemonic(GetRootView(), static_cast<char>(letter)) : nullptr) {
            button->Click();
            WaitTicks(8);
            return;
        }
    }
    // A key that pressed one of the dialog's buttons is its answer and goes
    // no further: the window under a closed alert must not take it too.
    if (event.kind == kEventKeyDown) {
        if (event.code == kKeyEscape && cancelButton_) {
            cancelButton_->Click();
            WaitTicks(8);
            return;
        }
        if ((event.code == kKeyReturn || event.code == kKeyEnter) && defaultButton_) {
            defaultButton_->Click();
            WaitTicks(8);
            return;
        }
    }
    CABCWindow::DoCommand(event);
}

void RunModal(CModalDialog* dialog)
{
    if (!dialog)
        return;
    CApplication* app = GetApplication();
    const platform::WindowHandle keysBefore = dialog->GetKeysBefore();
    const platform::WindowHandle handle = dialog->GetHandle();
    const platform::WindowHandle owner = platform::GetOwner(handle);
    CMenuBar* menuBar = app ? app->GetMenuBar() : nullptr;
    if (menuBar)
        menuBar->BlockAccelerators();
    const bool stayOnTop = app && app->GetStayOnTop();
    dialog->SetSavedStayOnTop(stayOnTop);
    if (app)
        app->SetStayOnTop(false);

    // Done once the dialog is closed: what the user does next (a key, a
    // click on the menu bar) goes to the program's own loop, with the
    // accelerators working again, even before the dialog is deleted. Nothing
    // is deleted while the loop runs; the handle check covers an owner that
    // deletes the dialog outright.
    const auto done = [&] {
        return !platform::IsWindow(handle) || (GetWindowListIndex(dialog) >= 0 && dialog->IsMarkedForDeletion());
    };
    {
        const CHandlerScope nested;
        while (!done()) {
            if (app && app->GetRunState() == kRunStateLeaveLoop)
                break;
            if (app && app->GetRunState() == kRunStateQuitRequested) {
                EndForQuit(*app, *dialog);
                continue;
            }
            int taken = 0;
            platform::Message message;
            while (taken < 20 && !done() && platform::PeekMessage(message)) {
                ++taken;
                if (app) {
                    app->DispatchOne(message);
                    if (app->GetRunState() != kRunStateRunning)
                        break;
                } else {
                    try {
                        platform::DispatchMessage(message);
                    } catch (...) {
                        platform::RecordDroppedException("a message handler of a modal run");
                    }
                }
            }
            if (taken == 0)
                platform::SleepMilliseconds(1);
        }
    }

    if (!app)
        DeleteMarkedWindows();
    if (app)
        app->SetStayOnTop(stayOnTop);
    if (menuBar)
        menuBar->UnblockAccelerators();
    GiveKeysBack(keysBefore, owner);
}

} // namespace NSHarrowen
