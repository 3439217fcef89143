#include "editor/app/EditorApp.h"

#include "framework/application/StartupRecord.h"
#include "platform/base/DesktopLoss.h"
#include "platform/host/DesktopHost.h"
#include "platform/host/HostScope.h"
#include "platform/midi/rtmidi/MachineMidi.h"
#include "resources/PatchoraResources.h"

#include <cstdio>

namespace {

// The lost-desktop report reads the application: it is withdrawn when the
// application goes, also when its loop ends by a throw.
class CDesktopLossReportScope {
public:
    explicit CDesktopLossReportScope(std::function<std::string()> report)
    {
        platform::SetDesktopLossReport(std::move(report));
    }
    ~CDesktopLossReportScope() { platform::SetDesktopLossReport({}); }
    CDesktopLossReportScope(const CDesktopLossReportScope&) = delete;
    CDesktopLossReportScope& operator=(const CDesktopLossReportScope&) = delete;
};

} // namespace

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
    CEditorApp app(record);
    const CDesktopLossReportScope report([&app] { return app.DescribeUnsavedPatches(); });
    return app.Run();
}
