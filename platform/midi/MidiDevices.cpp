#include "platform/midi/MidiDevices.h"

#include "platform/midi/MidiSystem.h"

#include <errno.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
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
std::mutex gNameMutex;
std::string gClientName;

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

MidiResult PrepareBuffer(MidiBuffer& buffer)
{
    if (!buffer.data || buffer.length == 0)
        return midierr::kInvalidParameter;
    buffer.flags.fetch_or(kMidiBufferPrepared, std::memory_order_acq_rel);
    return midierr::kOk;
}

MidiResult UnprepareBuffer(MidiBuffer& buffer)
{
    if (buffer.Has(kMidiBufferQueued))
        return midierr::kStillPlaying;
    buffer.flags.fetch_and(~kMidiBufferPrepared, std::memory_order_acq_rel);
    return midierr::kOk;
}

// Takes a prepared buffer that no device holds for the device.
MidiResult QueueBuffer(MidiBuffer& buffer)
{
    if (!buffer.Has(kMidiBufferPrepared))
        return midierr::kUnprepared;
    if (buffer.Has(kMidiBufferQueued))
        return midierr::kStillPlaying;
    buffer.flags.store(kMidiBufferPrepared | kMidiBufferQueued, std::memory_order_release);
    return midierr::kOk;
}

void MarkDone(MidiBuffer& buffer)
{
    buffer.flags.store(kMidiBufferPrepared | kMidiBufferDone, std::memory_order_release);
}

} // namespace

std::string MidiErrorText(MidiResult result)
{
    for (const ErrorText& entry : kErrorTexts) {
        if (entry.code == result)
            return entry.text;
    }
    return {};
}

void SetMidiClientName(const std::string& name)
{
    std::lock_guard<std::mutex> guard(gNameMutex);
    gClientName = name;
}

std::string MidiClientName()
{
    std::lock_guard<std::mutex> guard(gNameMutex);
    if (!gClientName.empty())
        return gClientName;
    return program_invocation_short_name;
}

unsigned MidiOutDeviceCount() { return Count(MidiDirection::Out); }
unsigned MidiInDeviceCount() { return Count(MidiDirection::In); }

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

MidiResult OpenMidiIn(unsigned id, MidiInCallback callback, uintptr_t instance,
                      std::unique_ptr<MidiInDevice>& device)
{
    if (!callback)
        return midierr::kInvalidParameter;
    DeviceList::Entry entry;
    const MidiResult result = Find(MidiDirection::In, id, entry);
    if (result != midierr::kOk)
        return result;
    return entry.system->OpenInput(entry.info.key, callback, instance, device);
}

// ---- Output devices --------------------------------------------------------

