#include "updater/link/UpdateOutput.h"

#include "framework/base/Exceptions.h"

namespace NSBootwren {

CUpdateOutput::CUpdateOutput(const NSHarrowen::COutputPortRegistry& outputs, uint16_t index) : index_(index)
{
    const NSHarrowen::CRegisteredMIDIOutput* entry = outputs.GetAt(index);
    if (!entry)
        throw NSHarrowen::XFailedOpeningMIDIPort();
    output_ = entry->CreatePort();
}

void CUpdateOutput::Send(const std::vector<uint8_t>& message)
{
    output_->WriteSysexAndWait(message.data(), static_cast<int32_t>(message.size()));
}

} // namespace NSBootwren
