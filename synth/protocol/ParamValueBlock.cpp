#include "synth/protocol/ParamValueBlock.h"

void CParamValueBlock::Reset(uint8_t mark)
{
    for (uint32_t i = 0; i < kEntryCount; ++i) {
        words_[i].store(0);
        stateChanged_[i].store(mark);
        valueChanged_[i].store(mark);
    }
    const int32_t count = mark != 0 ? static_cast<int32_t>(kEntryCount) : 0;
    valueChangedCount_.store(count);
    stateChangedCount_.store(count);
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
    const uint16_t word = words_[index].load();
    if ((word & kValueMask) == value)
        return;
    words_[index].store(static_cast<uint16_t>((word & ~kValueMask) | value));
    Mark(valueChanged_, valueChangedCount_, index);
}

void CParamValueBlock::SetState(uint32_t index, uint8_t state)
{
    if (index >= kEntryCount)
        return;
    const uint16_t bits = static_cast<uint16_t>((state & 0x3) << kStateShift);
    const uint16_t word = words_[index].load();
    if ((word & ~kValueMask & 0xFFFF) == bits)
        return;
    words_[index].store(static_cast<uint16_t>((word & kValueMask) | bits));
    Mark(stateChanged_, stateChangedCount_, index);
}

uint16_t CParamValueBlock::TakeValue(uint32_t index)
{
    if (index >= kEntryCount)
        return 0;
    Unmark(valueChanged_, valueChangedCount_, index);
    return words_[index].load() & kValueMask;
}

uint8_t CParamValueBlock::TakeState(uint32_t index)
{
    if (index >= kEntryCount)
        return 0;
    Unmark(stateChanged_, stateChangedCount_, index);
    return static_cast<uint8_t>(words_[index].load() >> kStateShift);
}
