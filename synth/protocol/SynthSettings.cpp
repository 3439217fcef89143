#include "synth/protocol/SynthSettings.h"

namespace {
uint32_t Flag(uint32_t value)
{
    return value != 0 ? 1 : 0;
}
uint8_t AtMost127(int32_t value)
{
    return static_cast<uint8_t>(value < 0 ? 0 : (value > 127 ? 127 : value));
}
} // namespace

CSynthSettings::CSynthSettings() = default;

uint8_t CSynthSettings::GetSlotChannel(int slot) const
{
    return IsSlot(slot) ? slots_[slot].channel : 0;
}

uint8_t CSynthSettings::GetSlotActive(int slot) const
{
    return IsSlot(slot) ? slots_[slot].active : 0;
}

uint8_t CSynthSettings::GetSlotValue(int slot, int index) const
{
    if (!IsSlot(slot) || index < 0 || index >= kSlotValueCount)
        return 0;
    return slots_[slot].values[index];
}

void CSynthSettings::SetVelocityMin(int32_t value)
{
    velocityMin_ = AtMost127(value);
}

void CSynthSettings::SetVelocityMax(int32_t value)
{
    velocityMax_ = AtMost127(value);
}

void CSynthSettings::SetInternalClock(uint32_t value)
{
    internalClock_ = Flag(value);
}

void CSynthSettings::SetClockRate(int32_t value)
{
    clockRate_ = static_cast<uint16_t>(value >= 31 && value <= 239 ? value : 128);
}

void CSynthSettings::SetGlobalSync(int32_t value)
{
    globalSync_ = static_cast<uint8_t>(value >= 1 && value <= 32 ? value : 4);
}

void CSynthSettings::SetMasterTune(int32_t value)
{
    masterTune_ = static_cast<int8_t>(value >= -100 && value <= 100 ? value : 0);
}

void CSynthSettings::SetKeyboardMode(uint32_t value)
{
    keyboardMode_ = Flag(value);
}

void CSynthSettings::SetPedalPolarity(uint32_t value)
{
    pedalPolarity_ = Flag(value);
}

void CSynthSettings::SetKnobMode(uint32_t value)
{
    knobMode_ = Flag(value);
}

void CSynthSettings::SetName(const std::string& name)
{
    name_ = name.substr(0, kNameLength);
}

void CSynthSettings::SetSlotChannel(int slot, int32_t channel)
{
    if (IsSlot(slot))
        slots_[slot].channel = static_cast<uint8_t>(channel < 0 ? 0 : (channel > 15 ? 15 : channel));
}

void CSynthSettings::SetSlotActive(int slot, uint8_t active)
{
    if (IsSlot(slot))
        slots_[slot].active = active;
}

void CSynthSettings::SetSlotValue(int slot, int index, int32_t value)
{
    if (IsSlot(slot) && index >= 0 && index < kSlotValueCount)
        slots_[slot].values[index] = static_cast<uint8_t>(value < 0 ? 0 : (value > 3 ? 3 : value));
}

bool CSynthSettings::operator==(const CSynthSettings& other) const
{
    return velocityMin_ == other.velocityMin_ && velocityMax_ == other.velocityMax_ &&
        internalClock_ == other.internalClock_ && clockRate_ == other.clockRate_ && globalSync_ == other.globalSync_ &&
        ledsActive_ == other.ledsActive_ && masterTune_ == other.masterTune_ && localOn_ == other.localOn_ &&
        keyboardMode_ == other.keyboardMode_ && pedalPolarity_ == other.pedalPolarity_ &&
        programChangeSend_ == other.programChangeSend_ && programChangeReceive_ == other.programChangeReceive_ &&
        knobMode_ == other.knobMode_ && name_ == other.name_ && slots_ == other.slots_;
}
