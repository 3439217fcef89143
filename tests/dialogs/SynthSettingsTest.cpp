#include "tests/dialogs/DialogsFixture.h"

#include "dialogs/synthsettings/DialogSynthSettings.h"
#include "editor/app/EditorCommands.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/NumberEditView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"
#include "framework/controls/RadioButtonView.h"
#include "framework/controls/TextEditView.h"
#include "framework/controls/UpDownButtonView.h"
#include "framework/views/StaticTextView.h"
#include "platform/input/Keys.h"
#include "synth/link/PortManager.h"

using namespace NSHarrowen;
using namespace dialogstest;
using namespace editorcommands;

namespace {

using D = CDialogSynthSettings;

class SynthSettingsTest : public DialogsTest {
protected:
    using Action = ScriptStep<D>;

    // A synthesizer whose settings are not the record's defaults anywhere
    // the dialog does not edit: per-slot values, an inactive slot's channel.
    Rig& StartWith(sim::SimConfig config = {})
    {
        Rig& rig = Plug(config.model);
        rig.synth->Config() = config;
        sim::SimSettings& settings = rig.synth->Settings();
        settings.name = "Bench";
        settings.slots[0].values = {3, 2, 1, 0};
        LaunchWithPorts({rig.device});
        EXPECT_TRUE(Settle(0));
        return rig;
    }
    sim::SimSettings SynthSettings(Rig& rig)
    {
        return rig.port->With([](sim::CSimulator& s) { return s.Settings(); });
    }
    // The settings records the synthesizer has received since the last call.
    int TakeSettingsSent(Rig& rig)
    {
        return rig.port->With([](sim::CSimulator& s) {
            int count = 0;
            for (const sim::SimLogEntry& entry : s.Log())
                count += entry.text.find(" SynthDataDump") != std::string::npos ? 1 : 0;
            s.ClearLog();
            return count;
        });
    }
    void Run(std::vector<Action> steps)
    {
        Script<D>(std::move(steps));
        Choose(kSynthSettings);
        EXPECT_TRUE(ScriptDone());
    }
    static void Wait(std::vector<Action>& steps, int ticks)
    {
        for (int i = 0; i < ticks; ++i)
            steps.push_back(Do<D>([](D&) {}));
    }
    Action Arrow(D::ENumber number, bool up)
    {
        return Do<D>([this, number, up](D& d) {
            const CView* arrows = d.GetNumber(number).GetArrows();
            ClickAt(arrows, static_cast<int16_t>(arrows->GetFrame().Width() / 2),
                    static_cast<int16_t>(up ? 2 : arrows->GetFrame().Height() - 3));
        });
    }
    // Into the field, its text away, the new text typed, and on with Tab.
    Action Typing(std::function<CNativeControlView*(D&)> field, std::u32string text)
    {
        return Do<D>([this, field, text](D& d) {
            Click(field(d));
            PressKey(platform::kVKEnd);
            for (int i = 0; i < 20; ++i)
                PressKey(platform::kVKBackspace);
            for (char32_t c : text)
                desktop.Host().TypeCharacter(c);
            PressKey(platform::kVKTab);
        });
    }
    static std::function<CNativeControlView*(D&)> Field(D::ENumber number)
    {
        return [number](D& d) { return d.GetNumber(number).GetField(); };
    }
    template <class V> Action Clicking(std::function<V*(D&)> view)
    {
        return Do<D>([this, view](D& d) { Click(view(d)); });
    }
    Action ClickFlag(D::EFlag flag)
    {
        return Clicking<CCheckBoxView>([flag](D& d) { return d.GetFlagBox(flag); });
    }
    Action ClickActive(int slot)
    {
        return Clicking<CCheckBoxView>([slot](D& d) { return d.GetActiveBox(slot); });
    }
    Action Ok()
    {
        return Clicking<CPushButtonView>([](D& d) { return d.GetOkButton(); });
    }
    Action Cancel()
    {
        return Clicking<CPushButtonView>([](D& d) { return d.GetCancelButton(); });
    }
    // A step that records the synthesizer's state and the records sent.
    Action Check(Rig& rig, std::vector<std::pair<int, sim::SimSettings>>& seen)
    {
        return Do<D>([this, &rig, &seen](D&) { seen.emplace_back(TakeSettingsSent(rig), SynthSettings(rig)); });
    }
};

} // namespace

