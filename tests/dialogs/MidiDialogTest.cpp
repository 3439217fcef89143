#include "tests/dialogs/DialogsFixture.h"

#include "dialogs/midi/DialogMIDI.h"
#include "dialogs/synthsettings/DialogSynthSettings.h"
#include "editor/app/EditorCommands.h"
#include "editor/controls/SlotButton.h"
#include "editor/windows/PatchView.h"
#include "editor/toolbar/TBPortRow.h"
#include "editor/toolbar/TBWindow.h"
#include "editor/patches/PatchManager.h"
#include "editor/prefs/Preferences.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/TextEditView.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuBar.h"
#include "framework/views/GroupBoxView.h"
#include "framework/views/StaticTextView.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "patch/document/Patch.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"

using namespace NSHarrowen;
using namespace dialogstest;

namespace {

class MidiDialogTest : public DialogsTest {
protected:
    using Row = CDialogMIDI::CPortRow;
    using MidiStep = ScriptStep<CDialogMIDI>;

    // A simulated synthesizer that calls itself by `name`.
    std::string PlugNamed(const std::string& name)
    {
        Rig& rig = Plug();
        rig.synth->Settings().name = name;
        return rig.device;
    }
    static MidiStep Act(std::function<void(CDialogMIDI&)> action) { return Do<CDialogMIDI>(std::move(action)); }
    MidiStep ClickEnabled(uint8_t port)
    {
        return Act([this, port](CDialogMIDI& d) { Click(d.GetRow(port).enabled); });
    }
    MidiStep ClickButton(CPushButtonView* (CDialogMIDI::*button)() const)
    {
        return Act([this, button](CDialogMIDI& d) { Click((d.*button)()); });
    }
    // Picks a device by name in a port's input or output pop-up: two
    // clicks, one to drop the list down and one on the entry.
    std::vector<MidiStep> Pick(uint8_t port, bool input, const std::string& device)
    {
        const auto popup = [port, input](CDialogMIDI& d) {
            return input ? d.GetRow(port).input : d.GetRow(port).output;
        };
        return {Act([this, popup](CDialogMIDI& d) { DropDown(popup(d)); }),
                Act([this, popup, input, device](CDialogMIDI& d) {
                    PickDropped(popup(d), input ? InputIndex(device) : OutputIndex(device));
                })};
    }
    std::vector<MidiStep> PickBoth(uint8_t port, const std::string& device)
    {
        std::vector<MidiStep> steps = Pick(port, true, device);
        for (MidiStep& step : Pick(port, false, device))
            steps.push_back(std::move(step));
        return steps;
    }
    static MidiStep WaitFor(std::function<bool(CDialogMIDI&)> condition) { return condition; }
    // Runs the MIDI set-up with the steps, as Ctrl+M does.
    void Setup(std::vector<std::vector<MidiStep>> parts)
    {
        std::vector<MidiStep> steps;
        for (auto& part : parts)
            for (MidiStep& step : part)
                steps.push_back(std::move(step));
        Script<CDialogMIDI>(std::move(steps));
        PressCtrl('M');
        Step(100);
        EXPECT_TRUE(ScriptDone());
    }
    // The port table as the preferences file holds it.
    struct SavedPort {
        bool enabled;
        std::string input;
        std::string output;
        bool operator==(const SavedPort&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const SavedPort& port)
        {
            return out << (port.enabled ? "enabled " : "disabled ") << port.input << " / " << port.output;
        }
    };
    SavedPort Saved(uint8_t port)
    {
        CPreferences saved;
        saved.Load();
        return {saved.IsPortEnabled(port), saved.GetPortInputName(port), saved.GetPortOutputName(port)};
    }
    bool AlertSaid(const std::string& text) const
    {
        for (const std::string& alert : alerts)
            if (alert.find(text) != std::string::npos)
                return true;
        return false;
    }
};

} // namespace

