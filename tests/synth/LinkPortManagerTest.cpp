// The port manager: ports from and to the preferences, one port serviced
// per idle step in turn, failed ports closed with an alert, and the current
// slot as the editor and the synthesizers move it.
#include "LinkRig.h"

#include "framework/menus/Menu.h"
#include "synth/protocol/ProtocolErrors.h"

#include <algorithm>

using namespace linkrig;

namespace {

int CountPings(CLinkRig& rig, size_t synth)
{
    const auto log = rig.SynthLog(synth);
    return static_cast<int>(std::count(log.begin(), log.end(), "identify ping"));
}

uint16_t InputIndex(CLinkRig& rig, size_t synth)
{
    uint16_t index = 0;
    EXPECT_TRUE(rig.Manager().GetInputRegistry().FindByName(rig.DeviceName(synth), index));
    return index;
}

uint16_t OutputIndex(CLinkRig& rig, size_t synth)
{
    uint16_t index = 0;
    EXPECT_TRUE(rig.Manager().GetOutputRegistry().FindByName(rig.DeviceName(synth), index));
    return index;
}

bool LogHas(CLinkRig& rig, size_t synth, const std::string& text)
{
    const auto log = rig.SynthLog(synth);
    return std::any_of(log.begin(), log.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

} // namespace

TEST(LinkPortManager, TheDeviceMenusListEveryDevice)
{
    CLinkRig rig(std::vector<sim::SimConfig>(2));
    CPortManager& manager = rig.Manager();
    EXPECT_EQ(manager.GetInputDeviceCount(), manager.GetInputRegistry().GetCount());
    EXPECT_EQ(manager.GetOutputDeviceCount(), manager.GetOutputRegistry().GetCount());
    ASSERT_EQ(manager.GetInputMenu().GetItemCount(), manager.GetInputDeviceCount());
    EXPECT_EQ(manager.GetInputMenu().GetItem(InputIndex(rig, 1)).label, rig.DeviceName(1));
    EXPECT_EQ(manager.GetOutputMenu().GetItem(OutputIndex(rig, 0)).label, rig.DeviceName(0));
    EXPECT_EQ(GetPortManager(), &manager);
}

TEST(LinkPortManager, WithoutOpenPortsTheIdleStepDoesNothing)
{
    CLinkRig rig;
    rig.Steps(3);
    EXPECT_TRUE(rig.SynthLog().empty());
    EXPECT_EQ(rig.Manager().CountSynths(), 0);
}

TEST(LinkPortManager, OpenPortsAreServicedInTurn)
{
    CLinkRig rig(std::vector<sim::SimConfig>(2));
    rig.OpenPort(1, 0);
    rig.OpenPort(3, 1);
    std::vector<std::pair<int, int>> pings;
    for (int i = 0; i < 4; ++i) {
        rig.Step();
        pings.emplace_back(CountPings(rig, 0), CountPings(rig, 1));
    }
    // 1, 3, 1, 3: each port's first step pings, its second connects.
    EXPECT_EQ(pings, (std::vector<std::pair<int, int>>{{1, 0}, {1, 1}, {1, 1}, {1, 1}}));
    EXPECT_EQ(rig.Port(1).GetStatus(), CSynthPort::kConnected);
    EXPECT_EQ(rig.Port(3).GetStatus(), CSynthPort::kConnected);
    EXPECT_EQ(rig.Manager().CountSynths(), 2);
}

TEST(LinkPortManager, TwoSynthesizersConnectAndLoadTheirSlots)
{
    CLinkRig rig(std::vector<sim::SimConfig>(2));
    rig.Synth(1).Settings().name = "Second";
    rig.OpenPort(0, 0);
    rig.OpenPort(2, 1);
    ASSERT_TRUE(rig.Settle(0));
    ASSERT_TRUE(rig.Settle(2));
    EXPECT_EQ(rig.Manager().GetDisplayName(2), "Second");
    EXPECT_EQ(rig.Manager().GetDisplayName(1), "");
    for (uint8_t port : {0, 2}) {
        for (uint8_t slot = 0; slot < 4; ++slot)
            EXPECT_NE(rig.patches.Find(port, slot), nullptr);
    }
    EXPECT_EQ(rig.patches.documents.size(), 8u);
}

// Two synthesizers of one name are told apart by their ports, and the alert
// of a failed port begins with the port, so the user knows which one to
// enable again.
TEST(LinkPortManager, SynthesizersNamedAlikeAreToldApartByTheirPorts)
{
    CLinkRig rig(std::vector<sim::SimConfig>(2));
    rig.patches.loadFromSynth = false;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle(0));
    EXPECT_EQ(rig.Manager().GetDisplayName(0), "Simulator");
    rig.OpenPort(2, 1);
    ASSERT_TRUE(rig.Settle(2));
    EXPECT_EQ(rig.Manager().GetDisplayName(0), "Simulator (Port 1)");
    EXPECT_EQ(rig.Manager().GetDisplayName(2), "Simulator (Port 3)");

    rig.Synth(1).Faults().identify = sim::SimIdentifyFault::NoReply;
    for (unsigned n = 1; n <= 4; ++n)
        rig.Synth(1).Faults().AtAnswer(rig.Synth(1).AnswerCount() + n, {sim::SimAnswerFault::Drop});
    rig.SynthObject(2).SendSynthSettings(rig.SynthObject(2).GetSettings());
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().GetPort(2) == nullptr; }, 1000));
    EXPECT_EQ(
        rig.application.alerts,
        std::vector<std::string>{"[STOP]Port 3: Lost contact.\rOpen the MIDI dialog and enable the port again.[OK]"});
    EXPECT_EQ(rig.Manager().GetDisplayName(0), "Simulator");
}

