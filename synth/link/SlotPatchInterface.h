#pragma once

#include <string>

class CMoleculePacket;

// The patch document bound to one slot of a synthesizer, as the synthesizer
// object sees it. The patch document implements it and binds itself with
// CSynth::RegisterSlotPatch; the synthesizer object never owns it.
class CSlotPatchInterface {
public:
    virtual ~CSlotPatchInterface() = default;

    // Appends the whole patch as dumps (header, modules, notes, cables,
    // values, maps, custom data, names), as sent to a fresh slot.
    virtual void BuildPatchDump(CMoleculePacket& packet) const = 0;
    // Asks the synthesizer for the next part the document still lacks,
    // through CSynth::SendEditDump; false when nothing is outstanding.
    virtual bool RequestNextPart() = 0;
    // Applies molecules the synthesizer sent for the slot. Errors of single
    // molecules are gathered and thrown after the last one as XTorvanBase.
    virtual void ApplyMoleculeList(const CMoleculePacket& packet) = 0;
    virtual std::string GetName() const = 0;
    // The synthesizer released the slot: the document is no longer linked.
    // It must not call back into the slot it was released from.
    virtual void UnlinkFromSynth() = 0;
    // The last frame of the oldest edit still queued (CSynth::SendPatchEdit)
    // went out.
    virtual void OnEditSent() = 0;
    // The link failed: the edits still queued never reach the synthesizer,
    // so the document takes them back. Called before the slot is released.
    virtual void TakeBackUnsentEdits() = 0;
    // The synthesizer moved its focus to this document's slot.
    virtual void BringWindowToFront() = 0;
};
