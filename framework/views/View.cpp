#include "framework/views/View.h"

#include "framework/windows/ABCWindow.h"
#include "framework/application/Application.h"
#include "framework/drawing/Canvas.h"
#include "framework/views/GroupView.h"
#include "framework/menus/Menu.h"
#include "framework/input/MouseState.h"
#include "framework/controls/TooltipControl.h"
#include "platform/input/InputState.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

namespace {

CView* captureView = nullptr;
CView* trackingView = nullptr;
CView* hoverView = nullptr;

void RaiseTracking()
{
    if (CApplication* app = GetApplication())
        app->BeginMouseTracking();
}

void LowerTracking()
{
    if (CApplication* app = GetApplication())
        app->EndMouseTracking();
}

// Ends the capture of the view that holds it.
void EndCapture(CView* view)
{
    captureView = nullptr;
    LowerTracking();
    if (CABCWindow* window = view->GetWindow())
        if (platform::GetCapture() == window->GetHandle())
            platform::ReleaseCapture();
}

} // namespace

CView::CView(CGroupView* parent)
{
    if (parent)
        parent->Adopt(this);
}

CView::CView(CGroupView* parent, const CRect& frame) : frame_(frame)
{
    if (parent)
        parent->Adopt(this);
}

CView::~CView()
{
    Detach();
}

void CView::Detach()
{
    CABCWindow* window = GetWindow();
    if (tooltipId_ && window)
        if (CTooltipControl* tips = window->GetTooltips(false))
            tips->RemoveTool(tooltipId_);
    tooltipId_ = 0;
    if (hoverView == this)
        hoverView = nullptr;
    if (captureView == this)
        EndCapture(this);
    if (trackingView == this)
        StopMouseTracking();
    if (!parent_)
        return;
    if (window) {
        if (window->IsVisible() && redrawMode_ != kRedrawNothing)
            InvalidateFrame(true);
        window->ForgetView(this);
    }
    parent_->RemoveChild(this);
}

CABCWindow* CView::GetWindow() const
{
    return parent_ ? parent_->GetWindow() : nullptr;
}

void CView::MouseDown(const CEvent&)
{
    if (focusable_ && IsEnabledInHierarchy())
        Focus();
}

void CView::ForwardKey(const CKeyEvent& event)
{
    if (parent_)
        parent_->ForwardKey(event);
}

void CView::GetCursor()
{
    if (parent_)
        parent_->GetCursor();
    else
        SetArrowCursor();
}

void CView::UpdateMenu(CMenuBar* menuBar)
{
    if (parent_)
        parent_->UpdateMenu(menuBar);
}

void CView::DoMenuCommand(uint32_t command, uint32_t menu)
{
    if (parent_)
        parent_->DoMenuCommand(command, menu);
}

CColor CView::GetBackgroundColor() const
{
    return parent_ ? parent_->GetBackgroundColor() : CColor::FromButtonFace();
}

void CView::ContextClick(CPoint where)
{
    contextClickFlag_ = 1;
    contextClickPoint_ = where;
    UpdateAllWindows();
    contextClickFlag_ = 0;
}

void CView::ExcludeOpaqueArea(CRegion& region) const
{
    switch (opaqueMode_) {
    case kOpaqueFrame:
    case kOpaqueRect: {
        CRect r = opaqueMode_ == kOpaqueFrame ? frame_ : GetOpaqueRect();
        if (ClipToAncestors(r))
            region.SubtractRect(r);
        break;
    }
    case kOpaqueRegion: {
        CRegion opaque;
        if (CreateOpaqueRegion(opaque)) {
            ClipToAncestors(opaque);
            region.Subtract(opaque);
        }
        break;
    }
    default:
        break;
    }
}

uint32_t CView::GetInheritedContext() const
{
    if (context_)
        return context_;
    return parent_ ? parent_->GetInheritedContext() : 0;
}

void CView::SetToolTip(const std::string& text)
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CTooltipControl* tips = window->GetTooltips(true);
    if (tooltipId_)
        tips->RemoveTool(tooltipId_);
    tooltipId_ = tips->AddTool(frame_, text, this);
}

void CView::CancelMouseCapture()
{
    if (captureView != this)
        return;
    EndCapture(this);
    CaptureLost();
}

