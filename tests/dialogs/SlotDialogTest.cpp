#include "tests/dialogs/DialogsFixture.h"

#include "dialogs/slot/DialogSlot.h"
#include "editor/app/EditorCommands.h"
#include "editor/patches/PatchManager.h"
#include "editor/slots/SlotChoice.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"
#include "framework/controls/RadioButtonView.h"
#include "framework/views/GroupBoxView.h"
#include "framework/views/StaticTextView.h"
#include "patch/document/Patch.h"
#include "framework/files/FileSpec.h"
#include "platform/filedialogs/FileBrowser.h"
#include "platform/input/Keys.h"
#include "synth/link/PortManager.h"

using namespace NSHarrowen;
using namespace dialogstest;
using namespace editorcommands;

namespace {

class SlotDialogTest : public DialogsTest {
protected:
    // Waits until the dialog shows the synthesizers' names (and one more
    // tick for the texts to be drawn).
    ScriptStep<CDialogSlot> WaitForNames()
    {
        return [this](CDialogSlot& dialog) {
            for (uint8_t port = 0; port < 4; ++port)
                if (Ports().HasSynth(port) &&
                    (!dialog.GetPortBox(port) || dialog.GetPortBox(port)->GetTitle().find(": ") == std::string::npos))
                    return false;
            return true;
        };
    }
    ScriptStep<CDialogSlot> ClickSlot(uint8_t port, uint8_t slot)
    {
        return Do<CDialogSlot>([this, port, slot](CDialogSlot& d) { Click(d.GetSlotButton(port, slot)); });
    }
    ScriptStep<CDialogSlot> ClickLocal()
    {
        return Do<CDialogSlot>([this](CDialogSlot& d) { Click(d.GetLocalButton()); });
    }
    ScriptStep<CDialogSlot> ClickButton(CPushButtonView* (CDialogSlot::*button)() const)
    {
        return Do<CDialogSlot>([this, button](CDialogSlot& d) { Click((d.*button)()); });
    }
    // Runs New with the script and waits for the dialog to end.
    void New(std::vector<ScriptStep<CDialogSlot>> steps)
    {
        Script<CDialogSlot>(std::move(steps));
        PressCtrl('N');
        Step(100);
        EXPECT_TRUE(ScriptDone());
    }
};

CRect Frame(const CView* view)
{
    return view->GetFrame();
}

} // namespace

TEST_F(SlotDialogTest, WithoutSynthesizersOnlyLocalAndTheButtonsAreShown)
{
    Launch();
    struct Case {
        const char* caption;
        bool upload;
        const char* title;
        int16_t okLeft;
    };
    for (const Case& c :
         {Case{"New patch", true, "Slot Selection - New patch", 65}, Case{"", false, "Slot Selection", 95}}) {
        SCOPED_TRACE(c.title);
        CSlotChoice choice(c.caption, c.upload);
        choice.SetChoice(2, 3);
        Script<CDialogSlot>({Do<CDialogSlot>([&](CDialogSlot& d) {
                                 EXPECT_EQ(d.GetTitle(), c.title);
                                 for (uint8_t port = 0; port < 4; ++port)
                                     EXPECT_EQ(d.GetPortBox(port), nullptr);
                                 EXPECT_EQ(Frame(d.GetLocalButton()), CRect(9, 10, 69, 26));
                                 EXPECT_EQ(d.GetSelectedIndex(), 0);
                                 EXPECT_TRUE(d.GetLocalButton()->IsChecked());
                                 EXPECT_EQ(Frame(d.GetOkButton()), CRect(c.okLeft, 36, c.okLeft + 50, 62));
                                 EXPECT_EQ(Frame(d.GetCancelButton()), CRect(c.okLeft + 60, 36, c.okLeft + 110, 62));
                                 if (c.upload) {
                                     EXPECT_EQ(Frame(d.GetUploadButton()), CRect(185, 36, 235, 62));
                                     EXPECT_FALSE(d.GetUploadButton()->IsEnabled());
                                 } else {
                                     EXPECT_EQ(d.GetUploadButton(), nullptr);
                                 }
                                 EXPECT_EQ(d.GetWindowRectInFrame().Width(), CDialogSlot::kWidth);
                                 EXPECT_EQ(d.GetClientRect().Height(), 62 + 5);
                             }),
                             ClickButton(&CDialogSlot::GetOkButton)});
        dialogs.RunSlotDialog(choice);
        EXPECT_TRUE(ScriptDone());
        EXPECT_EQ(choice.GetResult(), CSlotChoice::kOk);
        EXPECT_TRUE(choice.IsLocal());
        EXPECT_EQ(choice.GetSlot(), 0);
        EXPECT_EQ(choice.GetPort(), 3); // never above 3: callers ask IsLocal first
    }
}

