#include "synth/protocol/PatchHeader.h"

CPatchHeader::CPatchHeader()
{
    morph_.fill(1);
    cableVisible_.fill(1);
}

void CPatchHeader::SetBendRange(int32_t value)
{
    bendRange_ = value >= 0 && value <= 24 ? static_cast<uint8_t>(value) : 0;
}

void CPatchHeader::SetVoices(int32_t value)
{
    voices_ = value >= 1 && value <= 32 ? static_cast<uint8_t>(value) : 1;
}

void CPatchHeader::SetOctShift(int32_t value)
{
    octShift_ = value >= -2 && value <= 2 ? static_cast<int8_t>(value) : 0;
}

namespace {

// The flag that the low 8 bits of the index name, or null beyond the flags.
template <class TFlags> auto FlagAt(TFlags& flags, uint32_t index) -> decltype(&flags[0])
{
    index &= 0xFF;
    return index < flags.size() ? &flags[index] : nullptr;
}

} // namespace

void CPatchHeader::SetMorph(uint32_t index, uint8_t value)
{
    if (uint8_t* flag = FlagAt(morph_, index))
        *flag = value;
}

uint8_t CPatchHeader::GetMorph(uint32_t index) const
{
    const uint8_t* flag = FlagAt(morph_, index);
    return flag ? *flag : 0;
}

void CPatchHeader::SetCableVisible(uint32_t index, uint8_t value)
{
    if (uint8_t* flag = FlagAt(cableVisible_, index))
        *flag = value;
}

uint8_t CPatchHeader::GetCableVisible(uint32_t index) const
{
    const uint8_t* flag = FlagAt(cableVisible_, index);
    return flag ? *flag : 0;
}

void CPatchHeader::SetSplitPosition(int32_t position)
{
    if (position < 0)
        return;
    splitPosition_ = static_cast<int16_t>(position > 16383 ? 16383 : position);
}

bool CPatchHeader::DiffersForSynth(const CPatchHeader& other) const
{
    return kbRangeMin_ != other.kbRangeMin_ || kbRangeMax_ != other.kbRangeMax_ || velRangeMin_ != other.velRangeMin_ ||
        velRangeMax_ != other.velRangeMax_ || bendRange_ != other.bendRange_ || pmTime_ != other.pmTime_ ||
        voices_ != other.voices_ || pedalMode_ != other.pedalMode_ || commonRetrig_ != other.commonRetrig_ ||
        retrig_ != other.retrig_ || pmMode_ != other.pmMode_ || octShift_ != other.octShift_;
}
