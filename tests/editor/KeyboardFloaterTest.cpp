#include "tests/editor/SynthEditorFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/controls/TextCheckButton.h"
#include "editor/floaters/KeyboardBmp.h"
#include "editor/floaters/KeyboardFloater.h"
#include "editor/floaters/WindowToggler.h"
#include "platform/input/Keys.h"

#include <regex>

using namespace NSHarrowen;
using namespace editorcommands;

namespace editortest {

namespace {

using KeyboardToggler = CWindowToggler<CKeyboardFloater>;

// The keyboard floater on the editor with a simulated synthesizer: clicks go
// to the floater's window on the desktop, and the synthesizer's log tells
// which notes it was sent.
class KeyboardFloaterTest : public SynthEditorTest {
protected:
    void SetUp() override
    {
        SynthEditorTest::SetUp();
        ASSERT_TRUE(Settle());
        ASSERT_TRUE(Ports().HasCurrentSynth());
    }

    CKeyboardFloater* OpenWithCtrlF()
    {
        PressCtrl('F');
        Step(50);
        return KeyboardToggler::Get();
    }
    // Gives the floater a client area of the width (at most the picture's).
    void SetClientWidth(CKeyboardFloater& floater, int width)
    {
        CRect content = floater.GetWindowRectInFrame();
        floater.WindowToContentRect(content);
        content.right = static_cast<int16_t>(content.left + width);
        floater.ContentToWindowRect(content);
        floater.SetWindowRect(content);
        Pump();
    }
    platform::Point ScreenPoint(CKeyboardFloater& floater, int x, int y)
    {
        const CPoint p = floater.ClientToScreen(CPoint(static_cast<int16_t>(x), static_cast<int16_t>(y)));
        return {p.x, p.y};
    }
    void Press(CKeyboardFloater& floater, int x, int y)
    {
        desktop.Host().PressMouse(ScreenPoint(floater, x, y));
        Pump();
    }
    void Release(CKeyboardFloater& floater, int x, int y)
    {
        desktop.Host().ReleaseMouse(ScreenPoint(floater, x, y));
        Pump();
    }
    void Click(CKeyboardFloater& floater, int x, int y)
    {
        Press(floater, x, y);
        Release(floater, x, y);
    }
    // The floater opened at its full width, its key of note 64 pressed and
    // sounding, the log cleared before.
    void OpenAndHoldNote64(CKeyboardFloater*& floater)
    {
        floater = OpenWithCtrlF();
        ASSERT_NE(floater, nullptr);
        SetClientWidth(*floater, CKeyboardBmp::kWidth);
        synth_->ClearLog();
        Press(*floater, 338, 20);
        ASSERT_TRUE(StepUntilNotes({"on 64"}));
    }
    // The note messages the synthesizer received, as "on 60" or "off 60".
    std::vector<std::string> Notes()
    {
        std::vector<std::string> notes;
        static const std::regex note("PlayNote\\((\\d+),(\\d+)\\)");
        const std::vector<sim::SimLogEntry> log = port_->With([](sim::CSimulator& synth) { return synth.Log(); });
        for (const sim::SimLogEntry& entry : log)
            for (std::sregex_iterator it(entry.text.begin(), entry.text.end(), note), end; it != end; ++it)
                notes.push_back(((*it)[1] == "0" ? "on " : "off ") + (*it)[2].str());
        return notes;
    }
    bool StepUntilNotes(const std::vector<std::string>& expected)
    {
        return StepUntil([&] { return Notes() == expected; }, 300);
    }
    void StoreKeyboardSettings(uint8_t note, uint32_t mode, bool open)
    {
        CPreferences* prefs = app->GetPrefs();
        prefs->SetKeyboardSettings(note, mode);
        prefs->keyboardFloater.open = open;
    }
};

} // namespace

TEST_F(KeyboardFloaterTest, EachClickedKeyPlaysItsNoteOnTheSynthesizerUntilTheRelease)
{
    CKeyboardFloater* floater = OpenWithCtrlF();
    ASSERT_NE(floater, nullptr);
    SetClientWidth(*floater, CKeyboardBmp::kWidth);
    ASSERT_EQ(floater->GetKeyboard().GetFrame().left, 0);
    synth_->ClearLog();

    struct Case {
        int x, y, note;
    };
    // Black keys in the upper 18 pixels, white keys below them and between
    // them; nothing above 127 at the right end.
    const Case cases[] = {
        {8, 5, 1},     {13, 5, 2},    {14, 5, 2},    {338, 20, 64},  {666, 5, 126},  {669, 5, 126},
        {670, 5, 127}, {672, 5, 127}, {675, 5, 127}, {666, 20, 127}, {675, 20, 127}, {0, 31, 0},
        {62, 17, 11},  {63, 17, 12},  {57, 17, 10},  {58, 17, 11},   {57, 18, 11},
    };
    for (const Case& c : cases) {
        Click(*floater, c.x, c.y);
        EXPECT_EQ(floater->GetCurrentNote(), c.note) << c.x << "," << c.y;
    }

    // Played and released: each reaches the synthesizer, and the key shows
    // its marker while it sounds.
    synth_->ClearLog();
    for (const Case& c : {Case{8, 5, 1}, Case{338, 20, 64}, Case{675, 20, 127}}) {
        const std::string note = std::to_string(c.note);
        Press(*floater, c.x, c.y);
        ASSERT_TRUE(StepUntil([&] { return synth_->SoundingNote() == c.note; }, 300)) << note;
        EXPECT_EQ(floater->GetKeyboard().GetShownNote(), c.note);
        Release(*floater, c.x, c.y);
        ASSERT_TRUE(StepUntil([&] { return synth_->SoundingNote() == -1; }, 300)) << note;
        Step(50);
        EXPECT_EQ(floater->GetKeyboard().GetShownNote(), CKeyboardBmp::kNoNote);
    }
    EXPECT_EQ(Notes(), (std::vector<std::string>{"on 1", "off 1", "on 64", "off 64", "on 127", "off 127"}));
}

TEST_F(KeyboardFloaterTest, TheScrollButtonsMoveThePictureByKeysAndOctavesUntilItsEdgePassesTheMiddle)
{
    CKeyboardFloater* floater = OpenWithCtrlF();
    ASSERT_NE(floater, nullptr);
    SetClientWidth(*floater, 200);
    ASSERT_EQ(floater->GetClientRect().Width(), 200);
    // Offset 0 centres the picture.
    EXPECT_EQ(floater->GetKeyboard().GetFrame().left, 100 - 338);

    const int buttonY = 36 + 5;
    Click(*floater, 25 + 10, buttonY); // "<": one key toward the lower notes
    EXPECT_EQ(floater->GetScroll(), 1);
    Click(*floater, 3 + 10, buttonY); // "<<": an octave
    EXPECT_EQ(floater->GetScroll(), 8);
    for (int i = 0; i < 4; ++i)
        Click(*floater, 3 + 10, buttonY);
    EXPECT_EQ(floater->GetScroll(), 26);
    EXPECT_EQ(floater->GetKeyboard().GetFrame().left, 100 + 9 * 26 - 338);
    Click(*floater, 47 + 10, buttonY); // ">"
    EXPECT_EQ(floater->GetScroll(), 25);
    for (int i = 0; i < 8; ++i)
        Click(*floater, 69 + 10, buttonY); // ">>"
    EXPECT_EQ(floater->GetScroll(), -26);
    EXPECT_EQ(floater->GetKeyboard().GetFrame().left, 100 - 9 * 26 - 338);

    // The leftmost key visible at the left end plays from where it is shown.
    for (int i = 0; i < 8; ++i)
        Click(*floater, 3 + 10, buttonY);
    Click(*floater, 0, 25); // picture x 4
    EXPECT_EQ(floater->GetCurrentNote(), 0);
}

TEST_F(KeyboardFloaterTest, AKeptRepeatStartsAtOnceAndSwitchesTheNoteEverySecond)
{
    StoreKeyboardSettings(67, CKeyboardFloater::kRepeat, false);
    synth_->ClearLog();
    PressCtrl('F');
    CKeyboardFloater* floater = KeyboardToggler::Get();
    ASSERT_NE(floater, nullptr);
    EXPECT_EQ(floater->GetMode(), CKeyboardFloater::kRepeat);
    ASSERT_TRUE(StepUntil([&] { return synth_->SoundingNote() == 67; }, 300));
    UpdateMenus();
    EXPECT_TRUE(IsChecked(kKeyboardFloater));
    // About a second on, about a second off.
    const uint64_t on = desktop.Host().Now();
    ASSERT_TRUE(StepUntil([&] { return synth_->SoundingNote() == -1; }, 300));
    const uint64_t off = desktop.Host().Now();
    EXPECT_GE(off - on, 900u);
    EXPECT_LE(off - on, 1200u);
    ASSERT_TRUE(StepUntil([&] { return synth_->SoundingNote() == 67; }, 300));
    EXPECT_GE(desktop.Host().Now() - off, 900u);
    EXPECT_LE(desktop.Host().Now() - off, 1200u);
}

TEST_F(KeyboardFloaterTest, TheDroneAndRepeatButtonsExcludeEachOtherAndReleaseTheNoteTheyLeave)
{
    CKeyboardFloater* floater = OpenWithCtrlF();
    ASSERT_NE(floater, nullptr);
    SetClientWidth(*floater, CKeyboardBmp::kWidth);
    synth_->ClearLog();
    const int buttonY = 36 + 5;
    const int drone = 98 + 17;
    const int repeat = 135 + 17;

    // Repeat plays the current note at once.
    Click(*floater, repeat, buttonY);
    EXPECT_EQ(floater->GetMode(), CKeyboardFloater::kRepeat);
    EXPECT_TRUE(floater->GetRepeatButton().IsOn());
    ASSERT_TRUE(StepUntilNotes({"on 60"}));
    // A key press there only changes the note the repeat plays next.
    Click(*floater, 338, 20);
    ASSERT_TRUE(StepUntilNotes({"on 60", "off 60", "on 64"}));

    // Drone releases the repeated note and waits for a key.
    Click(*floater, drone, buttonY);
    EXPECT_EQ(floater->GetMode(), CKeyboardFloater::kDrone);
    EXPECT_TRUE(floater->GetDroneButton().IsOn());
    EXPECT_FALSE(floater->GetRepeatButton().IsOn());
    ASSERT_TRUE(StepUntilNotes({"on 60", "off 60", "on 64", "off 64"}));
    Step(1500);
    EXPECT_EQ(Notes().size(), 4u);
    Click(*floater, 8, 5);
    ASSERT_TRUE(StepUntilNotes({"on 60", "off 60", "on 64", "off 64", "on 1"}));

    // Drone off again: the note goes.
    Click(*floater, drone, buttonY);
    EXPECT_EQ(floater->GetMode(), CKeyboardFloater::kOff);
    EXPECT_FALSE(floater->GetDroneButton().IsOn());
    EXPECT_TRUE(StepUntilNotes({"on 60", "off 60", "on 64", "off 64", "on 1", "off 1"}));
}

// Another program brought to the front while a key is held (Alt+Tab with the
// button down) releases the note: the button let go over that program never
// reaches the keyboard.
TEST_F(KeyboardFloaterTest, AnotherProgramActivatedWhileAKeyIsHeldReleasesItsNote)
{
    CKeyboardFloater* floater = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenAndHoldNote64(floater));
    desktop.Host().SetApplicationFocus(false);
    Pump();
    desktop.Host().ReleaseMouse({900, 700});
    EXPECT_TRUE(StepUntilNotes({"on 64", "off 64"}));
    desktop.Host().SetApplicationFocus(true);
    Step(500);
    EXPECT_EQ(synth_->SoundingNote(), -1);
    EXPECT_EQ(floater->GetKeyboard().GetShownNote(), CKeyboardBmp::kNoNote);
}