TEST_F(SlotDialogTest, AFourSlotSynthesizerGetsOneBoxOfFourRowsAndNewMakesAPatchInThePickedSlot)
{
    LaunchWithPorts({Plug().device});
    ASSERT_TRUE(Settle(0));
    const uint8_t current = Ports().GetCurrentSlot();
    New({WaitForNames(), Do<CDialogSlot>([&](CDialogSlot& d) {
             EXPECT_EQ(d.GetTitle(), "Slot Selection - New patch");
             const CGroupBoxView* box = d.GetPortBox(0);
             ASSERT_NE(box, nullptr);
             EXPECT_EQ(Frame(box), CRect(5, 15, 305, 110));
             EXPECT_EQ(box->GetTitle(), "Port 1: " + Ports().GetDisplayName(0));
             for (uint8_t slot = 0; slot < 4; ++slot) {
                 const int16_t top = static_cast<int16_t>(31 + 20 * slot);
                 EXPECT_EQ(Frame(d.GetSlotButton(0, slot)), CRect(9, top, 69, top + 16));
                 EXPECT_EQ(d.GetSlotButton(0, slot)->GetNativeText(), std::string("Slot ") + char('A' + slot));
                 EXPECT_EQ(Frame(d.GetPatchNameText(0, slot)), CRect(69, top + 1, 219, top + 17));
                 EXPECT_EQ(d.GetPatchNameText(0, slot)->GetText(), Ports().GetSlotPatchName(0, slot));
             }
             EXPECT_EQ(Frame(d.GetLocalButton()), CRect(9, 121, 69, 137));
             EXPECT_EQ(Frame(d.GetOkButton()), CRect(65, 147, 115, 173));
             EXPECT_EQ(Frame(d.GetUploadButton()), CRect(185, 147, 235, 173));
             EXPECT_EQ(d.GetClientRect().Height(), 173 + 5);
             // The current slot is selected at the start.
             EXPECT_EQ(d.GetSelectedIndex(), current);
             EXPECT_TRUE(d.GetSlotButton(0, current)->IsChecked());
             EXPECT_TRUE(d.GetUploadButton()->IsEnabled());
         }),
         ClickSlot(0, 2), ClickButton(&CDialogSlot::GetOkButton)});
    ASSERT_TRUE(Settle(0));
    const CPatch* made = List().FindPatchInSlot(0, 2);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->HasWindow());
    EXPECT_EQ(List().CountOpenWindows(), 1);
    EXPECT_TRUE(alerts.empty());
}

TEST_F(SlotDialogTest, TwoSynthesizersStackTheirBoxesAndTheIndexCountsTheLowerPortFirst)
{
    const std::string kandrel = Plug().device;
    const std::string pebix = Plug(sim::SimModel::Pebix).device;
    LaunchWithPorts({"", kandrel, "", pebix});
    ASSERT_TRUE(Settle(1));
    ASSERT_TRUE(Settle(3));
    New({WaitForNames(), Do<CDialogSlot>([&](CDialogSlot& d) {
             EXPECT_EQ(d.GetPortBox(0), nullptr);
             EXPECT_EQ(d.GetPortBox(2), nullptr);
             EXPECT_EQ(Frame(d.GetPortBox(1)), CRect(5, 15, 305, 110));
             EXPECT_EQ(Frame(d.GetPortBox(3)), CRect(5, 117, 305, 152));
             EXPECT_EQ(d.GetPortBox(1)->GetTitle().rfind("Port 2: ", 0), 0u);
             EXPECT_EQ(d.GetPortBox(3)->GetTitle().rfind("Port 4: ", 0), 0u);
             EXPECT_EQ(d.GetSlotButton(3, 0)->GetNativeText(), "Slot");
             EXPECT_EQ(d.GetSlotButton(3, 1), nullptr);
             EXPECT_EQ(Frame(d.GetLocalButton()), CRect(9, 163, 69, 179));
             const CRadioButtonGroupView* group = d.GetRadioGroup();
             EXPECT_EQ(group->IndexOf(d.GetSlotButton(1, 3)), 3);
             EXPECT_EQ(group->IndexOf(d.GetSlotButton(3, 0)), 4);
             EXPECT_EQ(group->IndexOf(d.GetLocalButton()), 5);
         }),
         ClickSlot(3, 0), Do<CDialogSlot>([](CDialogSlot& d) { EXPECT_EQ(d.GetSelectedIndex(), 4); }),
         ClickButton(&CDialogSlot::GetOkButton)});
    ASSERT_TRUE(Settle(3));
    const CPatch* made = List().FindPatchInSlot(3, 0);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->HasWindow());
}

