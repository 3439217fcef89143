#include "editor/patches/PatchManager.h"

#include "editor/prefs/Preferences.h"
#include "editor/windows/PatchView.h"
#include "editor/windows/SaveQuestion.h"
#include "framework/alerts/AlertBox.h"
#include "framework/windows/ABCWindow.h"
#include "patch/document/Patch.h"
#include "platform/system/HeapWarmth.h"
#include "synth/files/XFileBase.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/link/SynthPort.h"

#include <exception>
#include <utility>

namespace {

CPatchManager* gPatchManager = nullptr;

CPatchView* ViewOf(const CPatch& patch)
{
    return dynamic_cast<CPatchView*>(patch.GetWindow());
}

bool PortOf(const CPatch& patch, uint8_t& port)
{
    return patch.IsLinked() && patch.GetPortIndex(port);
}

} // namespace

CPatchManager* GetPatchManager()
{
    return gPatchManager;
}
void SetPatchManager(CPatchManager* manager)
{
    gPatchManager = manager;
}

uint8_t ClampSlotNumber(uint8_t slot)
{
    return slot > 3 ? 3 : slot;
}

CPatchManager::CPatchManager(CPortManager* ports) : ports_(ports) { }

CPatchManager::~CPatchManager()
{
    DeleteAll();
}

CPatch* CPatchManager::CreatePatch()
{
    patches_.push_back(std::make_unique<CPatch>());
    return patches_.back().get();
}

bool CPatchManager::HasSlot(uint8_t port, uint8_t slot) const
{
    return ports_ && ports_->HasSynth(port) && slot < ports_->GetSlotCount(port);
}

template <typename Step> void CPatchManager::WithPort(uint8_t port, Step step)
{
    try {
        step();
    } catch (const std::exception& error) {
        if (CSynthPort* link = ports_ ? ports_->GetPort(port) : nullptr)
            link->Fail(CSynthPort::kSynthException, error.what());
        throw;
    }
}

void CPatchManager::LinkToPort(CPatch& patch, uint8_t port, uint8_t slot, bool select)
{
    patch.LinkToSynth(ports_->GetSynth(port), slot, select);
}

void CPatchManager::NewLocalPatch()
{
    try {
        CPatch* patch = CreatePatch();
        patch->ClearChangeFlags();
        patch->MarkStartRequestsSent();
        patch->OpenWindow(0);
        NSHarrowen::UpdateAllWindows();
    } catch (...) {
        // A new empty patch that cannot be made is simply not there.
    }
}

void CPatchManager::NewPatchInSlot(uint8_t port, uint8_t slot)
{
    if (!HasSlot(port, slot))
        return;
    WithPort(port, [&] {
        CPatch* patch = CreatePatch();
        patch->ClearChangeFlags();
        patch->MarkStartRequestsSent();
        AssignToSlot(*patch, true, port, slot);
        LinkToPort(*patch, port, slot, true);
    });
}

void CPatchManager::NewPatchFromSynth(uint8_t port, uint8_t slot)
{
    if (!HasSlot(port, slot))
        return;
    const CPreferences* preferences = GetPreferences();
    const bool openWindow = preferences == nullptr || preferences->autoUpload;
    WithPort(port, [&] {
        CPatch* patch = CreatePatch();
        AssignToSlot(*patch, openWindow, port, slot);
        LinkToPort(*patch, port, slot, false);
    });
}

void CPatchManager::NewEmptySlotPatch(CSynth& synth, uint8_t slot)
{
    CPatch* patch = CreatePatch();
    patch->LinkToSynth(&synth, slot, false);
}

void CPatchManager::AssignToSlot(CPatch& patch, bool openWindow, uint8_t port, uint8_t slot)
{
    CPatch* old = ports_->SlotHasPatch(port, slot) ? FindPatchInSlot(port, slot) : nullptr;
    if (old && old != &patch)
        old->UnlinkFromSynth();
    const CPreferences* preferences = GetPreferences();
    const bool recycle = preferences == nullptr || preferences->recycleWindows;
    CPatchView* oldView = old ? ViewOf(*old) : nullptr;
    if (oldView && recycle && !old->IsDirtyWithoutChanges()) {
        if (openWindow) {
            windowPlace_ = oldView->GetWindowRectInFrame();
            patch.OpenWindow(0);
            windowPlace_.reset();
            old->SetStateFlag();
        }
        return;
    }
    if (openWindow)
        patch.OpenWindow(0);
}

