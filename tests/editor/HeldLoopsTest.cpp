// The link to the synthesizer while a loop of its own holds the program: a
// menu held open, a modal dialog, the file dialog, a drag held still. The
// synthesizer keeps the desktop's time meanwhile; a person lets go after
// 30 s, past the time in which pings left unanswered lose the contact.
#include "tests/editor/PatchWindowFixture.h"
#include "tests/editor/SynthEditorFixture.h"

#include "platform/input/Keys.h"
#include "platform/menus/MenuWindows.h"
#include "platform/menus/NativeMenu.h"
#include "platform/system/Clock.h"
#include "platform/windows/Window.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <string>

using namespace NSHarrowen;

namespace editortest {

namespace {

constexpr uint64_t kHeldMs = 30000;
const std::string kLostContact = "Port 1: Lost contact.\rOpen the MIDI dialog and enable the port again.";

class HeldLoopsTest : public PatchWindowDriver<SynthEditorTest> {
protected:
    void SetUp() override
    {
        SynthEditorTest::SetUp();
        if (HasFatalFailure())
            return;
        // Menus drawn and held as on a desktop with a person at it.
        previousPresenter_ = platform::SetPopupPresenter(
            [](const platform::PopupRequest& request) { return platform::RunPopupMenuWindow(request); });
        app->InstallMenuBar();
        ASSERT_TRUE(Settle());
    }
    void TearDown() override
    {
        platform::SetPopupPresenter(previousPresenter_);
        SynthEditorTest::TearDown();
    }
    void Tick(uint64_t ms) override
    {
        for (uint64_t passed = 0; passed < ms; passed += 10)
            SynthStep();
    }

    // The simulated synthesizer catches up with the desktop's clock.
    void KeepSynthInTime()
    {
        const uint64_t now = platform::NowMilliseconds();
        if (now > synthTime_ && port_->Advance(now - synthTime_) != 0)
            WaitForWorker();
        synthTime_ = std::max(synthTime_, now);
    }
    // `open` starts what holds the program; the operator's timer, which
    // every loop keeps dispatching, runs `letGo` once `ms` have passed.
    void HoldFor(uint64_t ms, const std::function<void()>& open, const std::function<void()>& letGo)
    {
        synthTime_ = platform::NowMilliseconds();
        const uint64_t opened = synthTime_;
        bool gone = false;
        onOperatorTick = [&] {
            KeepSynthInTime();
            if (!gone && platform::NowMilliseconds() - opened >= ms) {
                gone = true;
                letGo();
            }
        };
        open();
        // A drag holds no loop of its own: the program's loop runs on.
        while (!gone) {
            desktop.Host().Advance(10);
            Pump();
        }
        Pump();
        onOperatorTick = nullptr;
    }
    void ClickMenuTitle(int title)
    {
        const platform::WindowHandle bar = app->GetMenuBarWindow();
        ASSERT_NE(bar, 0u);
        const platform::Rect r = platform::MenuBarTitleRects(bar).at(static_cast<size_t>(title));
        desktop.Host().Click(platform::ClientToScreen(bar, {r.left + 3, r.top + 3}));
        Pump();
    }
    void PressEscape()
    {
        desktop.Host().PressKey(platform::kVKEscape);
        desktop.Host().ReleaseKey(platform::kVKEscape);
    }
    // The slot's patch in its window, for a drag on its area.
    void ShowSlotPatch()
    {
        PressCtrl('U');
        Tick(100);
        CPatch* shown = List().FindPatchInSlot(0, Ports().GetCurrentSlot());
        ASSERT_TRUE(shown && shown->HasWindow());
        UseWindowOf(*shown);
        ASSERT_TRUE(Settle());
    }
    int PingsReceived()
    {
        return port_->With([](sim::CSimulator& synth) {
            return static_cast<int>(
                std::count_if(synth.Log().begin(), synth.Log().end(),
                              [](const sim::SimLogEntry& entry) { return entry.text == "identify ping"; }));
        });
    }
    void ClearSynthLog()
    {
        port_->With([](sim::CSimulator& synth) {
            synth.ClearLog();
            return 0;
        });
    }

