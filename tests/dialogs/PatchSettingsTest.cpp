#include "tests/dialogs/DialogsFixture.h"

#include "dialogs/patchsettings/DialogPatchSettings.h"
#include "editor/app/EditorCommands.h"
#include "editor/patches/PatchManager.h"
#include "editor/windows/PatchView.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/NumberEditView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"
#include "framework/controls/RadioButtonView.h"
#include "framework/controls/UpDownButtonView.h"
#include "framework/views/StaticTextView.h"
#include "patch/area/DspLoadTable.h"
#include "patch/document/Patch.h"
#include "platform/input/Keys.h"
#include "synth/link/PortManager.h"

using namespace NSHarrowen;
using namespace editorcommands;

using namespace dialogstest;

namespace {

using D = CDialogPatchSettings;

class PatchSettingsTest : public DialogsTest {
protected:
    using Action = ScriptStep<D>;

    // The editor with a simulated synthesizer on port 0 and the current
    // slot's patch in its window, the window active.
    void OpenSlotPatch()
    {
        rig = &Plug();
        LaunchWithPorts({rig->device});
        ASSERT_TRUE(Settle(0));
        slot = Ports().GetCurrentSlot();
        PressCtrl('U');
        Step(100);
        ASSERT_TRUE(Settle(0));
        patch = List().FindPatchInSlot(0, slot);
        ASSERT_NE(patch, nullptr);
        ASSERT_TRUE(patch->HasWindow());
    }
    sim::SimHeader SynthHeader()
    {
        return rig->port->With([this](sim::CSimulator& s) { return s.Slot(slot).patch.header; });
    }
    void Run(std::vector<Action> steps)
    {
        Script<D>(std::move(steps));
        Choose(kPatchSettings);
        EXPECT_TRUE(ScriptDone());
    }
    static void Wait(std::vector<Action>& steps, int ticks)
    {
        for (int i = 0; i < ticks; ++i)
            steps.push_back(Do<D>([](D&) {}));
    }
    template <class V> Action Clicking(V* (D::*view)() const)
    {
        return Do<D>([this, view](D& d) { Click((d.*view)()); });
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
    Action Typing(D::ENumber number, std::string text)
    {
        return Do<D>([this, number, text](D& d) {
            Click(d.GetNumber(number).GetField());
            PressKey(platform::kVKEnd);
            for (int i = 0; i < 4; ++i)
                PressKey(platform::kVKBackspace);
            for (char c : text)
                desktop.Host().TypeCharacter(static_cast<char32_t>(c));
            PressKey(platform::kVKTab);
        });
    }
    Action Radio(CRadioButtonGroupView* (D::*group)() const, int index)
    {
        return Do<D>([this, group, index](D& d) { Click((d.*group)()->GetButton(index)); });
    }

    Rig* rig = nullptr;
    uint8_t slot = 0;
    CPatch* patch = nullptr;
};

} // namespace

TEST_F(PatchSettingsTest, EditsReachTheSlotAtOnceAndCancelPutsTheOpeningSettingsBack)
{
    OpenSlotPatch();
    const CPatchHeader opening = patch->GetPatchHeader();
    const sim::SimHeader synthOpening = SynthHeader();
    CPatchHeader whileOpen;
    sim::SimHeader synthWhileOpen;
    std::vector<Action> steps{
        Radio(&D::GetOctaveRadios, 4), Radio(&D::GetPedalRadios, 0), Radio(&D::GetPortamentoRadios, 1),
        Typing(D::kVelMin, "200"),     Typing(D::kKbMax, "60"),      Arrow(D::kVoices, false),
        Arrow(D::kPmTime, true),       Clicking(&D::GetPolyBox),
    };
    for (int i = 0; i < 25; ++i)
        steps.push_back(Arrow(D::kBend, true));
    Wait(steps, 20);
    steps.push_back(Do<D>([&](D& dialog) {
        whileOpen = patch->GetPatchHeader();
        synthWhileOpen = SynthHeader();
    }));
    steps.push_back(Clicking(&D::GetCancelButton));
    Run(std::move(steps));

    EXPECT_EQ(whileOpen.GetOctShift(), 2);
    EXPECT_EQ(whileOpen.GetPedalMode(), CPatchHeader::kPedalOnOff);
    EXPECT_EQ(whileOpen.GetPMMode(), CPatchHeader::kPortamentoAuto);
    EXPECT_EQ(whileOpen.GetVelRangeMin(), 127); // typed 200; above the maximum is accepted
    EXPECT_EQ(whileOpen.GetVelRangeMax(), 127);
    EXPECT_EQ(whileOpen.GetKbRangeMax(), 60);
    EXPECT_EQ(whileOpen.GetVoices(), 1); // the arrows stop at 1
    EXPECT_EQ(whileOpen.GetPMTime(), opening.GetPMTime() + 1);
    EXPECT_EQ(whileOpen.GetBendRange(), 24); // and at 24
    EXPECT_EQ(whileOpen.GetRetrig(), 0);
    EXPECT_EQ(whileOpen.GetCommonRetrig(), opening.GetCommonRetrig());
    // The synthesizer had every change while the dialog was open.
    EXPECT_EQ(synthWhileOpen.octShift, 2);
    EXPECT_EQ(synthWhileOpen.pedalMode, 1);
    EXPECT_EQ(synthWhileOpen.velMin, 127);
    EXPECT_EQ(synthWhileOpen.kbMax, 60);
    EXPECT_EQ(synthWhileOpen.bendRange, 24);
    EXPECT_EQ(synthWhileOpen.retrig, 0);

    // A header that waited for the busy slot goes at the next quiet step.
    ASSERT_TRUE(Settle(0));
    Step(100);
    ASSERT_TRUE(Settle(0));
    EXPECT_EQ(patch->GetPatchHeader(), opening);
    EXPECT_EQ(SynthHeader(), synthOpening);
    EXPECT_TRUE(alerts.empty());
}

TEST_F(PatchSettingsTest, CancelRightAfterAVoiceChangeLeavesTheSlotsVoicesAlone)
{
    // A voice change waits before it is sent; Cancel within the wait must
    // not let the abandoned value go out afterwards.
    OpenSlotPatch();
    const uint8_t voices = patch->GetPatchHeader().GetVoices();
    std::vector<Action> steps{Arrow(D::kVoices, true), Clicking(&D::GetCancelButton)};
    Run(std::move(steps));
    ASSERT_TRUE(Settle(0));
    Step(1000);
    ASSERT_TRUE(Settle(0));
    EXPECT_EQ(patch->GetPatchHeader().GetVoices(), voices);
    EXPECT_EQ(SynthHeader().voices, voices);
}

TEST_F(PatchSettingsTest, ShowsTheSlotsVoicesAndAChangeMadeElsewhere)
{
    OpenSlotPatch();
    std::string current;
    bool notesEnabled = false;
    std::string velocityShown;
    std::vector<Action> steps;
    Wait(steps, 5);
    steps.push_back(Do<D>([&](D& dialog) {
        current = dialog.GetCurrentText()->GetText();
        notesEnabled = dialog.GetNotesButton()->IsEnabled();
        // The settings change elsewhere (the toolbar, the synthesizer).
        CPatchHeader header = patch->GetPatchHeader();
        header.SetVelRangeMax(99);
        patch->SetPatchHeader(header);
    }));
    Wait(steps, 5);
    steps.push_back(Do<D>([&](D& dialog) { velocityShown = dialog.GetNumber(D::kVelMax).GetField()->GetText(); }));
    steps.push_back(Do<D>([this](D&) {
        rig->port->With([](sim::CSimulator& s) {
            s.ClearLog();
            return 0;
        });
    }));
    steps.push_back(Clicking(&D::GetNotesButton));
    Wait(steps, 10);
    steps.push_back(Clicking(&D::GetOkButton));
    Run(std::move(steps));

    uint8_t voices = 0;
    ASSERT_TRUE(patch->GetSlotVoiceCount(voices));
    EXPECT_EQ(current, "Current: " + std::to_string(voices));
    EXPECT_TRUE(notesEnabled);
    EXPECT_EQ(velocityShown, "99");
    // "Get current notes" asked the synthesizer for the slot's notes.
    EXPECT_TRUE(rig->port->With([](sim::CSimulator& s) {
        for (const sim::SimLogEntry& entry : s.Log())
            if (entry.text.find("CurrentNotesRequest") != std::string::npos)
                return true;
        return false;
    }));
    EXPECT_EQ(patch->GetPatchHeader().GetVelRangeMax(), 99);
}

TEST_F(PatchSettingsTest, ALocalPatchHasNoVoicesOrNotesAndOkKeepsTheEdits)
{
    // No synthesizer: New makes a local patch.
    LaunchWithPorts({});
    PressCtrl('N');
    Step(100);
    patch = List().GetActivePatch();
    ASSERT_NE(patch, nullptr);
    ASSERT_FALSE(patch->IsLinked());
    std::string current = "?";
    bool notesEnabled = true;
    int16_t pedalShown = -1;
    std::vector<std::string> resources;
    std::vector<Action> steps;
    Wait(steps, 3);
    steps.push_back(Do<D>([&](D& dialog) {
        current = dialog.GetCurrentText()->GetText();
        notesEnabled = dialog.GetNotesButton()->IsEnabled();
        pedalShown = dialog.GetPedalRadios()->GetSelection();
        for (int kind = 0; kind < 6; ++kind)
            resources.push_back(dialog.GetResourceText(kind)->GetText());
    }));
    steps.push_back(Typing(D::kVoices, "12"));
    steps.push_back(Clicking(&D::GetCommonBox));
    steps.push_back(Clicking(&D::GetOkButton));
    Run(std::move(steps));

    EXPECT_EQ(current, "");
    EXPECT_FALSE(notesEnabled);
    EXPECT_EQ(pedalShown, 1); // the pedal mode word 0 is "Sustain"
    // Each kind's whole per cent of the poly area, then of the common area.
    const CDspLoadTable& table = patch->GetLoadTable();
    const char* labels[] = {"Cycles: ", "X mem: ", "Y mem: ", "Prog mem: ", "Zero page: ", "Dyn mem: "};
    for (int kind = 0; kind < 6; ++kind)
        EXPECT_EQ(resources.at(kind),
                  labels[kind] + std::to_string(table.KindLoadPercent(kind, 1)) + "/" +
                      std::to_string(table.KindLoadPercent(kind, 0)));
    EXPECT_EQ(patch->GetPatchHeader().GetVoices(), 12);
    EXPECT_EQ(patch->GetPatchHeader().GetCommonRetrig(), 0);
}

// Every control a person can use is reached with Tab, the retrigger boxes
// included.
TEST_F(PatchSettingsTest, TabReachesEveryControl)
{
    LaunchWithPorts({});
    PressCtrl('N');
    Step(100);
    std::set<const CView*> met;
    std::vector<std::string> unreached{"not looked at"};
    std::vector<Action> steps;
    Wait(steps, 3);
    TabRound(steps, met);
    steps.push_back(Do<D>([&](D& dialog) { unreached = UnreachedControls(dialog, met); }));
    steps.push_back(Do<D>([this](D&) { PressKey(platform::kVKEscape); }));
    Run(std::move(steps));
    EXPECT_EQ(unreached, std::vector<std::string>{});
}

// The dialog opens with the keys on its first control (OK), not in a number
// field: digits typed at once change no setting, and Return is OK.
TEST_F(PatchSettingsTest, ItOpensWithTheKeysOnOkNotInAField)
{
    LaunchWithPorts({});
    PressCtrl('N');
    Step(100);
    patch = List().GetActivePatch();
    ASSERT_NE(patch, nullptr);
    const CPatchHeader opening = patch->GetPatchHeader();
    bool okFocused = false;
    std::vector<Action> steps;
    Wait(steps, 3);
    steps.push_back(Do<D>([&](D& dialog) {
        okFocused = dialog.GetFocusView() == dialog.GetOkButton();
        for (char c : std::string("99"))
            desktop.Host().TypeCharacter(static_cast<char32_t>(c));
    }));
    Wait(steps, 3);
    steps.push_back(Do<D>([this](D&) { PressKey(platform::kVKReturn); }));
    Run(std::move(steps));
    EXPECT_TRUE(okFocused);
    EXPECT_TRUE(patch->GetPatchHeader() == opening);
}
