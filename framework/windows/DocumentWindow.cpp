#include "framework/windows/DocumentWindow.h"

#include "framework/application/Application.h"
#include "framework/base/Exceptions.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

uint32_t CDocumentWindow::WindowStyleFor(int frameStyle)
{
    static constexpr uint32_t kStyles[] = {0x40CA0000, 0x40C80000, 0x40CF0000, 0x40CE0000};
    return kStyles[frameStyle >= 0 && frameStyle < 4 ? frameStyle : 0];
}

CDocumentWindow::CDocumentWindow(int frameStyle, const std::string& title)
    : CABCWindow(kWindowDocument, CColor::FromButtonFace()), frameStyle_(frameStyle)
{
    const CApplication* app = GetApplication();
    platform::CreateParams params;
    params.className = kDocumentWindowClass;
    params.title = title;
    params.style = WindowStyleFor(frameStyle);
    params.exStyle = platform::exstyle::MdiChild | (frameStyle == 1 ? platform::exstyle::ContextHelp : 0);
    params.useDefaultRect = true;
    params.parent = app ? app->GetMDIClientHandle() : 0;
    params.createData = reinterpret_cast<intptr_t>(static_cast<CABCWindow*>(this));
    if (!platform::CreateWindow(params))
        throw XBase();
    if (frameStyle == 2 || frameStyle == 3)
        GetRootView()->AddSizeBox();
    LayoutRootView();
}

int CDocumentWindow::GetBorderWidth() const
{
    return platform::GetSystemMetric(frameStyle_ >= 2 ? platform::Metric::SizingFrameX
                                                      : platform::Metric::DialogFrameX);
}

int CDocumentWindow::GetBorderHeight() const
{
    return platform::GetSystemMetric(frameStyle_ >= 2 ? platform::Metric::SizingFrameY
                                                      : platform::Metric::DialogFrameY);
}

bool CDocumentWindow::IsMaximized() const
{
    return platform::IsMaximized(GetHandle());
}

} // namespace NSHarrowen
