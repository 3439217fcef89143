#pragma once

#include <cstdint>
#include <memory>

class CRawSysex;
class CSysexAssembler;
class CSysexRing;

// Turns MIDI input buffers of any cut into whole SysEx messages on the MIDI
// input worker, asks Accept whether each is wanted, and queues the wanted
// ones for the main thread. Everything the worker needs is allocated here,
// once: feeding never allocates.
class CSysexMIDIInput {
public:
    CSysexMIDIInput();
    virtual ~CSysexMIDIInput();
    CSysexMIDIInput(const CSysexMIDIInput&) = delete;
    CSysexMIDIInput& operator=(const CSysexMIDIInput&) = delete;

    // Worker thread: one input buffer; every message it completes is offered.
    void AddData(const uint8_t* bytes, uint32_t count);

    // Main thread.
    bool HasMessage() const;
    // The oldest queued message, or null; the caller owns it.
    std::unique_ptr<CRawSysex> TakeMessage();
    // Drops every queued message; safe while input arrives.
    void DrainRing();
    // Empties the queue and ends an overflow; only while no input arrives
    // (the input stopped).
    void ResetRing();

protected:
    // Worker thread: whether a completed message is queued.
    virtual bool Accept(const uint8_t* bytes, uint32_t length) { return true; }

private:
    std::unique_ptr<CSysexAssembler> assembler_;
    std::unique_ptr<CSysexRing> ring_;
};
