#include "synth/protocol/SysexMIDIInput.h"

#include "synth/protocol/RawSysex.h"
#include "synth/protocol/SysexAssembler.h"
#include "synth/protocol/SysexRing.h"

CSysexMIDIInput::CSysexMIDIInput()
    : m_assembler(std::make_unique<CSysexAssembler>()), m_ring(std::make_unique<CSysexRing>())
{ }

CSysexMIDIInput::~CSysexMIDIInput() = default;

void CSysexMIDIInput::AddData(const uint8_t* bytes, uint32_t count)
{
    // Linux MIDI layers often deliver several messages in one buffer: each
    // is taken in turn, to the end of the buffer.
    while (count > 0) {
        const uint32_t consumed = m_assembler->Feed(bytes, count);
        bytes += consumed;
        count -= consumed;
        if (m_assembler->IsComplete()) {
            const auto message = m_assembler->TakeComplete();
            if (Accept(message.data(), static_cast<uint32_t>(message.size())))
                m_ring->Push(message);
        }
    }
}

bool CSysexMIDIInput::HasMessage() const
{
    return m_ring->HasMessage();
}

std::unique_ptr<CRawSysex> CSysexMIDIInput::TakeMessage()
{
    return m_ring->Take();
}

void CSysexMIDIInput::DrainRing()
{
    m_ring->Drain();
}

void CSysexMIDIInput::ResetRing()
{
    m_ring->Reset();
}
