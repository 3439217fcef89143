#include "framework/windows/ABCWindow.h"
#include "framework/application/Application.h"
#include "framework/drawing/Canvas.h"
#include "framework/menus/MenuBar.h"
#include "platform/input/InputState.h"
#include "platform/windows/MessageQueue.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

using CRoot = CABCWindow::CWindowRootGroupView;
using CSizeBox = CABCWindow::CWindowSizeBoxView;

CRoot::CWindowRootGroupView(CABCWindow* window) : CGroupView(nullptr), window_(window) { }

CRoot::~CWindowRootGroupView()
{
    RemoveSizeBox();
}

void CRoot::ForwardKey(const CKeyEvent& event)
{
    window_->DoCommand(event);
}

void CRoot::UpdateMenu(CMenuBar* menuBar)
{
    window_->UpdateMenus(menuBar);
}

void CRoot::DoMenuCommand(uint32_t command, uint32_t menu)
{
    CApplication* app = GetApplication();
    CMenuBar* bar = app ? app->GetMenuBar() : nullptr;
    window_->HandleMenuSelect(bar ? bar->FindMenu(menu) : nullptr, command);
}

CColor CRoot::GetBackgroundColor() const
{
    return window_->GetBackgroundColor();
}

void CRoot::DrawBackground()
{
    CCanvas(window_).FillRect(GetFrame(), window_->GetBackgroundColor());
}

uint32_t CRoot::GetInheritedContext() const
{
    const uint32_t own = CGroupView::GetInheritedContext();
    return own ? own : static_cast<uint32_t>(window_->GetKind());
}

void CRoot::LayoutChildren()
{
    if (!sizeBox_)
        return;
    const int16_t w = static_cast<int16_t>(platform::GetSystemMetric(platform::Metric::ScrollBarWidth));
    const int16_t h = static_cast<int16_t>(platform::GetSystemMetric(platform::Metric::ScrollBarHeight));
    const CRect frame = GetFrame();
    sizeBox_->SetFrame(CRect(frame.right - w, frame.bottom - h, frame.right, frame.bottom));
}

void CRoot::RemoveChild(CView* view)
{
    if (view == sizeBox_)
        sizeBox_ = nullptr;
    CGroupView::RemoveChild(view);
}

void CRoot::AddSizeBox()
{
    if (!sizeBox_) {
        sizeBox_ = new CSizeBox(this);
        LayoutChildren();
    }
}

void CRoot::RemoveSizeBox()
{
    delete sizeBox_;
    sizeBox_ = nullptr;
}

CSizeBox::CWindowSizeBoxView(CGroupView* parent) : CView(parent) { }

void CSizeBox::GetCursor()
{
    platform::SetCursor(platform::CursorShape::SizeNWSE);
}

void CSizeBox::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window || platform::IsMaximized(window->GetHandle()) || window->IsMinimized())
        return;
    CCanvas canvas(window);
    const CRect f = GetFrame();
    canvas.FillRect(f, window->GetBackgroundColor());
    // Three diagonal ridges, a dark line with a light one beside it.
    for (int length : {3, 7, 11})
        for (int k = 0; k <= length; ++k) {
            const int x = f.right - 1 - length + k;
            const int y = f.bottom - 1 - k;
            canvas.FillRect(CRect(x, y, x + 1, y + 1), CColor::FromButtonShadow());
            canvas.FillRect(CRect(x - 1, y, x, y + 1), CColor::FromButtonHighlight());
        }
}

void CSizeBox::MouseDown(const CEvent& event)
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    const platform::Point screen = platform::ClientToScreen(window->GetHandle(), {event.GetX(), event.GetY()});
    platform::SendMessage(window->GetHandle(), platform::msg::NcLButtonDown,
                          static_cast<platform::WParam>(platform::hit::BottomRight),
                          platform::MakeLParam(screen.x, screen.y));
}

} // namespace NSHarrowen
