#include "updater/link/MIDIIn.h"

#include "framework/base/Exceptions.h"
#include "updater/link/UpdateLink.h"

namespace NSBootwren {

CMIDIIn::CMIDIIn(const NSHarrowen::CInputPortRegistry& inputs, uint16_t index, CUpdateLink& link)
    : index_(index), link_(link)
{
    const NSHarrowen::CRegisteredMIDIInput* entry = inputs.GetAt(index);
    if (!entry)
        throw NSHarrowen::XFailedOpeningMIDIPort();
    SetAcceptsLongData(true);
    input_ = entry->CreatePort(*this);
}

// The input goes first, so no data arrives while the rest is taken down.
CMIDIIn::~CMIDIIn()
{
    input_.reset();
}

void CMIDIIn::OnLongData(NSHarrowen::CMIDIInput*, uint32_t, const uint8_t* bytes, uint32_t count)
{
    AddData(bytes, count);
}

bool CMIDIIn::AcceptMessage(const uint8_t* bytes, uint32_t length)
{
    link_.PostSysex(bytes, length);
    return false;
}

} // namespace NSBootwren
