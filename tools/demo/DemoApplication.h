#pragma once

#include "DemoScene.h"

#include "framework/application/Application.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuBar.h"

#include <memory>

namespace demo {

// The demo as a whole program: one running copy, a menu bar, the scene, and
// every file it is asked to open (on its command line or by a second start)
// shown as a window and reported on its output.
class DemoApplication : public NSHarrowen::CApplication {
public:
    using CApplication::CApplication;

    void Init() override;
    void Exit() override;
    NSHarrowen::CMenuBar* GetMenuBar() override { return bar_.get(); }
    void UpdateMenus(NSHarrowen::CMenuBar* bar) override;
    void HandleMenuSelect(NSHarrowen::CMenu* menu, uint32_t command) override;
    void OpenDocument(const NSHarrowen::CFileSpec& file, const NSHarrowen::CUnknownFileType& type,
                      uint32_t flags) override;

private:
    std::unique_ptr<DemoScene> scene_;
    std::unique_ptr<NSHarrowen::CMenu> file_;
    std::unique_ptr<NSHarrowen::CMenu> window_;
    std::unique_ptr<NSHarrowen::CMenuBar> bar_;
};

// The program's entry: runs the demo on the desktop.
int RunDemoApplication(NSHarrowen::CStartupRecord& record);

} // namespace demo
