#include "platform/midi/MidiInDevice.h"

#include "platform/midi/MidiSystem.h"
#include "platform/midi/detail/MidiBufferFlags.h"

#include <errno.h>
#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <thread>
#include <utility>

namespace platform {

using detail::MarkDone;
using detail::PrepareBuffer;
using detail::QueueBuffer;
using detail::UnprepareBuffer;

MidiInDevice::MidiInDevice(MidiInCallback callback, uintptr_t instance) : callback_(callback), instance_(instance) { }

MidiInDevice::~MidiInDevice() = default;

MidiResult MidiInDevice::Prepare(MidiBuffer& buffer)
{
    return PrepareBuffer(buffer);
}
MidiResult MidiInDevice::Unprepare(MidiBuffer& buffer)
{
    return UnprepareBuffer(buffer);
}

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
