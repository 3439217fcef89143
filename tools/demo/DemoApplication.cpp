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
    kCommandCut = 202,
    kCommandCopy = 203,
    kCommandPaste = 204,
    kCommandClear = 205,
    kCommandCascade = 701,
    kCommandTile = 702,
    kCommandHelp = 900,
    kCommandLocation = 1000, // 1001 to 1099: Window > Go To > Location 1 to 99
};
constexpr uint32_t kLocations = 99;

// Help topics of the menu items (F1 over a highlighted item shows them).
constexpr uint32_t kHelpClose = 1102;
constexpr uint32_t kHelpEditing = 1200;

DemoOptions demoOptions;

CMenuItemRecord Item(const char* label, uint32_t command, char mnemonic, char accelerator = 0, uint32_t help = 0)
{
    CMenuItemRecord item;
    item.label = label;
    item.command = command;
    item.mnemonic = mnemonic;
    item.accelerator = accelerator;
    item.helpTopic = help;
    return item;
}

CMenuItemRecord Separator()
{
    CMenuItemRecord separator;
    separator.kind = CMenuItemRecord::kSeparator;
    return separator;
}

} // namespace

DemoApplication::DemoApplication(const CStartupRecord& record, DemoOptions options)
    : CApplication(record), options_(std::move(options))
{ }

void DemoApplication::Init()
{
    SetStandardCommands({kCommandClose, kCommandCut, kCommandCopy, kCommandPaste, kCommandClear});
    if (!options_.helpFile.empty())
        SetHelpFilePath(options_.helpFile);
    scene_ = std::make_unique<DemoScene>(*this);
    notes_ = new NotesWindow();
    notes_->Open(notes_->GetRectForContentSize(300, 90));
    if (!options_.stateFile.empty())
        report_ = std::make_unique<DemoStateReport>(options_.stateFile, [this] {
            std::vector<std::string> texts;
            if (notes_)
                texts.push_back(notes_->GetText());
            return texts;
        });
    file_ = std::make_unique<CMenu>();
    file_->SetTitle("File", 'F');
    file_->AppendItemRecord(Item("Close", kCommandClose, 'C', 'W', kHelpClose));
    file_->AppendItemRecord(Separator());
    file_->AppendItemRecord(Item("Help", kCommandHelp, 'H'));
    file_->AppendItemRecord(Item("Quit", kCommandQuit, 'Q', 'Q'));
    edit_ = std::make_unique<CMenu>();
    edit_->SetTitle("Edit", 'E');
    edit_->AppendItemRecord(Item("Cut", kCommandCut, 't', 'X', kHelpEditing));
    edit_->AppendItemRecord(Item("Copy", kCommandCopy, 'C', 'C', kHelpEditing));
    edit_->AppendItemRecord(Item("Paste", kCommandPaste, 'P', 'V', kHelpEditing));
    edit_->AppendItemRecord(Item("Clear", kCommandClear, 'l', 0, kHelpEditing));
    window_ = std::make_unique<CMenu>();
    window_->SetTitle("Window", 'W');
    window_->AppendItemRecord(Item("Cascade", kCommandCascade, 'C'));
    window_->AppendItemRecord(Item("Tile", kCommandTile, 'T'));
    goTo_ = std::make_unique<CMenu>();
    goTo_->SetTitle("Go To", 'G');
    for (uint32_t i = 1; i <= kLocations; ++i) {
        const std::string label = "Location " + std::to_string(i);
        goTo_->AppendItemRecord(Item(label.c_str(), kCommandLocation + i, 0));
    }
    window_->AppendItemRecord(Item("Go To", 0, 'G'));
    window_->SetItemSubmenu(window_->GetItemCount() - 1, goTo_.get());
    bar_ = std::make_unique<CMenuBar>();
    bar_->AppendMenu(file_.get());
    bar_->AppendMenu(edit_.get());
    bar_->AppendMenu(window_.get());
    bar_->LeaveModal();
}

void DemoApplication::Exit()
{
    report_.reset();
    // The notes window goes with the other windows.
    notes_ = nullptr;
    scene_.reset();
    bar_.reset();
    window_.reset();
    goTo_.reset();
    edit_.reset();
    file_.reset();
}

void DemoApplication::Idle()
{
    CApplication::Idle();
    // A closed notes window is gone after the framework's idle step.
    bool notesOpen = false;
    for (int i = 0; i < CountWindows(); ++i)
        notesOpen = notesOpen || GetWindowAt(i) == notes_;
    if (!notesOpen)
        notes_ = nullptr;
    if (report_)
        report_->Poll();
}

void DemoApplication::UpdateMenus(CMenuBar* bar)
{
    if (!bar)
        return;
    const bool document = GetActiveDocumentWindow() != nullptr;
    bar->SetCommandEnabled(kCommandClose, document);
    for (uint32_t command : {kCommandQuit, kCommandCascade, kCommandTile, kCommandHelp})
        bar->SetCommandEnabled(command, true);
    for (uint32_t i = 1; i <= kLocations; ++i)
        bar->SetCommandEnabled(kCommandLocation + i, notes_ != nullptr);
    window_->BuildWindowList(window_->GetItemCount());
}

void DemoApplication::HandleMenuSelect(CMenu* menu, uint32_t command)
{
    switch (command) {
    case kCommandQuit:
        RequestQuit();
        break;
    case kCommandCascade:
        Cascade();
        break;
    case kCommandTile:
        TileVertically();
        break;
    case kCommandHelp:
        ShowHelpFinder();
        break;
    default:
        // A location is written into the notes, where the tests read it.
        if (command > kCommandLocation && command <= kCommandLocation + kLocations && notes_)
            notes_->SetText("Location " + std::to_string(command - kCommandLocation));
        else
            CApplication::HandleMenuSelect(menu, command);
        break;
    }
}

void DemoApplication::OpenDocument(const CFileSpec& file, const CUnknownFileType&, uint32_t)
{
    std::printf("Opened %s\n", file.GetFullPath().c_str());
    std::fflush(stdout);
    auto* window = new CDocumentWindow(2, file.GetFileName());
    window->Open(window->GetRectForContentSize(300, 120));
}

void SetDemoOptions(DemoOptions options)
{
    demoOptions = std::move(options);
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
        DemoApplication app(record, demoOptions);
        result = app.Run();
    }
    return result;
}

} // namespace demo