TEST_F(MidiDialogTest, ApplyOpensTheChangedPortAndItsStatusFollowsTheSynthesizer)
{
    const std::string synth = PlugNamed("Stage Kandrel");
    const std::string plain = UniqueDeviceName("Plain Device");
    PlugDevice(plain);
    LaunchWithPorts({});
    std::vector<std::string> statuses;
    Setup({{Act([](CDialogMIDI& d) {
                EXPECT_EQ(d.GetTitle(), "MIDI Setup");
                EXPECT_EQ(d.GetClientRect().Height(), 356 + 5);
                EXPECT_EQ(d.GetWindowRectInFrame().Width(), 440);
                EXPECT_EQ(d.GetFocusView(), d.GetRow(0).enabled);
                EXPECT_EQ(d.GetHelpContext(), 70u);
                for (uint8_t port = 0; port < 4; ++port) {
                    const Row& row = d.GetRow(port);
                    const auto top = static_cast<int16_t>(80 * port);
                    EXPECT_EQ(row.box->GetFrame(), CRect(5, top + 5, 430, top + 82));
                    EXPECT_EQ(row.input->GetFrame(), CRect(30, top + 29, 210, top + 50));
                    EXPECT_EQ(row.output->GetFrame(), CRect(240, top + 29, 420, top + 50));
                    EXPECT_FALSE(row.enabled->IsChecked());
                    EXPECT_FALSE(row.input->IsEnabled());
                    EXPECT_EQ(row.status->GetText(), "");
                }
                EXPECT_FALSE(d.GetApplyButton()->IsEnabled());
            }),
            ClickEnabled(0), Act([](CDialogMIDI& d) {
                EXPECT_TRUE(d.GetRow(0).enabled->IsChecked());
                EXPECT_TRUE(d.GetRow(0).input->IsEnabled());
                EXPECT_TRUE(d.GetApplyButton()->IsEnabled());
            })},
           PickBoth(0, synth),
           {ClickButton(&CDialogMIDI::GetApplyButton), WaitFor([&](CDialogMIDI& d) {
                const std::string& text = d.GetRow(0).status->GetText();
                if (statuses.empty() || statuses.back() != text)
                    statuses.push_back(text);
                return text == "Stage Kandrel";
            })},
           // Changing a device and changing it back leaves nothing to apply.
           Pick(0, false, plain),
           {Act([](CDialogMIDI& d) { EXPECT_TRUE(d.GetApplyButton()->IsEnabled()); })},
           Pick(0, false, synth),
           {Act([](CDialogMIDI& d) { EXPECT_FALSE(d.GetApplyButton()->IsEnabled()); }),
            ClickButton(&CDialogMIDI::GetOkButton)}});
    EXPECT_TRUE(alerts.empty());
    ASSERT_GE(statuses.size(), 2u); // the link's own status before the synthesizer's name
    EXPECT_NE(statuses.front(), "Stage Kandrel");
    EXPECT_TRUE(Ports().HasSynth(0));
    EXPECT_EQ(Ports().GetInputIndex(0), InputIndex(synth));
    EXPECT_EQ(Saved(0), (SavedPort{true, synth, synth}));
    EXPECT_EQ(Saved(1), (SavedPort{false, synth, synth})); // closed ports keep their (first) devices
}

TEST_F(MidiDialogTest, APortClosedByApplyIsStoredDisabledAndCancelKeepsWhatApplyDid)
{
    const std::string synth = PlugNamed("Rack");
    LaunchWithPorts({synth});
    ASSERT_TRUE(Settle(0));
    Setup({{WaitFor([](CDialogMIDI& d) { return d.GetRow(0).status->GetText() == "Rack"; }),
            Act([](CDialogMIDI& d) { EXPECT_TRUE(d.GetRow(0).enabled->IsChecked()); }), ClickEnabled(0),
            ClickButton(&CDialogMIDI::GetApplyButton), Act([this, synth](CDialogMIDI&) {
                EXPECT_EQ(Ports().GetPort(0), nullptr);
                EXPECT_EQ(Saved(0), (SavedPort{false, synth, synth}));
            }),
            WaitFor([](CDialogMIDI& d) { return d.GetRow(0).status->GetText().empty(); }), ClickEnabled(0),
            ClickButton(&CDialogMIDI::GetApplyButton),
            WaitFor([](CDialogMIDI& d) { return d.GetRow(0).status->GetText() == "Rack"; }), ClickEnabled(0),
            ClickButton(&CDialogMIDI::GetCancelButton)}});
    // Cancel applied nothing more: the reopened port stays open.
    EXPECT_TRUE(Ports().HasSynth(0));
    EXPECT_EQ(Saved(0), (SavedPort{true, synth, synth}));
}

