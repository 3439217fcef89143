#pragma once

#include "DemoScene.h"
#include "DemoStateReport.h"
#include "NotesWindow.h"

#include "framework/application/Application.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuBar.h"

#include <memory>
#include <string>

namespace demo {

// What the desktop tests ask of the demo: where it reports its state on
// SIGUSR1 (none: no report) and the help file it shows (none: its own).
struct DemoOptions {
    std::string stateFile;
    std::string helpFile;
};

// The demo as a whole program: one running copy, a menu bar, the scene, a
// notes window with an edit, and every file it is asked to open (on its
// command line or by a second start) shown as a window and reported on its
// output.
class DemoApplication : public NSHarrowen::CApplication {
public:
    DemoApplication(const NSHarrowen::CStartupRecord& record, DemoOptions options);

    void Init() override;
    void Exit() override;
    void Idle() override;
    NSHarrowen::CMenuBar* GetMenuBar() override { return bar_.get(); }
    void UpdateMenus(NSHarrowen::CMenuBar* bar) override;
    void HandleMenuSelect(NSHarrowen::CMenu* menu, uint32_t command) override;
    void OpenDocument(const NSHarrowen::CFileSpec& file, const NSHarrowen::CUnknownFileType& type,
                      uint32_t flags) override;

private:
    DemoOptions options_;
    std::unique_ptr<DemoScene> scene_;
    NotesWindow* notes_ = nullptr;
    std::unique_ptr<DemoStateReport> report_;
    std::unique_ptr<NSHarrowen::CMenu> file_;
    std::unique_ptr<NSHarrowen::CMenu> edit_;
    std::unique_ptr<NSHarrowen::CMenu> window_;
    std::unique_ptr<NSHarrowen::CMenu> goTo_; // 99 locations: taller than the screen
    std::unique_ptr<NSHarrowen::CMenuBar> bar_;
};

// The program's entry: runs the demo on the desktop with the options given
// to SetDemoOptions.
void SetDemoOptions(DemoOptions options);
int RunDemoApplication(NSHarrowen::CStartupRecord& record);

} // namespace demo
