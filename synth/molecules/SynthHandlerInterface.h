#pragma once

// What the synthesizer object does with each molecule sent to it. The
// synthesizer object implements it; each such molecule's Handle calls the
// one handler named for it, with the packet it came in.
class CMoleculePacket;
class CMSynthDataDump;
class CMSlotSelectionDump;
class CMSlotFocusDump;
class CMNumberOfVoicesDump;
class CMSessionNumberDump;
class CMSessionPatchRelease;
class CMFlashDataDump;
class CMFlashDeleteDump;
class CMFlashUsageDump;
class CMFlashCommandResult;
class CMFlashDumpMarker;

class CSynthHandlerInterface {
public:
    virtual ~CSynthHandlerInterface() = default;

    virtual void OnSynthSettings(const CMSynthDataDump& dump) = 0;
    virtual void OnSlotSelection(const CMSlotSelectionDump& dump) = 0;
    virtual void OnSlotFocus(const CMSlotFocusDump& dump) = 0;
    virtual void OnVoiceCounts(const CMNumberOfVoicesDump& dump) = 0;
    // The number is the packet's slot's.
    virtual void OnSessionNumber(const CMSessionNumberDump& dump, const CMoleculePacket& packet) = 0;
    virtual void OnPatchRelease(const CMSessionPatchRelease& release) = 0;
    virtual void OnFlashDataDump(const CMFlashDataDump& dump) = 0;
    virtual void OnFlashDeleteDump(const CMFlashDeleteDump& dump) = 0;
    virtual void OnFlashUsageDump(const CMFlashUsageDump& dump) = 0;
    // Routed by the requester byte.
    virtual void OnFlashCommandResult(const CMFlashCommandResult& result) = 0;
    // Routed by the marker's kind; for kind 3 the molecules after the marker
    // in the packet are the patch, which the handler may take over.
    virtual void OnFlashDumpMarker(const CMFlashDumpMarker& marker, CMoleculePacket& packet) = 0;
};
