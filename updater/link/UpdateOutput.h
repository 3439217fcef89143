#pragma once

#include "framework/midi/MIDIOutput.h"
#include "framework/midi/PortRegistry.h"

#include <memory>
#include <vector>

namespace NSBootwren {

// The link's open MIDI output.
class CUpdateOutput {
public:
    // Opens the registered output; throws XMIDI.
    CUpdateOutput(const NSHarrowen::COutputPortRegistry& outputs, uint16_t index);

    uint16_t GetIndex() const { return index_; }
    // Sends a whole message and waits until it is out; throws XMIDI.
    void Send(const std::vector<uint8_t>& message);
    // What the MIDI system has told of the path to the synthesizer.
    platform::MidiPathState GetPathState() const { return output_->GetPathState(); }

private:
    uint16_t index_;
    std::unique_ptr<NSHarrowen::CMIDIOutput> output_;
};

} // namespace NSBootwren
