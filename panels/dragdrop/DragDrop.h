#pragma once

#include "framework/input/MouseState.h"
#include "framework/views/GroupView.h"
#include "framework/views/View.h"
#include "framework/windows/ABCWindow.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

// A drag from a source to one of a list of drop targets, run by an
// invisible view that holds the mouse while the button is down: a tick
// follows the mouse over the targets, the release drops on the one under
// it. The instances say what the drag draws, what a drop does and which
// cursor tells it.
template <class Target, class Source, class Container> class CDragDrop : public NSHarrowen::CView {
public:
    // The mouse must move this far before a drag that starts unarmed counts.
    static constexpr int kArmDistance = 5;

    explicit CDragDrop(Container container, uint32_t defaultCursor)
        : container_(container), defaultCursor_(defaultCursor)
    { }

    virtual void Cancel() = 0;
    virtual void DragEnter(Target, NSHarrowen::CPoint) { }
    virtual void DragLeave(Target) { }
    virtual void DragOver(Target, NSHarrowen::CPoint) { }
    virtual void TrackFeedback() = 0;
    virtual void Drop(Target target) = 0;
    virtual void GetDropCursor() = 0;

    bool IsDragging() const { return dragging_; }
    Target GetTarget() const { return target_; }
    Source GetSource() const { return source_; }

    // The tick while the view tracks the mouse.
    void HandleBroadcast() override
    {
        if (NSHarrowen::GetMouseTrackingView() != this) {
            return;
        }
        if (armed_ != 1) {
            const NSHarrowen::CMouseState now = NSHarrowen::GetMouseState();
            if (std::abs(now.position.x - pressState_.position.x) > kArmDistance ||
                std::abs(now.position.y - pressState_.position.y) > kArmDistance) {
                armed_ = 1;
            }
            return;
        }
        TrackFeedback();
        if (!dragging_ || !IsActive()) {
            return;
        }
        const Target hit = HitTarget();
        if (hit != nullptr && hit == target_) {
            const NSHarrowen::CPoint where = GetMousePosition();
            if (where != lastPosition_) {
                DragOver(target_, where);
                lastPosition_ = where;
            }
            return;
        }
        if (hit != nullptr) {
            if (target_ != nullptr) {
                DragLeave(target_);
            }
            target_ = hit;
            lastPosition_ = GetMousePosition();
            DragEnter(target_, lastPosition_);
            return;
        }
        if (target_ != nullptr) {
            DragLeave(target_);
            target_ = nullptr;
        }
    }

    // The end of the press.
    void MouseStillDown() override
    {
        ReleaseMouse();
        if (quietSource_ == 0 && source_ != nullptr) {
            source_->MouseUp();
        }
        if (target_ != nullptr) {
            Drop(target_);
        } else if (container_ != nullptr) {
            Drop(nullptr);
        }
        if (dragging_) {
            StopDragging();
        }
    }

    // The mouse taken away mid-drag (another program came to the front, the
    // button let go there): the release never comes, and the drag ends as
    // Escape ends it, dropping nothing.
    void CaptureLost() override
    {
        if (dragging_) {
            Cancel();
        }
    }

    void GetCursor() override
    {
        if (target_ != nullptr || (container_ != nullptr && container_->IsMouseInside())) {
            GetDropCursor();
        } else if (armed_ == 1) {
            NSHarrowen::SetCursorFromResource(defaultCursor_);
        }
    }

protected:
    // Whether the drag may follow the mouse now (its window is active).
    virtual bool IsActive() const { return GetWindow() != nullptr; }

    // Joins the window's root view and takes the mouse; false (and nothing
    // held) when the window, the capture or the tracking is refused.
    bool StartDragging(NSHarrowen::CABCWindow* window)
    {
        if (window == nullptr || window->GetRootView() == nullptr) {
            return false;
        }
        window->GetRootView()->AddChild(this);
        if (CaptureMouse()) {
            if (StartMouseTracking()) {
                pressState_ = NSHarrowen::GetMouseState();
                target_ = nullptr;
                dragging_ = true;
                return true;
            }
            ReleaseMouse();
        }
        window->GetRootView()->RemoveChild(this);
        return false;
    }

    // Lets the mouse go and leaves the window.
    void StopDragging()
    {
        if (HasMouseCapture()) {
            ReleaseMouse();
        }
        if (NSHarrowen::GetMouseTrackingView() == this) {
            NSHarrowen::StopMouseTracking();
        }
        if (NSHarrowen::CGroupView* parent = GetParent()) {
            parent->RemoveChild(this);
        }
        source_ = nullptr;
        target_ = nullptr;
        dragging_ = false;
    }

    // The first target under the mouse, in the window of the drag.
    Target HitTarget() const
    {
        const NSHarrowen::CPoint where = GetMousePosition();
        for (const Target candidate : targets_) {
            if (candidate->GetWindow() == GetWindow() && candidate->ContainsPoint(where)) {
                return candidate;
            }
        }
        return nullptr;
    }

    void SetSource(Source source) { source_ = source; }
    void SetArmed(uint32_t armed) { armed_ = armed; }
    bool IsArmed() const { return armed_ == 1; }
    void SetQuietSource(uint32_t quiet) { quietSource_ = quiet; }
    Container GetContainer() const { return container_; }
    std::vector<Target>& Targets() { return targets_; }

private:
    Target target_ = nullptr;
    Source source_ = nullptr;
    Container container_;
    bool dragging_ = false;
    NSHarrowen::CPoint lastPosition_;
    uint32_t armed_ = 1;
    uint32_t quietSource_ = 1;
    NSHarrowen::CMouseState pressState_;
    std::vector<Target> targets_;
    uint32_t defaultCursor_;
};