TEST_F(KeyboardFloaterTest, ClosingTheFloaterReleasesItsNoteInEveryMode)
{
    // A held key: the mouse still down on the picture.
    CKeyboardFloater* floater = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenAndHoldNote64(floater));
    PressCtrl('F');
    Step(50);
    EXPECT_EQ(KeyboardToggler::Get(), nullptr);
    UpdateMenus();
    EXPECT_FALSE(IsChecked(kKeyboardFloater));
    EXPECT_TRUE(StepUntilNotes({"on 64", "off 64"}));
    desktop.Host().ReleaseMouse({0, 0});
    Pump();

    // A drone: the note stays after the release, and goes with the floater.
    StoreKeyboardSettings(60, CKeyboardFloater::kDrone, false);
    floater = OpenWithCtrlF();
    ASSERT_NE(floater, nullptr);
    EXPECT_EQ(floater->GetMode(), CKeyboardFloater::kDrone);
    SetClientWidth(*floater, CKeyboardBmp::kWidth);
    synth_->ClearLog();
    Click(*floater, 338, 20);
    ASSERT_TRUE(StepUntilNotes({"on 64"}));
    Step(500);
    // Another key moves the drone.
    Click(*floater, 8, 5);
    ASSERT_TRUE(StepUntilNotes({"on 64", "off 64", "on 1"}));
    Step(500);
    EXPECT_EQ(synth_->SoundingNote(), 1);
    PressCtrl('F');
    EXPECT_TRUE(StepUntilNotes({"on 64", "off 64", "on 1", "off 1"}));
    // The note and the mode are kept for the next time.
    uint8_t note = 0;
    uint32_t mode = 0;
    app->GetPrefs()->GetKeyboardSettings(note, mode);
    EXPECT_EQ(note, 1);
    EXPECT_EQ(mode, CKeyboardFloater::kDrone);

    // A repeat.
    StoreKeyboardSettings(72, CKeyboardFloater::kRepeat, false);
    synth_->ClearLog();
    ASSERT_NE(OpenWithCtrlF(), nullptr);
    ASSERT_TRUE(StepUntilNotes({"on 72"}));
    PressCtrl('F');
    EXPECT_TRUE(StepUntilNotes({"on 72", "off 72"}));
    Step(2500);
    EXPECT_EQ(Notes(), (std::vector<std::string>{"on 72", "off 72"}));
}

