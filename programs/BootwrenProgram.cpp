#include "updater/app/Bootwren.h"

#include "framework/application/StartupRecord.h"
#include "platform/host/DesktopHost.h"
#include "platform/host/HostScope.h"
#include "platform/midi/rtmidi/MachineMidi.h"
#include "resources/BootwrenResources.h"

#include <cstdio>

namespace NSBootwren {

int RunBootwrenApplication(NSHarrowen::CStartupRecord& record)
{
    std::unique_ptr<platform::IHost> desktop = platform::CreateDesktopHost();
    if (!desktop) {
        std::fprintf(stderr, "Bootwren needs a desktop to show its window on.\n");
        return 1;
    }
    const platform::CHostScope scope(std::move(desktop));
    platform::UseMachineMidi();
    BootwrenResources();
    record.SetApplicationName(CBootwren::kApplicationName);
    int result = 0;
    {
        CBootwren app(record);
        result = app.Run();
    }
    return result;
}

} // namespace NSBootwren
