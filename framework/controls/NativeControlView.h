#pragma once

#include "framework/windows/DialogItem.h"
#include "framework/views/GroupView.h"
#include "platform/windows/Message.h"

#include <cstdint>
#include <string>
#include "framework/controls/ControlView.h"

namespace NSHarrowen {

// The native control classes the views wrap; each has one replacement
// window procedure.
enum class ENativeClass {
    PushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    Popup,
    TextEdit,
    UpDown,
    ScrollBar,
    Progress,
    MultiLineEdit
};

// What every native control view does: create its child window of the
// layer, replace its procedure, register with the application so that the
// control's notifications reach HandleControlMessage, keep it on the view's
// frame and its enabled state in line with the view tree.
class CNativeControlView : public CControlView {
public:
    // The frame a view made without a template has until its owner sets one.
    static constexpr CRect kOffscreen{-8192, -8192, -8192 + 100, -8192 + 26};

    ~CNativeControlView() override;

    uintptr_t GetNativeHandle() const override { return handle_; }
    platform::WindowHandle GetHandle() const { return handle_; }
    void Draw() override;
    void SetToolTip(const std::string& text) override;
    void TakeFocus() override;
    void GiveUpFocus() override;
    void FocusGained() override;
    void FrameChanged(const CRect& oldFrame, const CRect& newFrame) override;
    virtual bool IsEditing() const;
    virtual platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam);

    // An arrow key on the native control (radio buttons pick a neighbour).
    virtual void HandleArrowKey(bool forward) { (void)forward; }

    // True while the native window holds the mouse or the view is busy.
    bool IsTracking() const;
    void SyncEnabled();
    // Replaces the native text only when it differs (whole texts compared).
    void SetNativeText(const std::string& text);
    // The help topic F1 shows as a pop-up over the control (0: none).
    void SetHelpTopic(uint32_t topic);
    std::string GetNativeText() const;
    int32_t GetBusyCount() const { return busy_; }
    void RaiseBusy() { ++busy_; }
    void LowerBusy() { --busy_; }
    ENativeClass GetNativeClass() const { return class_; }
    // A message straight to the native control's own procedure, past the
    // framework's replacement.
    platform::LResult CallPreviousProcedure(uint32_t message, platform::WParam wParam, platform::LParam lParam);

    // The native window's place for a frame (the classes differ).
    virtual CRect NativeRectFor(const CRect& frame) const { return frame; }

protected:
    CNativeControlView(CGroupView* parent, const CRect& frame, ENativeClass nativeClass);
    // Creates the native window (throws XBase when it cannot), replaces its
    // procedure and registers it.
    void CreateNative(const char* className, const std::string& title, uint32_t style, uint32_t exStyle = 0);
    // The window's focus chain and key routing see this view.
    void Subclass();
    void PlaceNative();

private:
    platform::WindowHandle handle_ = 0;
    int32_t busy_ = 0;
    ENativeClass class_;
};

// The update passes every control runs after storing an event.
void RunUpdatePasses();

// Gives the keyboard focus back from a control to the window of a view: the
// window's own native window takes it, its focus view is cleared, and the
// update passes run.
void GiveFocusBackToWindow(CView& view);

} // namespace NSHarrowen
