#include "framework/midi/PortRegistry.h"

#include "platform/midi/MidiDevices.h"

namespace NSHarrowen {

namespace {

template <class Entry> std::string UniqueName(const std::string& name, const CPortRegistry<Entry>& registry)
{
    uint16_t index = 0;
    std::string fitted = FitMIDIDeviceName(name);
    for (unsigned number = 2; registry.FindByName(fitted, index); ++number) {
        const std::string ending = " #" + std::to_string(number);
        fitted = FitMIDIDeviceName(name, kMaxMIDIDeviceName - ending.size()) + ending;
    }
    return fitted;
}

} // namespace

void RegisterMMEPorts(CInputPortRegistry& inputs, COutputPortRegistry& outputs)
{
    const unsigned outputCount = std::min(platform::MidiOutDeviceCount(), unsigned(UINT16_MAX));
    for (unsigned id = 0; id < outputCount; ++id) {
        platform::MidiDeviceCaps caps;
        if (platform::MidiOutDeviceCaps(id, caps) != platform::midierr::kOk ||
            caps.technology != platform::MidiTechnology::Port)
            continue;
        outputs.Append(
            std::make_unique<CRegisteredMMEMIDIOutput>(UniqueName(caps.name, outputs), static_cast<uint16_t>(id)));
    }
    const unsigned inputCount = std::min(platform::MidiInDeviceCount(), unsigned(UINT16_MAX));
    for (unsigned id = 0; id < inputCount; ++id) {
        platform::MidiDeviceCaps caps;
        if (platform::MidiInDeviceCaps(id, caps) != platform::midierr::kOk)
            continue;
        inputs.Append(
            std::make_unique<CRegisteredMMEMIDIInput>(UniqueName(caps.name, inputs), static_cast<uint16_t>(id)));
    }
}

} // namespace NSHarrowen
