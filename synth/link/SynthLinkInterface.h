#pragma once

#include <cstdint>
#include <string>

class CMoleculePacket;
class CParamValueBlock;
class CSlotPatchInterface;

// What a patch document needs of the synthesizer it is linked to. The
// synthesizer object (CSynth) implements it; the document never owns it.
class CSynthLinkInterface {
public:
    virtual ~CSynthLinkInterface() = default;

    virtual void RegisterSlotPatch(uint8_t slot, CSlotPatchInterface& patch, bool select) = 0;
    virtual void ReleaseSlot(uint8_t slot) = 0;
    // The three send paths; the packet carries the slot.
    virtual void SendPatchEdit(CMoleculePacket& packet) = 0;
    virtual void SendLiveEdit(CMoleculePacket& packet) = 0;
    virtual void SendEditDump(CMoleculePacket& packet) = 0;

    virtual bool IsSlotBusy(uint8_t slot) const = 0;
    // The slot's patch is being read from the synthesizer, or is due to be:
    // edits would be lost when it arrives. (A busy slot otherwise takes
    // edits; they go out once the link is free.)
    virtual bool IsSlotLoading(uint8_t slot) const = 0;
    virtual bool IsSlotSelected(uint8_t slot) const = 0;
    // False when the synthesizer has not reported the slot's voices.
    virtual bool GetSlotVoiceCount(uint8_t slot, uint8_t& voices) const = 0;
    // The synthesizer's name, once its settings are known.
    virtual bool GetSynthName(std::string& name) const = 0;
    virtual uint8_t GetPortIndex() const = 0;
    virtual CParamValueBlock& GetValueBlock(uint8_t slot) = 0;
    // Whether the port manager's current port and slot are these.
    virtual bool IsCurrentSlot(uint8_t slot) const = 0;
    virtual void MakeCurrentSlot(uint8_t slot) = 0;
};