// Sets sent buffers done when their time has come, on a thread of its own
// that starts with the first buffer that has to wait.
class MidiOutDevice::Completer {
public:
    ~Completer()
    {
        {
            std::lock_guard<std::mutex> guard(mutex_);
            stopping_ = true;
            pending_.clear();
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

    void Add(MidiBuffer& buffer, uint32_t delayMs)
    {
        std::lock_guard<std::mutex> guard(mutex_);
        if (stopping_)
            return;
        if (delayMs == 0) {
            MarkDone(buffer);
            return;
        }
        Clock::time_point due = Clock::time_point::max();
        if (delayMs != kNever) {
            // One cable: a buffer starts going out when the one before is done.
            const Clock::time_point start = std::max(Clock::now(), lastDue_);
            due = start + std::chrono::milliseconds(delayMs);
            lastDue_ = due;
        }
        pending_.push_back({&buffer, due});
        if (!thread_.joinable())
            thread_ = std::thread([this] { Run(); });
        wake_.notify_all();
    }

    void CompleteAll()
    {
        std::lock_guard<std::mutex> guard(mutex_);
        for (const Pending& pending : pending_)
            MarkDone(*pending.buffer);
        pending_.clear();
        lastDue_ = {};
    }

    size_t InFlight()
    {
        std::lock_guard<std::mutex> guard(mutex_);
        return pending_.size();
    }

private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        MidiBuffer* buffer;
        Clock::time_point due;
    };

    void Run()
    {
        std::unique_lock<std::mutex> guard(mutex_);
        while (!stopping_) {
            if (pending_.empty()) {
                wake_.wait(guard);
                continue;
            }
            const Pending next = pending_.front();
            if (Clock::now() < next.due) {
                if (next.due == Clock::time_point::max())
                    wake_.wait(guard);
                else
                    wake_.wait_until(guard, next.due);
                continue;
            }
            MarkDone(*next.buffer);
            pending_.erase(pending_.begin());
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Pending> pending_;
    Clock::time_point lastDue_{};
    bool stopping_ = false;
    std::thread thread_;
};

MidiOutDevice::MidiOutDevice() : completer_(std::make_unique<Completer>()) {}

MidiOutDevice::~MidiOutDevice() = default;

MidiResult MidiOutDevice::Prepare(MidiBuffer& buffer) { return PrepareBuffer(buffer); }
MidiResult MidiOutDevice::Unprepare(MidiBuffer& buffer) { return UnprepareBuffer(buffer); }

MidiResult MidiOutDevice::LongMessage(MidiBuffer& buffer)
{
    MidiResult result = QueueBuffer(buffer);
    if (result != midierr::kOk)
        return result;
    result = SendLong(buffer.data, buffer.length);
    if (result != midierr::kOk) {
        buffer.flags.store(kMidiBufferPrepared, std::memory_order_release);
        return result;
    }
    completer_->Add(buffer, CompletionDelay(buffer.length));
    return midierr::kOk;
}

MidiResult MidiOutDevice::Reset()
{
    completer_->CompleteAll();
    return midierr::kOk;
}

size_t MidiOutDevice::BuffersInFlight()
{
    return completer_->InFlight();
}

// ---- Input devices ---------------------------------------------------------

MidiInDevice::MidiInDevice(MidiInCallback callback, uintptr_t instance)
    : callback_(callback), instance_(instance)
{
}

MidiInDevice::~MidiInDevice() = default;

MidiResult MidiInDevice::Prepare(MidiBuffer& buffer) { return PrepareBuffer(buffer); }
MidiResult MidiInDevice::Unprepare(MidiBuffer& buffer) { return UnprepareBuffer(buffer); }

MidiResult MidiInDevice::AddBuffer(MidiBuffer& buffer)
{
    std::lock_guard<std::mutex> guard(mutex_);
    const MidiResult result = QueueBuffer(buffer);
    if (result == midierr::kOk) {
        buffer.recorded = 0;
        queued_.push_back(&buffer);
    }
    return result;
}

MidiResult MidiInDevice::Start()
{
    std::lock_guard<std::mutex> guard(mutex_);
    started_ = true;
    return midierr::kOk;
}

MidiResult MidiInDevice::Stop()
{
    std::lock_guard<std::mutex> guard(mutex_);
    started_ = false;
    return midierr::kOk;
}

MidiResult MidiInDevice::Reset()
{
    std::lock_guard<std::mutex> guard(mutex_);
    started_ = false;
    for (MidiBuffer* buffer : queued_)
        HandBack(*buffer, kMidiInLongData);
    queued_.clear();
    return midierr::kOk;
}

void MidiInDevice::StopKeepingBuffers()
{
    std::lock_guard<std::mutex> guard(mutex_);
    started_ = false;
}

size_t MidiInDevice::QueuedBuffers()
{
    std::lock_guard<std::mutex> guard(mutex_);
    return queued_.size();
}

bool MidiInDevice::IsStarted()
{
    std::lock_guard<std::mutex> guard(mutex_);
    return started_;
}

// Called with mutex_ held.
void MidiInDevice::HandBack(MidiBuffer& buffer, uint32_t message)
{
    MarkDone(buffer);
    callback_(*this, message, instance_, reinterpret_cast<uintptr_t>(&buffer), 0);
}

size_t MidiInDevice::DeliverLong(const uint8_t* bytes, size_t count, size_t perBuffer)
{
    std::lock_guard<std::mutex> guard(mutex_);
    if (!started_)
        return 0;
    size_t placed = 0;
    while (placed < count && !queued_.empty()) {
        MidiBuffer& buffer = *queued_.front();
        queued_.erase(queued_.begin());
        const size_t room = std::min<size_t>(buffer.length, std::max<size_t>(perBuffer, 1));
        const size_t chunk = std::min(room, count - placed);
        std::copy(bytes + placed, bytes + placed + chunk, buffer.data);
        buffer.recorded = static_cast<uint32_t>(chunk);
        placed += chunk;
        HandBack(buffer, kMidiInLongData);
    }
    return placed;
}

void MidiInDevice::DeliverShort(uint32_t message, uint32_t timeMs)
{
    std::lock_guard<std::mutex> guard(mutex_);
    if (started_)
        callback_(*this, kMidiInData, instance_, message, timeMs);
}

bool MidiInDevice::DeliverLongError()
{
    std::lock_guard<std::mutex> guard(mutex_);
    if (!started_ || queued_.empty())
        return false;
    MidiBuffer& buffer = *queued_.front();
    queued_.erase(queued_.begin());
    buffer.recorded = 0;
    HandBack(buffer, kMidiInLongError);
    return true;
}

} // namespace platform