CPatch* CPatchManager::LoadFile(const NSHarrowen::CFileSpec& file, std::optional<std::string>& problems)
{
    CPatch* patch = CreatePatch();
    try {
        patch->Open(file);
    } catch (const XFileBase& error) {
        if (error.GetNumber() == XFileBase::kFileError) {
            NSHarrowen::RunAlertWithArgs(kAlertCantLoad, error.GetText());
            return nullptr;
        }
        problems = error.GetText();
    } catch (...) {
        NSHarrowen::RunAlertWithArgs(kAlertCantLoad, std::string());
        return nullptr;
    }
    // The failed document has no window and no slot: the next idle step
    // deletes it.
    loaded_ = true;
    return patch;
}

void CPatchManager::OpenLocalPatchFile(const NSHarrowen::CFileSpec& file)
{
    std::optional<std::string> problems;
    CPatch* patch = LoadFile(file, problems);
    if (!patch)
        return;
    patch->OpenWindow(0);
    if (problems)
        NSHarrowen::RunAlertWithArgs(kAlertLoadProblems, *problems);
}

void CPatchManager::OpenPatchFileInSlot(uint8_t port, uint8_t slot, const NSHarrowen::CFileSpec& file)
{
    if (!HasSlot(port, slot))
        return;
    std::optional<std::string> problems;
    CPatch* patch = nullptr;
    WithPort(port, [&] {
        patch = LoadFile(file, problems);
        if (!patch)
            return;
        AssignToSlot(*patch, true, port, slot);
        LinkToPort(*patch, port, slot, true);
    });
    if (patch && problems)
        NSHarrowen::RunAlertWithArgs(kAlertLoadProblems, *problems);
}

void CPatchManager::ShowSlotPatch(uint8_t port, uint8_t slot)
{
    if (!HasSlot(port, slot))
        return;
    WithPort(port, [&] {
        if (CPatch* patch = FindPatchInSlot(port, slot))
            patch->OpenWindow(0); // to the front, or a new window
    });
}

void CPatchManager::BringSlotPatchToFront(uint8_t port, uint8_t slot)
{
    for (const auto& patch : patches_) {
        uint8_t patchPort = 0;
        if (PortOf(*patch, patchPort) && patchPort == port && ClampSlotNumber(patch->GetSlot()) == slot)
            patch->BringWindowToFront();
    }
}

void CPatchManager::ReplaceWithEmptyPatch(CPatch& patch)
{
    uint8_t port = 0;
    if (!PortOf(patch, port))
        return;
    CSynthLinkInterface* synth = patch.GetSynth();
    const uint8_t slot = patch.GetSlot();
    patch.UnlinkFromSynth();
    CreatePatch()->LinkToSynth(synth, slot, false);
}

void CPatchManager::MovePatchToSlot(uint8_t port, uint8_t slot, CPatch& patch)
{
    if (!HasSlot(port, slot))
        return;
    WithPort(port, [&] {
        uint8_t oldPort = 0;
        if (PortOf(patch, oldPort)) {
            if (patch.HasChanges())
                return;
            const uint8_t oldSlot = patch.GetSlot();
            CSynthLinkInterface* oldSynth = patch.GetSynth();
            patch.UnlinkFromSynth();
            if (oldPort != port || oldSlot != slot)
                CreatePatch()->LinkToSynth(oldSynth, oldSlot, false);
        }
        if (CPatch* holder = FindPatchInSlot(port, slot); holder && holder != &patch)
            holder->UnlinkFromSynth();
        LinkToPort(patch, port, slot, true);
    });
}

CPatch* CPatchManager::FindPatchInSlot(uint8_t port, uint8_t slot) const
{
    for (const auto& patch : patches_) {
        uint8_t patchPort = 0;
        if (PortOf(*patch, patchPort) && patchPort == port && ClampSlotNumber(patch->GetSlot()) == slot)
            return patch.get();
    }
    return nullptr;
}

CPatch* CPatchManager::GetActivePatch() const
{
    return active_ && active_->HasWindow() ? active_ : nullptr;
}

