#include "dialogs/browser/FlashListView.h"

#include "dialogs/browser/BrowserPorts.h"
#include "dialogs/browser/PendingMenu.h"
#include "framework/menus/Menu.h"
#include "patch/document/EditorServicesInterface.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/protocol/FlashMemory.h"

#include <algorithm>

using namespace NSHarrowen;
using namespace browserports;

namespace {

CFlashMemory& CurrentFlash()
{
    return Ports()->GetFlashMemory(Ports()->GetCurrentPort());
}

uint32_t BankId(uint8_t bank)
{
    return (bank + 1u) * 64u;
}

} // namespace

CFlashListView::CFlashListView(CGroupView* parent) : CListView(parent)
{
    UpdateState();
}

void CFlashListView::UpdateState()
{
    CListView::UpdateState();
    if (HasCurrentSynth()) {
        port_ = Ports()->GetCurrentPort();
    } else if (port_ != -1) {
        port_ = -1;
        RemoveAllRows();
        shownFlashVersion_ = -1;
        InvalidateFrame();
        return;
    }
    if (port_ == -1)
        return;
    const CFlashMemory& flash = Ports()->GetFlashMemory(static_cast<uint8_t>(std::min<int16_t>(port_, 3)));
    if (flash.GetChangeCount() == shownFlashVersion_)
        return;
    shownFlashVersion_ = flash.GetChangeCount();
    RemoveAllRows();
    BuildRows(flash);
    LayoutChildren();
    InvalidateFrame();
}

void CFlashListView::BuildRows(const CFlashMemory& flash)
{
    for (uint8_t bank = 0; bank < flash.GetBankCount(); ++bank) {
        auto row = std::make_unique<CFlashListItem>();
        row->bank = bank;
        row->text = "Bank " + std::to_string(bank + 1);
        AddRowWithIconResource(std::move(row), kBankIcon);
        for (const CFlashEntry& entry : flash.GetBank(bank)) {
            auto patch = std::make_unique<CFlashListItem>();
            patch->bank = bank;
            patch->location = entry.location;
            patch->text = std::to_string(bank + 1) + "-" + std::to_string(entry.location + 1) + " : " + entry.name;
            AddRowWithIconResource(std::move(patch), kPatchIcon);
        }
    }
}

void CFlashListView::OnRowActivated(CListItem& record)
{
    const auto& row = static_cast<CFlashListItem&>(record);
    if (row.location < 0 || !HasCurrentSynth() || CurrentSynthIsBusy())
        return;
    CurrentFlash().LoadToSlot(
        Ports()->GetCurrentSlot(),
        CFlashAddress::Clamped(static_cast<uint8_t>(row.bank), static_cast<uint8_t>(row.location)));
}

void CFlashListView::OnRowContextClick(CListItem& record, CPoint where)
{
    if (pendingAction_ != kNone || !HasCurrentSynth())
        return;
    pendingAction_ = kRowMenu;
    clickedRow_ = static_cast<CFlashListItem&>(record);
    clickedRow_.view = nullptr;
    clickPoint_ = where;
}

void CFlashListView::OnBackgroundContextClick(CPoint where)
{
    if (pendingAction_ != kNone || !HasCurrentSynth())
        return;
    pendingAction_ = kBackgroundMenu;
    clickedRow_ = CFlashListItem();
    clickPoint_ = where;
}

std::string CFlashListView::SlotLetter() const
{
    return std::string(1, static_cast<char>('A' + std::min<uint8_t>(Ports()->GetCurrentSlot(), 3)));
}

void CFlashListView::Store(uint8_t bank, uint8_t location)
{
    CurrentFlash().StoreFromSlot(Ports()->GetCurrentSlot(), CFlashAddress::Clamped(bank, location));
}

void CFlashListView::HandleBroadcast()
{
    CListView::HandleBroadcast();
    if (CurrentSynthIsBusy())
        return;
    switch (pendingAction_) {
    case kAwaitingResult:
        if (!HasCurrentSynth() || CurrentFlash().IsCommandPending())
            return;
        pendingAction_ = kNone;
        if (const uint32_t result = CurrentFlash().GetLastResult();
            result != CFlashMemory::kResultNone && result != CFlashMemory::kResultDone)
            if (CEditorServicesInterface* services = GetEditorServices())
                services->ShowAlertScript(kFlashProblem, CurrentFlash().GetLastResultText());
        break;
    case kBackgroundMenu:
        ShowBackgroundMenu();
        break;
    case kRowMenu:
        ShowRowMenu();
        break;
    default:
        break;
    }
}

void CFlashListView::ShowBackgroundMenu()
{
    CPendingMenu menu;
    if (HasCurrentSynth()) {
        const CFlashMemory& flash = CurrentFlash();
        CMenu& save = menu.AddSubmenu(menu.Top(), "Save Slot " + SlotLetter() + " To");
        for (uint8_t bank = 0; bank < flash.GetBankCount(); ++bank)
            CPendingMenu::AddLocations(menu.AddSubmenu(save, "Bank " + std::to_string(bank + 1)), flash, bank,
                                       BankId(bank));
    }
    const auto choice = TrackCommandMenu(menu);
    if (!choice)
        return;
    Store(static_cast<uint8_t>(std::max<uint32_t>(choice->id / 64, 1) - 1), static_cast<uint8_t>(choice->position));
    pendingAction_ = kAwaitingResult;
}

void CFlashListView::ShowRowMenu()
{
    CPendingMenu menu;
    const CFlashListItem& row = clickedRow_;
    if (HasCurrentSynth()) {
        const std::string save = "Save Slot " + SlotLetter() + " To";
        if (row.location < 0) {
            CPendingMenu::AddLocations(menu.AddSubmenu(menu.Top(), save), CurrentFlash(),
                                       CFlashAddress::ClampBank(static_cast<uint8_t>(row.bank)),
                                       BankId(static_cast<uint8_t>(row.bank)));
        } else {
            CPendingMenu::AddCommand(menu.Top(), save + " " + row.text, row.bank);
            CPendingMenu::AddCommand(menu.Top(), "Delete", 0);
        }
    }
    const auto choice = TrackCommandMenu(menu);
    if (!choice)
        return;
    const auto [id, position] = *choice;
    const auto bank = static_cast<uint8_t>(row.bank);
    const auto location = static_cast<uint8_t>(std::max<int16_t>(row.location, 0));
    if (id >= 64)
        Store(static_cast<uint8_t>(id / 64 - 1), static_cast<uint8_t>(position));
    else if (position == 1)
        CurrentFlash().DeleteLocation(CFlashAddress::Clamped(bank, location));
    else
        Store(bank, location);
    pendingAction_ = kAwaitingResult;
}

std::optional<CPendingMenu::Choice> CFlashListView::TrackCommandMenu(CPendingMenu& menu)
{
    pendingAction_ = kNone;
    const auto choice = menu.Track(*this, clickPoint_);
    if (!choice || !HasCurrentSynth())
        return std::nullopt;
    CurrentFlash().ClearResult();
    return choice;
}
