#pragma once

#include "dialogs/browser/ListItem.h"
#include "dialogs/browser/ListView.h"
#include "dialogs/browser/PendingMenu.h"

#include <cstdint>
#include <optional>

class CFlashMemory;

// A row of the flash list: a bank (location -1) or a stored patch.
struct CFlashListItem final : CListItem {
    uint16_t bank = 0;
    int16_t location = -1;
};

// The "Synth" page's list: the flash banks of the current synthesizer with
// their stored patches, rebuilt whenever the flash map changes. A double
// click loads a stored patch into the current slot; a right click asks for a
// menu that stores the current slot or deletes a location. Menus are shown
// and flash commands sent later, in the idle pass, while the synthesizer is
// not busy; a failed command is reported once.
class CFlashListView final : public CListView {
public:
    static constexpr uint32_t kBankIcon = 281;
    static constexpr uint32_t kPatchIcon = 279;
    static constexpr const char* kFlashProblem = "[WARN][Flash Problem]%s[OK]";
    enum EAction : uint32_t { kNone = 0, kRowMenu = 1, kBackgroundMenu = 2, kAwaitingResult = 3 };

    explicit CFlashListView(NSHarrowen::CGroupView* parent);

    int16_t GetPort() const { return port_; }
    uint32_t GetPendingAction() const { return pendingAction_; }

    void OnRowActivated(CListItem& record) override;
    void OnRowContextClick(CListItem& record, NSHarrowen::CPoint where) override;
    void OnBackgroundContextClick(NSHarrowen::CPoint where) override;
    void UpdateState() override;
    void HandleBroadcast() override;

private:
    void BuildRows(const CFlashMemory& flash);
    std::string SlotLetter() const;
    void ShowBackgroundMenu();
    void ShowRowMenu();
    // The menu's choice, the flash's last result cleared for the command it
    // starts; none when nothing was chosen or the synthesizer is gone.
    std::optional<CPendingMenu::Choice> TrackCommandMenu(CPendingMenu& menu);
    void Store(uint8_t bank, uint8_t location);

    int16_t port_ = -1;
    int64_t shownFlashVersion_ = -1;
    uint32_t pendingAction_ = kNone;
    // A copy: the rows may be rebuilt before the menu is shown.
    CFlashListItem clickedRow_;
    NSHarrowen::CPoint clickPoint_;
};
