#include "framework/windows/SplashScreen.h"

#include "framework/application/Application.h"
#include "framework/base/Exceptions.h"
#include "framework/input/Ticks.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

CSplashScreen::CSplashScreen(CView* picture, int16_t width, int16_t height, uint32_t minimumTicks)
    : CABCWindow(kWindowFrameless, CColor::FromButtonFace()), startTick_(GetTicks()), minimumTicks_(minimumTicks),
      picture_(picture)
{
    const CApplication* app = GetApplication();
    platform::CreateParams params;
    params.className = kSplashScreenWindowClass;
    params.title = app ? app->GetName() : std::string();
    params.style = platform::style::Popup;
    params.exStyle = platform::exstyle::DialogModalFrame;
    params.rect = platform::Rect::FromSize(100, 200, 300, 260);
    params.owner = app ? app->GetFrameHandle() : 0;
    params.createData = reinterpret_cast<intptr_t>(static_cast<CABCWindow*>(this));
    if (!platform::CreateWindow(params)) {
        delete picture;
        throw XBase();
    }
    if (picture_)
        GetRootView()->AddChild(picture_);
    SetWindowRect(GetCenteredRectForContentSize(width, height));
    LayoutRootView();
}

CSplashScreen::~CSplashScreen()
{
    while (TicksBetween(startTick_, GetTicks()) < minimumTicks_)
        WaitTicks(1);
    delete picture_;
}

void CSplashScreen::LayoutRootView()
{
    CABCWindow::LayoutRootView();
    if (picture_)
        picture_->SetFrame(GetClientRect());
}

int CSplashScreen::GetBorderWidth() const
{
    return platform::GetSystemMetric(platform::Metric::DialogFrameX);
}

int CSplashScreen::GetBorderHeight() const
{
    return platform::GetSystemMetric(platform::Metric::DialogFrameY);
}

} // namespace NSHarrowen
