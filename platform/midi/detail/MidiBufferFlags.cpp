#include "platform/midi/detail/MidiBufferFlags.h"

namespace platform::detail {

MidiResult PrepareBuffer(MidiBuffer& buffer)
{
    if (!buffer.data || buffer.length == 0)
        return midierr::kInvalidParameter;
    buffer.flags.fetch_or(kMidiBufferPrepared, std::memory_order_acq_rel);
    return midierr::kOk;
}

MidiResult UnprepareBuffer(MidiBuffer& buffer)
{
    if (buffer.Has(kMidiBufferQueued))
        return midierr::kStillPlaying;
    buffer.flags.fetch_and(~kMidiBufferPrepared, std::memory_order_acq_rel);
    return midierr::kOk;
}

MidiResult QueueBuffer(MidiBuffer& buffer)
{
    if (!buffer.Has(kMidiBufferPrepared))
        return midierr::kUnprepared;
    if (buffer.Has(kMidiBufferQueued))
        return midierr::kStillPlaying;
    buffer.flags.store(kMidiBufferPrepared | kMidiBufferQueued, std::memory_order_release);
    return midierr::kOk;
}

void MarkDone(MidiBuffer& buffer)
{
    buffer.flags.store(kMidiBufferPrepared | kMidiBufferDone, std::memory_order_release);
}

} // namespace platform::detail
