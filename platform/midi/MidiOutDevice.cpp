#include "platform/midi/MidiOutDevice.h"

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

MidiOutDevice::MidiOutDevice() : completer_(std::make_unique<Completer>()) { }

MidiOutDevice::~MidiOutDevice() = default;

MidiResult MidiOutDevice::Prepare(MidiBuffer& buffer)
{
    return PrepareBuffer(buffer);
}
MidiResult MidiOutDevice::Unprepare(MidiBuffer& buffer)
{
    return UnprepareBuffer(buffer);
}

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

} // namespace platform
