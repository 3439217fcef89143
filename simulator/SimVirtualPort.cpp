#include "simulator/SimVirtualPort.h"

#include <utility>

namespace sim {

CSimVirtualPort::CSimVirtualPort(CSimulator& synth, const std::string& deviceName)
    : synth_(synth), device_(platform::VirtualMidiDevice::Options{deviceName}, this)
{ }

// The device goes first (it is the last member), so no message arrives after.
CSimVirtualPort::~CSimVirtualPort() = default;

void CSimVirtualPort::OnLongMessage(const uint8_t* bytes, size_t count)
{
    const std::lock_guard<std::mutex> guard(lock_);
    if (recording_)
        received_.emplace_back(bytes, bytes + count);
    synth_.Receive(bytes, count);
}

void CSimVirtualPort::RecordReceived(bool on)
{
    const std::lock_guard<std::mutex> guard(lock_);
    recording_ = on;
}

std::vector<Bytes> CSimVirtualPort::TakeReceived()
{
    const std::lock_guard<std::mutex> guard(lock_);
    return std::exchange(received_, {});
}

size_t CSimVirtualPort::AdvanceUs(uint64_t us)
{
    std::vector<Bytes> due;
    {
        const std::lock_guard<std::mutex> guard(lock_);
        synth_.AdvanceUs(us);
        due = synth_.TakeOutput();
    }
    // Outside the lock: the program's input may answer on this thread.
    size_t delivered = 0;
    for (const Bytes& buffer : due)
        delivered += device_.Send(buffer);
    return delivered;
}

} // namespace sim