TEST_F(SlotDialogTest, UploadShowsThePickedSlotsPatchAndIsDisabledWhileLocalIsPicked)
{
    LaunchWithPorts({Plug().device});
    ASSERT_TRUE(Settle(0));
    const size_t count = List().GetCount();
    New({WaitForNames(), ClickLocal(),
         Do<CDialogSlot>([](CDialogSlot& d) { EXPECT_FALSE(d.GetUploadButton()->IsEnabled()); }), ClickSlot(0, 1),
         Do<CDialogSlot>([](CDialogSlot& d) { EXPECT_TRUE(d.GetUploadButton()->IsEnabled()); }),
         ClickButton(&CDialogSlot::GetUploadButton)});
    Step(100);
    const CPatch* shown = List().FindPatchInSlot(0, 1);
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->HasWindow());
    EXPECT_EQ(List().GetCount(), count); // the slot's own patch, nothing new
}

TEST_F(SlotDialogTest, EscapeCancelsAndKeepsTheRequestsChoice)
{
    LaunchWithPorts({Plug().device});
    ASSERT_TRUE(Settle(0));
    const size_t count = List().GetCount();
    New({WaitForNames(), ClickSlot(0, 3), Do<CDialogSlot>([this](CDialogSlot&) { PressKey(platform::kVKEscape); })});
    EXPECT_EQ(List().GetCount(), count);
    EXPECT_EQ(List().CountOpenWindows(), 0);

    CSlotChoice choice("Kept", false);
    choice.SetChoice(1, 2);
    Script<CDialogSlot>({WaitForNames(), ClickSlot(0, 3), ClickButton(&CDialogSlot::GetCancelButton)});
    dialogs.RunSlotDialog(choice);
    EXPECT_TRUE(choice.IsCancelled());
    EXPECT_EQ(choice.GetPort(), 1);
    EXPECT_EQ(choice.GetSlot(), 2);
}

// The slots are chosen by keys as well as by clicks: Down and Up move
// between the radio buttons from the one selected at the start, wrapping
// round through Local, and Return takes the choice.
TEST_F(SlotDialogTest, DownAndUpMoveBetweenTheSlotsAndReturnTakesTheChoice)
{
    LaunchWithPorts({Plug().device});
    ASSERT_TRUE(Settle(0));
    const int current = Ports().GetCurrentSlot();
    std::vector<int> selected;
    const auto Record = [&selected](CDialogSlot& d) { selected.push_back(d.GetSelectedIndex()); };
    New({WaitForNames(), Do<CDialogSlot>([&](CDialogSlot& d) {
             Record(d);
             PressKey(platform::kVKDown);
         }),
         Do<CDialogSlot>([&](CDialogSlot& d) {
             Record(d);
             PressKey(platform::kVKDown);
         }),
         Do<CDialogSlot>([&](CDialogSlot& d) {
             Record(d);
             PressKey(platform::kVKUp);
         }),
         Do<CDialogSlot>([&](CDialogSlot& d) {
             Record(d);
             PressKey(platform::kVKReturn);
         })});
    const int after = (current + 1) % 5; // four slots and Local
    EXPECT_EQ(selected, (std::vector<int>{current, after, (current + 2) % 5, after}));
    ASSERT_TRUE(Settle(0));
    if (after < 4) {
        const CPatch* made = List().FindPatchInSlot(0, static_cast<uint8_t>(after));
        ASSERT_NE(made, nullptr);
        EXPECT_TRUE(made->HasWindow());
    }
}

