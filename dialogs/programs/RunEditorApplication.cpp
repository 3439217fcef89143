#include "editor/app/EditorApp.h"

#include "framework/application/StartupRecord.h"
#include "platform/host/Host.h"
#include "platform/host/sdl/SdlHost.h"
#include "platform/windows/Window.h"
#include "resources/PatchoraResources.h"

#include <cstdio>

int RunEditorApplication(NSHarrowen::CStartupRecord& record)
{
    std::unique_ptr<platform::SdlHost> sdl = platform::SdlHost::Create();
    if (!sdl) {
        std::fprintf(stderr, "Patchora needs a desktop to show its window on.\n");
        return 1;
    }
    platform::InstallHost(std::move(sdl));
    PatchoraResources();
    record.SetApplicationName(CEditorApp::kApplicationName);
    int result = 0;
    {
        CEditorApp app(record);
        result = app.Run();
    }
    platform::ResetWindowSystem();
    platform::InstallHost(nullptr);
    return result;
}
