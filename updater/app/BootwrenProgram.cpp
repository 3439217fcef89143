#include "updater/app/Bootwren.h"

#include "framework/application/StartupRecord.h"
#include "platform/host/Host.h"
#include "platform/host/sdl/SdlHost.h"
#include "platform/windows/Window.h"
#include "resources/BootwrenResources.h"

#include <cstdio>

namespace NSBootwren {

int RunBootwrenApplication(NSHarrowen::CStartupRecord& record)
{
    std::unique_ptr<platform::SdlHost> sdl = platform::SdlHost::Create();
    if (!sdl) {
        std::fprintf(stderr, "Bootwren needs a desktop to show its window on.\n");
        return 1;
    }
    platform::InstallHost(std::move(sdl));
    BootwrenResources();
    record.SetApplicationName(CBootwren::kApplicationName);
    int result = 0;
    {
        CBootwren app(record);
        result = app.Run();
    }
    platform::ResetWindowSystem();
    platform::InstallHost(nullptr);
    return result;
}

} // namespace NSBootwren
