#pragma once

#include "framework/base/Rect.h"
#include "platform/windows/Message.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace NSHarrowen {

class CABCWindow;
class CView;

// A window's tooltips: the tools (a drawn view's rectangle or a native
// control, with a text), the mouse messages relayed to it, and the small
// pop-up that shows a tip after the pointer rests on a tool.
class CTooltipControl {
public:
    explicit CTooltipControl(CABCWindow* owner);
    ~CTooltipControl();
    CTooltipControl(const CTooltipControl&) = delete;
    CTooltipControl& operator=(const CTooltipControl&) = delete;

    // A tool for a drawn view (rectangle in window coordinates); returns its
    // id. With the view given, its tip shows only where that view is the one
    // under the pointer (not where a hidden page or a covering view lies).
    uint32_t AddTool(const CRect& rect, const std::string& text, const CView* view = nullptr);
    // A tool for a native control; its id is the handle.
    void AddNativeTool(platform::WindowHandle control, const std::string& text);
    void MoveTool(uint32_t id, const CRect& rect);
    void RemoveTool(uint32_t id);

    void Activate(bool active);
    bool IsActive() const { return active_; }

    // A mouse message of the owner window (client coordinates).
    void RelayEvent(uint32_t message, CPoint where, uint32_t time);
    // The last relayed messages, oldest first.
    const std::deque<uint32_t>& RecentMessages() const { return recent_; }

    // Shows or hides the tip as the pointer rests or moves (run in idle).
    void Housekeeping(uint32_t now);
    bool IsShowing() const { return showing_ != 0; }
    std::string ShownText() const;
    // Takes the tip down (the pointer went to another window).
    void Hide();
    platform::WindowHandle GetHandle() const { return popup_; }

private:
    struct Tool {
        uint32_t id;
        CRect rect;
        platform::WindowHandle control;
        std::string text;
        const CView* view;
    };
    const Tool* ToolAt(CPoint where) const;
    bool ShowsAt(const Tool& tool, CPoint where) const;
    void Show(const Tool& tool);

    CABCWindow* owner_;
    platform::WindowHandle popup_ = 0;
    std::vector<Tool> tools_;
    bool active_ = true;
    std::deque<uint32_t> recent_;
    CPoint lastPoint_;
    uint32_t lastMoveTime_ = 0;
    bool pressed_ = false;
    uint32_t showing_ = 0;
};

} // namespace NSHarrowen
