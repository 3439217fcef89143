#pragma once

#include "framework/drawing/Color.h"
#include "framework/drawing/DrawingPort.h"
#include "framework/views/GroupView.h"
#include "framework/input/Keyboard.h"
#include "framework/base/Rect.h"
#include "platform/windows/Message.h"
#include "platform/graphics/PixelBuffer.h"
#include "platform/graphics/Region.h"
#include "framework/drawing/ABCCanvas.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace NSHarrowen {

class CDialogTemplate;
struct CDialogItem;
class CDrawingContext;
class CMenu;
class CMenuBar;
class CTooltipControl;

enum EWindowKind : int {
    kWindowFrame = 0,
    kWindowDocument = 1,
    kWindowModal = 2,
    kWindowFrameless = 3, // splash screen, tool bars, pages
};

// The framework's top-level window: a native window of the layer below and a
// root group view that fills its client area. Windows are closed by marking
// them (Close); marked windows are deleted at the next idle step.
class CABCWindow : public CDrawingPort {
public:
    class CWindowRootGroupView;
    class CWindowSizeBoxView;

    CABCWindow(int kind, const CColor& background);
    ~CABCWindow() override;
    CABCWindow(const CABCWindow&) = delete;
    CABCWindow& operator=(const CABCWindow&) = delete;

    virtual void SetBounds(const CRect& windowRect);
    virtual void KillFocus();
    virtual void Close();
    virtual void Open(const CRect& windowRect);
    virtual uint32_t GetStoredWord() const { return storedWord_; }
    virtual void HandleMouseEvent(const CEvent& event);
    virtual void RedrawViews();
    virtual void ReceiveNotifications();
    virtual void UpdateState();
    virtual void UpdateDisplay();
    virtual void HandleKeyEvent(const CKeyEvent& event);
    virtual void DoCommand(const CKeyEvent& event);
    virtual void UpdateMenus(CMenuBar* menuBar);
    virtual void HandleMenuSelect(CMenu* menu, uint32_t command);
    virtual void AdjustViewLayout();
    virtual bool CanClose() { return true; }
    virtual void OnActivate();
    virtual void OnDeactivate();
    virtual CPoint GetDefaultSize() const { return CPoint(300, 500); }
    virtual void GetSizeLimits(CPoint& minimum, CPoint& maximum) const;
    virtual void LayoutRootView();
    virtual bool IsListedInWindowMenu() const { return true; }
    virtual bool IsClosedByQuit() const { return true; }
    virtual int GetBorderWidth() const { return 0; }
    virtual int GetBorderHeight() const { return 0; }
    virtual bool IsDocumentWindow() const { return kind_ == kWindowDocument; }
    virtual uint32_t GetHelpContext() const { return 0; }
    // The window's idle step; the root view gets HandleBroadcast.
    virtual void Idle();
    // True when the window's menu commands go to the application's menu bar.
    virtual bool UsesApplicationMenuBar() const { return false; }

    int GetKind() const { return kind_; }
    platform::WindowHandle GetHandle() const { return handle_; }
    CWindowRootGroupView* GetRootView() const { return root_; }
    bool IsToolWindow() const { return toolWindow_; }
    void SetToolWindow(bool tool) { toolWindow_ = tool; }
    bool IsMarkedForDeletion() const { return deletionMark_; }
    const CColor& GetBackgroundColor() const { return background_; }
    void SetBackgroundColor(const CColor& color) { background_ = color; }
    const CDialogTemplate* GetDialogTemplate() const { return template_.get(); }
    const CDialogItem* GetDialogItem(uint16_t id) const;

    // Placement.
    bool IsVisible() const;
    bool IsMinimized() const;
    void SetWindowRect(const CRect& rect);
    CRect GetWindowRectInFrame() const;
    CRect GetClientRectInFrame() const;
    CRect GetClientRect() const;
    void ReapplyBounds();
    void ContentToWindowRect(CRect& rect) const;
    void WindowToContentRect(CRect& rect) const;
    void CenterOnFrame();
    void MoveToFrameCenter();
    CRect GetCenteredRectForContentSize(int16_t width, int16_t height) const;
    CRect GetRectForContentSize(int16_t width, int16_t height) const;
    void BringToFront();
    void SetTitle(const std::string& title);
    std::string GetTitle() const;
    void RequestClose();

    // Drawing.
    void InvalidateAll();
    void InvalidateRect(const CRect& rect);
    void InvalidateRegion(const platform::Region& region);
    void ValidateRect(const CRect& rect);
    void ValidateAll();
    void UpdateNow();
    void DrawNow();
    void ScrollRect(const CRect& rect, int16_t dx, int16_t dy);
    CRect GetClipBounds() const;
    void SetClipRegion(const platform::Region* region);
    const platform::Region* GetClipRegion() const { return clipActive_ ? &clip_ : nullptr; }
    bool TouchesClipRegion(const CRect& rect) const;
    // The drawing port: the window's current drawing context, made on first
    // use; each call raises its use count and EndDrawing lowers it.
    CGdiState* AcquireCanvas() override;
    void EndDrawing() override;
    CPoint ClientToScreen(CPoint client) const override;
    CABCCanvas* GetOffscreenCanvas() const override;
    CDrawingContext* GetCurrentDrawingContext() const { return contexts_.empty() ? nullptr : contexts_.back().get(); }
    // Drawing goes to the canvas (an off-screen bitmap) until the end.
    void BeginOffscreenDrawing(CABCCanvas* canvas);
    void EndOffscreenDrawing();
    void RealizeWindowPalette() { }

