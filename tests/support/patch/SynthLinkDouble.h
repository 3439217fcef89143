#pragma once

#include "synth/link/SynthLinkInterface.h"
#include "synth/protocol/ParamValueBlock.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class CMoleculePacket;

namespace testsupport {

// A synthesizer link that records what a document sends, by path, as the
// molecule ids of each packet, and answers the document's questions from
// settable fields.
class CSynthLinkDouble final : public CSynthLinkInterface {
public:
    enum class Path { Edit, Live, Dump };
    struct Sent {
        Path path;
        uint8_t slot;
        std::vector<uint8_t> ids;
    };

    void RegisterSlotPatch(uint8_t slot, CSlotPatchInterface& patch, bool select) override;
    void ReleaseSlot(uint8_t slot) override { released.push_back(slot); }
    void SendPatchEdit(CMoleculePacket& packet) override { Record(Path::Edit, packet); }
    void SendLiveEdit(CMoleculePacket& packet) override { Record(Path::Live, packet); }
    void SendEditDump(CMoleculePacket& packet) override { Record(Path::Dump, packet); }
    bool IsSlotBusy(uint8_t) const override { return busy; }
    bool IsSlotLoading(uint8_t) const override { return loading; }
    bool IsSlotSelected(uint8_t) const override { return selected; }
    bool GetSlotVoiceCount(uint8_t, uint8_t& count) const override;
    bool GetSynthName(std::string& name) const override;
    uint8_t GetPortIndex() const override { return port; }
    CParamValueBlock& GetValueBlock(uint8_t slot) override { return blocks.at(slot); }
    bool IsCurrentSlot(uint8_t slot) const override { return current == slot; }
    void MakeCurrentSlot(uint8_t slot) override { current = slot; }

    // The next send on the request or live path throws "Stream too long".
    bool overflowNext = false;
    bool busy = false;
    bool loading = false;
    bool selected = false;
    uint8_t port = 0;
    uint8_t current = 4;
    std::string synthName;
    int voices = -1;
    std::array<CParamValueBlock, 4> blocks;
    std::vector<Sent> sent;
    std::vector<uint8_t> released;
    CSlotPatchInterface* registered = nullptr;

private:
    void Record(Path path, CMoleculePacket& packet);
};

} // namespace testsupport
