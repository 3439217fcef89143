#include "framework/controls/TooltipControl.h"

#include "framework/windows/ABCWindow.h"
#include "framework/views/GroupView.h"
#include "framework/base/Exceptions.h"
#include "platform/controls/ControlPaint.h"
#include "platform/graphics/Font.h"
#include "platform/input/InputState.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"

#include <algorithm>

namespace NSHarrowen {

namespace {

constexpr const char* kTooltipClass = "tooltips_class32";
constexpr uint32_t kRestTime = 500;
constexpr uint32_t kPaleYellow = 0xFFFFE1;
constexpr uint32_t kInk = 0x000000;
constexpr int kPadding = 4; // between the border and the text, left and right
constexpr int kBorder = 1;
uint32_t nextToolId = 1;

// The tip's text (its window text) on the pale ground, in the controls' font.
platform::LResult TooltipProc(platform::WindowHandle h, uint32_t message, platform::WParam w, platform::LParam l)
{
    if (message == platform::msg::Paint) {
        platform::ControlPaint paint(h);
        if (paint.IsValid()) {
            platform::Fill(paint.DC(), paint.Client(), kPaleYellow);
            platform::IntRect text = paint.Client();
            text.left += kPadding;
            platform::DrawControlText(paint.DC(), text, platform::GetWindowText(h),
                                      platform::TextFlags::kSingleLine | platform::TextFlags::kVerticalCenter, true,
                                      kInk);
        }
        return 0;
    }
    if (message == platform::msg::NcHitTest)
        return platform::hit::Nowhere;
    return platform::DefWindowProc(h, message, w, l);
}

uint32_t NextToolId()
{
    uint32_t id = nextToolId++;
    if (id == 0xFFFFFFFFu || id == 0) {
        nextToolId = 2;
        id = 1;
    }
    return id;
}

} // namespace

CTooltipControl::CTooltipControl(CABCWindow* owner) : owner_(owner)
{
    if (!platform::IsWindowClassRegistered(kTooltipClass))
        platform::RegisterWindowClass({kTooltipClass, 0, TooltipProc, platform::ClassBackground::None});
    platform::CreateParams params;
    params.className = kTooltipClass;
    params.style = platform::style::Popup | platform::style::Border;
    params.exStyle = platform::exstyle::TopMost | platform::exstyle::ToolWindow;
    params.rect = platform::Rect::FromSize(0, 0, 10, 10);
    popup_ = platform::CreateWindow(params);
    if (!popup_)
        throw XBase();
}

CTooltipControl::~CTooltipControl()
{
    platform::DestroyWindow(popup_);
}

uint32_t CTooltipControl::AddTool(const CRect& rect, const std::string& text, const CView* view)
{
    const uint32_t id = NextToolId();
    tools_.push_back({id, rect, 0, text, view});
    return id;
}

void CTooltipControl::AddNativeTool(platform::WindowHandle control, const std::string& text)
{
    RemoveTool(control);
    tools_.push_back({control, CRect(), control, text, nullptr});
}

void CTooltipControl::MoveTool(uint32_t id, const CRect& rect)
{
    for (Tool& t : tools_)
        if (t.id == id && !t.control)
            t.rect = rect;
}

void CTooltipControl::RemoveTool(uint32_t id)
{
    if (showing_ == id)
        Hide();
    tools_.erase(std::remove_if(tools_.begin(), tools_.end(), [&](const Tool& t) { return t.id == id; }), tools_.end());
}

void CTooltipControl::Activate(bool active)
{
    active_ = active;
    if (!active)
        Hide();
}

void CTooltipControl::RelayEvent(uint32_t message, CPoint where, uint32_t time)
{
    recent_.push_back(message);
    while (recent_.size() > 16)
        recent_.pop_front();
    if (message == platform::msg::MouseMove) {
        if (!(where == lastPoint_)) {
            lastPoint_ = where;
            lastMoveTime_ = time;
            if (showing_) {
                const Tool* tool = ToolAt(where);
                if (!tool || tool->id != showing_)
                    Hide();
            }
        }
        return;
    }
    // Any press hides the tip until the pointer moves on.
    const bool down = message == platform::msg::LButtonDown || message == platform::msg::RButtonDown ||
        message == platform::msg::MButtonDown || message == platform::msg::LButtonDoubleClick ||
        message == platform::msg::RButtonDoubleClick || message == platform::msg::MButtonDoubleClick;
    if (down) {
        pressed_ = true;
        Hide();
    } else {
        pressed_ = false;
        lastMoveTime_ = time;
    }
}

bool CTooltipControl::ShowsAt(const Tool& tool, CPoint where) const
{
    if (!tool.view)
        return true;
    CView* root = owner_->GetRootView();
    const CView* hit = root ? root->FindViewAt(where.x, where.y) : nullptr;
    return hit && (hit == tool.view || hit->IsInside(tool.view));
}

const CTooltipControl::Tool* CTooltipControl::ToolAt(CPoint where) const
{
    for (const Tool& t : tools_) {
        if (t.control) {
            const platform::Rect r = platform::GetWindowRect(t.control);
            const platform::Point p = platform::ClientToScreen(owner_->GetHandle(), {where.x, where.y});
            if (r.Contains(p))
                return &t;
        } else if (t.rect.Contains(where) && ShowsAt(t, where)) {
            return &t;
        }
    }
    return nullptr;
}

void CTooltipControl::Housekeeping(uint32_t now)
{
    if (!active_ || pressed_ || showing_ || !owner_->IsVisible())
        return;
    if (now - lastMoveTime_ < kRestTime)
        return;
    const platform::Point p = platform::ScreenToClient(owner_->GetHandle(), platform::GetCursorPos());
    const CPoint where(p.x, p.y);
    if (!(where == lastPoint_))
        return;
    if (const Tool* tool = ToolAt(where))
        Show(*tool);
}

void CTooltipControl::Show(const Tool& tool)
{
    if (tool.text.empty())
        return;
    const platform::Point at = platform::ClientToScreen(owner_->GetHandle(), {lastPoint_.x, lastPoint_.y + 20});
    const platform::TextExtent extent = platform::ControlFont()->Extent(tool.text);
    const int width = extent.width + 2 * kPadding + 2 * kBorder;
    const int height = extent.height + 2 + 2 * kBorder;
    platform::SetWindowText(popup_, tool.text);
    platform::MoveWindow(popup_, platform::Rect::FromSize(at.x, at.y, width, height), false);
    platform::InvalidateRect(popup_, nullptr, false);
    platform::ShowWindow(popup_, platform::ShowCommand::ShowNoActivate);
    showing_ = tool.id;
}

void CTooltipControl::Hide()
{
    if (!showing_)
        return;
    platform::ShowWindow(popup_, platform::ShowCommand::Hide);
    showing_ = 0;
}

std::string CTooltipControl::ShownText() const
{
    for (const Tool& t : tools_)
        if (t.id == showing_)
            return t.text;
    return {};
}

} // namespace NSHarrowen