    // Focus.
    CView* GetFocusView() const;
    void SetFocusView(CView* view);
    void SendFocusLost();
    void AddToFocusChain(CView* view);
    void RemoveFromFocusChain(CView* view);
    void ForgetView(CView* view);
    // The keys going from this window to `next` and coming back from
    // `previous`: when they went to another window (an alert, a dialog,
    // another program), the view that had them has them again on their
    // return, as long as it still takes them and no other view took them.
    void KeysGoingTo(platform::WindowHandle next);
    void KeysBackFrom(platform::WindowHandle previous);
    void FocusFirst();
    void FocusLast();
    void FocusNext();
    void FocusPrevious();

    // Tooltips.
    CTooltipControl* GetTooltips(bool create);

    // The disable count of modal runs.
    void RaiseDisableCount();
    void LowerDisableCount();
    uint16_t GetDisableCount() const { return disableCount_; }

    // For the dispatcher.
    void AttachHandle(platform::WindowHandle handle) { handle_ = handle; }
    void PaintWindow();
    void ClientSizeChanged();

protected:
    void SetDialogTemplate(std::unique_ptr<CDialogTemplate> dialogTemplate);
    // Destroys the native window the way its kind requires.
    virtual void DestroyNativeWindow();

private:
    CDrawingContext* PushContext(std::unique_ptr<CDrawingContext> context);
    void PopContext(CDrawingContext* context);
    bool CanTakeFocus(const CView* view) const;
    // The window itself or one of its child windows (its native controls).
    bool HoldsHandle(platform::WindowHandle other) const;

    bool toolWindow_ = false;
    std::unique_ptr<CDialogTemplate> template_;
    std::vector<CView*> focusChain_;
    platform::WindowHandle handle_ = 0;
    bool deletionMark_ = false;
    CWindowRootGroupView* root_ = nullptr;
    CView* focus_ = nullptr;
    CView* focusAway_ = nullptr; // the view that had the keys before they left
    CColor background_;
    // The drawing contexts in use, the current one last; each goes when it
    // is popped, when a paint ends, or with the window.
    std::vector<std::unique_ptr<CDrawingContext>> contexts_;
    int kind_;
    std::unique_ptr<CTooltipControl> tooltips_;
    uint16_t disableCount_ = 0;
    bool wasEnabled_ = false; // when the disable count first rose
    platform::Region clip_;
    bool clipActive_ = false;
    uint32_t storedWord_ = 0;
};

// The root of every window's view tree: it knows its window, passes keys and
// menu work on to it and paints its background in the window's colour.
class CABCWindow::CWindowRootGroupView : public CGroupView {
public:
    explicit CWindowRootGroupView(CABCWindow* window);
    ~CWindowRootGroupView() override;

    CABCWindow* GetWindow() const override { return window_; }
    void ForwardKey(const CKeyEvent& event) override;
    void UpdateMenu(CMenuBar* menuBar) override;
    void DoMenuCommand(uint32_t command, uint32_t menu) override;
    CColor GetBackgroundColor() const override;
    void DrawBackground() override;
    uint32_t GetInheritedContext() const override;
    void LayoutChildren() override;
    void RemoveChild(CView* view) override;

    void AddSizeBox();
    void RemoveSizeBox();

private:
    CABCWindow* window_;
    CWindowSizeBoxView* sizeBox_ = nullptr;
};

// The grip in a sizable window's bottom-right corner.
class CABCWindow::CWindowSizeBoxView : public CView {
public:
    explicit CWindowSizeBoxView(CGroupView* parent);
    void GetCursor() override;
    void Draw() override;
    void MouseDown(const CEvent& event) override;
};

// The window list, in creation order.
void RegisterWindow(CABCWindow* window);
void UnregisterWindow(CABCWindow* window);
CABCWindow* GetWindowFromHandle(platform::WindowHandle handle);
int CountWindows();
CABCWindow* GetWindowAt(int index);
int GetWindowListIndex(const CABCWindow* window);
CABCWindow* GetActiveWindow();
CABCWindow* GetActiveDocumentWindow();
// Closes and deletes every window whose deletion mark is set, the latest
// first. While a handler runs (a CHandlerScope is open) it only hides them:
// the handler, or the one that started a nested loop, may still use them.
void DeleteMarkedWindows();
// Marks the run of a handler of some window (a dispatched message, the
// windows' idle and update passes) or of a nested message loop. Marked
// windows are deleted only when no scope is open: between the outermost
// loop's messages.
class CHandlerScope {
public:
    CHandlerScope();
    ~CHandlerScope();
    CHandlerScope(const CHandlerScope&) = delete;
    CHandlerScope& operator=(const CHandlerScope&) = delete;
};
// The number of open handler scopes.
int GetHandlerDepth();
// The three update passes over every open window.
void UpdateAllWindows();

// The four window classes of the framework.
void RegisterWindowClasses();
void UnregisterWindowClasses();
inline constexpr const char* kFrameWindowClass = "Harrowen Frame Window";
inline constexpr const char* kDocumentWindowClass = "Harrowen Document Window";
inline constexpr const char* kModalDialogWindowClass = "Harrowen Modal Dialog Window";
inline constexpr const char* kSplashScreenWindowClass = "Harrowen Splash Screen Window";

// The window procedures' common dispatcher and default procedure.
platform::LResult DispatchWindowMessage(int kind, platform::WindowHandle handle, uint32_t message,
                                        platform::WParam wParam, platform::LParam lParam);
platform::LResult DefaultWindowProc(int kind, platform::WindowHandle handle, uint32_t message, platform::WParam wParam,
                                    platform::LParam lParam);

} // namespace NSHarrowen
