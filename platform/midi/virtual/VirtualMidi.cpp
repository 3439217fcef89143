#include "platform/midi/virtual/VirtualMidi.h"

#include "platform/midi/MidiSystem.h"
#include "platform/midi/MidiInDevice.h"
#include "platform/midi/MidiOutDevice.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace platform {

class VirtualInDevice;

struct VirtualMidiDevice::Core {
    Options options;
    VirtualMidiHandler* handler = nullptr;

    std::atomic<MidiResult> openFailure{midierr::kOk};
    std::atomic<MidiResult> sendFailure{midierr::kOk};
    std::atomic<bool> stallOutput{false};
    std::atomic<bool> stallInput{false};
    std::atomic<uint32_t> completionDelay{0};
    std::atomic<size_t> overlapping{0};
    std::atomic<bool> unplugged{false};
    std::atomic<uint32_t> losses{0};
    std::atomic<bool> peerGone{false};

    // Guards the fields below and keeps an open input alive while the owner sends.
    mutable std::mutex mutex;
    VirtualInDevice* input = nullptr;
    bool outputOpen = false;

    VirtualMidiHandler* Handler()
    {
        std::lock_guard<std::mutex> guard(mutex);
        return handler;
    }
};

using Core = VirtualMidiDevice::Core;

class VirtualInDevice final : public MidiInDevice {
public:
    VirtualInDevice(std::shared_ptr<Core> core, MidiInCallback callback, uintptr_t instance)
        : MidiInDevice(callback, instance), core_(std::move(core))
    { }

    ~VirtualInDevice() override
    {
        std::lock_guard<std::mutex> guard(core_->mutex);
        core_->input = nullptr;
    }

    MidiResult Reset() override
    {
        if (core_->stallInput) {
            StopKeepingBuffers();
            return midierr::kOk;
        }
        return MidiInDevice::Reset();
    }

    using MidiInDevice::DeliverLong;
    using MidiInDevice::DeliverLongError;
    using MidiInDevice::DeliverShort;
    using MidiInDevice::IsStarted;
    using MidiInDevice::QueuedBuffers;

private:
    std::shared_ptr<Core> core_;
};

namespace {

class VirtualOutDevice final : public MidiOutDevice {
public:
    explicit VirtualOutDevice(std::shared_ptr<Core> core) : core_(std::move(core)) { }

    ~VirtualOutDevice() override
    {
        std::lock_guard<std::mutex> guard(core_->mutex);
        core_->outputOpen = false;
    }

    MidiResult ShortMessage(uint32_t message) override
    {
        const MidiResult result = Check();
        if (result == midierr::kOk) {
            if (VirtualMidiHandler* handler = core_->Handler())
                handler->OnShortMessage(message);
        }
        return result;
    }

protected:
    MidiResult SendLong(const uint8_t* bytes, size_t count) override
    {
        const MidiResult result = Check();
        if (result != midierr::kOk)
            return result;
        if (BuffersInFlight() > 0)
            ++core_->overlapping;
        if (VirtualMidiHandler* handler = core_->Handler())
            handler->OnLongMessage(bytes, count);
        return midierr::kOk;
    }

    uint32_t CompletionDelay(size_t) override { return core_->stallOutput ? kNever : core_->completionDelay.load(); }

public:
    MidiPathState PathState() const override
    {
        return {core_->losses.load(), core_->peerGone || core_->unplugged, false};
    }

private:
    MidiResult Check() const
    {
        if (core_->unplugged)
            return midierr::kDisconnected;
        return core_->sendFailure.load();
    }

    std::shared_ptr<Core> core_;
};

class VirtualSystem final : public MidiSystem {
public:
    void Add(const std::shared_ptr<Core>& core)
    {
        std::lock_guard<std::mutex> guard(mutex_);
        cores_.push_back(core);
    }

    void Remove(const std::shared_ptr<Core>& core)
    {
        std::lock_guard<std::mutex> guard(mutex_);
        cores_.erase(std::remove(cores_.begin(), cores_.end(), core), cores_.end());
    }

    std::vector<MidiPortInfo> Ports(MidiDirection direction) override
    {
        std::lock_guard<std::mutex> guard(mutex_);
        std::vector<MidiPortInfo> ports;
        for (const auto& core : cores_) {
            if (direction == MidiDirection::In ? core->options.input : core->options.output)
                ports.push_back({core->options.name, {core->options.name, core->options.technology}});
        }
        return ports;
    }