void CView::CancelMouseTracking()
{
    if (trackingView != this)
        return;
    StopMouseTracking();
    CaptureLost();
}

void CView::JoinFocusChain()
{
    if (CABCWindow* window = GetWindow())
        window->AddToFocusChain(this);
}

void CView::LeaveFocusChain()
{
    if (CABCWindow* window = GetWindow())
        window->RemoveFromFocusChain(this);
}

void CView::TakeFocus()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    window->SetFocusView(this);
    platform::SetFocus(window->GetHandle());
    UpdateAllWindows();
}

void CView::GiveUpFocus()
{
    CABCWindow* window = GetWindow();
    if (!window || window->GetFocusView() != this)
        return;
    window->SetFocusView(nullptr);
    UpdateAllWindows();
}

CView* CView::FindViewAt(int16_t x, int16_t y)
{
    if (ContainsPoint(CPoint(x, y)))
        return this;
    return parent_;
}

void CView::SetFrame(const CRect& frame)
{
    if (frame == frame_)
        return;
    const CRect old = frame_;
    frame_ = frame;
    if (tooltipId_)
        if (CABCWindow* window = GetWindow())
            if (CTooltipControl* tips = window->GetTooltips(false))
                tips->MoveTool(tooltipId_, frame);
    FrameChanged(old, frame);
    switch (redrawMode_) {
    case kRedrawOldAndNew:
        InvalidateRect(old, false);
        InvalidateRect(frame, false);
        break;
    case kRedrawDifference:
        if (old.left == frame.left && old.top == frame.top) {
            CRegion strip(old);
            strip.XorRect(frame);
            InvalidateRegion(strip, false);
        } else {
            InvalidateRect(old, false);
            InvalidateRect(frame, false);
        }
        break;
    case kRedrawCustom:
        InvalidateOnResize(old, frame);
        break;
    default:
        break;
    }
}

void CView::MoveTo(CPoint topLeft)
{
    CRect r = frame_;
    r.MoveTo(topLeft);
    SetFrame(r);
}

void CView::SetSize(int16_t width, int16_t height)
{
    CRect r = frame_;
    r.SetSize(width, height);
    SetFrame(r);
}

void CView::SetFrameInParent(int16_t x, int16_t y, int16_t width, int16_t height)
{
    const CRect content = parent_ ? parent_->GetContentRect() : CRect();
    SetFrame(CRect(content.left + x, content.top + y, content.left + x + width, content.top + y + height));
}

void CView::MoveInParent(int16_t x, int16_t y)
{
    const CRect content = parent_ ? parent_->GetContentRect() : CRect();
    MoveTo(CPoint(content.left + x, content.top + y));
}

bool CView::ClipToAncestors(CRect& rect) const
{
    for (const CGroupView* p = parent_; p; p = p->GetParent())
        if (!rect.Intersect(p->GetBounds()))
            return false;
    return !rect.IsEmpty();
}

void CView::ClipToAncestors(CRegion& region) const
{
    for (const CGroupView* p = parent_; p; p = p->GetParent())
        region.IntersectRect(p->GetBounds());
}

void CView::InvalidateRect(const CRect& rect, bool clip)
{
    CABCWindow* window = GetWindow();
    if (!window || !window->IsVisible())
        return;
    CRect r = rect;
    if (clip && !ClipToAncestors(r))
        return;
    window->InvalidateRect(r);
}

void CView::InvalidateFrame(bool clip)
{
    InvalidateRect(frame_, clip);
}

void CView::InvalidateRegion(const CRegion& region, bool clip)
{
    CABCWindow* window = GetWindow();
    if (!window || !window->IsVisible())
        return;
    CRegion r = region;
    if (clip)
        ClipToAncestors(r);
    window->InvalidateRegion(r.GetRegion());
}

void CView::ValidateRect(const CRect& rect)
{
    CABCWindow* window = GetWindow();
    CRect r = rect;
    if (window && ClipToAncestors(r))
        window->ValidateRect(r);
}

void CView::ValidateFrame()
{
    ValidateRect(frame_);
}

void CView::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    if (!enabled && ContainsFocus())
        if (CABCWindow* window = GetWindow())
            window->FocusNext();
}

