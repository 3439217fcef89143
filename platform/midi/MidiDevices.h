#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The MIDI devices of the machine, numbered per direction: the ports of the
// ALSA sequencer or of a JACK server (through RtMidi) followed by the virtual
// devices a program or test registered (VirtualMidi.h).
namespace platform {

// 0 is success; everything else is a failure with a text (MidiErrorText).
using MidiResult = uint32_t;

namespace midierr {
constexpr MidiResult kOk = 0;
constexpr MidiResult kError = 1;
constexpr MidiResult kBadDeviceId = 2;
constexpr MidiResult kAllocated = 4;
constexpr MidiResult kInvalidHandle = 5;
constexpr MidiResult kNoDriver = 6;
constexpr MidiResult kNoMemory = 7;
constexpr MidiResult kInvalidParameter = 11;
constexpr MidiResult kUnprepared = 64;
constexpr MidiResult kStillPlaying = 65;
constexpr MidiResult kNotReady = 67;
constexpr MidiResult kNoDevice = 68;
constexpr MidiResult kDisconnected = 100;
constexpr MidiResult kTimedOut = 101;
// The MIDI system itself went away (a JACK server that stopped).
constexpr MidiResult kSystemStopped = 102;
} // namespace midierr

// The text for a result; empty for success and for codes without a text.
std::string MidiErrorText(MidiResult result);

// What a device is; only MIDI ports lead to an external instrument.
enum class MidiTechnology : uint16_t {
    Port = 1,
    Synth = 2,
    Mapper = 5,
    SoftwareSynth = 7,
};

struct MidiDeviceCaps {
    std::string name;
    MidiTechnology technology = MidiTechnology::Port;
};

// Flags of a MidiBuffer.
constexpr uint32_t kMidiBufferDone = 0x1;     // the device has finished with it
constexpr uint32_t kMidiBufferPrepared = 0x2; // prepared for the device
constexpr uint32_t kMidiBufferQueued = 0x4;   // the device holds it

// A block of bytes lent to a device: for output the bytes to send, for input
// a block the device fills. The owner keeps it alive until it is unprepared
// or the device is closed; a closed device never touches a buffer again.
struct MidiBuffer {
    uint8_t* data = nullptr;
    uint32_t length = 0;   // bytes to send, or room to fill
    uint32_t recorded = 0; // bytes the device wrote (input); valid once done
    std::atomic<uint32_t> flags{0};
    uintptr_t user = 0; // the owner's word

    bool Has(uint32_t flag) const { return (flags.load(std::memory_order_acquire) & flag) != 0; }
};

// Messages an input device hands to its callback.
constexpr uint32_t kMidiInData = 0x3C3;      // param1: the short message, param2: time in ms
constexpr uint32_t kMidiInLongData = 0x3C4;  // param1: the returned MidiBuffer*
constexpr uint32_t kMidiInLongError = 0x3C6; // param1: a MidiBuffer* returned without usable data

class MidiInDevice;
class MidiOutDevice;
// Called on the device's own thread. It must not block, and must not call
// back into the device.
using MidiInCallback = void (*)(MidiInDevice& device, uint32_t message, uintptr_t instance, uintptr_t param1,
                                uintptr_t param2);

// Device lists. A count takes a fresh look at the machine; the numbers stay
// valid until the next count of that direction.
unsigned MidiOutDeviceCount();
MidiResult MidiOutDeviceCaps(unsigned id, MidiDeviceCaps& caps);
MidiResult OpenMidiOut(unsigned id, std::unique_ptr<MidiOutDevice>& device);

unsigned MidiInDeviceCount();
MidiResult MidiInDeviceCaps(unsigned id, MidiDeviceCaps& caps);
MidiResult OpenMidiIn(unsigned id, MidiInCallback callback, uintptr_t instance, std::unique_ptr<MidiInDevice>& device);

} // namespace platform
