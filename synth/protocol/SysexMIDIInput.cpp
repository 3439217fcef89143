#include "synth/protocol/SysexMIDIInput.h"

#include "synth/protocol/RawSysex.h"
#include "synth/protocol/SysexAssembler.h"
#include "synth/protocol/SysexRing.h"

#include "platform/midi/MidiArrival.h"

CSysexMIDIInput::CSysexMIDIInput()
    : assembler_(std::make_unique<CSysexAssembler>()), ring_(std::make_unique<CSysexRing>())
{ }

CSysexMIDIInput::~CSysexMIDIInput() = default;

void CSysexMIDIInput::AddData(const uint8_t* bytes, uint32_t count)
{
    // Linux MIDI layers often deliver several messages in one buffer: each
    // is taken in turn, to the end of the buffer.
    while (count > 0) {
        const uint32_t consumed = assembler_->Feed(bytes, count);
        bytes += consumed;
        count -= consumed;
        if (assembler_->IsComplete()) {
            const auto message = assembler_->TakeComplete();
            if (Accept(message.data(), static_cast<uint32_t>(message.size()))) {
                ring_->Push(message);
                // The main thread handles it now, not at its next idle tick.
                platform::SignalMidiArrival();
            }
        }
    }
}

bool CSysexMIDIInput::HasMessage() const
{
    return ring_->HasMessage();
}

std::unique_ptr<CRawSysex> CSysexMIDIInput::TakeMessage()
{
    return ring_->Take();
}

void CSysexMIDIInput::DrainRing()
{
    ring_->Drain();
}

void CSysexMIDIInput::ResetRing()
{
    ring_->Reset();
}
