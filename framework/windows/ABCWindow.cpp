#include "framework/windows/ABCWindow.h"

#include "platform/base/DroppedExceptions.h"
#include "framework/application/Application.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/ABCCanvas.h"
#include "framework/windows/DialogTemplate.h"
#include "framework/drawing/DrawingContext.h"
#include "framework/controls/TooltipControl.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"

#include <algorithm>
#include <utility>

namespace NSHarrowen {

namespace {

platform::Rect ToPlatform(const CRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

CRect FromPlatform(const platform::Rect& r)
{
    return CRect(r.left, r.top, r.right, r.bottom);
}

} // namespace

CABCWindow::CABCWindow(int kind, const CColor& background) : background_(background), kind_(kind)
{
    root_ = new CWindowRootGroupView(this);
    RegisterWindow(this);
}

CABCWindow::~CABCWindow()
{
    if (CApplication* app = GetApplication(); app && app->GetToolbar() == this)
        app->SetToolbar(nullptr);
    tooltips_.reset();
    template_.reset();
    if (root_) {
        root_->DeleteChildren();
        delete root_;
        root_ = nullptr;
    }
    focus_ = nullptr;
    while (!contexts_.empty())
        contexts_.pop_back(); // the latest first
    UnregisterWindow(this);
    DestroyNativeWindow();
    focusChain_.clear();
}

void CABCWindow::DestroyNativeWindow()
{
    const platform::WindowHandle handle = handle_;
    handle_ = 0;
    if (!handle)
        return;
    if (kind_ == kWindowDocument && platform::IsWindow(platform::GetParent(handle)))
        platform::SendMessage(platform::GetParent(handle), platform::msg::MdiDestroy, handle, 0);
    else if (kind_ != kWindowFrame)
        platform::DestroyWindow(handle);
}

const CDialogItem* CABCWindow::GetDialogItem(uint16_t id) const
{
    return template_ ? template_->FindItem(id) : nullptr;
}

void CABCWindow::SetDialogTemplate(std::unique_ptr<CDialogTemplate> dialogTemplate)
{
    template_ = std::move(dialogTemplate);
}

void CABCWindow::SetBounds(const CRect& windowRect)
{
    SetWindowRect(windowRect);
    root_->SetFrame(GetClientRect());
    LayoutRootView();
    UpdateAllWindows();
}

void CABCWindow::KillFocus()
{
    if (focus_)
        focus_->FocusLost();
}

void CABCWindow::Close()
{
    deletionMark_ = true;
}

void CABCWindow::Open(const CRect& windowRect)
{
    if (IsDocumentWindow() && IsMinimized())
        platform::SendMessage(platform::GetParent(handle_), platform::msg::MdiRestore, handle_, 0);
    SetBounds(windowRect);
    ReceiveNotifications();
    UpdateState();
    UpdateDisplay();
    platform::ShowWindow(handle_, platform::ShowCommand::Show);
    BringToFront();
    root_->Relayout();
}

void CABCWindow::HandleMouseEvent(const CEvent& event)
{
    if (CView* capture = GetMouseCaptureView()) {
        if (capture->IsEnabledInHierarchy())
            capture->MouseDown(event);
        return;
    }
    if (root_->IsEnabled())
        root_->MouseDown(event);
}

void CABCWindow::RedrawViews()
{
    root_->Draw();
}

void CABCWindow::ReceiveNotifications()
{
    root_->ReceiveNotifications();
}

void CABCWindow::UpdateState()
{
    root_->UpdateState();
}

void CABCWindow::UpdateDisplay()
{
    root_->UpdateDisplay();
}

void CABCWindow::HandleKeyEvent(const CKeyEvent& event)
{
    CView* target = GetMouseCaptureView();
    if (!target)
        target = GetFocusView();
    if (target && target->IsEnabledInHierarchy())
        target->ForwardKey(event);
    else
        root_->ForwardKey(event);
}

void CABCWindow::DoCommand(const CKeyEvent& event)
{
    if (event.kind == kEventKeyDown && event.code == kKeyTab) {
        if (event.modifiers.IsControlOrCommandDown())
            return;
        if (event.modifiers.IsShiftOrExtendDown())
            FocusPrevious();
        else
            FocusNext();
        return;
    }
    if (event.kind == kEventKeyDown && event.code == kKeyF1 + 3 && event.modifiers.IsControlOrCommandDown()) {
        const uint32_t style = platform::GetWindowStyle(handle_);
        if ((style & platform::style::SysMenu) || (IsDocumentWindow() && platform::IsMaximized(handle_))) {
            RequestClose();
            return;
        }
    }
    if (CApplication* app = GetApplication())
        app->DoCommand(event);
}

void CABCWindow::UpdateMenus(CMenuBar* menuBar)
{
    if (CApplication* app = GetApplication())
        app->UpdateMenus(menuBar);
}

void CABCWindow::HandleMenuSelect(CMenu* menu, uint32_t command)
{
    CApplication* app = GetApplication();
    if (!app)
        return;
    if (command != 0 && command == app->GetStandardCommands().close)
        RequestClose();
    else
        app->HandleMenuSelect(menu, command);
}

void CABCWindow::AdjustViewLayout()
{
    root_->Relayout();
}

void CABCWindow::OnActivate()
{
    if (tooltips_)
        tooltips_->Activate(true);
}

void CABCWindow::OnDeactivate()
{
    if (tooltips_)
        tooltips_->Activate(false);
    if (CView* capture = GetMouseCaptureView(); capture && capture->GetWindow() == this)
        capture->CancelMouseCapture();
}

void CABCWindow::GetSizeLimits(CPoint& minimum, CPoint& maximum) const
{
    minimum = CPoint(60, 60);
    maximum = CPoint(20000, 20000);
}

void CABCWindow::LayoutRootView()
{
    root_->SetFrame(GetClientRect());
}

void CABCWindow::Idle()
{
    root_->HandleBroadcast();
}

void CABCWindow::ClientSizeChanged()
{
    root_->SetFrame(GetClientRect());
    LayoutRootView();
    UpdateAllWindows();
}

// Drawing.

void CABCWindow::InvalidateAll()
{
    platform::InvalidateRect(handle_, nullptr, false);
}

void CABCWindow::InvalidateRect(const CRect& rect)
{
    const platform::Rect r = ToPlatform(rect);
    platform::InvalidateRect(handle_, &r, false);
}

void CABCWindow::InvalidateRegion(const platform::Region& region)
{
    platform::InvalidateRegion(handle_, region, false);
}

void CABCWindow::ValidateRect(const CRect& rect)
{
    const platform::Rect r = ToPlatform(rect);
    platform::ValidateRect(handle_, &r);
}

void CABCWindow::ValidateAll()
{
    platform::ValidateRect(handle_, nullptr);
}

void CABCWindow::UpdateNow()
{
    platform::UpdateWindow(handle_);
}

void CABCWindow::DrawNow()
{
    {
        CCanvas canvas(this);
        RedrawViews();
    }
    ValidateAll();
}

void CABCWindow::ScrollRect(const CRect& rect, int16_t dx, int16_t dy)
{
    const platform::Rect r = ToPlatform(rect);
    platform::ScrollWindow(handle_, dx, dy, &r);
}

CRect CABCWindow::GetClipBounds() const
{
    return clipActive_ ? FromPlatform(clip_.Bounds()) : CRect(0, 0, 20000, 20000);
}

void CABCWindow::SetClipRegion(const platform::Region* region)
{
    CDrawingContext* current = GetCurrentDrawingContext();
    if (!current)
        return;
    clipActive_ = region != nullptr;
    clip_ = region ? *region : platform::Region();
    current->SelectClip(region);
}

bool CABCWindow::TouchesClipRegion(const CRect& rect) const
{
    return !clipActive_ || clip_.IntersectsRect(ToPlatform(rect));
}

CDrawingContext* CABCWindow::PushContext(std::unique_ptr<CDrawingContext> context)
{
    contexts_.push_back(std::move(context));
    return contexts_.back().get();
}

void CABCWindow::PopContext(CDrawingContext* context)
{
    if (GetCurrentDrawingContext() != context)
        return;
    contexts_.pop_back();
    platform::SurfaceChanged(handle_);
}

CGdiState* CABCWindow::AcquireCanvas()
{
    if (CDrawingContext* current = GetCurrentDrawingContext()) {
        current->Retain();
        return current->GetState();
    }
    const platform::WindowSurface surface = platform::GetWindowSurface(handle_);
    if (!surface.pixels)
        return nullptr;
    // Drawing outside a paint stays off the windows over this one.
    return PushContext(std::make_unique<CDrawingContext>(*surface.pixels,
                                                         CPoint(surface.clientOrigin.x, surface.clientOrigin.y),
                                                         FromPlatform(surface.clientRect), &surface.visible))
        ->GetState();
}

CPoint CABCWindow::ClientToScreen(CPoint client) const
{
    const platform::Point p = platform::ClientToScreen(handle_, {client.x, client.y});
    return CPoint(p.x, p.y);
}

CABCCanvas* CABCWindow::GetOffscreenCanvas() const
{
    const CDrawingContext* current = GetCurrentDrawingContext();
    return current ? current->GetOffscreenCanvas() : nullptr;
}

void CABCWindow::EndDrawing()
{
    CDrawingContext* current = GetCurrentDrawingContext();
    if (current && current->Release())
        PopContext(current);
}

void CABCWindow::BeginOffscreenDrawing(CABCCanvas* canvas)
{
    PushContext(std::make_unique<CDrawingContext>(canvas));
}

void CABCWindow::EndOffscreenDrawing()
{
    if (GetOffscreenCanvas())
        EndDrawing();
}

void CABCWindow::PaintWindow()
{
    platform::PaintContext paint = platform::BeginPaint(handle_);
    if (!paint.update.IsEmpty() && !IsMinimized()) {
        const bool hadClip = clipActive_;
        const platform::Region previousClip = clip_;
        // Everything pushed from here on (the paint's context and whatever a
        // view left behind) goes when the paint ends.
        const size_t depth = contexts_.size();
        PushContext(std::make_unique<CDrawingContext>(
            *paint.surface.pixels, CPoint(paint.surface.clientOrigin.x, paint.surface.clientOrigin.y),
            FromPlatform(paint.surface.clientRect), &paint.update));
        clipActive_ = true;
        clip_ = paint.update;
        try {
            RedrawViews();
        } catch (...) {
            // One failing view must not break painting for good.
            platform::RecordDroppedException("painting a window's views");
        }
        while (contexts_.size() > depth)
            contexts_.pop_back();
        platform::SurfaceChanged(handle_);
        clipActive_ = hadClip;
        clip_ = previousClip;
    }
    platform::EndPaint(handle_, paint);
}

// Focus.

CView* CABCWindow::GetFocusView() const
{
    if (focus_ && focus_->PassesFocusToParent() && focus_->GetParent())
        return focus_->GetParent();
    return focus_;
}

void CABCWindow::SetFocusView(CView* view)
{
    if (view == focus_)
        return;
    CView* old = focus_;
    focus_ = view;
    if (old)
        old->FocusLost();
    if (view && focus_ == view)
        view->FocusGained();
}

void CABCWindow::SendFocusLost()
{
    if (focus_)
        focus_->FocusLost();
}

void CABCWindow::AddToFocusChain(CView* view)
{
    if (std::find(focusChain_.begin(), focusChain_.end(), view) == focusChain_.end())
        focusChain_.push_back(view);
}

void CABCWindow::RemoveFromFocusChain(CView* view)
{
    focusChain_.erase(std::remove(focusChain_.begin(), focusChain_.end(), view), focusChain_.end());
}

void CABCWindow::ForgetView(CView* view)
{
    if (focus_ == view)
        focus_ = nullptr;
    if (focusAway_ == view)
        focusAway_ = nullptr;
    RemoveFromFocusChain(view);
}

bool CABCWindow::HoldsHandle(platform::WindowHandle other) const
{
    return other && (other == handle_ || platform::IsChildOf(other, handle_));
}

void CABCWindow::KeysGoingTo(platform::WindowHandle next)
{
    if (focus_ && !HoldsHandle(next))
        focusAway_ = focus_;
}

void CABCWindow::KeysBackFrom(platform::WindowHandle previous)
{
    if (HoldsHandle(previous))
        return;
    CView* const view = std::exchange(focusAway_, nullptr);
    if (!focus_ && view && CanTakeFocus(view))
        SetFocusView(view);
}

bool CABCWindow::CanTakeFocus(const CView* view) const
{
    return view->IsFocusable() && view->IsEnabledInHierarchy();
}

void CABCWindow::FocusFirst()
{
    for (CView* v : focusChain_)
        if (CanTakeFocus(v)) {
            SetFocusView(v);
            return;
        }
    SetFocusView(nullptr);
}

void CABCWindow::FocusLast()
{
    for (auto it = focusChain_.rbegin(); it != focusChain_.rend(); ++it)
        if (CanTakeFocus(*it)) {
            SetFocusView(*it);
            return;
        }
    SetFocusView(nullptr);
}

void CABCWindow::FocusNext()
{
    auto it = std::find(focusChain_.begin(), focusChain_.end(), focus_);
    if (it == focusChain_.end()) {
        FocusFirst();
        return;
    }
    for (auto next = std::next(it); next != focusChain_.end(); ++next)
        if (CanTakeFocus(*next)) {
            SetFocusView(*next);
            return;
        }
    FocusFirst();
}

void CABCWindow::FocusPrevious()
{
    auto it = std::find(focusChain_.begin(), focusChain_.end(), focus_);
    if (it == focusChain_.end()) {
        FocusLast();
        return;
    }
    while (it != focusChain_.begin()) {
        --it;
        if (CanTakeFocus(*it)) {
            SetFocusView(*it);
            return;
        }
    }
    FocusLast();
}

CTooltipControl* CABCWindow::GetTooltips(bool create)
{
    if (!tooltips_ && create)
        tooltips_ = std::make_unique<CTooltipControl>(this);
    return tooltips_.get();
}

// As the frame's: the state found is the state given back.
void CABCWindow::RaiseDisableCount()
{
    if (++disableCount_ == 1) {
        wasEnabled_ = platform::IsWindowEnabled(handle_);
        platform::EnableWindow(handle_, false);
    }
}

void CABCWindow::LowerDisableCount()
{
    if (disableCount_ > 0 && --disableCount_ == 0 && wasEnabled_)
        platform::EnableWindow(handle_, true);
}

} // namespace NSHarrowen