uint16_t CPatchManager::CountOpenWindows() const
{
    uint16_t count = 0;
    for (const auto& patch : patches_)
        count += patch->HasWindow() ? 1 : 0;
    return count;
}

uint16_t CPatchManager::CountUnsaved() const
{
    uint16_t count = 0;
    for (const auto& patch : patches_)
        count += patch->IsDirtyWithoutChanges() ? 1 : 0;
    return count;
}

void CPatchManager::ApplyToAllPatches(uint32_t cableStyle)
{
    for (const auto& patch : patches_)
        patch->SetCableStyle(cableStyle);
}

void CPatchManager::ActivateWindow(CPatchView& window)
{
    const uint16_t old = window.GetOrderNumber();
    for (const auto& patch : patches_)
        if (CPatchView* other = ViewOf(*patch); other && other != &window && other->GetOrderNumber() < old)
            other->SetOrderNumber(static_cast<uint16_t>(other->GetOrderNumber() + 1));
    window.SetOrderNumber(0);
    active_ = &window.GetPatch();
    // The synthesizer commands (settings, banks, the keyboard) act on the
    // patch in front: its port and slot become the current slot.
    uint8_t port = 4;
    if (ports_ && active_->GetPortIndex(port))
        ports_->SelectSlot(port, active_->GetSlot());
}

bool CPatchManager::IsFirstWindowMaximized(bool& maximized) const
{
    for (const auto& patch : patches_)
        if (const CPatchView* view = ViewOf(*patch)) {
            maximized = view->IsMaximized();
            return true;
        }
    return false;
}

bool CPatchManager::QuerySaveAll()
{
    uint16_t left = CountUnsaved();
    for (const auto& patch : patches_) {
        if (!patch->IsDirtyWithoutChanges())
            continue;
        switch (AskSaveChanges(patch->GetName(), left > 1)) {
        case kSaveYes:
            if (!patch->Save())
                return false;
            --left;
            break;
        case kSaveNo:
            --left;
            break;
        case kSaveNoAll:
            return true;
        case kSaveCancel:
        case kSaveAlreadyAsking:
            return false;
        default:
            break;
        }
    }
    return true;
}

void CPatchManager::ClearAllDirty()
{
    for (const auto& patch : patches_)
        patch->ClearDirty();
}

bool CPatchManager::CloseAll()
{
    if (!QuerySaveAll())
        return false;
    ClearAllDirty();
    for (const auto& patch : patches_)
        if (patch->HasWindow())
            patch->CloseWindow();
    return true;
}

bool CPatchManager::SaveAll()
{
    for (const auto& patch : patches_)
        if (patch->HasWindow() && !patch->Save())
            return false;
    return true;
}

void CPatchManager::DeleteAll()
{
    active_ = nullptr;
    // Windows go first: they tell their document when they close.
    for (const auto& patch : patches_)
        delete ViewOf(*patch);
    patches_.clear();
}

void CPatchManager::ChooseActivePatch()
{
    active_ = nullptr;
    const CPatchView* best = nullptr;
    for (const auto& patch : patches_)
        if (const CPatchView* view = ViewOf(*patch);
            view && !view->IsMarkedForDeletion() && (!best || view->GetOrderNumber() < best->GetOrderNumber())) {
            best = view;
            active_ = patch.get();
        }
    if (!active_)
        NSHarrowen::UpdateAllWindows();
}

void CPatchManager::Idle()
{
    if (active_ && (active_->IsUnused() || !ViewOf(*active_) || ViewOf(*active_)->IsMarkedForDeletion()))
        ChooseActivePatch();
    for (auto it = patches_.begin(); it != patches_.end();) {
        CPatch& patch = **it;
        if (patch.IsUnused()) {
            if (active_ == &patch)
                active_ = nullptr;
            it = patches_.erase(it);
            continue;
        }
        if (patch.TakeStateFlag())
            patch.CloseWindow();
        ++it;
    }
    // Reading and applying a file leaves free holes among the panels made
    // from it (0.2 MB with the largest patch): their pages go back once the
    // window shows it.
    if (std::exchange(loaded_, false))
        platform::ReleaseFreeHeap();
}

std::optional<NSHarrowen::CRect> CPatchManager::TakeWindowPlace()
{
    std::optional<NSHarrowen::CRect> place = windowPlace_;
    windowPlace_.reset();
    return place;
}
