#include "simulator/update/SimUpdatePort.h"

#include "platform/system/Clock.h"

namespace sim {

CSimUpdatePort::CSimUpdatePort(CSimUpdateSynth& synth, const std::string& deviceName)
    : synth_(synth), device_(platform::VirtualMidiDevice::Options{deviceName}, this)
{ }

CSimUpdatePort::~CSimUpdatePort() = default;

void CSimUpdatePort::OnLongMessage(const uint8_t* bytes, size_t count)
{
    {
        const std::lock_guard<std::mutex> guard(lock_);
        synth_.Receive(bytes, count, platform::NowMilliseconds());
    }
    Deliver();
}

size_t CSimUpdatePort::Deliver()
{
    std::vector<SimUpdateOutput> due;
    {
        const std::lock_guard<std::mutex> guard(lock_);
        due = synth_.TakeDue(platform::NowMilliseconds());
    }
    // Outside the lock: the program's input may answer on this thread.
    size_t sent = 0;
    for (const SimUpdateOutput& block : due)
        sent += device_.Send(block.bytes);
    return sent;
}

} // namespace sim
