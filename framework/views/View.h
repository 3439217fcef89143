#pragma once

#include "framework/drawing/Color.h"
#include "framework/input/Event.h"
#include "framework/input/Keyboard.h"
#include "framework/base/Rect.h"
#include "framework/drawing/RegionHandle.h"

#include <cstdint>
#include <string>

namespace NSHarrowen {

class CABCWindow;
class CDrawingContext;
class CGroupView;
class CMenu;
class CMenuBar;

using CRegion = CRegionHandle;

// What a view paints for sure, so that nothing is painted under it.
enum EOpaqueMode : int32_t {
    kOpaqueNothing = 0,
    kOpaqueFrame = 1,
    kOpaqueRect = 2,   // the rectangle of GetOpaqueRect
    kOpaqueRegion = 3, // the region of CreateOpaqueRegion
};

// What is drawn again when the frame changes.
enum ERedrawMode : int32_t {
    kRedrawNothing = 0,
    kRedrawOldAndNew = 1,
    kRedrawDifference = 2, // only the strip that appeared or vanished when the top-left stays
    kRedrawCustom = 3,     // InvalidateOnResize decides
};

// A rectangle of a window that draws itself, takes the mouse, the keyboard
// focus and menu commands. Frames are in the window's client coordinates.
class CView {
public:
    explicit CView(CGroupView* parent = nullptr);
    CView(CGroupView* parent, const CRect& frame);
    virtual ~CView();
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;

    virtual CABCWindow* GetWindow() const;
    virtual void HandleBroadcast() { }
    virtual void MouseDown(const CEvent& event);
    virtual void MouseStillDown() { }
    // A drag this view started ended; the drag held the mouse meanwhile.
    virtual void MouseUp() { }
    virtual void MouseEnter() { }
    virtual void MouseLeave() { }
    virtual void ForwardKey(const CKeyEvent& event);
    virtual void CaptureLost() { }
    virtual void GetCursor();
    virtual void FocusLost() { }
    virtual void FocusGained() { }
    // Menu updates and commands pass up to the window: the bar of the
    // application's menus, and the command with the native handle of its menu.
    virtual void UpdateMenu(CMenuBar* menuBar);
    virtual void DoMenuCommand(uint32_t command, uint32_t menu);
    virtual bool Query(uint32_t) { return false; }
    virtual void Operation(uint32_t, uint32_t, uint32_t) { }
    virtual void Draw() { }
    virtual void UpdateDisplay() { }
    virtual CColor GetBackgroundColor() const;
    virtual void ContextClick(CPoint where);
    virtual void FrameChanged(const CRect& oldFrame, const CRect& newFrame) { }
    // The view joined a group or left it.
    virtual void ParentChanged() { }
    virtual CRect GetOpaqueRect() const { return CRect(); }
    // A new region the caller owns; none by default.
    virtual bool CreateOpaqueRegion(CRegion& out) const
    {
        (void)out;
        return false;
    }
    virtual void ExcludeOpaqueArea(CRegion& region) const;
    virtual void InvalidateOnResize(const CRect& oldFrame, const CRect& newFrame) { }
    virtual void Relayout() { }
    virtual CRect GetBounds() const { return frame_; }
    virtual uintptr_t GetNativeHandle() const { return 0; }
    virtual uint32_t GetInheritedContext() const;
    virtual void SetToolTip(const std::string& text);
    virtual void CancelMouseCapture();
    virtual void CancelMouseTracking();
    virtual void ReceiveNotifications() { }
    virtual void UpdateState() { }
    virtual void JoinFocusChain();
    virtual void LeaveFocusChain();
    virtual void TakeFocus();
    virtual void GiveUpFocus();
    virtual CView* FindViewAt(int16_t x, int16_t y);

    // Frame and placement.
    void SetFrame(const CRect& frame);
    const CRect& GetFrame() const { return frame_; }
    void MoveTo(CPoint topLeft);
    void SetSize(int16_t width, int16_t height);
    void SetFrameInParent(int16_t x, int16_t y, int16_t width, int16_t height);
    void MoveInParent(int16_t x, int16_t y);
    bool ContainsPoint(CPoint p) const { return frame_.Contains(p); }
    void SetOpaqueMode(int32_t mode) { opaqueMode_ = static_cast<uint8_t>(mode); }
    int32_t GetOpaqueMode() const { return opaqueMode_; }
    void SetFrameChangeRedraw(int32_t mode) { redrawMode_ = static_cast<uint8_t>(mode); }
    CGroupView* GetParent() const { return parent_; }

    // Invalidation; nothing happens while the window is not visible.
    void InvalidateRect(const CRect& rect, bool clip = true);
    void InvalidateFrame(bool clip = true);
    void InvalidateRegion(const CRegion& region, bool clip = true);
    void ValidateRect(const CRect& rect);
    void ValidateFrame();
    // Clips to the bounds of every ancestor; false when nothing is left.
    bool ClipToAncestors(CRect& rect) const;
    void ClipToAncestors(CRegion& region) const;

    // Enabling and focus.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return enabled_; }
    bool IsEnabledInHierarchy() const;
    void Focus();
    bool IsFocused() const;
    bool ContainsFocus() const;
    void SetFocusable(bool focusable) { focusable_ = focusable; }
    bool IsFocusable() const { return focusable_; }
    void SetPassesFocusToParent(bool passes) { passesFocusToParent_ = passes; }
    bool PassesFocusToParent() const { return passesFocusToParent_; }
    bool IsInside(const CView* ancestor) const;

    // Mouse.
    bool CaptureMouse();
    void ReleaseMouse();
    bool StartMouseTracking();
    bool HasMouseCapture() const;
    bool IsMouseInside() const;
    CPoint GetMousePosition() const;

    // Shows the pop-up menu at a point of the view; true and the chosen
    // item's command when one was chosen.
    bool TrackPopupMenu(CMenu* menu, CPoint where, uint32_t& command) const;

    // Drawing.
    void EraseRect(const CRect& rect);
    void EraseFrame() { EraseRect(frame_); }
    // The drawing port: the view's window (none when detached). A canvas is
    // built on it (AcquireCanvas and EndDrawing).
    CABCWindow* GetPort() const { return GetWindow(); }

private:
    friend class CGroupView;
    void Detach();

    // Packed without holes: a full patch has tens of thousands of views.
    CGroupView* parent_ = nullptr;
    CRect frame_;
    CPoint contextClickPoint_;
    uint32_t context_ = 0;
    uint32_t tooltipId_ = 0;
    uint16_t contextClickFlag_ = 0;
    bool focusable_ = false;
    bool passesFocusToParent_ = false;
    bool enabled_ = true;
    uint8_t opaqueMode_ = kOpaqueFrame;
    uint8_t redrawMode_ = kRedrawOldAndNew;
};

void RegisterViewWithWindow(CView* view);

// The three mouse pointers of the program.
CView* GetMouseCaptureView();
CView* GetMouseTrackingView();
void StopMouseTracking();
CView* GetHoverView();
void SetHoverView(CView* view);
void UpdateHoverView();

} // namespace NSHarrowen
