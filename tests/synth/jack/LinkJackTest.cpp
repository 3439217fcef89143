// The editor's port over real MIDI: simsynthd on the tests' JACK server,
// reached through the machine's MIDI devices as the editor reaches them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/support/ScopedProcess.h"
#include "tests/synth/LinkRig.h"
#include "tests/support/RequiredTools.h"

using namespace linkrig;

TEST(LinkJack, TheEditorsPortConnectsToSimsynthd)
{
    if (testsupport::Unavailable({.jackServer = true}))
        return;
    setenv("TORVAN_MIDI_API", "jack", 1);
    // Short: device names are kept to 31 characters, JACK's client prefix
    // included.
    const std::string name = "lk" + std::to_string(getpid());
    testsupport::ScopedProcess daemon({SIMSYNTHD_PATH, "--api", "jack", "--name", name, "--model", "pebix"});
    ASSERT_TRUE(daemon.Started());

    CFakeApplication application;
    CFakePreferences preferences;
    CRecordingPatchManager patches;
    patches.loadFromSynth = false;
    CMoleculeRegistry registry;
    RegisterReceivedMolecules(registry);
    SetMoleculeRegistry(&registry);

    std::vector<uint16_t> devices;
    std::unique_ptr<CPortManager> manager =
        ManagerSeeing(CPortManagerServices{application, preferences, patches}, {name}, devices);
    ASSERT_NE(manager, nullptr) << "simsynthd's ports did not appear";
    manager->OpenPort(0, devices[0], devices[1]);

    // JACK makes the connections a little later: an unanswered first ping
    // is followed by another once it is overdue.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!manager->HasSynth(0) && manager->GetPort(0) != nullptr && std::chrono::steady_clock::now() < deadline) {
        manager->Idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_NE(manager->GetPort(0), nullptr) << (application.alerts.empty() ? "" : application.alerts[0]);
    EXPECT_EQ(manager->GetPort(0)->GetStatus(), CSynthPort::kConnected);
    EXPECT_EQ(manager->GetPort(0)->GetStatusText(), "Pebix V3.03");

    // The state exchange runs over the cable too.
    while (manager->HasSynth(0) && !manager->GetSynth(0)->HasSettings() &&
           std::chrono::steady_clock::now() < deadline) {
        manager->Idle();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(manager->HasSynth(0));
    EXPECT_TRUE(manager->GetSynth(0)->HasSettings());
    manager.reset();
    SetMoleculeRegistry(nullptr);
}