// The synthesizer commands act on the patch in front. A second synthesizer
// enabled while a patch of the first one's is active loads its own slots
// but leaves Ctrl+G on the first one; bringing a patch to the front by the
// toolbar, Ctrl+Tab, the Window menu or a click on its caption moves the
// command to that patch's synthesizer.
TEST_F(MidiDialogTest, CtrlGOpensTheSettingsOfThePatchInFrontsSynthesizer)
{
    const std::string first = PlugNamed("Bench One");
    const std::string second = PlugNamed("Bench Two");
    LaunchWithPorts({first});
    ASSERT_TRUE(Settle(0));
    Choose(editorcommands::kUploadActiveSlot);
    Step(100);
    CPatch* const left = List().GetActivePatch();
    ASSERT_NE(left, nullptr);
    uint8_t activePort = 4;
    ASSERT_TRUE(left->GetPortIndex(activePort));
    ASSERT_EQ(activePort, 0);

    Setup({{ClickEnabled(1)}, PickBoth(1, second), {ClickButton(&CDialogMIDI::GetOkButton)}});
    ASSERT_TRUE(Settle(1));
    Step(500);
    ASSERT_EQ(List().GetActivePatch(), left);

    // The synthesizer whose settings Ctrl+G opens.
    const auto settingsOpened = [this] {
        std::string shown;
        Script<CDialogSynthSettings>({Do<CDialogSynthSettings>([&](CDialogSynthSettings& d) {
            shown = d.GetNameField()->GetText();
            Click(d.GetCancelButton());
        })});
        PressCtrl('G');
        Step(100);
        EXPECT_TRUE(ScriptDone());
        return shown;
    };
    EXPECT_EQ(settingsOpened(), "Bench One");

    // The second synthesizer's slot A chosen on the toolbar and its patch
    // shown.
    ClickAt(&GetToolbarWindow()->GetPortRow(1).GetSlotButton(0), 4, 4);
    Step(100);
    Choose(editorcommands::kUploadActiveSlot);
    ASSERT_TRUE(StepUntil([this] {
        uint8_t port = 4;
        return List().GetActivePatch() && List().GetActivePatch()->GetPortIndex(port) && port == 1;
    }));
    CPatch* const right = List().GetActivePatch();
    EXPECT_EQ(settingsOpened(), "Bench Two");

    PressCtrl(platform::kVKTab);
    Step(100);
    ASSERT_EQ(List().GetActivePatch(), left);
    EXPECT_EQ(settingsOpened(), "Bench One");

    // The Window menu's entry of the second synthesizer's patch.
    UpdateMenus();
    uint32_t entry = 0;
    for (int m = 0; m < app->GetMenuBar()->GetMenuCount(); ++m) {
        const CMenu& menu = *app->GetMenuBar()->GetMenu(m);
        for (int i = 0; i < menu.GetItemCount(); ++i)
            if (menu.GetItem(i).command >= kFirstWindowCommand && menu.GetItem(i).label == right->GetTitle())
                entry = menu.GetItem(i).command;
    }
    ASSERT_NE(entry, 0u) << right->GetTitle();
    Choose(entry);
    Step(100);
    ASSERT_EQ(List().GetActivePatch(), right);
    EXPECT_EQ(settingsOpened(), "Bench Two");

    // Side by side, a click on the first one's caption.
    Choose(editorcommands::kTileVertically);
    Step(100);
    const platform::Rect frame = platform::GetWindowRect(static_cast<CPatchView*>(left->GetWindow())->GetHandle());
    desktop.Host().Click({(frame.left + frame.right) / 2,
                          frame.top + platform::GetSystemMetric(platform::Metric::SizingFrameY) +
                              platform::GetSystemMetric(platform::Metric::CaptionHeight) / 2});
    Step(100);
    ASSERT_EQ(List().GetActivePatch(), left);
    EXPECT_EQ(settingsOpened(), "Bench One");
}

