#pragma once

#include "framework/base/Rect.h"
#include "synth/link/SlotPatchManagerInterface.h"

#include <cstdint>
#include <list>
#include <memory>
#include <optional>

namespace NSHarrowen {
class CFileSpec;
}
class CPatch;
class CPatchView;
class CPortManager;

// The list of open patch documents, in creation order: it creates every
// document, binds documents to synthesizer slots or keeps them local, opens
// patch files, knows the active patch and the patch windows' recency, asks
// the save questions of Close All and Quit, and deletes at idle the
// documents that no window shows and no slot holds.
class CPatchManager final : public CSlotPatchManagerInterface {
public:
    static constexpr uint32_t kAlertCantLoad = 500128007;
    static constexpr uint32_t kAlertLoadProblems = 500128008;

    explicit CPatchManager(CPortManager* ports = nullptr);
    ~CPatchManager() override;
    CPatchManager(const CPatchManager&) = delete;
    CPatchManager& operator=(const CPatchManager&) = delete;

    void SetPortManager(CPortManager* ports) { ports_ = ports; }

    CPatch* CreatePatch();
    void NewLocalPatch();
    void NewPatchInSlot(uint8_t port, uint8_t slot);
    void NewPatchFromSynth(uint8_t port, uint8_t slot) override;
    void NewEmptySlotPatch(CSynth& synth, uint8_t slot) override;
    void OpenLocalPatchFile(const NSHarrowen::CFileSpec& file);
    void OpenPatchFileInSlot(uint8_t port, uint8_t slot, const NSHarrowen::CFileSpec& file);
    void ShowSlotPatch(uint8_t port, uint8_t slot);
    void BringSlotPatchToFront(uint8_t port, uint8_t slot);
    void ReplaceWithEmptyPatch(CPatch& patch);
    void MovePatchToSlot(uint8_t port, uint8_t slot, CPatch& patch);
    CPatch* FindPatchInSlot(uint8_t port, uint8_t slot) const;

    CPatch* GetActivePatch() const;
    uint16_t CountOpenWindows() const;
    uint16_t CountUnsaved() const;
    size_t GetCount() const { return patches_.size(); }
    // The documents in list order.
    const std::list<std::unique_ptr<CPatch>>& GetPatches() const { return patches_; }
    void ApplyToAllPatches(uint32_t cableStyle);
    void ActivateWindow(CPatchView& window);
    bool IsFirstWindowMaximized(bool& maximized) const;

    bool QuerySaveAll();
    void ClearAllDirty();
    bool CloseAll();
    bool SaveAll();
    void DeleteAll();
    void Idle();

    // The rectangle the next window opens at (recycling an old window's
    // place), taken once by the window.
    std::optional<NSHarrowen::CRect> TakeWindowPlace();

private:
    // A port with a synthesizer and a slot it has.
    bool HasSlot(uint8_t port, uint8_t slot) const;
    void AssignToSlot(CPatch& patch, bool openWindow, uint8_t port, uint8_t slot);
    void LinkToPort(CPatch& patch, uint8_t port, uint8_t slot, bool select);
    // Reads the file into a new document; null when it cannot be loaded (the
    // alert was shown). `problems` receives the text of a partial load.
    CPatch* LoadFile(const NSHarrowen::CFileSpec& file, std::optional<std::string>& problems);
    // Runs a step that takes a port; a failure marks the port's link failed
    // and passes on.
    template <typename Step> void WithPort(uint8_t port, Step step);
    void ChooseActivePatch();

    CPortManager* ports_;
    std::list<std::unique_ptr<CPatch>> patches_;
    CPatch* active_ = nullptr;
    std::optional<NSHarrowen::CRect> windowPlace_;
    // A file was opened since the last idle step.
    bool loaded_ = false;
};

// The program's patch list while the editor runs; null otherwise.
CPatchManager* GetPatchManager();
void SetPatchManager(CPatchManager* manager);

// A slot number above 3 is taken as 3.
uint8_t ClampSlotNumber(uint8_t slot);
