#include "MidiTestSupport.h"

#include "framework/base/Exceptions.h"
#include "framework/midi/MIDIOutput.h"
#include "platform/midi/MidiDevices.h"
#include "platform/midi/MidiSystem.h"

using namespace NSHarrowen;
using namespace miditest;
using platform::MidiTechnology;
using platform::VirtualMidiDevice;

namespace {

// The system's number of an output device by its name.
int SystemOutputNumber(const std::string& name)
{
    const unsigned count = platform::MidiOutDeviceCount();
    for (unsigned id = 0; id < count; ++id) {
        platform::MidiDeviceCaps caps;
        if (platform::MidiOutDeviceCaps(id, caps) == platform::midierr::kOk && caps.name == name)
            return static_cast<int>(id);
    }
    return -1;
}

} // namespace

TEST(PortRegistry, OnlyMidiPortOutputsAreListedUnderTheirSystemNumbers)
{
    VirtualMidiDevice port1({.name = "Registry Port 1"});
    VirtualMidiDevice synth({.name = "Registry Soft Synth", .technology = MidiTechnology::SoftwareSynth});
    VirtualMidiDevice mapper({.name = "Registry Mapper", .technology = MidiTechnology::Mapper, .input = false});
    VirtualMidiDevice port2({.name = "Registry Port 2"});
    Registries registries;

    uint16_t index = 0;
    EXPECT_FALSE(registries.outputs.FindByName("Registry Soft Synth", index));
    EXPECT_FALSE(registries.outputs.FindByName("Registry Mapper", index));
    // Inputs are all listed, whatever they are.
    EXPECT_TRUE(registries.inputs.FindByName("Registry Soft Synth", index));
    EXPECT_FALSE(registries.inputs.FindByName("Registry Mapper", index));

    const CRegisteredMIDIOutput& first = registries.Output("Registry Port 1");
    const CRegisteredMIDIOutput& second = registries.Output("Registry Port 2");
    EXPECT_EQ(first.GetDeviceID(), SystemOutputNumber("Registry Port 1"));
    // The two skipped devices leave a gap.
    EXPECT_EQ(second.GetDeviceID(), first.GetDeviceID() + 3);
    EXPECT_EQ(first.GetKindName(), "MME");

    // The number opens the right device.
    RecordingHandler handler;
    VirtualMidiDevice listening({.name = "Registry Listener"}, &handler);
    Registries withListener;
    auto output = withListener.Output("Registry Listener").CreatePort();
    EXPECT_EQ(output->SendShortMessage(0xC0, 5, 0), 0u);
    EXPECT_EQ(handler.shortMessages, (std::vector<uint32_t>{0x05C0}));
}

TEST(PortRegistry, NamesCutToTheKeptLengthStayUnique)
{
    const std::string common = "A Very Long USB MIDI Interface Name, port ";
    VirtualMidiDevice a({.name = common + "1"});
    VirtualMidiDevice b({.name = common + "2"});
    VirtualMidiDevice c({.name = common + "3"});
    Registries registries;

    const std::vector<std::string> expected{
        "A Very Long USB MIDI Interface ",
        "A Very Long USB MIDI Interfa #2",
        "A Very Long USB MIDI Interfa #3",
    };
    for (const std::string& name : expected) {
        uint16_t index = 0;
        ASSERT_TRUE(registries.inputs.FindByName(name, index)) << name;
        EXPECT_LE(registries.inputs.GetAt(index)->GetName().size(), kMaxMIDIDeviceName);
        ASSERT_TRUE(registries.outputs.FindByName(name, index)) << name;
    }

    // Each name opens its own device.
    RecordingHandler handlerB;
    VirtualMidiDevice::Options optionsB{.name = common + "9"};
    VirtualMidiDevice b9(optionsB, &handlerB);
    Registries again;
    auto output = again.Output("A Very Long USB MIDI Interfa #4").CreatePort();
    output->SendShortMessage(0xF8, 0, 0);
    EXPECT_EQ(handlerB.shortMessages.size(), 1u);
}

TEST(PortRegistry, CutNeverSplitsACharacter)
{
    // 30 ASCII bytes and a two-byte character that would end at byte 32.
    const std::string name = std::string(30, 'x') + "\xC3\xA9" + "tail";
    EXPECT_EQ(FitMIDIDeviceName(name), std::string(30, 'x'));
    EXPECT_EQ(FitMIDIDeviceName("short"), "short");
}

TEST(PortRegistry, LookupAndDeletion)
{
    CInputPortRegistry registry;
    registry.Append(std::make_unique<CRegisteredMMEMIDIInput>("One", 4));
    registry.Append(std::make_unique<CRegisteredMMEMIDIInput>("Two", 7));
    uint16_t index = 99;
    EXPECT_TRUE(registry.FindByName("Two", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(registry.FindByName("two", index)); // exact case
    EXPECT_EQ(registry.GetAt(1)->GetDeviceID(), 7);
    EXPECT_EQ(registry.GetAt(2), nullptr);
    registry.DeleteAll();
    EXPECT_EQ(registry.GetCount(), 0);
}

TEST(PortRegistry, DeviceGoneSinceTheListFailsToOpen)
{
    auto device = std::make_unique<VirtualMidiDevice>(VirtualMidiDevice::Options{.name = "Short Lived"});
    Registries registries;
    device.reset();
    RecordingReceiver receiver;
    EXPECT_THROW(registries.Input("Short Lived").CreatePort(receiver), XFailedOpeningMIDIPort);
    EXPECT_THROW(registries.Output("Short Lived").CreatePort(), XFailedOpeningMIDIPort);
}

TEST(PortRegistry, AlsaPortsShowWithoutTheirChangingNumbers)
{
    struct Case {
        const char* port;
        const char* shown;
    };
    const Case cases[] = {
        {"USB Keys:USB Keys MIDI 1 20:0", "USB Keys MIDI 1"},
        {"Midi Through:Midi Through Port-0 14:0", "Midi Through Port-0"},
        {"UM-ONE:Port A 24:1", "UM-ONE:Port A"}, // the client name tells the ports apart
        {"Synth 2:Synth 2 128:12", "Synth 2"},   // numbers only at the very end go
        {"Plain name", "Plain name"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::AlsaPortDisplayName(c.port), c.shown) << c.port;
}

TEST(PortRegistry, APortBelongsToAClientByItsNameOrTheNameJackGaveInItsStead)
{
    struct Case {
        const char* port;
        bool own;
    };
    const Case cases[] = {
        {"Patchora:out", true},           {"Patchora-02:out", true}, // a second client of the name
        {"Patchora:in 129:0", true},                                 // ALSA
        {"Patchora Keys:out", false},                                // another program's name that starts alike
        {"Patchora-Keys:out", false},     {"Patchora-:out", false},  {"Patchora", false},
        {"Simulated Patchora:in", false}, {"patchora:out", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::IsPortOfClient(c.port, "Patchora"), c.own) << c.port;
    EXPECT_FALSE(platform::IsPortOfClient(":out", ""));
}