// The lowest port adopts its synthesizer's focus; a focus change on
// another synthesizer moves the current slot there, and the port that lost
// it is told.
TEST(LinkPortManager, TheCurrentSlotFollowsTheSynthesizersFocus)
{
    CLinkRig rig(std::vector<sim::SimConfig>(2));
    rig.Synth(0).PanelSlotFocus(1);
    rig.Synth(0).TakeOutput();
    rig.OpenPort(0, 0);
    rig.OpenPort(1, 1);
    ASSERT_TRUE(rig.Settle(0));
    ASSERT_TRUE(rig.Settle(1));
    CPortManager& manager = rig.Manager();
    EXPECT_EQ(manager.GetCurrentPort(), 0);
    EXPECT_EQ(manager.GetCurrentSlot(), 1);
    EXPECT_TRUE(rig.SynthObject(0).IsCurrentSlot(1));
    EXPECT_TRUE(LogHas(rig, 0, "SlotFocusRequest"));
    EXPECT_FALSE(LogHas(rig, 1, "SlotFocusRequest")) << "only the lowest port asks";
    rig.Synth(0).ClearLog();
    rig.Synth(1).ClearLog();

    rig.SimPort(1).With([](sim::CSimulator& s) {
        s.PanelSlotFocus(3);
        return 0;
    });
    ASSERT_TRUE(rig.StepUntil([&] { return manager.IsCurrentPort(1); }, 10));
    EXPECT_EQ(manager.GetCurrentSlot(), 3);
    EXPECT_EQ(manager.GetCurrentSlotOf(0), 4);
    EXPECT_EQ(manager.GetCurrentSlotOf(1), 3);
    EXPECT_EQ(rig.patches.Find(1, 3)->fronts, 1);
    ASSERT_TRUE(rig.StepUntil([&] { return LogHas(rig, 0, "SlotFocusDump"); }, 10))
        << "the port that lost the current slot is told";
    rig.Steps(4);
    EXPECT_FALSE(LogHas(rig, 1, "SlotFocusDump")) << "nothing is echoed back";

    // The editor's own choice goes to the synthesizer of that port.
    manager.SelectSlot(0, 2);
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Synth(0).FocusSlot() == 2; }, 10));
    EXPECT_TRUE(rig.SynthObject(0).IsCurrentSlot(2));
}

TEST(LinkPortManager, LosingTheCurrentPortMovesTheCurrentSlotToAnotherSynthesizer)
{
    CLinkRig rig(std::vector<sim::SimConfig>(2));
    rig.Synth(1).Selection() = {false, false, true, true};
    rig.OpenPort(0, 0);
    rig.OpenPort(1, 1);
    ASSERT_TRUE(rig.Settle(0));
    ASSERT_TRUE(rig.Settle(1));
    ASSERT_TRUE(rig.Manager().IsCurrentPort(0));
    rig.Manager().ClosePort(0);
    EXPECT_TRUE(rig.Manager().IsCurrentPort(1));
    EXPECT_EQ(rig.Manager().GetCurrentSlot(), 2) << "that synthesizer's first active slot";
    rig.Manager().ClosePort(1);
    EXPECT_FALSE(rig.Manager().HasCurrentSynth());
    EXPECT_TRUE(rig.Manager().IsStartingUp());
}