bool CView::IsEnabledInHierarchy() const
{
    for (const CView* v = this; v; v = v->parent_)
        if (!v->enabled_)
            return false;
    return true;
}

void CView::Focus()
{
    CABCWindow* window = GetWindow();
    if (window && enabled_)
        window->SetFocusView(this);
}

bool CView::IsFocused() const
{
    const CABCWindow* window = GetWindow();
    return window && window == NSHarrowen::GetActiveWindow() && window->GetFocusView() == this;
}

bool CView::ContainsFocus() const
{
    const CABCWindow* window = GetWindow();
    const CView* focus = window ? window->GetFocusView() : nullptr;
    return focus && (focus == this || focus->IsInside(this));
}

bool CView::IsInside(const CView* ancestor) const
{
    for (const CView* p = parent_; p; p = p->parent_)
        if (p == ancestor)
            return true;
    return false;
}

bool CView::CaptureMouse()
{
    if (GetMouseCaptureView())
        return false;
    if (CABCWindow* window = GetWindow())
        platform::SetCapture(window->GetHandle());
    captureView = this;
    RaiseTracking();
    return true;
}

void CView::ReleaseMouse()
{
    // Only the holder lets go: a stray release must not lower the counter.
    if (captureView == this)
        EndCapture(this);
}

bool CView::StartMouseTracking()
{
    CABCWindow* window = GetWindow();
    if (!window || window != NSHarrowen::GetActiveWindow() || trackingView)
        return false;
    trackingView = this;
    RaiseTracking();
    return true;
}

bool CView::HasMouseCapture() const
{
    return captureView == this;
}

bool CView::IsMouseInside() const
{
    return ContainsPoint(GetMousePosition());
}

CPoint CView::GetMousePosition() const
{
    const CABCWindow* window = GetWindow();
    if (!window)
        return CPoint();
    const platform::Point p = platform::ScreenToClient(window->GetHandle(), platform::GetCursorPos());
    return CPoint(p.x, p.y);
}

void CView::EraseRect(const CRect& rect)
{
    if (CABCWindow* window = GetWindow())
        CCanvas(window).FillRect(rect, GetBackgroundColor());
}

bool CView::TrackPopupMenu(CMenu* menu, CPoint where, uint32_t& command) const
{
    command = 0;
    CMenu* chosen = nullptr;
    int index = 0;
    if (!menu || !menu->TrackPopup(this, where.x, where.y, chosen, index) || !chosen)
        return false;
    command = chosen->GetItemCommand(index);
    return true;
}

void RegisterViewWithWindow(CView* view)
{
    if (view)
        view->JoinFocusChain();
}

CView* GetMouseCaptureView()
{
    if (captureView)
        return captureView;
    if (const platform::WindowHandle captured = platform::GetCapture())
        if (CApplication* app = GetApplication())
            if (CNativeControlRecord* record = app->FindNativeControl(captured))
                return record->view;
    return nullptr;
}

CView* GetMouseTrackingView()
{
    return trackingView;
}

void StopMouseTracking()
{
    if (!trackingView)
        return;
    trackingView = nullptr;
    LowerTracking();
}

CView* GetHoverView()
{
    return hoverView;
}

void SetHoverView(CView* view)
{
    if (view == hoverView)
        return;
    CView* old = hoverView;
    if (old)
        old->MouseLeave();
    hoverView = view;
    if (view)
        view->MouseEnter();
}

void UpdateHoverView()
{
    if (CView* capture = GetMouseCaptureView()) {
        capture->GetCursor();
        return;
    }
    const platform::Point screen = platform::GetCursorPos();
    CABCWindow* window = nullptr;
    for (platform::WindowHandle h = platform::WindowFromPoint(screen); h && !window; h = platform::GetParent(h))
        window = GetWindowFromHandle(h);
    if (!window || !window->GetRootView()) {
        SetHoverView(nullptr);
        return;
    }
    const platform::Point p = platform::ScreenToClient(window->GetHandle(), screen);
    CView* view = window->GetRootView()->FindViewAt(static_cast<int16_t>(p.x), static_cast<int16_t>(p.y));
    SetHoverView(view);
    if (view)
        view->GetCursor();
}

} // namespace NSHarrowen
