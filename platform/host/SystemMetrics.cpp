#include "platform/host/SystemMetrics.h"

#include "platform/host/Host.h"

namespace platform {

int GetSystemMetric(Metric metric)
{
    switch (metric) {
    case Metric::DialogFrameX:
    case Metric::DialogFrameY:
        return 3;
    case Metric::SizingFrameX:
    case Metric::SizingFrameY:
        return 4;
    case Metric::CaptionHeight:
        return 19;
    case Metric::ScrollBarWidth:
    case Metric::ScrollBarHeight:
        return 16;
    case Metric::DoubleClickWidth:
    case Metric::DoubleClickHeight:
        return 4;
    case Metric::SwapButtons:
        return 0;
    }
    return 0;
}

uint32_t GetDialogBaseUnits()
{
    return 8u | (16u << 16);
}

uint32_t GetDoubleClickTime()
{
    return 500;
}

Rect GetDesktopRect()
{
    return Host().DesktopRect();
}

int GetScreenColorDepth()
{
    return Host().ColorDepth();
}

int ShowMessageBox(const std::string& title, const std::string& text, int buttons)
{
    return Host().MessageBox(title, text, buttons);
}

} // namespace platform
