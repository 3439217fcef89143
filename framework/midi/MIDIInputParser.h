#pragma once

#include "framework/midi/MIDIShortMessage.h"

#include <atomic>
#include <cstdint>

namespace NSHarrowen {

class CMIDIInput;

// The receiver of an input's data. OnLongData runs on the MIDI input worker
// thread inside the MIDI lock (MIDIWorker.h): copy what you keep, take no
// lock the owner thread may hold while closing an input, and hand results to
// the owner thread by your own means.
class CMIDIInputParser {
public:
    CMIDIInputParser() = default;
    virtual ~CMIDIInputParser() = default;
    CMIDIInputParser(const CMIDIInputParser&) = delete;
    CMIDIInputParser& operator=(const CMIDIInputParser&) = delete;

    // Not delivered by the inputs of this framework.
    virtual void OnShortMessage(CMIDIInput* input, const CMIDIShortMessage& message) { }
    // One returned System Exclusive buffer: at most 2,048 bytes, a whole
    // message or any part of one, in order; the count may be 0. The bytes
    // are valid only during the call. `reserved` is always 0.
    virtual void OnLongData(CMIDIInput* input, uint32_t reserved, const uint8_t* bytes, uint32_t count) { }

    // System Exclusive delivery, off until switched on.
    void SetAcceptsLongData(bool accepts) { acceptsLongData_ = accepts; }
    bool AcceptsLongData() const { return acceptsLongData_; }

    // The input that feeds this receiver, if any.
    CMIDIInput* GetInput() const { return input_; }

private:
    friend class CMIDIInput;
    std::atomic<bool> acceptsLongData_{false};
    std::atomic<CMIDIInput*> input_{nullptr};
};

} // namespace NSHarrowen
