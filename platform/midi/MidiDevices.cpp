#include "platform/midi/MidiDevices.h"
#include "platform/midi/MidiInDevice.h"
#include "platform/midi/MidiOutDevice.h"

#include "platform/midi/MidiSystem.h"

#include <errno.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <regex>
#include <thread>
#include <utility>

namespace platform {

namespace {

struct ErrorText {
    MidiResult code;
    const char* text;
};

constexpr std::array kErrorTexts{
    ErrorText{midierr::kError, "An unspecified MIDI error occurred."},
    ErrorText{midierr::kBadDeviceId, "The MIDI device number is out of range."},
    ErrorText{midierr::kAllocated, "The MIDI device is already in use."},
    ErrorText{midierr::kInvalidHandle, "The MIDI device is not open."},
    ErrorText{midierr::kNoDriver, "No MIDI system is available."},
    ErrorText{midierr::kNoMemory, "There is not enough memory for the MIDI device."},
    ErrorText{midierr::kInvalidParameter, "An invalid parameter was passed to the MIDI device."},
    ErrorText{midierr::kUnprepared, "The MIDI buffer was not prepared."},
    ErrorText{midierr::kStillPlaying, "The MIDI device is still using the buffer."},
    ErrorText{midierr::kNotReady, "The MIDI device is busy."},
    ErrorText{midierr::kNoDevice, "The MIDI device is no longer present."},
    ErrorText{midierr::kDisconnected, "The MIDI device was disconnected."},
    ErrorText{midierr::kTimedOut, "The MIDI device did not finish sending in time."},
    ErrorText{midierr::kSystemStopped, "The MIDI system stopped."},
};

// The numbered devices of one direction as of the last count.
struct DeviceList {
    struct Entry {
        MidiSystem* system;
        MidiPortInfo info;
    };
    std::vector<Entry> entries;
    bool taken = false;
};

std::mutex gListMutex;
DeviceList gLists[2];
std::mutex gHostMutex;
std::unique_ptr<MidiSystem> gHostSystem;

DeviceList& ListOf(MidiDirection direction)
{
    return gLists[direction == MidiDirection::In ? 0 : 1];
}

// Called with gListMutex held.
void Refresh(MidiDirection direction)
{
    DeviceList& list = ListOf(direction);
    list.entries.clear();
    for (MidiSystem* system : {HostMidiSystem(), &VirtualMidiSystem()}) {
        if (!system)
            continue;
        for (MidiPortInfo& info : system->Ports(direction))
            list.entries.push_back({system, std::move(info)});
    }
    list.taken = true;
}

unsigned Count(MidiDirection direction)
{
    std::lock_guard<std::mutex> guard(gListMutex);
    Refresh(direction);
    return static_cast<unsigned>(ListOf(direction).entries.size());
}

// Looks a device number up, taking the list first when it was never taken.
MidiResult Find(MidiDirection direction, unsigned id, DeviceList::Entry& entry)
{
    std::lock_guard<std::mutex> guard(gListMutex);
    DeviceList& list = ListOf(direction);
    if (!list.taken)
        Refresh(direction);
    if (id >= list.entries.size())
        return midierr::kBadDeviceId;
    entry = list.entries[id];
    return midierr::kOk;
}

MidiResult Caps(MidiDirection direction, unsigned id, MidiDeviceCaps& caps)
{
    DeviceList::Entry entry;
    const MidiResult result = Find(direction, id, entry);
    if (result == midierr::kOk)
        caps = entry.info.caps;
    return result;
}

} // namespace

MidiSystem* HostMidiSystem()
{
    std::lock_guard<std::mutex> guard(gHostMutex);
    return gHostSystem.get();
}

std::unique_ptr<MidiSystem> InstallHostMidiSystem(std::unique_ptr<MidiSystem> system)
{
    std::lock_guard<std::mutex> guard(gHostMutex);
    std::swap(gHostSystem, system);
    return system;
}

std::string MidiErrorText(MidiResult result)
{
    for (const ErrorText& entry : kErrorTexts) {
        if (entry.code == result)
            return entry.text;
    }
    return {};
}

std::string MidiClientName()
{
    return program_invocation_short_name;
}

unsigned MidiOutDeviceCount()
{
    return Count(MidiDirection::Out);
}
unsigned MidiInDeviceCount()
{
    return Count(MidiDirection::In);
}

MidiResult MidiOutDeviceCaps(unsigned id, MidiDeviceCaps& caps)
{
    return Caps(MidiDirection::Out, id, caps);
}

MidiResult MidiInDeviceCaps(unsigned id, MidiDeviceCaps& caps)
{
    return Caps(MidiDirection::In, id, caps);
}

MidiResult OpenMidiOut(unsigned id, std::unique_ptr<MidiOutDevice>& device)
{
    DeviceList::Entry entry;
    const MidiResult result = Find(MidiDirection::Out, id, entry);
    if (result != midierr::kOk)
        return result;
    return entry.system->OpenOutput(entry.info.key, device);
}

MidiResult OpenMidiIn(unsigned id, MidiInCallback callback, uintptr_t instance, std::unique_ptr<MidiInDevice>& device)
{
    if (!callback)
        return midierr::kInvalidParameter;
    DeviceList::Entry entry;
    const MidiResult result = Find(MidiDirection::In, id, entry);
    if (result != midierr::kOk)
        return result;
    return entry.system->OpenInput(entry.info.key, callback, instance, device);
}

std::string AlsaPortDisplayName(const std::string& portName)
{
    static const std::regex numbers(R"( \d+:\d+$)");
    std::string name = std::regex_replace(portName, numbers, "");
    const size_t colon = name.find(':');
    if (colon != std::string::npos) {
        const std::string client = name.substr(0, colon);
        const std::string port = name.substr(colon + 1);
        if (port.compare(0, client.size(), client) == 0)
            name = port;
    }
    return name;
}

bool IsPortOfClient(const std::string& portName, const std::string& client)
{
    if (client.empty() || portName.compare(0, client.size(), client) != 0)
        return false;
    const size_t colon = portName.find(':', client.size());
    if (colon == std::string::npos)
        return false;
    if (colon == client.size())
        return true;
    const std::string ending = portName.substr(client.size(), colon - client.size());
    return ending.size() > 1 && ending[0] == '-' &&
        std::all_of(ending.begin() + 1, ending.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

} // namespace platform
