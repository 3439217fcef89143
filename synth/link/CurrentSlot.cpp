#include "synth/link/CurrentSlot.h"

void CCurrentSlot::Set(uint8_t port, uint8_t slot)
{
    if (port != port_ && port_ != kNone)
        SetChanged(port_, true);
    port_ = port > kNone ? kNone : port;
    slot_ = slot;
}

void CCurrentSlot::Select(uint8_t port, uint8_t slot)
{
    if (port == port_ && slot == slot_)
        return;
    Set(port, slot);
    SetChanged(port, true);
}

void CCurrentSlot::Reset()
{
    port_ = kNone;
    changed_.fill(true);
}
