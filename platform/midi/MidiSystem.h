#pragma once

#include "platform/midi/MidiDevices.h"
#include "platform/midi/MidiOutDevice.h"
#include "platform/midi/MidiInDevice.h"

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

// The machine's MIDI system installed for this process, or null when there
// is none: a program installs it at start (UseMachineMidi, in the
// platform_rtmidi library); until then only the virtual devices are listed.
MidiSystem* HostMidiSystem();
// Installs the machine's MIDI system (null: none) and returns the one before.
// No device of the old one may be open.
std::unique_ptr<MidiSystem> InstallHostMidiSystem(std::unique_ptr<MidiSystem> system);
// The in-process virtual devices.
MidiSystem& VirtualMidiSystem();
// The program's name, as the MIDI system shows its clients.
std::string MidiClientName();

// The name shown for an ALSA sequencer port as RtMidi names it:
// "USB Keys:USB Keys MIDI 1 20:0" becomes "USB Keys MIDI 1". The numbers
// change when a device is plugged in again, and the client name mostly
// repeats at the start of the port name.
std::string AlsaPortDisplayName(const std::string& portName);

// Whether a port, named as RtMidi names it ("client:port", on ALSA followed
// by the numbers), belongs to a client named `client` or to one the JACK
// server renamed from it because the name was taken ("client-02").
bool IsPortOfClient(const std::string& portName, const std::string& client);

} // namespace platform