TEST_F(SynthSettingsTest, EachEditSendsOneRecordThatKeepsEverythingTheDialogDoesNotEdit)
{
    Rig& rig = StartWith();
    const sim::SimSettings before = SynthSettings(rig);
    TakeSettingsSent(rig);
    std::vector<std::pair<int, sim::SimSettings>> seen;
    std::string title;
    std::vector<Action> steps{Do<D>([&](D& d) { title = d.GetTitle(); })};
    Wait(steps, 10);
    steps.push_back(Check(rig, seen)); // opening sends nothing
    steps.push_back(Arrow(D::kRate, true));
    Wait(steps, 10);
    steps.push_back(Check(rig, seen));
    steps.push_back(ClickFlag(D::kReceive));
    Wait(steps, 10);
    steps.push_back(Check(rig, seen));
    steps.push_back(ClickActive(1)); // slot B goes off: no channel travels for it
    Wait(steps, 10);
    steps.push_back(Check(rig, seen));
    steps.push_back(Arrow(static_cast<D::ENumber>(D::kChannelA + 1), true));
    steps.push_back(ClickActive(1)); // and comes on with the channel it shows
    Wait(steps, 10);
    steps.push_back(Check(rig, seen));
    steps.push_back(Ok());
    Run(std::move(steps));

    EXPECT_EQ(title, "Synth Settings - Port 1");
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].first, 0);
    EXPECT_EQ(seen[0].second, before);
    // The rate, and nothing else.
    EXPECT_EQ(seen[1].first, 1);
    sim::SimSettings expected = before;
    expected.clockRate = before.clockRate + 1;
    EXPECT_EQ(seen[1].second, expected);
    EXPECT_EQ(seen[1].second.slots[0].values, (std::array<int, 4>{3, 2, 1, 0}));
    EXPECT_EQ(seen[2].first, 1);
    expected.progChangeReceive = 0;
    EXPECT_EQ(seen[2].second, expected);
    EXPECT_EQ(seen[3].first, 1);
    expected.slots[1].active = false;
    expected.slots[1].channel = 0;
    EXPECT_EQ(seen[3].second, expected);
    // The step of an inactive slot's channel sends nothing; making it active
    // sends the channel it shows.
    EXPECT_EQ(seen[4].first, 1);
    expected.slots[1].active = true;
    expected.slots[1].channel = before.slots[1].channel + 1;
    EXPECT_EQ(seen[4].second, expected);
    // OK with nothing pending sends nothing more.
    Step(100);
    EXPECT_EQ(TakeSettingsSent(rig), 0);
}

TEST_F(SynthSettingsTest, EntriesAreLimitedAndCancelSendsTheOpeningSettingsAgain)
{
    Rig& rig = StartWith();
    const sim::SimSettings before = SynthSettings(rig);
    std::vector<std::string> frequencies;
    std::vector<std::pair<int, sim::SimSettings>> seen;
    const auto frequency = [&] { return Do<D>([&](D& d) { frequencies.push_back(d.GetFrequencyView()->GetText()); }); };
    std::vector<Action> steps{frequency(), Typing(Field(D::kTune), U"150")};
    Wait(steps, 3);
    steps.push_back(frequency());
    steps.push_back(Typing(Field(D::kTune), U"-100"));
    Wait(steps, 3);
    steps.push_back(frequency());
    steps.push_back(Typing(Field(D::kRate), U"20"));
    steps.push_back(Typing([](D& d) -> CNativeControlView* { return d.GetNameField(); }, U"A\\B~CDEFGHIJKLMNOPQRS"));
    Wait(steps, 10);
    steps.push_back(Check(rig, seen));
    steps.push_back(Typing(Field(D::kRate), U"239"));
    steps.push_back(Arrow(D::kRate, true));
    Wait(steps, 10);
    steps.push_back(Check(rig, seen));
    steps.push_back(Cancel());
    Run(std::move(steps));

    EXPECT_EQ(frequencies, (std::vector<std::string>{"440.00Hz", "466.16Hz", "415.30Hz"}));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].second.clockRate, 239); // the arrow stops there
    EXPECT_EQ(seen[0].second.masterTune, -100);
    EXPECT_EQ(seen[0].second.clockRate, 31);
    EXPECT_EQ(seen[0].second.name, "ABCDEFGHIJKLMNOP");
    // Cancel put the opening settings back on the synthesizer.
    ASSERT_TRUE(Settle(0));
    EXPECT_EQ(SynthSettings(rig), before);
}

// Every control a person can use is reached with Tab, the slots' Active
// boxes included.
TEST_F(SynthSettingsTest, TabReachesEveryControl)
{
    StartWith();
    std::set<const CView*> met;
    std::vector<std::string> unreached{"not looked at"};
    std::vector<Action> steps;
    TabRound(steps, met);
    steps.push_back(Do<D>([&](D& dialog) { unreached = UnreachedControls(dialog, met); }));
    steps.push_back(Cancel());
    Run(std::move(steps));
    EXPECT_EQ(unreached, std::vector<std::string>{});
}

