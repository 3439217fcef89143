#include "synth/protocol/ParamValueBlock.h"

void CParamValueBlock::Reset(uint8_t mark)
{
    for (uint32_t i = 0; i < kEntryCount; ++i) {
        m_words[i].store(0);
        m_stateChanged[i].store(mark);
        m_valueChanged[i].store(mark);
    }
    const int32_t count = mark != 0 ? static_cast<int32_t>(kEntryCount) : 0;
    m_valueChangedCount.store(count);
    m_stateChangedCount.store(count);
}

void CParamValueBlock::Mark(Marks& marks, std::atomic<int32_t>& count, uint32_t index)
{
    if (marks[index].exchange(1) == 0)
        count.fetch_add(1);
}

void CParamValueBlock::Unmark(Marks& marks, std::atomic<int32_t>& count, uint32_t index)
{
    if (marks[index].exchange(0) != 0)
        count.fetch_sub(1);
}

void CParamValueBlock::SetValue(uint32_t index, uint16_t value)
{
    if (index >= kEntryCount)
        return;
    value &= kValueMask;
    const uint16_t word = m_words[index].load();
    if ((word & kValueMask) == value)
        return;
    m_words[index].store(static_cast<uint16_t>((word & ~kValueMask) | value));
    Mark(m_valueChanged, m_valueChangedCount, index);
}

void CParamValueBlock::SetState(uint32_t index, uint8_t state)
{
    if (index >= kEntryCount)
        return;
    const uint16_t bits = static_cast<uint16_t>((state & 0x3) << kStateShift);
    const uint16_t word = m_words[index].load();
    if ((word & ~kValueMask & 0xFFFF) == bits)
        return;
    m_words[index].store(static_cast<uint16_t>((word & kValueMask) | bits));
    Mark(m_stateChanged, m_stateChangedCount, index);
}

uint16_t CParamValueBlock::TakeValue(uint32_t index)
{
    if (index >= kEntryCount)
        return 0;
    Unmark(m_valueChanged, m_valueChangedCount, index);
    return m_words[index].load() & kValueMask;
}

uint8_t CParamValueBlock::TakeState(uint32_t index)
{
    if (index >= kEntryCount)
        return 0;
    Unmark(m_stateChanged, m_stateChangedCount, index);
    return static_cast<uint8_t>(m_words[index].load() >> kStateShift);
}
