#include "framework/midi/RegisteredMIDIPort.h"

#include "framework/midi/MMEMIDIInput.h"
#include "framework/midi/MMEMIDIOutput.h"

namespace NSHarrowen {

std::string FitMIDIDeviceName(const std::string& name, size_t limit)
{
    if (name.size() <= limit)
        return name;
    size_t end = limit;
    // Step back over continuation bytes to the start of the cut character.
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
        --end;
    return name.substr(0, end);
}

std::unique_ptr<CMIDIInput> CRegisteredMMEMIDIInput::CreatePort(CMIDIInputParser& receiver) const
{
    return std::make_unique<CMMEMIDIInput>(*this, receiver);
}

std::unique_ptr<CMIDIOutput> CRegisteredMMEMIDIOutput::CreatePort() const
{
    return std::make_unique<CMMEMIDIOutput>(*this);
}

} // namespace NSHarrowen
