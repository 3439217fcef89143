#include "tests/updater/support/UpdateLinkFixture.h"

#include "framework/menus/Menu.h"

#include <chrono>
#include <thread>

namespace updatertest {

void WaitForInputDelivery(platform::VirtualMidiDevice& device)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (device.IsInputStarted() && device.InputBuffersQueued() < NSHarrowen::CMMEMIDIInput::kBufferCount &&
           std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
}

uint16_t FindPort(NSHarrowen::CMenu& menu, const std::string& name)
{
    for (int i = 0; i < menu.GetItemCount(); ++i)
        if (menu.GetItem(i).label == name)
            return static_cast<uint16_t>(i);
    ADD_FAILURE() << "no port " << name;
    return 0;
}

void UpdateLinkTest::Start(const SyntheticImage& syntheticImage, bool openPorts)
{
    port = std::make_unique<sim::CSimUpdatePort>(synth, kSimDeviceName);
    const std::vector<uint8_t> bytes = syntheticImage.Bytes();
    image = NSBootwren::CUpdateFile::Read(bytes.data(), bytes.size());
    link = std::make_unique<NSBootwren::CUpdateLink>(*image);
    if (openPorts) {
        ASSERT_TRUE(link->OpenPorts(FindPort(link->GetInputMenu(), kSimDeviceName),
                                    FindPort(link->GetOutputMenu(), kSimDeviceName)));
    }
}

void UpdateLinkTest::Tick()
{
    port->Deliver();
    WaitForInputDelivery(port->Device());
    link->Tick();
    WaitForInputDelivery(port->Device());
}

void UpdateLinkTest::Run(uint64_t ms)
{
    const uint64_t end = Now() + ms;
    while (Now() < end) {
        clock.Advance(50);
        Tick();
    }
}

void UpdateLinkTest::RunUntil(const std::function<bool()>& done, uint64_t limitMs)
{
    const uint64_t end = Now() + limitMs;
    while (Now() < end && !done()) {
        clock.Advance(1);
        Tick();
    }
}

void UpdateLinkTest::RunDump(uint64_t limitMs)
{
    const uint64_t end = Now() + limitMs;
    while (Now() < end && link->GetDumpState() != NSBootwren::kDumpDone &&
           link->GetDumpState() != NSBootwren::kDumpFailed) {
        clock.Advance(10);
        Tick();
    }
}

} // namespace updatertest