    MidiResult OpenOutput(const std::string& key, std::unique_ptr<MidiOutDevice>& device) override
    {
        return Open(key, MidiDirection::Out, [&](const std::shared_ptr<Core>& core) {
            if (core->outputOpen)
                return midierr::kAllocated;
            device = std::make_unique<VirtualOutDevice>(core);
            core->outputOpen = true;
            return midierr::kOk;
        });
    }

    MidiResult OpenInput(const std::string& key, MidiInCallback callback, uintptr_t instance,
                         std::unique_ptr<MidiInDevice>& device) override
    {
        return Open(key, MidiDirection::In, [&](const std::shared_ptr<Core>& core) {
            if (core->input)
                return midierr::kAllocated;
            auto input = std::make_unique<VirtualInDevice>(core, callback, instance);
            core->input = input.get();
            device = std::move(input);
            return midierr::kOk;
        });
    }

private:
    // Finds the device and, unless it is to fail, opens it with `open`
    // inside the device's lock.
    template <class OpenSide> MidiResult Open(const std::string& key, MidiDirection direction, OpenSide open)
    {
        const std::shared_ptr<Core> core = Find(key, direction);
        if (!core)
            return midierr::kNoDevice;
        if (const MidiResult failure = core->openFailure.load())
            return failure;
        std::lock_guard<std::mutex> guard(core->mutex);
        return open(core);
    }

    std::shared_ptr<Core> Find(const std::string& key, MidiDirection direction)
    {
        std::lock_guard<std::mutex> guard(mutex_);
        for (const auto& core : cores_) {
            const bool side = direction == MidiDirection::In ? core->options.input : core->options.output;
            if (side && core->options.name == key)
                return core;
        }
        return nullptr;
    }

    std::mutex mutex_;
    std::vector<std::shared_ptr<Core>> cores_;
};

VirtualSystem& TheVirtualSystem()
{
    static VirtualSystem system;
    return system;
}

} // namespace

MidiSystem& VirtualMidiSystem()
{
    return TheVirtualSystem();
}

VirtualMidiDevice::VirtualMidiDevice(Options options, VirtualMidiHandler* handler) : core_(std::make_shared<Core>())
{
    core_->options = std::move(options);
    core_->handler = handler;
    TheVirtualSystem().Add(core_);
}

VirtualMidiDevice::~VirtualMidiDevice()
{
    TheVirtualSystem().Remove(core_);
    core_->unplugged = true;
    std::lock_guard<std::mutex> guard(core_->mutex);
    core_->handler = nullptr;
}

size_t VirtualMidiDevice::Send(const uint8_t* bytes, size_t count, size_t perBuffer)
{
    std::lock_guard<std::mutex> guard(core_->mutex);
    return core_->input ? core_->input->DeliverLong(bytes, count, perBuffer) : 0;
}

size_t VirtualMidiDevice::Send(const std::vector<uint8_t>& bytes, size_t perBuffer)
{
    return Send(bytes.data(), bytes.size(), perBuffer);
}

bool VirtualMidiDevice::SendLongError()
{
    std::lock_guard<std::mutex> guard(core_->mutex);
    return core_->input && core_->input->DeliverLongError();
}

bool VirtualMidiDevice::IsInputOpen() const
{
    std::lock_guard<std::mutex> guard(core_->mutex);
    return core_->input != nullptr;
}

bool VirtualMidiDevice::IsInputStarted() const
{
    std::lock_guard<std::mutex> guard(core_->mutex);
    return core_->input && core_->input->IsStarted();
}

size_t VirtualMidiDevice::InputBuffersQueued() const
{
    std::lock_guard<std::mutex> guard(core_->mutex);
    return core_->input ? core_->input->QueuedBuffers() : 0;
}

bool VirtualMidiDevice::IsOutputOpen() const
{
    std::lock_guard<std::mutex> guard(core_->mutex);
    return core_->outputOpen;
}

void VirtualMidiDevice::FailOpen(MidiResult result)
{
    core_->openFailure = result;
}
void VirtualMidiDevice::FailSend(MidiResult result)
{
    core_->sendFailure = result;
}
void VirtualMidiDevice::StallOutput(bool stall)
{
    core_->stallOutput = stall;
}
void VirtualMidiDevice::StallInput(bool stall)
{
    core_->stallInput = stall;
}
void VirtualMidiDevice::SetCompletionDelay(uint32_t ms)
{
    core_->completionDelay = ms;
}
void VirtualMidiDevice::ReportLoss()
{
    ++core_->losses;
}
void VirtualMidiDevice::ReportPeerGone(bool gone)
{
    core_->peerGone = gone;
}
size_t VirtualMidiDevice::OverlappingSends() const
{
    return core_->overlapping;
}

} // namespace platform