TEST_F(MidiDialogTest, TwoEnabledPortsOnOneDeviceAreRefusedAndOkKeepsTheDialogOpen)
{
    const std::string synth = PlugNamed("Shared");
    const std::string plain = UniqueDeviceName("Second Device");
    PlugDevice(plain);
    LaunchWithPorts({synth});
    ASSERT_TRUE(Settle(0));
    Setup({{ClickEnabled(1)},
           PickBoth(1, synth),
           {ClickButton(&CDialogMIDI::GetOkButton), Act([this](CDialogMIDI& d) {
                EXPECT_TRUE(AlertSaid("Make sure each port uses a unique device."));
                EXPECT_EQ(Ports().GetPort(1), nullptr);
                EXPECT_TRUE(d.GetRow(1).enabled->IsChecked()); // the user's values stay
            })},
           // The same device on the input only is refused as well.
           Pick(1, false, plain),
           {ClickButton(&CDialogMIDI::GetApplyButton), Act([this](CDialogMIDI& d) {
                EXPECT_EQ(alerts.size(), 2u);
                EXPECT_EQ(Ports().GetPort(1), nullptr);
                // The keys are back with the button that had them.
                EXPECT_EQ(d.GetFocusView(), d.GetApplyButton());
            })},
           Pick(1, true, plain),
           {ClickButton(&CDialogMIDI::GetOkButton)}});
    EXPECT_EQ(alerts.size(), 2u);
    EXPECT_NE(Ports().GetPort(1), nullptr);
    // Ports 2 and 3 name the same (first) device, but they are disabled.
    EXPECT_EQ(Ports().GetInputIndex(2), Ports().GetInputIndex(3));
    EXPECT_EQ(Saved(1), (SavedPort{true, plain, plain}));
}

TEST_F(MidiDialogTest, PortsThatCannotOpenAreReportedShownDisabledAndTheOthersStillApplied)
{
    struct Case {
        const char* what;
        platform::MidiResult failure;
        const char* alert;
    };
    const Case cases[] = {
        {"Busy", platform::midierr::kAllocated, "MIDI problems: The MIDI device is already in use."},
        {"Silent", 99, "MIDI problems: Could not open port."},
    };
    std::vector<std::string> failing;
    for (const Case& c : cases) {
        failing.push_back(UniqueDeviceName(std::string("Failing ") + c.what));
        PlugDevice(failing.back()).FailOpen(c.failure);
    }
    const std::string synth = PlugNamed("Survivor");
    LaunchWithPorts({});
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.what);
        alerts.clear();
        const uint8_t good = static_cast<uint8_t>(1 + i);
        Setup({{ClickEnabled(0)},
               PickBoth(0, failing[i]),
               {ClickEnabled(good)},
               PickBoth(good, synth),
               {ClickButton(&CDialogMIDI::GetApplyButton), Act([](CDialogMIDI& d) {
                    EXPECT_FALSE(d.GetRow(0).enabled->IsChecked());
                    EXPECT_FALSE(d.GetRow(0).input->IsEnabled());
                    EXPECT_FALSE(d.GetApplyButton()->IsEnabled());
                }),
                ClickEnabled(good), ClickButton(&CDialogMIDI::GetOkButton)}});
        ASSERT_EQ(alerts.size(), 1u);
        EXPECT_NE(alerts[0].find(c.alert), std::string::npos) << alerts[0];
        EXPECT_EQ(Ports().GetPort(0), nullptr);
        EXPECT_EQ(Saved(0), (SavedPort{false, failing[i], failing[i]}));
    }
}

