#pragma once

#include <vector>

namespace NSHarrowen {

class CMIDIInputParser;
class CRegisteredMIDIInput;

// An open MIDI input feeding one receiver. While it lives it is listed among
// the open inputs and is the receiver's input.
class CMIDIInput {
public:
    CMIDIInput(const CRegisteredMIDIInput& entry, CMIDIInputParser& receiver);
    virtual ~CMIDIInput();
    CMIDIInput(const CMIDIInput&) = delete;
    CMIDIInput& operator=(const CMIDIInput&) = delete;

    CMIDIInputParser& GetReceiver() const { return receiver_; }
    const CRegisteredMIDIInput& GetEntry() const { return entry_; }

    // The open inputs; read it inside the MIDI lock (MIDIWorker.h).
    static const std::vector<CMIDIInput*>& OpenInputs();

private:
    CMIDIInputParser& receiver_;
    const CRegisteredMIDIInput& entry_;
};

} // namespace NSHarrowen