TEST_F(KeyboardFloaterTest, AFloaterOpenAtQuitReopensAtItsPlaceWithItsNoteAndMode)
{
    StoreKeyboardSettings(60, CKeyboardFloater::kDrone, false);
    CKeyboardFloater* floater = OpenWithCtrlF();
    ASSERT_NE(floater, nullptr);
    floater->SetWindowRect(CRect(100, 500, 400, 560));
    Pump();
    Click(*floater, 150, 20);
    ASSERT_TRUE(StepUntil([this] { return synth_->SoundingNote() >= 0; }, 300));
    const int sounding = synth_->SoundingNote();
    ASSERT_TRUE(Quit());
    app->Exit();
    while (CountWindows() > 0)
        delete GetWindowAt(0);
    app.reset();

    Launch();
    floater = KeyboardToggler::Get();
    ASSERT_NE(floater, nullptr);
    EXPECT_EQ(floater->GetWindowRectInFrame(), CRect(100, 500, 400, 560));
    EXPECT_EQ(floater->GetCurrentNote(), sounding);
    EXPECT_EQ(floater->GetMode(), CKeyboardFloater::kDrone);
}

TEST_F(KeyboardFloaterTest, QuittingWhileADroneSoundsSilencesIt)
{
    StoreKeyboardSettings(60, CKeyboardFloater::kDrone, false);
    CKeyboardFloater* floater = OpenWithCtrlF();
    ASSERT_NE(floater, nullptr);
    SetClientWidth(*floater, CKeyboardBmp::kWidth);
    synth_->ClearLog();
    Click(*floater, 338, 20);
    ASSERT_TRUE(StepUntilNotes({"on 64"}));
    Step(500);
    ASSERT_TRUE(Quit());
    app->Exit();
    while (CountWindows() > 0)
        delete GetWindowAt(0);
    app.reset();
    // The editor is gone: only the synthesizer's time goes on.
    for (int i = 0; i < 100 && Notes().size() < 2; ++i)
        port_->Advance(10);
    EXPECT_EQ(Notes(), (std::vector<std::string>{"on 64", "off 64"}));
}

TEST_F(EditorTest, WithoutASynthesizerTheKeyboardPlaysNothingAndShowsNoMarker)
{
    Launch();
    PressCtrl('F');
    CKeyboardFloater* floater = CWindowToggler<CKeyboardFloater>::Get();
    ASSERT_NE(floater, nullptr);
    const CPoint key = floater->ClientToScreen(CPoint(100, 25));
    desktop.Host().PressMouse({key.x, key.y});
    Pump();
    EXPECT_NE(floater->GetCurrentNote(), CKeyboardFloater::kDefaultNote);
    Step(100);
    EXPECT_EQ(floater->GetKeyboard().GetShownNote(), CKeyboardBmp::kNoNote);
    desktop.Host().ReleaseMouse({key.x, key.y});
    Pump();
    floater->SetMode(CKeyboardFloater::kRepeat);
    Step(2500);
    EXPECT_EQ(floater->GetKeyboard().GetShownNote(), CKeyboardBmp::kNoNote);
}

} // namespace editortest
