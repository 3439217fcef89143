#include "synth/protocol/PatchHeader.h"

CPatchHeader::CPatchHeader()
{
    m_morph.fill(1);
    m_cableVisible.fill(1);
}

void CPatchHeader::SetBendRange(int32_t value)
{
    m_bendRange = value >= 0 && value <= 24 ? static_cast<uint8_t>(value) : 0;
}

void CPatchHeader::SetVoices(int32_t value)
{
    m_voices = value >= 1 && value <= 32 ? static_cast<uint8_t>(value) : 1;
}

void CPatchHeader::SetOctShift(int32_t value)
{
    m_octShift = value >= -2 && value <= 2 ? static_cast<int8_t>(value) : 0;
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
    if (uint8_t* flag = FlagAt(m_morph, index))
        *flag = value;
}

uint8_t CPatchHeader::GetMorph(uint32_t index) const
{
    const uint8_t* flag = FlagAt(m_morph, index);
    return flag ? *flag : 0;
}

void CPatchHeader::SetCableVisible(uint32_t index, uint8_t value)
{
    if (uint8_t* flag = FlagAt(m_cableVisible, index))
        *flag = value;
}

uint8_t CPatchHeader::GetCableVisible(uint32_t index) const
{
    const uint8_t* flag = FlagAt(m_cableVisible, index);
    return flag ? *flag : 0;
}

void CPatchHeader::SetSplitPosition(int32_t position)
{
    if (position < 0)
        return;
    m_splitPosition = static_cast<int16_t>(position > 16383 ? 16383 : position);
}

bool CPatchHeader::DiffersForSynth(const CPatchHeader& other) const
{
    return m_kbRangeMin != other.m_kbRangeMin || m_kbRangeMax != other.m_kbRangeMax ||
        m_velRangeMin != other.m_velRangeMin || m_velRangeMax != other.m_velRangeMax ||
        m_bendRange != other.m_bendRange || m_pmTime != other.m_pmTime || m_voices != other.m_voices ||
        m_pedalMode != other.m_pedalMode || m_commonRetrig != other.m_commonRetrig || m_retrig != other.m_retrig ||
        m_pmMode != other.m_pmMode || m_octShift != other.m_octShift;
}
