#pragma once

#include "platform/MidiDevices.h"

#include <memory>
#include <string>
#include <vector>

// What a source of MIDI devices (RtMidi, the virtual devices) gives the
// device lists of MidiDevices.h.
namespace platform {

enum class MidiDirection { In, Out };

struct MidiPortInfo {
    std::string key; // what opens the port again, unique within its system
    MidiDeviceCaps caps;
};

class MidiSystem {
public:
    virtual ~MidiSystem() = default;
    virtual std::vector<MidiPortInfo> Ports(MidiDirection direction) = 0;
    virtual MidiResult OpenOutput(const std::string& key, std::unique_ptr<MidiOutDevice>& device) = 0;
    virtual MidiResult OpenInput(const std::string& key, MidiInCallback callback, uintptr_t instance,
                                 std::unique_ptr<MidiInDevice>& device) = 0;
};

// The machine's MIDI system chosen for this process, or null when there is
// none (see RtMidiSystem.cpp).
MidiSystem* HostMidiSystem();
// The in-process virtual devices.
MidiSystem& VirtualMidiSystem();
// The client name set by SetMidiClientName or the program's name.
std::string MidiClientName();

} // namespace platform
