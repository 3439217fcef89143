#pragma once

#include "patch/document/MapHostInterface.h"
#include "patch/edit/UnsentEdits.h"
#include "synth/protocol/JackAddress.h"
#include "synth/protocol/ParamAddress.h"
#include "synth/protocol/PatchHeader.h"
#include "synth/link/SlotPatchInterface.h"
#include "synth/molecules/PatchApplyInterface.h"
#include "synth/molecules/PatchMolecules.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace NSHarrowen {
class CFileSpec;
}

class CCableTree;
class CCtrlMap;
class CDspLoadTable;
class CEditPair;
class CKnobMap;
class CModuleInterface;
class CModuleSelection;
class CMoleculePacket;
class CMorphMap;
class CPatchBackground;
class CPatchWindowInterface;
class CSynthLinkInterface;
class CUndoHistory;

// The patch document: one patch being edited, local or linked to one slot
// of a synthesizer. It owns the two voice areas, the assignment maps, the
// headers, the DSP load table and the editing state. Every change arrives
// as a molecule and is applied through one operation per molecule; the
// user's edits are sent to the synthesizer first, then applied the same way.
class CPatch final : public CPatchApplyInterface, public CSlotPatchInterface, public CMapHostInterface {
public:
    static constexpr uint8_t kNoSlot = 4;
    // A change of the voice count waits this long before it is sent, so a
    // dragged voice control does not make the synthesizer reallocate voices
    // at every step.
    static constexpr uint32_t kVoiceChangeDelayMs = 600;
    static constexpr uint32_t kAlertCouldNotPerform = 500128004;
    static constexpr uint32_t kAlertNotEnoughMemory = 500128006;

    explicit CPatch(bool openWindow = false, uint32_t windowArgument = 0);
    ~CPatch() override;
    CPatch(const CPatch&) = delete;
    CPatch& operator=(const CPatch&) = delete;

    // Window.
    void OpenWindow(uint32_t argument);
    void CloseWindow();
    void OnWindowClosed();
    bool HasWindow() const { return window_ != nullptr; }
    CPatchWindowInterface* GetWindow() const { return window_; }
    void BringWindowToFront() override;
    void RefreshWindows() const;

    bool IsUnused() const { return !HasWindow() && !IsLinked(); }
    void SetStateFlag() { slotTakeover_ = true; }
    // The close request, once: it is cleared as it is taken.
    bool TakeStateFlag() { return std::exchange(slotTakeover_, false); }

    // The link to a synthesizer slot.
    void LinkToSynth(CSynthLinkInterface* synth, uint8_t slot, bool select);
    void UnlinkFromSynth() override;
    void OnEditSent() override { unsent_.TakeSent(); }
    void TakeBackUnsentEdits() override;
    bool IsLinked() const { return synth_ != nullptr; }
    CSynthLinkInterface* GetSynth() const { return synth_; }
    uint8_t GetSlot() const { return slot_; }
    bool GetPortIndex(uint8_t& port) const;
    bool IsSlotActive() const;
    bool IsSlotBusy() const;
    // Edits would be lost: the slot's patch is on its way from the synthesizer.
    bool IsSlotLoading() const;
    bool GetSlotVoiceCount(uint8_t& voices) const;
    bool IsActivePatch() const;

    // Name and notes.
    std::string GetName() const override;
    void SetName(const std::string& name);
    void SendPatchName(const std::string& name);
    const std::string& GetNotes() const { return notes_; }
    void SetNotes(const std::string& notes);

    // Dirty state and missing parts.
    bool IsDirty() const { return dirty_; }
    void SetDirty();
    void ClearDirty();
    void RequestCurrentNotes();
    bool IsDirtyWithoutChanges() const { return dirty_ && HasWindow() && !HasChanges(); }
    bool HasChanges() const;
    void ClearChangeFlags();
    void MarkStartRequestsSent();
    // The start requests ask for the module values' blinking again (the
    // patch became the active one).
    void ResendFlushBlink() { flushBlinkSent_ = false; }

    // Headers.
    const CPatchHeader& GetPatchHeader() const { return *editedHeader_; }
    const CPatchHeader& GetReceivedHeader() const { return *receivedHeader_; }
    void SetPatchHeader(const CPatchHeader& header);
    // Milliseconds of the clock when the header last changed, by an edit or
    // from the synthesizer.
    uint64_t GetHeaderChangeTime() const { return headerEditTime_; }
    bool IsHeaderSendPending() const { return headerSendPending_; }

