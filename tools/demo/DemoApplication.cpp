#include "DemoApplication.h"

#include "framework/windows/ABCWindow.h"
#include "framework/windows/DocumentWindow.h"
#include "framework/application/StartupRecord.h"
#include "platform/host/DesktopHost.h"
#include "platform/host/HostScope.h"
#include "framework/menus/MenuScript.h"

#include <cstdio>

namespace demo {

using namespace NSHarrowen;

namespace {

enum ECommand : uint32_t {
    kCommandClose = 102,
    kCommandQuit = 109,
    kCommandCascade = 701,
    kCommandTile = 702,
    kCommandHelp = 900,
};

CMenuItemRecord Item(const char* label, uint32_t command, char mnemonic, char accelerator = 0)
{
    CMenuItemRecord item;
    item.label = label;
    item.command = command;
    item.mnemonic = mnemonic;
    item.accelerator = accelerator;
    return item;
}

} // namespace

void DemoApplication::Init()
{
    scene_ = std::make_unique<DemoScene>(*this);
    file_ = std::make_unique<CMenu>();
    file_->SetTitle("File", 'F');
    file_->AppendItemRecord(Item("Close", kCommandClose, 'C', 'W'));
    CMenuItemRecord separator;
    separator.kind = CMenuItemRecord::kSeparator;
    file_->AppendItemRecord(separator);
    file_->AppendItemRecord(Item("Help", kCommandHelp, 'H'));
    file_->AppendItemRecord(Item("Quit", kCommandQuit, 'Q', 'Q'));
    window_ = std::make_unique<CMenu>();
    window_->SetTitle("Window", 'W');
    window_->AppendItemRecord(Item("Cascade", kCommandCascade, 'C'));
    window_->AppendItemRecord(Item("Tile", kCommandTile, 'T'));
    bar_ = std::make_unique<CMenuBar>();
    bar_->AppendMenu(file_.get());
    bar_->AppendMenu(window_.get());
    bar_->LeaveModal();
}

void DemoApplication::Exit()
{
    scene_.reset();
    bar_.reset();
    window_.reset();
    file_.reset();
}

void DemoApplication::UpdateMenus(CMenuBar* bar)
{
    if (!bar)
        return;
    const bool document = GetActiveDocumentWindow() != nullptr;
    bar->SetCommandEnabled(kCommandClose, document);
    for (uint32_t command : {kCommandQuit, kCommandCascade, kCommandTile, kCommandHelp})
        bar->SetCommandEnabled(command, true);
    window_->BuildWindowList(window_->GetItemCount());
}

void DemoApplication::HandleMenuSelect(CMenu* menu, uint32_t command)
{
    switch (command) {
    case kCommandClose:
        if (CABCWindow* w = GetActiveDocumentWindow())
            w->RequestClose();
        break;
    case kCommandQuit: RequestQuit(); break;
    case kCommandCascade: Cascade(); break;
    case kCommandTile: TileVertically(); break;
    case kCommandHelp: ShowHelpFinder(); break;
    default: CApplication::HandleMenuSelect(menu, command); break;
    }
}

void DemoApplication::OpenDocument(const CFileSpec& file, const CUnknownFileType&, uint32_t)
{
    std::printf("Opened %s\n", file.GetFullPath().c_str());
    std::fflush(stdout);
    auto* window = new CDocumentWindow(2, file.GetFileName());
    window->Open(window->GetRectForContentSize(300, 120));
}

int RunDemoApplication(CStartupRecord& record)
{
    std::unique_ptr<platform::IHost> desktop = platform::CreateDesktopHost();
    if (!desktop) {
        std::fprintf(stderr, "No desktop to show the demo on.\n");
        return 1;
    }
    const platform::CHostScope scope(std::move(desktop));
    record.SetApplicationName("Torvan Demo");
    int result = 0;
    {
        DemoApplication app(record);
        result = app.Run();
    }
    return result;
}

} // namespace demo
