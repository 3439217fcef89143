#include "dialogs/browser/HardDriveView.h"

#include "dialogs/browser/BrowserPorts.h"
#include "dialogs/browser/PendingMenu.h"
#include "editor/patches/PatchManager.h"
#include "framework/files/FileSpec.h"
#include "framework/input/MouseState.h"
#include "framework/menus/Menu.h"
#include "patch/document/EditorServicesInterface.h"
#include "platform/base/DroppedExceptions.h"
#include "synth/flash/BankTransfer.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/protocol/FlashMemory.h"

#include <algorithm>
#include <exception>

using namespace NSHarrowen;
using namespace browserports;

namespace {

constexpr uint32_t kNotEnoughMemory = 500128006;

void ShowFlashProblem(const std::string& text)
{
    if (CEditorServicesInterface* services = GetEditorServices())
        services->ShowAlertScript(CHardDriveView::kFlashProblem, text);
}

std::string SynthMenuTitle(uint8_t port)
{
    const std::string& name = Ports()->GetSynth(port)->GetSynthName();
    return name.empty() ? Ports()->GetDisplayName(port) : name;
}

} // namespace

CHardDriveView::CHardDriveView(CGroupView* parent, std::filesystem::path top)
    : CListView(parent), walker_(std::move(top))
{
    fileTypes_.AddType("PCH ", ".pch");
    ListFolder();
}

CHardDriveView::~CHardDriveView()
{
    if (pendingAction_ == kStoring && Ports() && Ports()->HasSynth(storePort_))
        Ports()->GetSynth(storePort_)->GetBankTransfer().ReleaseReport(&errorLog_);
}

void CHardDriveView::ListFolder()
{
    SetWaitCursor();
    while (const std::optional<CFolderWalker::CItem> item = walker_.NextItem()) {
        // Dot files and folders are the programs' own: shown only on request.
        if (!showAllFiles_ &&
            (item->name.starts_with('.') ||
             (!item->isFolder && !fileTypes_.Matches(item->extension.empty() ? "." : item->extension))))
            continue;
        try {
            auto row = std::make_unique<CDiskListItem>();
            row->text = item->name;
            row->isFolder = item->isFolder;
            const uint32_t icon = item->isFolder ? kFolderIcon : fileTypes_.Matches(item->extension) ? kPatchIcon : 0;
            AddRowWithIconResource(std::move(row), icon);
        } catch (const std::bad_alloc&) {
            if (CEditorServicesInterface* services = GetEditorServices())
                services->PostDeferredAlert(kNotEnoughMemory);
        }
    }
    SortRowsByText([](const CListItem& row) { return static_cast<const CDiskListItem&>(row).isFolder; });
    SetArrowCursor();
}

void CHardDriveView::Relist()
{
    RemoveAllRows();
    ListFolder();
    LayoutChildren();
    InvalidateFrame();
}

bool CHardDriveView::TakeFolderRequest()
{
    const bool requested = folderRequested_;
    folderRequested_ = false;
    return requested;
}

bool CHardDriveView::OpenRequestedFolder()
{
    if (!walker_.EnterFolder(requestedFolder_))
        return false;
    Relist();
    return true;
}

void CHardDriveView::GoUp()
{
    if (walker_.IsAtTop())
        return;
    walker_.GoUp();
    Relist();
}

void CHardDriveView::Refresh()
{
    if (walker_.Restart())
        Relist();
}

void CHardDriveView::SetShowAllFiles(bool showAll)
{
    showAllFiles_ = showAll;
    walker_.Restart();
    Relist();
}

void CHardDriveView::OnRowActivated(CListItem& record)
{
    const auto& row = static_cast<CDiskListItem&>(record);
    if (row.isFolder) {
        folderRequested_ = true;
        requestedFolder_ = row.text;
        return;
    }
    SetWaitCursor();
    try {
        const CFileSpec file(walker_.GetPath(row.text).string());
        if (CPatchManager* patches = GetPatchManager()) {
            if (HasCurrentSynth()) {
                if (!CurrentSynthIsBusy())
                    patches->OpenPatchFileInSlot(Ports()->GetCurrentPort(), Ports()->GetCurrentSlot(), file);
            } else {
                patches->OpenLocalPatchFile(file);
            }
        }
    } catch (const std::exception&) {
        // The patch manager has reported what went wrong with the file.
        platform::RecordDroppedException("opening a patch file from the browser");
    }
    SetArrowCursor();
}

