#include "editor/app/EditorApp.h"

#include "framework/application/StartupRecord.h"
#include "platform/base/DesktopLoss.h"
#include "platform/host/DesktopHost.h"
#include "platform/host/HostScope.h"
#include "platform/midi/rtmidi/MachineMidi.h"
#include "resources/PatchoraResources.h"

#include <cstdio>

int RunEditorApplication(NSHarrowen::CStartupRecord& record)
{
    std::unique_ptr<platform::IHost> desktop = platform::CreateDesktopHost();
    if (!desktop) {
        std::fprintf(stderr, "Patchora needs a desktop to show its window on.\n");
        return 1;
    }
    const platform::CHostScope scope(std::move(desktop));
    // The synthesizers are on the machine's MIDI devices (ALSA or JACK).
    platform::UseMachineMidi();
    PatchoraResources();
    record.SetApplicationName(CEditorApp::kApplicationName);
    int result = 0;
    {
        CEditorApp app(record);
        platform::SetDesktopLossReport([&app] { return app.DescribeUnsavedPatches(); });
        result = app.Run();
        platform::SetDesktopLossReport({});
    }
    return result;
}
