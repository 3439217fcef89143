#include "editor/floaters/FloaterWindow.h"

#include "framework/application/Application.h"
#include "framework/base/Exceptions.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowStyle.h"

using namespace NSHarrowen;

CFloaterWindow::CFloaterWindow(const std::string& title, bool resizable, uint8_t option, bool closeBox)
    : CABCWindow(kWindowModal, CColor::FromButtonFace()), resizable_(resizable ? 1 : 0), option_(option)
{
    SetToolWindow(true);
    const CApplication* app = GetApplication();
    platform::CreateParams params;
    params.className = kModalDialogWindowClass;
    params.title = title;
    params.style = platform::style::Popup | platform::style::Caption | (resizable ? platform::style::ThickFrame : 0) |
        (closeBox || !resizable ? platform::style::SysMenu : 0);
    params.exStyle = platform::exstyle::ToolWindow;
    params.rect = platform::Rect::FromSize(200, 200, 200, 100);
    params.owner = app ? app->GetFrameHandle() : 0;
    params.createData = reinterpret_cast<intptr_t>(static_cast<CABCWindow*>(this));
    if (!platform::CreateWindow(params))
        throw XBase();
}

CFloaterWindow::~CFloaterWindow() = default;

void CFloaterWindow::UpdateMenus(CMenuBar* menuBar)
{
    if (CABCWindow* document = GetActiveDocumentWindow())
        document->UpdateMenus(menuBar);
    else if (CApplication* app = GetApplication())
        app->UpdateMenus(menuBar);
}

void CFloaterWindow::HandleMenuSelect(CMenu* menu, uint32_t command)
{
    if (CABCWindow* document = GetActiveDocumentWindow())
        document->HandleMenuSelect(menu, command);
    else if (CApplication* app = GetApplication())
        app->HandleMenuSelect(menu, command);
}

int CFloaterWindow::GetBorderWidth() const
{
    return platform::GetSystemMetric(IsResizable() ? platform::Metric::SizingFrameX : platform::Metric::DialogFrameX);
}

int CFloaterWindow::GetBorderHeight() const
{
    return platform::GetSystemMetric(IsResizable() ? platform::Metric::SizingFrameY : platform::Metric::DialogFrameY);
}