    // Ctrl with a letter, queued whole: the box it opens takes the releases.
    void CtrlLetter(char letter)
    {
        const uint32_t key = platform::kVKLetterA + static_cast<uint32_t>(letter - 'A');
        desktop.Host().PressKey(platform::kVKControl);
        desktop.Host().PressKey(key);
        desktop.Host().ReleaseKey(key);
        desktop.Host().ReleaseKey(platform::kVKControl);
        Pump();
    }

    struct Hold {
        const char* what;
        std::function<void(HeldLoopsTest&)> prepare;
        std::function<void(HeldLoopsTest&)> open;
        std::function<void(HeldLoopsTest&)> letGo;
    };
    static std::vector<Hold> Holds()
    {
        const auto nothing = [](HeldLoopsTest&) {};
        const auto escape = [](HeldLoopsTest& t) { t.PressEscape(); };
        const auto onArea = [](HeldLoopsTest& t) { return t.Screen(t.InArea(1, CPoint(300, 200))); };
        return {
            {"a menu of the menu bar", nothing, [](HeldLoopsTest& t) { t.ClickMenuTitle(0); }, escape},
            {"the Synth Settings dialog", nothing, [](HeldLoopsTest& t) { t.CtrlLetter('G'); }, escape},
            {"the Open dialog", nothing, [](HeldLoopsTest& t) { t.CtrlLetter('O'); }, escape},
            {"a drag on the patch area", [](HeldLoopsTest& t) { t.ShowSlotPatch(); },
             [=](HeldLoopsTest& t) { t.desktop.Host().PressMouse(onArea(t)); },
             [=](HeldLoopsTest& t) { t.desktop.Host().ReleaseMouse(onArea(t)); }},
        };
    }
    void HoldFor(uint64_t ms, const Hold& hold)
    {
        hold.prepare(*this);
        HoldFor(
            ms, [&] { hold.open(*this); }, [&] { hold.letGo(*this); });
    }
    // The synthesizer falls silent while `hold` holds the program.
    void LoseTheSynthesizerWhileHeld(const Hold& hold)
    {
        port_->With([](sim::CSimulator& synth) {
            synth.Faults().identify = sim::SimIdentifyFault::NoReply;
            return 0;
        });
        HoldFor(kHeldMs, hold);
        Step(200);
    }

private:
    platform::PopupPresenter previousPresenter_;
    uint64_t synthTime_ = 0;
};

} // namespace

// The contact pings go out every 2 s of silence and are answered while the
// program is held, and the link stays up.
TEST_F(HeldLoopsTest, EveryLoopKeepsTheContactWithTheSynthesizer)
{
    for (const Hold& hold : Holds()) {
        SCOPED_TRACE(hold.what);
        ClearSynthLog();
        HoldFor(kHeldMs, hold);
        EXPECT_GE(PingsReceived(), static_cast<int>(kHeldMs / 2100)) << "a ping after each 2 s of silence";
        EXPECT_TRUE(Ports().HasSynth(0));
        EXPECT_TRUE(alerts.empty());
        ASSERT_TRUE(Settle());
    }
}

// The synthesizer falls silent while a menu is held open: the link fails
// there, and the user is told once, right after the menu closed.
TEST_F(HeldLoopsTest, ALinkLostWhileAMenuIsHeldIsReportedOnceItCloses)
{
    LoseTheSynthesizerWhileHeld(Holds()[0]);
    EXPECT_THAT(alerts, testing::ElementsAre(testing::HasSubstr(kLostContact)));
    EXPECT_EQ(Ports().GetPort(0), nullptr);
}

// The same in a modal dialog, whose loop runs the idle step: the alert
// comes over the dialog.
TEST_F(HeldLoopsTest, ALinkLostInADialogIsReportedOnce)
{
    LoseTheSynthesizerWhileHeld(Holds()[1]);
    EXPECT_THAT(alerts, testing::ElementsAre(testing::HasSubstr(kLostContact)));
    EXPECT_EQ(Ports().GetPort(0), nullptr);
}

} // namespace editortest