TEST_F(MidiDialogTest, AnOpenFailureOtherThanTheDevicesIsReportedAsOutOfMemory)
{
    // An input and no output device at all: the port cannot be made.
    const std::string lonely = UniqueDeviceName("Input Only");
    devices.push_back(std::make_unique<platform::VirtualMidiDevice>(
        platform::VirtualMidiDevice::Options{lonely, platform::MidiTechnology::Port, true, false}));
    LaunchWithPorts({});
    Setup({{ClickEnabled(0), ClickButton(&CDialogMIDI::GetOkButton)}});
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find("MIDI problems: Could not open port. Out of memory."), std::string::npos);
    EXPECT_EQ(Ports().GetPort(0), nullptr);
    EXPECT_FALSE(Saved(0).enabled);
}

TEST_F(MidiDialogTest, ReopeningAPortOnOtherDevicesDropsTheOldSynthesizerFirst)
{
    const std::string first = PlugNamed("First");
    const std::string second = PlugNamed("Second");
    LaunchWithPorts({first});
    ASSERT_TRUE(Settle(0));
    const CSynth* old = Ports().GetSynth(0);
    Setup({PickBoth(0, second),
           {ClickButton(&CDialogMIDI::GetApplyButton), Act([this, old](CDialogMIDI&) {
                EXPECT_NE(Ports().GetPort(0), nullptr);
                EXPECT_FALSE(Ports().HasSynth(0) && Ports().GetSynth(0) == old);
                EXPECT_FALSE(rigs[0]->port->Device().IsInputOpen());
            }),
            WaitFor([](CDialogMIDI& d) { return d.GetRow(0).status->GetText() == "Second"; }),
            ClickButton(&CDialogMIDI::GetOkButton)}});
    EXPECT_TRUE(alerts.empty());
    EXPECT_EQ(Saved(0), (SavedPort{true, second, second}));
}

// The dialog reads the device lists each time it opens: an interface
// plugged in after the start is there the next time; a port's device that
// went shows by its name, "(not connected)", and the port stays as it is
// until another is chosen; a disabled port shows its own stored devices.
TEST_F(MidiDialogTest, EachOpeningReadsTheDevicesAgainAndAGoneDeviceShowsNotConnected)
{
    Rig& first = Plug();
    const std::string firstDevice = first.device;
    const std::string gone = UniqueDeviceName("Unplugged Interface");
    Launch([&] {
        CPreferences preferences;
        preferences.SetPortEnabled(0, true);
        preferences.SetPortInputName(0, firstDevice);
        preferences.SetPortOutputName(0, firstDevice);
        preferences.SetPortEnabled(2, false);
        preferences.SetPortInputName(2, gone);
        preferences.SetPortOutputName(2, gone);
        preferences.Save();
    });
    ASSERT_TRUE(Settle(0));
    const auto shown = [](const CDialogMIDI& d, uint8_t port, bool input) {
        const Row& row = d.GetRow(port);
        return input ? row.inputMenu->GetItem(row.inputIndex).label : row.outputMenu->GetItem(row.outputIndex).label;
    };
    const auto lists = [](const CDialogMIDI& d, const std::string& device) {
        const CMenu& menu = *d.GetRow(1).inputMenu;
        for (int i = 0; i < menu.GetItemCount(); ++i)
            if (menu.GetItem(i).label == device)
                return true;
        return false;
    };
    const std::string later = UniqueDeviceName("Later Interface");
    Setup({{Act([&](CDialogMIDI& d) {
                EXPECT_EQ(shown(d, 0, true), firstDevice);
                EXPECT_EQ(shown(d, 2, true), gone + " (not connected)");
                EXPECT_EQ(shown(d, 2, false), gone + " (not connected)");
                EXPECT_FALSE(d.GetRow(2).enabled->IsChecked());
                EXPECT_FALSE(lists(d, later));
            }),
            ClickButton(&CDialogMIDI::GetCancelButton)}});

    PlugDevice(later);
    Unplug(first);
    Setup({{Act([&](CDialogMIDI& d) {
                EXPECT_TRUE(lists(d, later)) << "a device plugged in since is not listed";
                EXPECT_FALSE(lists(d, firstDevice));
                EXPECT_EQ(shown(d, 0, true), firstDevice + " (not connected)");
                EXPECT_EQ(shown(d, 0, false), firstDevice + " (not connected)");
                EXPECT_EQ(shown(d, 2, true), gone + " (not connected)");
                EXPECT_FALSE(d.GetApplyButton()->IsEnabled()) << "nothing changed";
            }),
            ClickButton(&CDialogMIDI::GetOkButton)}});
    // The names stay stored as they were.
    EXPECT_EQ(Saved(0).input, firstDevice);
    EXPECT_EQ(Saved(2), (SavedPort{false, gone, gone}));
}

