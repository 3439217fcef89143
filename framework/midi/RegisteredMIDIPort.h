#pragma once

#include "framework/midi/MIDIInput.h"
#include "framework/midi/MIDIOutput.h"

#include <cstdint>
#include <memory>
#include <string>

namespace NSHarrowen {

class CMIDIInputParser;

// The longest device name kept, in bytes.
constexpr size_t kMaxMIDIDeviceName = 31;

// `name` cut to at most `limit` bytes without splitting a UTF-8 character.
std::string FitMIDIDeviceName(const std::string& name, size_t limit = kMaxMIDIDeviceName);

// What the device registries list for one device.
class CRegisteredMIDIPort {
public:
    virtual ~CRegisteredMIDIPort() = default;
    CRegisteredMIDIPort(const CRegisteredMIDIPort&) = delete;
    CRegisteredMIDIPort& operator=(const CRegisteredMIDIPort&) = delete;

    const std::string& GetName() const { return name_; }
    const std::string& GetKindName() const { return kindName_; }
    uint16_t GetDeviceID() const { return deviceID_; }

protected:
    CRegisteredMIDIPort(const std::string& name, std::string kindName, uint16_t deviceID)
        : name_(FitMIDIDeviceName(name)), kindName_(std::move(kindName)), deviceID_(deviceID)
    { }

private:
    std::string name_;
    std::string kindName_;
    uint16_t deviceID_;
};

class CRegisteredMIDIInput : public CRegisteredMIDIPort {
public:
    // Opens the device with `receiver` as its receiver; throws XMIDI.
    virtual std::unique_ptr<CMIDIInput> CreatePort(CMIDIInputParser& receiver) const = 0;

protected:
    using CRegisteredMIDIPort::CRegisteredMIDIPort;
};

class CRegisteredMIDIOutput : public CRegisteredMIDIPort {
public:
    // Opens the device; throws XMIDI.
    virtual std::unique_ptr<CMIDIOutput> CreatePort() const = 0;

protected:
    using CRegisteredMIDIPort::CRegisteredMIDIPort;
};

// Devices of the machine's MIDI system (platform/midi/MidiDevices.h).
class CRegisteredMMEMIDIInput final : public CRegisteredMIDIInput {
public:
    CRegisteredMMEMIDIInput(const std::string& name, uint16_t deviceID)
        : CRegisteredMIDIInput(name, "MME", deviceID) { }
    std::unique_ptr<CMIDIInput> CreatePort(CMIDIInputParser& receiver) const override;
};

class CRegisteredMMEMIDIOutput final : public CRegisteredMIDIOutput {
public:
    CRegisteredMMEMIDIOutput(const std::string& name, uint16_t deviceID) : CRegisteredMIDIOutput(name, "MME", deviceID)
    { }
    std::unique_ptr<CMIDIOutput> CreatePort() const override;
};

} // namespace NSHarrowen