TEST_F(SlotDialogTest, ASynthesizerLostWhileTheDialogIsOpenLosesItsBoxAndLocalRemains)
{
    Rig& rig = Plug();
    LaunchWithPorts({rig.device});
    ASSERT_TRUE(Settle(0));
    const size_t count = List().GetCount();
    New({WaitForNames(), Do<CDialogSlot>([&](CDialogSlot&) { Unplug(rig); }),
         [](CDialogSlot& d) { return d.GetPortBox(0) == nullptr; }, Do<CDialogSlot>([](CDialogSlot& d) {
             EXPECT_EQ(Frame(d.GetLocalButton()), CRect(9, 10, 69, 26));
             EXPECT_TRUE(d.GetLocalButton()->IsChecked());
             EXPECT_EQ(d.GetClientRect().Height(), 62 + 5);
         }),
         ClickButton(&CDialogSlot::GetOkButton)});
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find("Open the MIDI dialog and enable the port again."), std::string::npos);
    // The slots' patches went with the synthesizer; the new one is local.
    ASSERT_EQ(List().CountOpenWindows(), 1);
    EXPECT_LE(List().GetCount(), count);
    EXPECT_FALSE(Patches().back()->IsLinked());
}

TEST_F(SlotDialogTest, DownloadToSlotMovesThePatchIntoThePickedSlotAndLocalTakesItOutAgain)
{
    Rig& rig = Plug();
    LaunchWithPorts({rig.device});
    ASSERT_TRUE(Settle(0));
    New({WaitForNames(), ClickLocal(), ClickButton(&CDialogSlot::GetOkButton)});
    ASSERT_EQ(List().CountOpenWindows(), 1);
    CPatch* patch = nullptr;
    for (CPatch* candidate : Patches())
        if (candidate->HasWindow())
            patch = candidate;
    ASSERT_NE(patch, nullptr);
    ASSERT_FALSE(patch->IsLinked());

    Script<CDialogSlot>({WaitForNames(), Do<CDialogSlot>([&](CDialogSlot& d) {
                             EXPECT_EQ(d.GetTitle(), "Slot Selection - " + patch->GetName());
                             EXPECT_EQ(d.GetUploadButton(), nullptr);
                         }),
                         ClickSlot(0, 1), ClickButton(&CDialogSlot::GetOkButton)});
    Choose(editorcommands::kDownloadToSlot);
    EXPECT_TRUE(ScriptDone());
    ASSERT_TRUE(Settle(0));
    EXPECT_EQ(List().FindPatchInSlot(0, 1), patch);
    EXPECT_TRUE(patch->IsLinked());

    Script<CDialogSlot>({WaitForNames(), ClickLocal(), ClickButton(&CDialogSlot::GetOkButton)});
    Choose(editorcommands::kDownloadToSlot);
    EXPECT_TRUE(ScriptDone());
    ASSERT_TRUE(Settle(0));
    EXPECT_FALSE(patch->IsLinked());
    EXPECT_TRUE(patch->HasWindow());
    const CPatch* empty = List().FindPatchInSlot(0, 1);
    ASSERT_NE(empty, nullptr);
    EXPECT_NE(empty, patch);

    // Cancel leaves the patch where it is.
    Script<CDialogSlot>({WaitForNames(), ClickSlot(0, 2), ClickButton(&CDialogSlot::GetCancelButton)});
    Choose(editorcommands::kDownloadToSlot);
    EXPECT_TRUE(ScriptDone());
    EXPECT_FALSE(patch->IsLinked());
    EXPECT_NE(List().FindPatchInSlot(0, 2), patch);

    // With no synthesizer left there is no slot to download to.
    UpdateMenus();
    EXPECT_TRUE(IsEnabled(editorcommands::kDownloadToSlot));
    Unplug(rig);
    ASSERT_TRUE(StepUntil([this] { return Ports().CountSynths() == 0; }));
    UpdateMenus();
    EXPECT_FALSE(IsEnabled(editorcommands::kDownloadToSlot));
}

