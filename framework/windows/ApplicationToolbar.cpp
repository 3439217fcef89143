#include "framework/windows/ApplicationToolbar.h"

#include "framework/application/Application.h"
#include "framework/base/Exceptions.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

CApplicationToolbar::CApplicationToolbar(int16_t height)
{
    const CApplication* app = GetApplication();
    if (app && app->GetFrameHandle())
        platform::SetParent(GetHandle(), app->GetFrameHandle());
    SetToolWindow(true);
    SetWindowRect(CRect(0, 0, 8000, height));
    LayoutRootView();
    platform::ShowWindow(GetHandle(), platform::ShowCommand::ShowNoActivate);
}

} // namespace NSHarrowen