TEST(LinkPortManager, PortsOpenFromThePreferences)
{
    CLinkRig rig(std::vector<sim::SimConfig>(3));
    auto& ports = rig.preferences.ports;
    ports[0] = {true, rig.DeviceName(1), rig.DeviceName(1)};
    ports[1] = {true, rig.DeviceName(1), rig.DeviceName(2)}; // the input of port 0 again
    ports[2] = {false, rig.DeviceName(2), rig.DeviceName(2)};
    ports[3] = {true, "Unplugged", "Unplugged"};
    rig.Manager().OpenPortsFromPreferences();
    CPortManager& manager = rig.Manager();
    ASSERT_NE(manager.GetPort(0), nullptr);
    EXPECT_EQ(manager.GetInputIndex(0), InputIndex(rig, 1));
    EXPECT_EQ(manager.GetPort(1), nullptr) << "the lower port has that input";
    EXPECT_EQ(manager.GetInputIndex(1), InputIndex(rig, 1));
    EXPECT_EQ(manager.GetOutputIndex(1), OutputIndex(rig, 2));
    EXPECT_EQ(manager.GetPort(2), nullptr) << "not enabled";
    EXPECT_EQ(manager.GetInputIndex(2), InputIndex(rig, 2));
    // A name that is not listed: the port stays closed and keeps the name,
    // never taking another port's device.
    EXPECT_EQ(manager.GetPort(3), nullptr);
    EXPECT_EQ(manager.GetInputIndex(3), CPortManager::kNotListed);
    EXPECT_EQ(manager.GetOutputIndex(3), CPortManager::kNotListed);
    EXPECT_EQ(manager.GetInputName(3), "Unplugged");
    manager.StorePortsInPreferences();
    EXPECT_EQ(rig.preferences.ports[3].input, "Unplugged");
    EXPECT_EQ(rig.preferences.ports[3].output, "Unplugged");
}

TEST(LinkPortManager, PortsAreStoredInThePreferences)
{
    CLinkRig rig(std::vector<sim::SimConfig>(2));
    rig.OpenPort(2, 1);
    rig.Manager().SetPortDevices(1, InputIndex(rig, 0), OutputIndex(rig, 1));
    rig.Manager().StorePortsInPreferences();
    const auto& ports = rig.preferences.ports;
    EXPECT_TRUE(ports[2].enabled);
    EXPECT_EQ(ports[2].input, rig.DeviceName(1));
    EXPECT_EQ(ports[2].output, rig.DeviceName(1));
    EXPECT_FALSE(ports[1].enabled);
    EXPECT_EQ(ports[1].input, rig.DeviceName(0));
    EXPECT_EQ(ports[1].output, rig.DeviceName(1));
    EXPECT_FALSE(ports[0].enabled);
    EXPECT_EQ(rig.preferences.saves, 1);
}

TEST(LinkPortManager, APortWithoutDevicesCannotOpen)
{
    CLinkRig rig;
    const uint16_t beyond = rig.Manager().GetInputDeviceCount();
    EXPECT_THROW(rig.Manager().OpenPort(0, beyond, 0), XNoMidiPorts);
    EXPECT_EQ(rig.Manager().GetPort(0), nullptr);
}

// The synthesizer-level accessors the dialogs use.
TEST(LinkPortManager, SettingsGoToTheSynthesizerOnAPort)
{
    CLinkRig rig;
    rig.patches.loadFromSynth = false;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    CPortManager& manager = rig.Manager();
    EXPECT_TRUE(manager.HasCurrentSynthSettings());
    const uint32_t stamp = manager.GetSynthSettingsTime(0);
    CSynthSettings settings = manager.GetSynthSettings(0);
    settings.SetName("Renamed");
    settings.SetMasterTune(-20);
    EXPECT_TRUE(manager.SendSynthSettings(0, settings));
    EXPECT_EQ(manager.GetSynthSettings(0), settings) << "the editor's state follows what it sent";
    EXPECT_GE(manager.GetSynthSettingsTime(0), stamp);
    // While that awaits its answer another record is refused, not queued.
    CSynthSettings later = settings;
    later.SetMasterTune(30);
    EXPECT_FALSE(manager.SendSynthSettings(0, later));
    EXPECT_EQ(manager.GetSynthSettings(0), settings);
    rig.Steps(2);
    EXPECT_EQ(rig.Synth().Settings().name, "Renamed");
    EXPECT_EQ(rig.Synth().Settings().masterTune, -20);
    EXPECT_EQ(manager.GetSlotCount(0), 4);
    EXPECT_TRUE(manager.SlotHasPatch(0, 3));
    EXPECT_EQ(manager.GetSlotPatchName(0, 3), "Unknown");
}