// A port enabled on a device that is not connected says so by the device's
// name, and stays closed with its devices kept.
TEST_F(MidiDialogTest, EnablingAPortWhoseDeviceIsNotConnectedSaysSo)
{
    const std::string gone = UniqueDeviceName("Unplugged Interface");
    Launch([&] {
        CPreferences preferences;
        preferences.SetPortEnabled(2, false);
        preferences.SetPortInputName(2, gone);
        preferences.SetPortOutputName(2, gone);
        preferences.Save();
    });
    Setup({{ClickEnabled(2), ClickButton(&CDialogMIDI::GetOkButton)}});
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find("MIDI problems: " + gone + " is not connected. Connect it, or choose another device."),
              std::string::npos)
        << alerts[0];
    EXPECT_EQ(Ports().GetPort(2), nullptr);
    EXPECT_EQ(Saved(2), (SavedPort{false, gone, gone}));
}

// Opening a list reads the devices again while the dialog is open: a device
// plugged in since is offered, one gone is not, and the device chosen in a
// row but not applied yet stays chosen though its place in the list moved.
TEST_F(MidiDialogTest, AListOpenedReadsTheDevicesAgainAndTheChosenDevicesKeepTheirNames)
{
    const std::string early = UniqueDeviceName("Early Interface");
    PlugDevice(early);
    const std::string synth = PlugNamed("Chosen");
    LaunchWithPorts({});
    const std::string later = UniqueDeviceName("Later Interface");
    const auto lists = [](const CMenu& menu, const std::string& device) {
        for (int i = 0; i < menu.GetItemCount(); ++i)
            if (menu.GetItem(i).label == device)
                return true;
        return false;
    };
    uint16_t chosenAt = 0;
    Setup({{ClickEnabled(1)},
           PickBoth(1, synth),
           {Act([&](CDialogMIDI& d) {
                chosenAt = d.GetRow(1).inputIndex;
                ASSERT_LT(InputIndex(early), chosenAt) << "the fixture needs the early device listed first";
                devices.clear(); // the early interface unplugged
                PlugDevice(later);
            }),
            Act([this](CDialogMIDI& d) { DropDown(d.GetRow(1).output); }), Act([&](CDialogMIDI& d) {
                EXPECT_TRUE(lists(*d.GetRow(1).outputMenu, later)) << "a device plugged in since is not offered";
                EXPECT_FALSE(lists(*d.GetRow(1).outputMenu, early));
                EXPECT_TRUE(lists(*d.GetRow(0).inputMenu, later)) << "the other lists were not read again";
                PickDropped(d.GetRow(1).output, OutputIndex(synth));
            }),
            Act([&](CDialogMIDI& d) {
                const Row& row = d.GetRow(1);
                EXPECT_EQ(row.inputMenu->GetItem(row.inputIndex).label, synth);
                EXPECT_EQ(row.outputMenu->GetItem(row.outputIndex).label, synth);
                EXPECT_LT(row.inputIndex, chosenAt);
            }),
            ClickButton(&CDialogMIDI::GetOkButton)}});
    EXPECT_TRUE(alerts.empty());
    EXPECT_EQ(Saved(1), (SavedPort{true, synth, synth}));
    EXPECT_TRUE(Ports().GetPort(1) != nullptr);
}