    // Module values from the synthesizer.
    void ShowModuleValues();
    void ClearModuleValues();

    // Parts.
    CPatchBackground* GetArea(int32_t index) const;
    CModuleSelection& GetSelection() const { return *selection_; }
    CCtrlMap& GetCtrlMap() const { return *ctrlMap_; }
    CKnobMap& GetKnobMap() const { return *knobMap_; }
    CMorphMap& GetMorphMap() const { return *morphMap_; }
    CDspLoadTable& GetLoadTable() const { return *loadTable_; }
    void AddModuleLoad(const CModuleInterface& module);
    void RemoveModuleLoad(const CModuleInterface& module);
    void SetCableStyle(uint32_t style);
    // Curved cables of both areas take a new shape ("shake cables").
    void UpdateCableDisplay();
    // The assignment labels of both areas follow the maps.
    void RebuildLabels() const;

    // Files. Open applies what the file holds; a file that could not be
    // read throws XFileBase and leaves the document as it was, a file read
    // in part (or whose dumps were partly refused) throws XFileBase number 2
    // after applying what it could. Save and SaveAs show their own errors
    // and give false when nothing was saved.
    void Open(const NSHarrowen::CFileSpec& file);
    bool Save();
    bool SaveAs();
    // Writes the document to the file; false while parts are still missing.
    bool SaveToFile(const NSHarrowen::CFileSpec& file);

    // Title.
    void UpdateTitle();
    // Built when asked: the synthesizer's name may change while linked (its
    // settings arrive, another port gets a synthesizer of the same name).
    std::string GetTitle() const;

    // The synthesizer slot's part requests and the whole patch as dumps.
    bool RequestNextPart() override;
    void BuildPatchDump(CMoleculePacket& packet) const override;
    void SendCtrlSnapshot();

    // Applying molecules.
    void ApplyMoleculeList(const CMoleculePacket& packet) override;

    // Sending, edits and undo.
    void SendAndApplyMolecules(CMoleculePacket& packet);
    // With what reverses the edit in the document, should it never reach
    // the synthesizer.
    void SendAndApplyMolecules(CMoleculePacket& packet, std::unique_ptr<CMoleculePacket> inverse);
    void SendAndApplyMoleculesLive(CMoleculePacket& packet);
    void SendOnly(CMoleculePacket& packet) override;
    void ExecuteEdit(std::unique_ptr<CEditPair> pair);
    void ExecuteEditLive(std::unique_ptr<CEditPair> pair);
    void PushUndoEntry(std::unique_ptr<CEditPair> pair);
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    const CUndoHistory& GetUndoHistory() const { return *undo_; }

    // Selection and structural edits. The cable edits give false when the
    // edit was refused before anything was sent.
    void SelectModule(CModuleInterface& module);
    void DeselectModule(CModuleInterface& module);
    void ClearSelection();
    bool IsSelectionEmpty() const;
    // Starts dragging the selected modules from a module panel.
    void DragSelection();
    void DeleteSelection();
    bool ConnectCable(uint8_t area, const JackAddress& source, const JackAddress& destination);
    bool DisconnectConnector(uint8_t area, const JackAddress& jack);
    bool MoveCableEnd(uint8_t area, const JackAddress& oldJack, const JackAddress& newJack);
    bool BreakConnector(uint8_t area, const JackAddress& jack);
    bool DeleteConnectorCables(uint8_t area, const JackAddress& jack);
    bool RecolorCables(uint8_t area, const JackAddress& jack, uint8_t colour);
    void CancelModes();

    // Parameter focus.
    const ParamAddress& GetParamFocus() const { return focus_; }
    void SetParamFocus(const ParamAddress& address);
    bool HasFocus() const { return focus_.module != 0; }
    CModuleInterface* FindModule(const ParamAddress& address) const;
    uint32_t GetParamHelpId(const ParamAddress& address) const;
    uint32_t GetFocusHelpId() const;

    // The maps' questions.
    bool HasParam(const ParamAddress& address) const override;
    bool CanMorph(const ParamAddress& address) const override;

