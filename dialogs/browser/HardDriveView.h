#pragma once

#include "dialogs/browser/FileTypeFilter.h"
#include "dialogs/browser/FolderWalker.h"
#include "dialogs/browser/ListItem.h"
#include "dialogs/browser/ListView.h"
#include "framework/lists/LineRing.h"

#include <cstdint>
#include <filesystem>
#include <string>

// A row of the disk list: a folder or a file of the current folder.
struct CDiskListItem final : CListItem {
    bool isFolder = false;
};

// The "Disk" page's list: the folders and then the patch files of one folder
// (every file and dot file with "Show all Files"), each sorted by name. A double click opens a folder
// (in the next notification pass) or opens a patch file into the current
// slot, or as a local patch without a synthesizer; a right click on a file
// asks for a menu that opens it into any slot of any synthesizer or stores
// it into a flash location. Menus and the store's end are handled in the
// idle pass, while the current synthesizer is not busy.
class CHardDriveView final : public CListView {
public:
    static constexpr uint32_t kFolderIcon = 281;
    static constexpr uint32_t kPatchIcon = 279;
    static constexpr const char* kFlashProblem = "[WARN][Flash Problem]%s[OK]";
    enum EAction : uint32_t { kNone = 0, kFileMenu = 1, kStoring = 2 };

    // Lists `top`, the highest folder the page reaches.
    CHardDriveView(NSHarrowen::CGroupView* parent, std::filesystem::path top);
    // A store still running lets go of the error log.
    ~CHardDriveView() override;

    bool TakeFolderRequest();
    bool OpenRequestedFolder();
    void GoUp();
    void Refresh();
    void SetShowAllFiles(bool showAll);
    uint32_t GetPendingAction() const { return pendingAction_; }

    void OnRowActivated(CListItem& record) override;
    void OnRowContextClick(CListItem& record, NSHarrowen::CPoint where) override;
    void HandleBroadcast() override;

private:
    void ListFolder();
    void Relist();
    void AwaitStore();
    void ShowFileMenu();
    void Choose(uint32_t id, int position, const std::filesystem::path& file);

    CFolderWalker walker_;
    CFileTypeFilter fileTypes_;
    bool showAllFiles_ = false;
    bool folderRequested_ = false;
    std::string requestedFolder_;
    uint32_t pendingAction_ = kNone;
    std::string clickedFile_;
    NSHarrowen::CPoint clickPoint_;
    NSHarrowen::CLineRing errorLog_{1, 100};
    uint8_t storePort_ = 0;
};
