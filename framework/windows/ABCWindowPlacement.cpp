#include "framework/windows/ABCWindow.h"
#include "framework/application/Application.h"
#include "framework/drawing/Canvas.h"
#include "platform/windows/MessageQueue.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

namespace {

CRect FromPlatform(const platform::Rect& r)
{
    return CRect(r.left, r.top, r.right, r.bottom);
}

// Centres the rectangle on the main frame (kept on the screen), or on the
// screen when there is no frame or it is minimised.
void CenterOnFrameOrScreen(CRect& rect)
{
    const CRect screen = GetScreenRect();
    const CApplication* app = GetApplication();
    const platform::WindowHandle frame = app ? app->GetFrameHandle() : 0;
    if (frame && !platform::IsMinimized(frame)) {
        rect.CenterIn(FromPlatform(platform::GetWindowRect(frame)));
        rect.MoveInside(screen);
    } else {
        rect.CenterIn(screen);
    }
}

} // namespace

bool CABCWindow::IsVisible() const
{
    return platform::IsWindowVisible(handle_);
}

bool CABCWindow::IsMinimized() const
{
    return platform::IsMinimized(handle_);
}

void CABCWindow::SetWindowRect(const CRect& rect)
{
    platform::MoveWindow(handle_, {rect.left, rect.top, rect.right, rect.bottom}, true);
}

CRect CABCWindow::GetWindowRectInFrame() const
{
    if (platform::GetParent(handle_))
        return FromPlatform(platform::GetWindowRectInParent(handle_));
    return FromPlatform(platform::GetWindowRect(handle_));
}

CRect CABCWindow::GetClientRectInFrame() const
{
    const CRect window = GetWindowRectInFrame();
    const platform::Rect area = platform::GetClientArea(handle_);
    return CRect(window.left + area.left, window.top + area.top, window.left + area.right, window.top + area.bottom);
}

CRect CABCWindow::GetClientRect() const
{
    return FromPlatform(platform::GetClientRect(handle_));
}

void CABCWindow::ReapplyBounds()
{
    SetBounds(GetWindowRectInFrame());
}

void CABCWindow::ContentToWindowRect(CRect& rect) const
{
    const int border = GetBorderWidth();
    const int height = GetBorderHeight();
    const int caption = (kind_ == kWindowDocument || kind_ == kWindowModal)
        ? platform::GetSystemMetric(platform::Metric::CaptionHeight)
        : 0;
    rect.Set(rect.left - border, rect.top - height - caption, rect.right + border, rect.bottom + height);
}

void CABCWindow::WindowToContentRect(CRect& rect) const
{
    const int border = GetBorderWidth();
    const int height = GetBorderHeight();
    const int caption = (kind_ == kWindowDocument || kind_ == kWindowModal)
        ? platform::GetSystemMetric(platform::Metric::CaptionHeight)
        : 0;
    rect.Set(rect.left + border, rect.top + height + caption, rect.right - border, rect.bottom - height);
}

void CABCWindow::CenterOnFrame()
{
    CRect rect = GetWindowRectInFrame();
    CenterOnFrameOrScreen(rect);
    Open(rect);
}

void CABCWindow::MoveToFrameCenter()
{
    CRect rect = GetWindowRectInFrame();
    CenterOnFrameOrScreen(rect);
    SetWindowRect(rect);
}

CRect CABCWindow::GetCenteredRectForContentSize(int16_t width, int16_t height) const
{
    CRect rect(0, 0, width, height);
    ContentToWindowRect(rect);
    CenterOnFrameOrScreen(rect);
    return rect;
}

CRect CABCWindow::GetRectForContentSize(int16_t width, int16_t height) const
{
    CRect rect(0, 0, width, height);
    ContentToWindowRect(rect);
    const CRect screen = GetScreenRect();
    const int step = platform::GetSystemMetric(platform::Metric::CaptionHeight) +
        platform::GetSystemMetric(platform::Metric::SizingFrameY);
    int counts[8] = {};
    for (int index = 0; index < CountWindows(); ++index) {
        const CABCWindow* other = GetWindowAt(index);
        if (other == this || !other->GetHandle())
            continue;
        const CRect r = other->GetWindowRectInFrame();
        for (int i = 0; i < 8; ++i)
            if (r.left == screen.left + i * step && r.top == screen.top + i * step)
                ++counts[i];
    }
    int best = 0;
    for (int i = 1; i < 8; ++i)
        if (counts[i] < counts[best])
            best = i;
    rect.MoveTo(CPoint(screen.left + best * step, screen.top + best * step));
    return rect;
}

void CABCWindow::BringToFront()
{
    if (IsDocumentWindow()) {
        platform::SendMessage(platform::GetParent(handle_), platform::msg::MdiActivate, handle_, 0);
        platform::SetFocus(handle_);
    } else {
        platform::BringWindowToTop(handle_);
    }
}

void CABCWindow::SetTitle(const std::string& title)
{
    if (platform::GetWindowText(handle_) != title)
        platform::SetWindowText(handle_, title.substr(0, 256));
}

std::string CABCWindow::GetTitle() const
{
    return platform::GetWindowText(handle_).substr(0, 256);
}

void CABCWindow::RequestClose()
{
    if (CanClose())
        Close();
}

} // namespace NSHarrowen