void CHardDriveView::OnRowContextClick(CListItem& record, CPoint where)
{
    const auto& row = static_cast<CDiskListItem&>(record);
    // A store that runs is awaited: a new menu would forget to check its end.
    if (row.isFolder || pendingAction_ != kNone)
        return;
    pendingAction_ = kFileMenu;
    clickedFile_ = row.text;
    clickPoint_ = where;
}

void CHardDriveView::HandleBroadcast()
{
    CListView::HandleBroadcast();
    if (CurrentSynthIsBusy())
        return;
    if (pendingAction_ == kStoring)
        AwaitStore();
    else if (pendingAction_ == kFileMenu)
        ShowFileMenu();
}

void CHardDriveView::AwaitStore()
{
    if (!Ports() || !Ports()->HasSynth(storePort_)) {
        // The synthesizer went with its engine: the store's end cannot come.
        pendingAction_ = kNone;
        ShowFlashProblem(CBankTransfer::kLostContactText);
        return;
    }
    const CBankTransfer& engine = Ports()->GetSynth(storePort_)->GetBankTransfer();
    if (engine.IsRunning())
        return;
    pendingAction_ = kNone;
    // A file that could not be read ends the job as done, with the file
    // skipped: its report line is the only sign the store did not happen.
    const bool failed =
        engine.GetResult() != CBankTransfer::kResultNone && engine.GetResult() != CBankTransfer::kResultFinished;
    if (failed || errorLog_.GetUsedLines() > 0)
        ShowFlashProblem(errorLog_.GetLineFromEnd(0));
}

void CHardDriveView::ShowFileMenu()
{
    CPendingMenu menu;
    if (Ports() && Ports()->CountSynths() > 0) {
        for (uint8_t port = 0; port < CPortManager::kPortCount; ++port) {
            if (!Ports()->HasSynth(port))
                continue;
            CMenu& synth = menu.AddSubmenu(menu.Top(), SynthMenuTitle(port));
            for (uint8_t slot = 0; slot < Ports()->GetSlotCount(port); ++slot)
                CPendingMenu::AddCommand(synth, std::string("Slot ") + static_cast<char>('A' + slot), port + 1u);
            CPendingMenu::AddSeparator(synth);
            CMenu& save = menu.AddSubmenu(synth, "Save In Synth");
            const CFlashMemory& flash = Ports()->GetFlashMemory(port);
            for (uint8_t bank = 0; bank < flash.GetBankCount(); ++bank)
                CPendingMenu::AddLocations(menu.AddSubmenu(save, "Bank " + std::to_string(bank + 1)), flash, bank,
                                           (bank + 1u) * 64u + port);
        }
    } else {
        CPendingMenu::AddCommand(menu.Top(), "Local", 0);
    }
    pendingAction_ = kNone;
    if (const auto choice = menu.Track(*this, clickPoint_))
        Choose(choice->id, choice->position, walker_.GetPath(clickedFile_));
}

void CHardDriveView::Choose(uint32_t id, int position, const std::filesystem::path& path)
{
    const CFileSpec file(path.string());
    CPatchManager* patches = GetPatchManager();
    if (id == 0) {
        if (patches)
            patches->OpenLocalPatchFile(file);
    } else if (id < 32) {
        if (patches && Ports()->HasSynth(static_cast<uint8_t>(id - 1)))
            patches->OpenPatchFileInSlot(static_cast<uint8_t>(id - 1), static_cast<uint8_t>(position), file);
    } else {
        storePort_ = static_cast<uint8_t>(std::min<uint32_t>(id & 7, 3));
        const auto bank = static_cast<uint8_t>(std::min<uint32_t>((id - storePort_) / 64 - 1, CFlashAddress::kMaxBank));
        const auto location = static_cast<uint8_t>(std::min<int>(position, CFlashAddress::kMaxLocation));
        if (!Ports()->HasSynth(storePort_))
            return;
        CBankTransfer& engine = Ports()->GetSynth(storePort_)->GetBankTransfer();
        engine.ClearResult();
        errorLog_.Clear();
        engine.DownloadFromFiles(file, CFlashAddress{bank, location}, &errorLog_);
        pendingAction_ = kStoring;
    }
}