// Ctrl+A in the Name field selects the whole name, so that what is typed
// replaces it.
TEST_F(SynthSettingsTest, CtrlAInTheNameFieldSelectsTheNameForTypingOver)
{
    Rig& rig = StartWith();
    std::vector<std::pair<int, sim::SimSettings>> seen;
    std::vector<Action> steps{Do<D>([this](D& d) {
        Click(d.GetNameField());
        desktop.Host().PressKey(platform::kVKControl);
        desktop.Host().PressKey(platform::kVKLetterA);
        desktop.Host().ReleaseKey(platform::kVKLetterA);
        desktop.Host().ReleaseKey(platform::kVKControl);
        for (const char32_t c : std::u32string(U"Studio"))
            desktop.Host().TypeCharacter(c);
        PressKey(platform::kVKTab);
    })};
    Wait(steps, 10);
    steps.push_back(Check(rig, seen));
    steps.push_back(Ok());
    Run(std::move(steps));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].second.name, "Studio");
}

TEST_F(SynthSettingsTest, ASlowSynthesizerGetsEveryEditOnceItHasAnswered)
{
    sim::SimConfig config;
    config.latencyMs = 400;
    Rig& rig = StartWith(config);
    const sim::SimSettings before = SynthSettings(rig);
    TakeSettingsSent(rig);
    // The second edit comes while the first one's answer is awaited: it is
    // not queued behind it but sent once the synthesizer is free.
    int velocityMeanwhile = -1;
    std::vector<Action> steps{Arrow(D::kSync, true)};
    Wait(steps, 3);
    steps.push_back(Arrow(D::kVelMax, false));
    Wait(steps, 3);
    steps.push_back(Do<D>([&](D&) { velocityMeanwhile = Ports().GetSynthSettings(0).GetVelocityMax(); }));
    steps.push_back(Ok());
    Run(std::move(steps));
    ASSERT_TRUE(Settle(0));
    const sim::SimSettings after = SynthSettings(rig);
    EXPECT_EQ(velocityMeanwhile, before.velMax);
    EXPECT_EQ(after.globalSync, before.globalSync + 1);
    EXPECT_EQ(after.velMax, before.velMax - 1);
    EXPECT_EQ(TakeSettingsSent(rig), 2);
}

TEST_F(SynthSettingsTest, SettingsReportedByTheSynthesizerReplaceWhatIsShown)
{
    Rig& rig = StartWith();
    TakeSettingsSent(rig);
    std::string rateShown;
    std::vector<Action> steps{Do<D>([&](D&) {
        rig.port->With([](sim::CSimulator& s) {
            sim::SimSettings settings = s.Settings();
            settings.clockRate = 200;
            s.PanelSettings(settings);
            return 0;
        });
    })};
    Wait(steps, 10);
    steps.push_back(Do<D>([&](D& d) { rateShown = d.GetNumber(D::kRate).GetField()->GetText(); }));
    steps.push_back(Ok());
    Run(std::move(steps));
    EXPECT_EQ(rateShown, "200");
    EXPECT_EQ(SynthSettings(rig).clockRate, 200);
    EXPECT_EQ(TakeSettingsSent(rig), 0);
}

TEST_F(SynthSettingsTest, TheSmallModelOffersSlotAOnly)
{
    sim::SimConfig config;
    config.model = sim::SimModel::Pebix;
    Rig& rig = StartWith(config);
    std::vector<bool> enabled;
    std::vector<Action> steps{Do<D>([&](D& d) {
        for (int slot = 1; slot < 4; ++slot) {
            enabled.push_back(d.GetNumber(static_cast<D::ENumber>(D::kChannelA + slot)).GetField()->IsEnabled());
            enabled.push_back(d.GetActiveBox(slot)->IsEnabled());
        }
        enabled.push_back(d.GetFlagBox(D::kLocalOff)->IsEnabled());
        enabled.push_back(d.GetChoice(D::kKeyboardMode)->IsEnabled());
        enabled.push_back(d.GetChoice(D::kPedalPolarity)->IsEnabled());
    })};
    steps.push_back(Arrow(D::kChannelA, true));
    Wait(steps, 10);
    steps.push_back(Ok());
    Run(std::move(steps));
    EXPECT_EQ(enabled, std::vector<bool>(9, false));
    ASSERT_TRUE(Settle(0));
    EXPECT_EQ(SynthSettings(rig).slots[0].channel, 1);
}

TEST_F(SynthSettingsTest, TheDialogClosesWhenItsSynthesizerGoes)
{
    Rig& rig = StartWith();
    bool opened = false;
    Script<D>({Do<D>([&](D&) {
                   opened = true;
                   Unplug(rig);
               }),
               [](D&) { return false; }});
    Choose(kSynthSettings);
    EXPECT_TRUE(opened);
    EXPECT_FALSE(Ports().HasSynth(0));
}
