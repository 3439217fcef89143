#pragma once

#include "framework/midi/MIDIInputParser.h"
#include "framework/midi/PortRegistry.h"
#include "updater/link/UpdateSysexInput.h"

#include <atomic>
#include <memory>

namespace NSBootwren {

class CUpdateLink;

// The link's MIDI input: the framework hands it received System Exclusive
// bytes on the MIDI worker thread; each whole message goes to the link's
// queue, which the main thread empties.
class CMIDIIn final : public NSHarrowen::CMIDIInputParser, public CSysexMIDIInput {
public:
    // Opens and starts the registered input; throws XMIDI (nothing stays open).
    CMIDIIn(const NSHarrowen::CInputPortRegistry& inputs, uint16_t index, CUpdateLink& link);
    ~CMIDIIn() override;

    uint16_t GetIndex() const { return index_; }

    void OnLongData(NSHarrowen::CMIDIInput* input, uint32_t reserved, const uint8_t* bytes, uint32_t count) override;

private:
    bool AcceptMessage(const uint8_t* bytes, uint32_t length) override;

    uint16_t index_;
    CUpdateLink& link_;
    std::unique_ptr<NSHarrowen::CMIDIInput> input_;
};

} // namespace NSBootwren
