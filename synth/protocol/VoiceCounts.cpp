#include "synth/protocol/VoiceCounts.h"

CVoiceCounts::CVoiceCounts(uint8_t slotCount) : count_(slotCount > kMaxSlots ? kMaxSlots : slotCount) { }

void CVoiceCounts::SetVoices(uint8_t slot, uint8_t voices)
{
    if (slot < kMaxSlots)
        voices_[slot] = voices > kMaxVoices ? kMaxVoices : voices;
}

void CVoiceCounts::CopyFrom(const CVoiceCounts& source)
{
    for (uint8_t slot = 0; slot < kMaxSlots; ++slot)
        voices_[slot] = slot < source.count_ ? source.voices_[slot] : 1;
}
