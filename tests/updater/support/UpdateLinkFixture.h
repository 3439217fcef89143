#pragma once

// A link on the update-mode simulated synthesizer, plugged in as a virtual MIDI
// device, on a virtual clock.

#include "framework/midi/MMEMIDIInput.h"
#include "platform/system/Clock.h"
#include "simulator/update/SimUpdatePort.h"
#include "tests/updater/support/SyntheticImages.h"
#include "updater/image/UpdateFile.h"
#include "updater/link/UpdateLink.h"
#include "platform/system/VirtualClock.h"
#include "platform/system/ScopedClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace updatertest {

inline constexpr const char* kSimDeviceName = "Update Synth";

// Waits (in real time) until the MIDI worker has handed on everything the
// device sent: all input buffers are back with the device.
void WaitForInputDelivery(platform::VirtualMidiDevice& device);

// The index of a port name in a port menu.
uint16_t FindPort(NSHarrowen::CMenu& menu, const std::string& name);

class UpdateLinkTest : public ::testing::Test {
protected:
    // Plugs in the simulator, loads the image and opens the link's ports on it.
    void Start(const SyntheticImage& image, bool openPorts = true);
    // One idle step: due answers are delivered, then the link ticks.
    void Tick();
    // Lets `ms` of virtual time pass in idle steps of 50 ms.
    void Run(uint64_t ms);
    // Ticks every 10 ms until the dump has ended (Done or Failed), at most `limitMs`.
    void RunDump(uint64_t limitMs = 300000);
    // Ticks every millisecond until `done` holds, at most `limitMs`.
    void RunUntil(const std::function<bool()>& done, uint64_t limitMs = 10000);
    uint64_t Now() { return clock.Now(); }

    platform::CVirtualClock clock{1000};
    platform::CScopedClock scopedClock{clock};
    sim::CSimUpdateSynth synth;
    std::unique_ptr<sim::CSimUpdatePort> port;
    std::unique_ptr<NSBootwren::CUpdateFile> image;
    std::unique_ptr<NSBootwren::CUpdateLink> link;

    void TearDown() override
    {
        link.reset();
        port.reset();
    }
};

} // namespace updatertest
