#include "synth/link/CurrentSlot.h"

void CCurrentSlot::Set(uint8_t port, uint8_t slot)
{
    if (port != m_port && m_port != kNone)
        SetChanged(m_port, true);
    m_port = port > kNone ? kNone : port;
    m_slot = slot;
}

void CCurrentSlot::Select(uint8_t port, uint8_t slot)
{
    if (port == m_port && slot == m_slot)
        return;
    Set(port, slot);
    SetChanged(port, true);
}

void CCurrentSlot::Reset()
{
    m_port = kNone;
    m_changed.fill(true);
}
