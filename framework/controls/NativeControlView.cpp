#include "framework/controls/NativeControlView.h"
#include "framework/controls/ControlView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/application/Application.h"
#include "framework/base/Exceptions.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/TooltipControl.h"
#include "platform/controls/Controls.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"

#include <array>

namespace NSHarrowen {

namespace {

constexpr size_t kClassCount = 10;

// The first previous procedure each class met.
std::array<platform::WindowProc, kClassCount>& PreviousProcs()
{
    static std::array<platform::WindowProc, kClassCount> procs{};
    return procs;
}

CNativeControlView* ViewOf(platform::WindowHandle handle)
{
    CApplication* app = GetApplication();
    CNativeControlRecord* record = app ? app->FindNativeControl(handle) : nullptr;
    return record ? static_cast<CNativeControlView*>(record->view) : nullptr;
}

platform::LResult Previous(ENativeClass c, platform::WindowHandle h, uint32_t m, platform::WParam w, platform::LParam l)
{
    return platform::CallWindowProcedure(PreviousProcs()[static_cast<size_t>(c)], h, m, w, l);
}

platform::LResult ToParent(platform::WindowHandle h, uint32_t m, platform::WParam w, platform::LParam l)
{
    platform::SendMessage(platform::GetParent(h), m, w, l);
    return 0;
}

void RelayToTooltips(CNativeControlView* view, platform::WindowHandle h, uint32_t m, platform::LParam l)
{
    CABCWindow* window = view ? view->GetWindow() : nullptr;
    CTooltipControl* tips = window ? window->GetTooltips(false) : nullptr;
    if (!tips)
        return;
    const platform::Point screen = platform::ClientToScreen(h, platform::PointFromLParam(l));
    const platform::Point client = platform::ScreenToClient(window->GetHandle(), screen);
    tips->RelayEvent(m, CPoint(client.x, client.y), platform::GetMessageTime());
}

// `other`: the window the keys come from or go to.
void FocusChanged(CNativeControlView* view, bool gained, platform::WindowHandle other = 0)
{
    CABCWindow* window = view ? view->GetWindow() : nullptr;
    if (!window)
        return;
    if (gained) {
        window->SetFocusView(view->PassesFocusToParent() && view->GetParent() ? static_cast<CView*>(view->GetParent())
                                                                              : view);
        return;
    }
    window->KeysGoingTo(other);
    if (window->GetFocusView() == view)
        window->SetFocusView(nullptr);
}

bool IsKey(uint32_t m)
{
    return m == platform::msg::KeyDown || m == platform::msg::KeyUp;
}

platform::LResult ReplacementProc(ENativeClass c, platform::WindowHandle h, uint32_t m, platform::WParam w,
                                  platform::LParam l)
{
    namespace msg = platform::msg;
    CNativeControlView* view = ViewOf(h);
    if (m >= msg::MouseFirst && m <= msg::MouseLast)
        RelayToTooltips(view, h, m, l);
    if (view == nullptr)
        return Previous(c, h, m, w, l);
    if (m == msg::SetFocus || m == msg::KillFocus) {
        if (c == ENativeClass::TextEdit)
            m == msg::SetFocus ? view->RaiseBusy() : view->LowerBusy();
        const platform::LResult result = Previous(c, h, m, w, l);
        FocusChanged(view, m == msg::SetFocus, static_cast<platform::WindowHandle>(w));
        return c == ENativeClass::RadioButton && m == msg::SetFocus ? 0 : result;
    }
    switch (c) {
    case ENativeClass::PushButton:
    case ENativeClass::CheckBox:
        if (!IsKey(m))
            break;
        if (w != platform::kVKSpace)
            return ToParent(h, m, w, l);
        // Space presses a focused push button: its view holds the focus.
        if (c == ENativeClass::PushButton)
            FocusChanged(view, true);
        return Previous(c, h, m, w, l);
    case ENativeClass::RadioButton:
        if (m == msg::KeyDown) {
            if (w == platform::kVKLeft || w == platform::kVKUp || w == platform::kVKRight || w == platform::kVKDown) {
                view->HandleArrowKey(w == platform::kVKRight || w == platform::kVKDown);
                return Previous(c, h, m, w, l);
            }
            return ToParent(h, m, w, l);
        }
        break;
    case ENativeClass::Popup: {
        if (m == msg::Paint && CPopupButtonView::IsAnyMoving())
            return 0;
        if (m == msg::EraseBackground && CPopupButtonView::IsAnyMoving())
            return 1;
        if (IsKey(m)) {
            const bool dropped = Previous(c, h, platform::ctlmsg::ComboGetDroppedState, 0, 0) != 0;
            if (w == platform::kVKTab || w == platform::kVKEscape || (w == platform::kVKReturn && !dropped))
                return ToParent(h, m, w, l);
            FocusChanged(view, true);
        }
        break;
    }
    case ENativeClass::TextEdit:
        if (IsKey(m) || m == msg::Char)
            return ToParent(h, m, w, l);
        break;
    case ENativeClass::ScrollBar:
        if (IsKey(m) && !(w >= platform::kVKPageUp && w <= platform::kVKDown))
            return ToParent(h, m, w, l);
        break;
    case ENativeClass::MultiLineEdit:
        // The caret keys move in the text at once; every other key goes
        // through the window's key handling (accelerators, the view's key
        // step), which hands it back. Typed characters stay.
        if (IsKey(m) && !(w >= platform::kVKPageUp && w <= platform::kVKDown))
            return ToParent(h, m, w, l);
        break;
    default:
        break;
    }
    return Previous(c, h, m, w, l);
}

template <ENativeClass C>
platform::LResult Trampoline(platform::WindowHandle h, uint32_t m, platform::WParam w, platform::LParam l)
{
    return ReplacementProc(C, h, m, w, l);
}

constexpr std::array<platform::WindowProc, kClassCount> kReplacements{
    Trampoline<ENativeClass::PushButton>,    Trampoline<ENativeClass::CheckBox>,  Trampoline<ENativeClass::RadioButton>,
    Trampoline<ENativeClass::GroupBox>,      Trampoline<ENativeClass::Popup>,     Trampoline<ENativeClass::TextEdit>,
    Trampoline<ENativeClass::UpDown>,        Trampoline<ENativeClass::ScrollBar>, Trampoline<ENativeClass::Progress>,
    Trampoline<ENativeClass::MultiLineEdit>,
};

platform::LResult Relay(CNativeControlRecord& record, uint32_t message, platform::WParam w, platform::LParam l)
{
    auto* view = static_cast<CNativeControlView*>(record.view);
    if (!view)
        return 0;
    view->RaiseBusy();
    platform::LResult result = 0;
    try {
        result = view->HandleControlMessage(message, w, l);
    } catch (...) {
        view->LowerBusy();
        throw;
    }
    view->LowerBusy();
    return result;
}

} // namespace

void RunUpdatePasses()
{
    UpdateAllWindows();
}

void GiveFocusBackToWindow(CView& view)
{
    CABCWindow* window = view.GetWindow();
    if (!window)
        return;
    platform::SetFocus(window->GetHandle());
    window->SetFocusView(nullptr);
    RunUpdatePasses();
}

CNativeControlView::CNativeControlView(CGroupView* parent, const CRect& frame, ENativeClass nativeClass)
    : CControlView(parent, frame), class_(nativeClass)
{ }

CNativeControlView::~CNativeControlView()
{
    if (CApplication* app = GetApplication())
        app->RemoveNativeControl(handle_);
    if (CABCWindow* window = GetWindow()) {
        if (CTooltipControl* tips = window->GetTooltips(false))
            tips->RemoveTool(handle_);
        if (window->GetFocusView() == this)
            window->SetFocusView(nullptr);
    }
    if (platform::IsWindow(handle_)) {
        platform::SendMessage(handle_, platform::ctlmsg::SetRedraw, 0, 0);
        platform::DestroyWindow(handle_);
    }
}

void CNativeControlView::CreateNative(const char* className, const std::string& title, uint32_t style, uint32_t exStyle)
{
    platform::RegisterControlClasses();
    CABCWindow* window = GetWindow();
    const CRect r = NativeRectFor(GetFrame());
    platform::CreateParams params;
    params.className = className;
    params.title = title;
    params.style = platform::style::Child | platform::style::Visible | style;
    params.exStyle = exStyle;
    params.rect = platform::Rect(r.left, r.top, r.right, r.bottom);
    params.parent = window ? window->GetHandle() : 0;
    handle_ = platform::CreateWindow(params);
    if (!handle_)
        throw XBase();
    Subclass();
}

void CNativeControlView::Subclass()
{
    const auto index = static_cast<size_t>(class_);
    const platform::WindowProc previous = platform::SetWindowProcedure(handle_, kReplacements[index]);
    if (!PreviousProcs()[index])
        PreviousProcs()[index] = previous;
    if (CApplication* app = GetApplication())
        app->AddNativeControl({GetWindow(), handle_, this, Relay});
}

void CNativeControlView::PlaceNative()
{
    const CRect r = NativeRectFor(GetFrame());
    platform::MoveWindow(handle_, platform::Rect(r.left, r.top, r.right, r.bottom), false);
}

void CNativeControlView::FrameChanged(const CRect& oldFrame, const CRect& newFrame)
{
    CControlView::FrameChanged(oldFrame, newFrame);
    if (handle_)
        PlaceNative();
}

void CNativeControlView::Draw()
{
    if (handle_) {
        platform::InvalidateRect(handle_, nullptr, false);
        platform::UpdateWindow(handle_);
    }
}

void CNativeControlView::SetToolTip(const std::string& text)
{
    if (CABCWindow* window = GetWindow())
        window->GetTooltips(true)->AddNativeTool(handle_, text);
}

void CNativeControlView::TakeFocus()
{
    platform::SetFocus(handle_);
    RunUpdatePasses();
}

void CNativeControlView::GiveUpFocus()
{
    GiveFocusBackToWindow(*this);
}

void CNativeControlView::FocusGained()
{
    if (handle_ && platform::GetFocus() != handle_ && platform::IsWindowVisible(handle_))
        platform::SetFocus(handle_);
}

bool CNativeControlView::IsEditing() const
{
    return HasMouseCapture();
}

platform::LResult CNativeControlView::HandleControlMessage(uint32_t, platform::WParam, platform::LParam)
{
    return 0;
}

bool CNativeControlView::IsTracking() const
{
    return (handle_ && platform::GetCapture() == handle_) || busy_ > 0;
}

void CNativeControlView::SyncEnabled()
{
    if (!handle_)
        return;
    const bool enabled = IsEnabledInHierarchy();
    if (platform::IsWindowEnabled(handle_) != enabled) {
        platform::EnableWindow(handle_, enabled);
        InvalidateFrame();
    }
}

platform::LResult CNativeControlView::CallPreviousProcedure(uint32_t message, platform::WParam wParam,
                                                            platform::LParam lParam)
{
    return Previous(class_, handle_, message, wParam, lParam);
}

void CNativeControlView::SetHelpTopic(uint32_t topic)
{
    platform::SetWindowContextHelpId(GetHandle(), topic);
}

void CNativeControlView::SetNativeText(const std::string& text)
{
    if (handle_ && GetNativeText() != text)
        platform::SetControlText(handle_, text);
}

std::string CNativeControlView::GetNativeText() const
{
    return handle_ ? platform::GetControlText(handle_) : std::string();
}

} // namespace NSHarrowen
