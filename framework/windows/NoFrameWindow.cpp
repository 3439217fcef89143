#include "framework/windows/NoFrameWindow.h"

#include "framework/application/Application.h"
#include "framework/base/Exceptions.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

CNoFrameWindow::CNoFrameWindow(const CColor& background) : CABCWindow(kWindowFrameless, background)
{
    const CApplication* app = GetApplication();
    platform::CreateParams params;
    params.className = kDocumentWindowClass;
    params.style = platform::style::Child | platform::style::ClipChildren;
    params.exStyle = platform::exstyle::MdiChild;
    params.rect = platform::Rect::FromSize(0, 0, 100, 30);
    params.parent = app ? (app->GetMDIClientHandle() ? app->GetMDIClientHandle() : app->GetFrameHandle()) : 0;
    params.createData = reinterpret_cast<intptr_t>(static_cast<CABCWindow*>(this));
    if (!platform::CreateWindow(params))
        throw XBase();
}

} // namespace NSHarrowen