TEST_F(SlotDialogTest, OpenAsksForASlotCaptionedWithTheFilesPatchNameOnlyWhenASynthesizerIsAttached)
{
    const std::string path = (folder.Path() / "Bass Line.pch").string();
    {
        CPatch saved;
        saved.ClearChangeFlags();
        saved.SetName("Bass Line");
        ASSERT_TRUE(saved.SaveToFile(CFileSpec(path)));
    }
    // The open-file dialog answers with the file.
    struct Responder {
        explicit Responder(std::string path)
            : previous(platform::SetFileDialogResponder(
                  [path](const platform::FileDialogRequest&) { return std::optional<std::string>(path); }))
        { }
        ~Responder() { platform::SetFileDialogResponder(std::move(previous)); }
        platform::FileDialogResponder previous;
    } responder(path);
    LaunchWithPorts({Plug().device});
    ASSERT_TRUE(Settle(0));
    Script<CDialogSlot>({WaitForNames(), Do<CDialogSlot>([](CDialogSlot& d) {
                             EXPECT_EQ(d.GetTitle(), "Slot Selection - Bass Line");
                             EXPECT_EQ(d.GetUploadButton(), nullptr);
                             EXPECT_EQ(Frame(d.GetOkButton()).left, 95);
                         }),
                         ClickSlot(0, 3), ClickButton(&CDialogSlot::GetOkButton)});
    PressCtrl('O');
    Step(100);
    EXPECT_TRUE(ScriptDone());
    ASSERT_TRUE(Settle(0));
    const CPatch* opened = List().FindPatchInSlot(0, 3);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->GetName(), "Bass Line");
    EXPECT_TRUE(opened->HasWindow());

    // Without a synthesizer the file opens as a local patch at once.
    app->GetPorts()->ClosePort(0);
    Script<CDialogSlot>({Do<CDialogSlot>([](CDialogSlot&) { ADD_FAILURE() << "no slot dialog without a synthesizer"; }),
                         ClickButton(&CDialogSlot::GetCancelButton)});
    const size_t windows = List().CountOpenWindows();
    PressCtrl('O');
    Step(100);
    EXPECT_EQ(List().CountOpenWindows(), windows + 1);
    EXPECT_FALSE(Patches().back()->IsLinked());
    EXPECT_EQ(Patches().back()->GetName(), "Bass Line");
}

TEST_F(SlotDialogTest, ASynthesizerThatConnectsWhileTheDialogIsOpenGetsItsBoxAndCanBeChosen)
{
    Rig& rig = Plug();
    LaunchWithPorts({});
    CSlotChoice choice("Later", false);
    Script<CDialogSlot>({Do<CDialogSlot>([&](CDialogSlot& d) {
                             EXPECT_EQ(d.GetPortBox(0), nullptr);
                             Ports().OpenPort(0, InputIndex(rig.device), OutputIndex(rig.device));
                         }),
                         [](CDialogSlot& d) { return d.GetPortBox(0) != nullptr; }, WaitForNames(),
                         Do<CDialogSlot>([&](CDialogSlot& d) {
                             EXPECT_EQ(Frame(d.GetPortBox(0)), CRect(5, 15, 305, 110));
                             EXPECT_EQ(Frame(d.GetLocalButton()), CRect(9, 121, 69, 137));
                             EXPECT_EQ(d.GetClientRect().Height(), 173 + 5);
                             // The selection follows the synthesizer's current slot, if it has one yet.
                             if (Ports().HasCurrentSynth()) {
                                 EXPECT_TRUE(d.GetSlotButton(0, Ports().GetCurrentSlot())->IsChecked());
                             }
                         }),
                         ClickSlot(0, 1), ClickButton(&CDialogSlot::GetOkButton)});
    dialogs.RunSlotDialog(choice);
    EXPECT_TRUE(ScriptDone());
    EXPECT_EQ(choice.GetResult(), CSlotChoice::kOk);
    EXPECT_FALSE(choice.IsLocal());
    EXPECT_EQ(choice.GetPort(), 0);
    EXPECT_EQ(choice.GetSlot(), 1);
}