    // CPatchApplyInterface.
    void ApplyModuleNew(const CMModuleNew& molecule) override;
    void ApplyModuleDelete(const CMModuleDelete& molecule) override;
    void ApplyModuleName(const CMModuleName& molecule) override;
    void ApplyModuleMove(const CMModuleMove& molecule) override;
    void ApplyModuleDump(const CMModuleDump& molecule) override;
    void ApplyModuleParamDump(const CMModuleParamDump& molecule) override;
    void ApplyModuleNameDump(const CMModuleNameDump& molecule) override;
    void ApplyModuleCustomDataDump(const CMModuleCustomDataDump& molecule) override;
    void ApplyCableConnect(const CMCableConnect& molecule) override;
    void ApplyCableDelete(const CMCableDelete& molecule) override;
    void ApplyCableRecolor(const CMCableRecolor& molecule) override;
    void ApplyCableDump(const CMCableDump& molecule) override;
    void ApplyParamFocusDump(const CMParamFocusDump& molecule) override;
    void ApplyParamChange(const CMParamChange& molecule) override;
    void ApplyMorphChange(const CMMorphChange& molecule) override;
    void ApplyCustomData(const CMCustomData& molecule) override;
    void ApplyKnobAssign(const CMKnobAssign& molecule) override;
    void ApplyKnobDeassign(const CMKnobDeassign& molecule) override;
    void ApplyCtrlAssign(const CMCtrlAssign& molecule) override;
    void ApplyCtrlDeassign(const CMCtrlDeassign& molecule) override;
    void ApplyMorphAssign(const CMMorphAssign& molecule) override;
    void ApplyMorphKeyboardAssign(const CMMorphKeyboardAssign& molecule) override;
    void ApplyCtrlMapDump(const CMCtrlMapDump& molecule) override;
    void ApplyKnobMapDump(const CMKnobMapDump& molecule) override;
    void ApplyMorphMapDump(const CMMorphMapDump& molecule) override;
    void ApplyPatchHeaderDump(const CMPatchHeaderDump& molecule) override;
    void ApplyPatchNameDump(const CMPatchNameDump& molecule) override;
    void ApplyCurrentNotesDump(const CMCurrentNotesDump& molecule) override;

private:
    CPatchBackground& RequireArea(int32_t index) const;
    void SendPatchHeader(const CPatchHeader& header);
    // False when the packet could not be sent (and so was not applied).
    // An edit that is queued notes how to take it back.
    bool SendAndApply(CMoleculePacket& packet, bool live, CUnsentEdits::CTakeBack takeBack = {});
    void SendToSynth(CMoleculePacket& packet, bool live, CUnsentEdits::CTakeBack takeBack);
    bool SaveAsking();
    void ExecutePair(std::unique_ptr<CEditPair> pair, bool live);
    // Builds a cable edit of an area's tree and executes it; false when the
    // builder refused it.
    bool ExecuteCableEdit(uint8_t area, const std::function<void(const CCableTree&, CEditPair&)>& build);
    void RepairFocusAfterCreate();
    void RepairFocusAfterDelete(const ParamAddress& deleted);
    ParamAddress GetDefaultFocus() const;

    bool slotTakeover_ = false;
    bool flushBlinkSent_ = false;
    std::unique_ptr<CUndoHistory> undo_;
    CUnsentEdits unsent_;
    bool focusRequestSent_ = false;
    // The focus asked for as the patch was loaded has not come yet.
    bool focusAnswerAwaited_ = false;
    bool dirty_ = false;
    std::unique_ptr<NSHarrowen::CFileSpec> file_;
    CPatchWindowInterface* window_ = nullptr;
    std::unique_ptr<CModuleSelection> selection_;
    std::unique_ptr<CPatchBackground> area0_;
    std::unique_ptr<CPatchBackground> area1_;
    std::unique_ptr<CCtrlMap> ctrlMap_;
    std::unique_ptr<CMorphMap> morphMap_;
    std::unique_ptr<CKnobMap> knobMap_;
    CSynthLinkInterface* synth_ = nullptr;
    uint8_t slot_ = kNoSlot;
    ParamAddress focus_{2, 1, 0};
    std::unique_ptr<CDspLoadTable> loadTable_;
    std::string notes_;
    std::string name_;
    bool nameMissing_ = true;
    std::unique_ptr<CPatchHeader> receivedHeader_;
    bool headerMissing_ = true;
    uint64_t headerReceivedTime_ = 0;
    std::unique_ptr<CPatchHeader> editedHeader_;
    bool headerSendPending_ = false;
    uint64_t headerEditTime_ = 0;
    uint64_t headerSendDue_ = 0;
    bool currentNotesMissing_ = true;
    CMCurrentNotesDump currentNotes_;
};
