// Bootwren driven as a user drives it: clicks and keys on its pages, against
// the update-mode simulated synthesizer on a virtual MIDI port.

#include "tests/updater/WizardFixture.h"
#include "tests/updater/support/UpdateLinkFixture.h"

#include "framework/controls/ProgressBarView.h"
#include "framework/controls/PushButtonView.h"
#include "platform/system/Clock.h"
#include "framework/views/StaticTextView.h"
#include "platform/input/Keys.h"
#include "platform/system/File.h"
#include "updater/link/UpdateLink.h"
#include "framework/controls/PopupButtonView.h"
#include "updater/pages/PageMidi.h"
#include "updater/pages/WizardDialog.h"
#include "platform/system/AtomicFileWriter.h"
#include "platform/windows/Window.h"

#include <filesystem>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sys/stat.h>

using namespace NSBootwren;

namespace updatertest {
namespace {

// The alert shows its (empty) title, a blank, then the message, which begins with one.
const std::string kNotUpdated =
    "  You're Vesk Pebix Kandrel has NOT been updated! Switch it off and on for normal usage.";

TEST_F(WizardTest, FromStartToDoneWithTheWholeImage)
{
    synth.Config().version = {3, 0, 0};
    const SyntheticImage image = FullSizeSyntheticImage();
    Launch(image);
    EXPECT_TRUE(fileDialogs.empty());
    ASSERT_EQ(Page(), 1);
    const std::vector<std::string> start = Texts();
    ASSERT_EQ(start.size(), 3u);
    EXPECT_EQ(start[0], "Vesk Pebix Kandrel OS V3.03");
    EXPECT_EQ(FirstText()->GetFont(), NSHarrowen::CFontSpec("MS Sans Serif", 30));
    EXPECT_EQ(start[1],
              "Welcome to the Vesk Pebix Kandrel Bootwren. This wizard will update your Vesk Pebix Kandrel "
              "operating system. The new version will be V3.03.");
    EXPECT_FALSE(app->GetPage()->GetBackButton()->IsEnabled());
    GoToCurrentPage();
    Step(50);
    const std::vector<std::string> current = Texts();
    ASSERT_EQ(current.size(), 3u);
    EXPECT_EQ(current[0], "The current version of your Vesk Pebix Kandrel is V3.00");
    EXPECT_EQ(current[1], "The new OS will be V3.03");
    EXPECT_EQ(current[2].rfind("WARNING! You are about to update your Pebix Kandrel OS. The patches that are stored "
                               "in the synth memory may not work any more!",
                               0),
              0u);
    EXPECT_EQ(app->GetPage()->GetDefaultButton(), app->GetPage()->GetNextButton());
    ClickNext();
    ASSERT_EQ(Page(), 5);
    EXPECT_FALSE(app->GetPage()->GetNextButton()->IsEnabled());
    Step(50);
    EXPECT_EQ(Texts()[0].rfind("Dumping...", 0), 0u) << Texts()[0];
    // Done moves on to the store page by itself.
    ASSERT_TRUE(WaitForPage(6, 300000));
    EXPECT_TRUE(synth.Payload() == image.payload);
    EXPECT_EQ(synth.PacketCount(), 3161);
    EXPECT_GE(synth.ShortestGapMs(), 30u);
    EXPECT_TRUE(synth.Errors().empty());
    EXPECT_FALSE(app->GetPage()->GetBackButton()->IsEnabled());
    ClickNext();
    ASSERT_EQ(Page(), 7);
    EXPECT_FALSE(app->GetPage()->GetBackButton()->IsEnabled());
    EXPECT_FALSE(app->GetPage()->GetNextButton()->IsEnabled());
    EXPECT_EQ(app->GetPage()->GetDefaultButton(), app->GetPage()->GetCancelButton());
    ClickCancel(); // "Done"
    EXPECT_TRUE(IsQuitRequested());
    EXPECT_TRUE(alerts.empty());
}

// What the screen shows of the dump page's progress bar.
class WizardDumpTest : public WizardTest {
protected:
    // From page 1 to the dump page, with a payload of `packets` full packets.
    void StartDump(int packets)
    {
        image_ = SmallSyntheticImage(112 * static_cast<size_t>(packets));
        Launch(image_);
        GoToCurrentPage();
        Step(50);
        ClickNext();
        ASSERT_EQ(Page(), 5);
    }

    // The presented pixels of the page's progress bar.
    std::vector<uint32_t> Bar()
    {
        const NSHarrowen::CGroupView* root = app->GetPage()->GetRootView();
        for (int i = 0; i < root->CountChildren(); ++i)
            if (auto* bar = dynamic_cast<NSHarrowen::CProgressBarView*>(root->GetChild(i))) {
                const platform::PixelBuffer shown = OnScreen(bar->GetHandle());
                return std::vector<uint32_t>(shown.Data(), shown.Data() + shown.Width() * shown.Height());
            }
        ADD_FAILURE() << "no progress bar";
        return {};
    }

    SyntheticImage image_;
};

TEST_F(WizardDumpTest, TheProgressMovesOnScreenBackIsOffAndNoStepHoldsTheWindow)
{
    // Packets close together on the cable would overrun the synthesizer's
    // flash: 134 bytes take 42.88 ms, then 30 ms of silence.
    synth.Config().minimumGapMs = 73;
    StartDump(60);
    longestDispatchMs = 0;
    std::set<std::string> texts;
    std::set<std::vector<uint32_t>> bars;
    bool backEnabled = false;
    for (int steps = 0; Page() == 5 && steps < 2000; ++steps) {
        texts.insert(Texts()[0]);
        bars.insert(Bar());
        backEnabled = backEnabled || app->GetPage()->GetBackButton()->IsEnabled();
        if (synth.PacketCount() == 20 && !texts.count("clicked Back")) {
            texts.insert("clicked Back");
            ClickBack(); // does nothing while the dump runs
            ASSERT_EQ(Page(), 5);
        }
        Step();
    }
    ASSERT_EQ(Page(), 6);
    texts.erase("clicked Back");
    EXPECT_GE(texts.size(), 10u);
    for (const std::string& text : texts)
        EXPECT_EQ(text.rfind("Dumping...", 0), 0u) << text;
    EXPECT_GE(bars.size(), 10u);
    EXPECT_FALSE(backEnabled);
    // The longest a click waits: one packet's wire time (43 ms, and the
    // millisecond the clock cannot see).
    EXPECT_LE(longestDispatchMs, 44u);
    EXPECT_TRUE(synth.Payload() == image_.payload);
    EXPECT_TRUE(synth.Errors().empty()) << synth.Errors().front();
}

TEST_F(WizardDumpTest, CancelInTheMiddleEndsTheDumpAtOnce)
{
    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey ? "Escape" : "Cancel clicked");
        TearDown();
        synth = sim::CSimUpdateSynth();
        alerts.clear();
        alertTimes.clear();
        SetUp();
        StartDump(60);
        while (synth.PacketCount() < 20)
            Step();
        ASSERT_EQ(Page(), 5);
        const uint64_t cancelled = platform::NowMilliseconds();
        if (byKey)
            Key(platform::kVKEscape);
        else
            ClickCancel();
        const int packets = synth.PacketCount();
        EXPECT_TRUE(IsQuitRequested());
        ASSERT_EQ(alerts, (std::vector<std::string>{kNotUpdated}));
        EXPECT_LE(alertTimes[0] - cancelled, 100u);
        EXPECT_LE(packets, 21);
        EXPECT_EQ(app->GetLink().GetDumpState(), kDumpIdle);
        Step(1000);
        EXPECT_EQ(synth.PacketCount(), packets);
        EXPECT_FALSE(synth.EndReceived());
    }
}

// What the dump page says when the data may not have arrived whole, and
// what it tells the user to do.
const std::string kTryAgain =
    "\rPress Back and try again. If it happens again, close other programs, run JACK in its synchronous mode "
    "(jackd -S) or use ALSA, or tick \"Safe(Slower)\" on the MIDI page.";
const std::string kLossText = "The MIDI system lost data on its way to the Vesk Pebix Kandrel, so the dump was "
                              "stopped at once. Nothing has been harmed: your Vesk Pebix Kandrel keeps the OS it had." +
    kTryAgain;
const std::string kGoneText =
    "The Vesk Pebix Kandrel can no longer be reached: its MIDI port went away or the MIDI system stopped, so the "
    "dump was stopped. Nothing has been harmed.\rCheck the cable, that the Vesk Pebix Kandrel is on and in update "
    "mode and that the MIDI system runs; then press Back and try again.";
const std::string kRefusedText = "The Vesk Pebix Kandrel refused the OS it received: part of it was lost or spoilt "
                                 "on the way. Nothing has been harmed: your Vesk Pebix Kandrel keeps the OS it had." +
    kTryAgain;

const std::string kSilentText =
    "The Vesk Pebix Kandrel did not answer after the whole OS was sent. Check that it is on and in update mode." +
    kTryAgain;

TEST_F(WizardDumpTest, WhatTheMidiSystemTellsOfThePathStopsTheDumpAtOnce)
{
    const struct {
        const char* name;
        void (*tell)(platform::VirtualMidiDevice&);
        const std::string& text;
    } cases[] = {
        {"data lost", [](platform::VirtualMidiDevice& d) { d.ReportLoss(); }, kLossText},
        {"the synthesizer's port gone", [](platform::VirtualMidiDevice& d) { d.ReportPeerGone(true); }, kGoneText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        synth = sim::CSimUpdateSynth();
        SetUp();
        StartDump(60);
        while (synth.PacketCount() < 20)
            Step();
        c.tell(port->Device());
        // Said at once (by the next packet's time), the bar where it
        // stopped, nothing more sent.
        Step(100);
        const int packets = synth.PacketCount();
        EXPECT_LE(packets, 21);
        ASSERT_EQ(Texts().size(), 2u);
        EXPECT_EQ(Texts()[0], "Dump error!");
        EXPECT_EQ(Texts()[1], c.text);
        EXPECT_LT(app->GetLink().GetProgress(), 400.0);
        Step(15000);
        EXPECT_EQ(synth.PacketCount(), packets);
        EXPECT_FALSE(synth.EndReceived());
        EXPECT_EQ(Page(), 5);
        EXPECT_TRUE(alerts.empty());
        // Back leads to the instructions, and a new try on a sound path
        // sends the whole system with the old text gone.
        port->Device().ReportPeerGone(false);
        ClickBack();
        ASSERT_EQ(Page(), 2);
        ClickNext();
        ClickNext();
        ClickNext();
        Step(50);
        ClickNext();
        ASSERT_EQ(Page(), 5);
        Step();
        EXPECT_EQ(Texts()[1], "");
        ASSERT_TRUE(WaitForPage(6));
        EXPECT_EQ(synth.Payload(), image_.payload);
    }
}

TEST_F(WizardDumpTest, AnImageSpoiltOnALossyCableIsRefusedAndTheUserToldWhatToDo)
{
    // The simulator on a bad cable: 2 % of the messages lost, 1 % spoilt.
    synth.Config().lossy = sim::SimLossRates{0.02, 0.01, 53};
    StartDump(200);
    for (int steps = 0; steps < 4000 && app->GetLink().GetDumpState() != kDumpFailed; ++steps)
        Step();
    ASSERT_EQ(Page(), 5);
    ASSERT_TRUE(synth.EndReceived());
    ASSERT_TRUE(synth.Cable().In().has_value());
    EXPECT_GT(synth.Cable().In()->Dropped() + synth.Cable().In()->Spoilt(), 0u);
    EXPECT_FALSE(synth.Errors().empty()) << "the synthesizer found the image spoilt";
    EXPECT_NE(synth.Payload(), image_.payload);
    EXPECT_EQ(Texts()[0], "Dump error!");
    EXPECT_EQ(Texts()[1], kRefusedText);
    EXPECT_FALSE(app->GetPage()->GetNextButton()->IsEnabled());
    EXPECT_TRUE(app->GetPage()->GetBackButton()->IsEnabled());
}

TEST_F(WizardDumpTest, ALossAfterTheEndIsBlamedWhenTheSynthesizerRefuses)
{
    synth.Faults().refuse = true;
    synth.Faults().verdictDelayMs = 500;
    StartDump(5);
    while (!synth.EndReceived())
        Step();
    port->Device().ReportLoss();
    Step(100);
    EXPECT_EQ(Texts()[0], "Dumping...100%") << "everything may have arrived: the verdict tells";
    Step(600);
    EXPECT_EQ(Texts()[0], "Dump error!");
    EXPECT_EQ(Texts()[1], kLossText);
}

TEST_F(WizardTest, SafeModePacesTwoHundredMilliseconds)
{
    synth.Config().minimumGapMs = 200;
    Launch(SmallSyntheticImage(600));
    GoToCurrentPage(true);
    Step(50);
    ClickNext();
    ASSERT_TRUE(WaitForPage(6));
    EXPECT_EQ(synth.PacketCount(), 6);
    EXPECT_GE(synth.ShortestGapMs(), 200u);
    EXPECT_TRUE(synth.Errors().empty());
}

TEST_F(WizardTest, ReturnClicksTheDefaultButtonAndEscapeCancels)
{
    Launch(SmallSyntheticImage(10));
    Key(platform::kVKReturn);
    EXPECT_EQ(Page(), 2);
    Key(platform::kVKEscape);
    EXPECT_TRUE(IsQuitRequested());
    EXPECT_EQ(alerts, (std::vector<std::string>{kNotUpdated}));
}

TEST_F(WizardTest, PortsThatCannotBeOpenedKeepTheMidiPage)
{
    Launch(SmallSyntheticImage(10));
    port->Device().FailOpen(platform::midierr::kAllocated);
    GoToCurrentPageExpectingPage(3);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].rfind(" Can't open the MIDI ports you have selected.\r", 0), 0u) << alerts[0];
    EXPECT_GT(alerts[0].size(), std::string(" Can't open the MIDI ports you have selected.\r").size());
    EXPECT_FALSE(app->GetLink().HasPorts());
    port->Device().FailOpen(platform::midierr::kOk);
    ClickNext();
    ASSERT_EQ(Page(), 4);
    Step(50);
    EXPECT_EQ(app->GetLink().GetIdentifyResult(), kIdentifyFound);
    // Back to the ports: they show the ones that were open, which Next
    // opens anew.
    ClickBack();
    ASSERT_EQ(Page(), 3);
    auto* midi = static_cast<CPageMidi*>(app->GetPage());
    EXPECT_EQ(midi->GetInputPopup()->GetSelection(), FindPort(app->GetLink().GetInputMenu(), kSimDeviceName));
    EXPECT_EQ(midi->GetOutputPopup()->GetSelection(), FindPort(app->GetLink().GetOutputMenu(), kSimDeviceName));
    EXPECT_NE(midi->GetInputPopup()->GetSelection(), 0);
}

// Return answers the alert alone: the MIDI page behind it is not pressed
// on to try the ports again (and again).
TEST_F(WizardTest, ReturnOnThePortsAlertLeavesTheMidiPageWhereItIs)
{
    alertAnswer = AlertAnswer::Return;
    Launch(SmallSyntheticImage(10));
    port->Device().FailOpen(platform::midierr::kAllocated);
    GoToCurrentPageExpectingPage(3);
    Step(1000);
    EXPECT_EQ(alerts.size(), 1u);
    EXPECT_EQ(Page(), 3);
    EXPECT_FALSE(IsQuitRequested());
}

TEST_F(WizardTest, NobodyAnswersAfterFiveRequests)
{
    synth.Faults().silent = true;
    Launch(SmallSyntheticImage(10));
    GoToCurrentPage();
    EXPECT_EQ(Texts()[0], "Looking for a Vesk Pebix Kandrel");
    Step(4900);
    EXPECT_EQ(Texts()[0], "Looking for a Vesk Pebix Kandrel");
    Step(300);
    EXPECT_EQ(Texts()[0],
              "Can't find a Vesk Pebix Kandrel on the ports you have selected.\rPress Back to select new "
              "MIDI ports.");
    EXPECT_EQ(synth.IdentifyCount(), 5);
    EXPECT_FALSE(app->GetPage()->GetNextButton()->IsEnabled());
    EXPECT_EQ(app->GetPage()->GetDefaultButton(), app->GetPage()->GetBackButton());
    ClickBack();
    EXPECT_EQ(Page(), 3);
}

TEST_F(WizardTest, BackToTheMidiPageReopensADeviceThatWentAndCameBack)
{
    synth.Config().version = {3, 0, 0};
    Launch(SmallSyntheticImage(10));
    GoToCurrentPage();
    Step(50);
    ASSERT_EQ(Texts()[0], "The current version of your Vesk Pebix Kandrel is V3.00");
    // The synthesizer is switched off and on: its device goes and comes back
    // under the same name, behind the other port this time.
    port.reset();
    otherPort.reset();
    synth.Config().version = {3, 1, 0};
    port = std::make_unique<sim::CSimUpdatePort>(synth, kSimDeviceName);
    otherPort = std::make_unique<sim::CSimUpdatePort>(otherSynth, "Another Port");
    ClickBack();
    ASSERT_EQ(Page(), 3);
    // The chosen device is still chosen, by its name, in the new list.
    auto* midi = static_cast<CPageMidi*>(app->GetPage());
    EXPECT_EQ(midi->GetInputPopup()->GetSelection(), FindPort(app->GetLink().GetInputMenu(), kSimDeviceName));
    EXPECT_EQ(midi->GetOutputPopup()->GetSelection(), FindPort(app->GetLink().GetOutputMenu(), kSimDeviceName));
    ClickNext();
    ASSERT_EQ(Page(), 4);
    Step(50);
    EXPECT_EQ(Texts()[0], "The current version of your Vesk Pebix Kandrel is V3.01");
    EXPECT_TRUE(app->GetPage()->GetNextButton()->IsEnabled());
}

TEST_F(WizardTest, IdentifyOutcomesAndWhereBackLeads)
{
    const struct {
        const char* name;
        void (*set)(sim::CSimUpdateSynth&);
        std::string text;
        int back;
    } cases[] = {
        {"normal state", [](sim::CSimUpdateSynth& s) { s.Config().updateMode = false; },
         "The Vesk Pebix Kandrel is not in update mode. Press Back for instructions.", 2},
        {"a Kandrel", [](sim::CSimUpdateSynth& s) { s.Config().modelByte = 1; },
         "It's not a  Vesk Pebix Kandrel that is connected to the port. Press Back to select new MIDI ports.", 3},
        {"another reply", [](sim::CSimUpdateSynth& s) { s.Faults().replyKind = 0x09; },
         "The Vesk Pebix Kandrel is not in update mode. Press Back for instructions.", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        synth = sim::CSimUpdateSynth();
        SetUp();
        c.set(synth);
        Launch(SmallSyntheticImage(10));
        GoToCurrentPage();
        Step(50);
        EXPECT_EQ(Texts(), (std::vector<std::string>{c.text, "", ""}));
        EXPECT_FALSE(app->GetPage()->GetNextButton()->IsEnabled());
        Step(3000); // the search has ended: no further requests
        EXPECT_EQ(synth.IdentifyCount(), 1);
        ClickBack();
        EXPECT_EQ(Page(), c.back);
    }
}

TEST_F(WizardTest, VersionTextsOfTheCurrentPage)
{
    const struct {
        std::array<uint8_t, 3> installed;
        std::vector<std::string> texts;
    } cases[] = {
        {{127, 127, 0}, {"There is no OS installed in your Vesk Pebix Kandrel.", "The new OS will be V3.03", ""}},
        {{3, 3, 0},
         {"The current version of your Vesk Pebix Kandrel is V3.03", "The new OS will be V3.03",
          "You are about to update your Vesk Pebix Kandrel with the same version as the one already installed!"}},
        {{3, 10, 70},
         {"The current version of your Vesk Pebix Kandrel is V3.10 Beta 6", "The new OS will be V3.03",
          "WARNING! You are about to update your Pebix Kandrel OS with an earlier version than the one installed! The "
          "patches that are stored in the synth memory may not work any more! Make sure you have saved them in your "
          "computer BEFORE you proceed with this update."}},
    };
    for (const auto& c : cases) {
        TearDown();
        synth = sim::CSimUpdateSynth();
        SetUp();
        synth.Config().version = c.installed;
        Launch(SmallSyntheticImage(10));
        GoToCurrentPage();
        Step(50);
        EXPECT_EQ(Texts(), c.texts);
        EXPECT_TRUE(app->GetPage()->GetNextButton()->IsEnabled());
    }
}

TEST_F(WizardTest, DumpErrors)
{
    const struct {
        const char* name;
        void (*set)(sim::SimUpdateFaults&);
        uint64_t before; // still sending or waiting after this long
        std::string advice;
    } cases[] = {
        {"refused", [](sim::SimUpdateFaults& f) { f.refuse = true; }, 0, kRefusedText},
        {"no verdict", [](sim::SimUpdateFaults& f) { f.noVerdict = true; }, 11000, kSilentText},
        {"an acknowledgement while sending",
         [](sim::SimUpdateFaults& f) {
             f.earlyAckAfterPacket = 0;
             f.noVerdict = true;
         },
         11000, kSilentText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        synth = sim::CSimUpdateSynth();
        SetUp();
        c.set(synth.Faults());
        Launch(SmallSyntheticImage(1000));
        GoToCurrentPage();
        Step(50);
        ClickNext();
        ASSERT_EQ(Page(), 5);
        Step(600); // header, 9 packets and the end
        ASSERT_TRUE(synth.EndReceived());
        if (c.before) {
            Step(c.before);
            EXPECT_EQ(Texts()[0], "Dumping...100%");
        }
        Step(12000 - c.before + 100);
        EXPECT_EQ(Texts()[0], "Dump error!");
        EXPECT_EQ(Texts()[1], c.advice);
        EXPECT_EQ(Page(), 5);
        EXPECT_FALSE(app->GetPage()->GetNextButton()->IsEnabled());
        // Back leads to the instructions; showing the dump page again sends it all again.
        ClickBack();
        ASSERT_EQ(Page(), 2);
        synth.Faults() = {};
        ClickNext();
        ClickNext();
        ClickNext();
        Step(50);
        ClickNext();
        ASSERT_TRUE(WaitForPage(6));
        EXPECT_EQ(synth.Payload().size(), 1000u);
    }
}

TEST_F(WizardTest, CancelAlertsOnlyOnThePreparePortsAndDumpPages)
{
    for (int page = 1; page <= 7; ++page) {
        SCOPED_TRACE(page);
        TearDown();
        synth = sim::CSimUpdateSynth();
        alerts.clear();
        SetUp();
        synth.Faults().verdictDelayMs = page == 5 ? 60000 : 0;
        Launch(SmallSyntheticImage(300));
        if (page >= 4) {
            GoToCurrentPage();
        } else {
            for (int i = 1; i < page; ++i)
                ClickNext();
        }
        Step(50);
        if (page >= 5)
            ClickNext();
        if (page >= 6) {
            ASSERT_TRUE(WaitForPage(6));
        }
        if (page == 7)
            ClickNext();
        ASSERT_EQ(Page(), page);
        ClickCancel();
        EXPECT_TRUE(IsQuitRequested());
        const bool asks = page == 2 || page == 3 || page == 5;
        EXPECT_EQ(alerts, asks ? std::vector<std::string>{kNotUpdated} : std::vector<std::string>{});
        if (page == 5) {
            EXPECT_EQ(app->GetLink().GetDumpState(), kDumpIdle);
        }
    }
}

// Cancel shows "NOT been updated" modally from the page's own handler.
// However the alert is answered (its button, Return, Escape), or when the program is asked to quit while
// it is open, the page outlives its handler and the program ends.
TEST_F(WizardTest, CancelOnTheMidiAndDumpPagesEndsTheProgramHoweverTheAlertIsAnswered)
{
    for (const int page : {3, 5}) {
        for (const AlertAnswer answer :
             {AlertAnswer::Button, AlertAnswer::Return, AlertAnswer::Escape, AlertAnswer::Quit}) {
            SCOPED_TRACE(testing::Message() << "page " << page << ", answer " << static_cast<int>(answer));
            TearDown();
            synth = sim::CSimUpdateSynth();
            alerts.clear();
            SetUp();
            alertAnswer = answer;
            synth.Faults().verdictDelayMs = 60000;
            Launch(SmallSyntheticImage(300));
            if (page == 5) {
                GoToCurrentPage();
                Step(50);
                ClickNext();
            } else {
                ClickNext();
                ClickNext();
            }
            ASSERT_EQ(Page(), page);
            ClickCancel();
            Step(200);
            // The answer is the alert's alone: no page behind it steps on
            // (back to the instructions, there to be cancelled again).
            EXPECT_EQ(alerts, std::vector<std::string>{kNotUpdated});
            EXPECT_EQ(app->GetRunState(), NSHarrowen::kRunStateLeaveLoop);
            EXPECT_EQ(app->GetLink().GetDumpState(), kDumpIdle);
            EXPECT_FALSE(synth.EndReceived());
        }
    }
}

// The desktop's own close (Alt+F4, the taskbar, the window manager's close
// button) reaches the main window as a close request: it is a Cancel.
TEST_F(WizardTest, ClosingTheMainWindowFromTheDesktopIsACancel)
{
    const struct {
        int page;
        AlertAnswer answer;
    } cases[] = {{1, AlertAnswer::Button}, {5, AlertAnswer::Button}, {5, AlertAnswer::Return}};
    for (const auto& [page, answer] : cases) {
        SCOPED_TRACE(testing::Message() << "page " << page << ", answer " << static_cast<int>(answer));
        TearDown();
        synth = sim::CSimUpdateSynth();
        alerts.clear();
        SetUp();
        alertAnswer = answer;
        synth.Faults().verdictDelayMs = 60000;
        Launch(SmallSyntheticImage(300));
        if (page == 5) {
            GoToCurrentPage();
            Step(50);
            ClickNext();
            Step(50);
            ASSERT_NE(app->GetLink().GetDumpState(), kDumpIdle);
        }
        ASSERT_EQ(Page(), page);
        platform::HeadlessHost& host = desktop.Host();
        platform::SurfaceId frame = 0;
        for (const platform::SurfaceId id : host.StackingOrder())
            if (host.SurfaceTitle(id) == platform::GetWindowText(app->GetFrameHandle()))
                frame = id;
        ASSERT_NE(frame, 0u);
        host.RequestClose(frame);
        Step(100);
        EXPECT_TRUE(IsQuitRequested());
        EXPECT_EQ(alerts, page == 5 ? std::vector<std::string>{kNotUpdated} : std::vector<std::string>{});
        EXPECT_EQ(app->GetLink().GetDumpState(), kDumpIdle);
    }
}

class WizardStartTest : public WizardTest {
protected:
    std::string WriteImage(const std::string& name, const SyntheticImage& image)
    {
        const std::string path = folder.File(name);
        const std::vector<uint8_t> bytes = image.Bytes();
        EXPECT_TRUE(platform::WriteFileAtomically(path, bytes.data(), bytes.size()));
        return path;
    }
};

TEST_F(WizardStartTest, WithoutABuiltInImageADumpFileIsAskedFor)
{
    SyntheticImage foreign = SmallSyntheticImage(10);
    foreign.model = "Kandrel R";
    SyntheticImage broken = SmallSyntheticImage(10);
    broken.lengthDelta = 1;
    const SyntheticImage good = SmallSyntheticImage(10, "Kandrel");
    std::filesystem::create_directories(folder.File("images"));
    dialogAnswers = {WriteImage("images/foreign.dmp", foreign), WriteImage("broken.dmp", broken),
                     folder.File("missing.dmp"), WriteImage("good.dmp", good)};
    Launch();
    EXPECT_EQ(fileDialogs, std::vector<std::string>(4, "Select dump file"));
    // The folder Bootwren was started from first; after a refused image, the
    // folder just used.
    const std::string top = std::filesystem::path(folder.File("x")).parent_path().string() + "/";
    EXPECT_EQ(fileDialogFolders, (std::vector<std::string>{".", top + "images/", top, top}));
    ASSERT_EQ(alerts.size(), 3u);
    EXPECT_EQ(alerts[0], " This Bootwren does not support Kandrel R.");
    EXPECT_EQ(alerts[1], " Update file is corrupt.");
    EXPECT_NE(alerts[2].find("could not be found"), std::string::npos);
    ASSERT_EQ(Page(), 1);
    EXPECT_EQ(Texts()[0], "Vesk Kandrel OS V3.03");
    EXPECT_EQ(Texts()[2], "Synthetic test image");
}

TEST_F(WizardStartTest, AnOversizedDumpFileIsCorruptUnreadAndAPipeIsNotWaitedOn)
{
    // A sparse file far beyond any image: reading it whole would take 64 GiB.
    const std::string huge = folder.File("huge.dmp");
    {
        std::ofstream create(huge);
    }
    std::filesystem::resize_file(huge, uint64_t{64} << 30);
    const std::string pipe = folder.File("pipe.dmp");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    dialogAnswers = {huge, pipe, WriteImage("good.dmp", SmallSyntheticImage(10, "Kandrel"))};
    Launch();
    EXPECT_EQ(fileDialogs.size(), 3u);
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(alerts[0], " Update file is corrupt.");
    EXPECT_NE(alerts[1].find("could not be found"), std::string::npos) << alerts[1];
    EXPECT_EQ(Page(), 1);
}

TEST_F(WizardStartTest, CancellingTheFileDialogEndsWithoutAnAlert)
{
    const std::vector<uint8_t> empty;
    BuildIn(&empty); // an empty built-in image counts as none
    Launch();
    EXPECT_EQ(fileDialogs.size(), 1u);
    EXPECT_TRUE(alerts.empty());
    EXPECT_EQ(Page(), 0);
    Step(100);
    EXPECT_TRUE(IsQuitRequested());
}

TEST_F(WizardStartTest, AForeignOrCorruptBuiltInImageEndsTheProgram)
{
    SyntheticImage foreign = SmallSyntheticImage(10);
    foreign.model = "Kandrel [R]^0";
    SyntheticImage broken = SmallSyntheticImage(10);
    broken.magic += " ";
    const struct {
        SyntheticImage image;
        std::string alert;
    } cases[] = {
        {foreign, " This Bootwren does not support Kandrel (R)~0."},
        {broken, " Update data is corrupt."},
    };
    for (const auto& c : cases) {
        TearDown();
        alerts.clear();
        fileDialogs.clear();
        SetUp();
        Launch(c.image);
        EXPECT_EQ(alerts, std::vector<std::string>{c.alert});
        EXPECT_TRUE(fileDialogs.empty());
        EXPECT_EQ(Page(), 0);
        Step(100);
        EXPECT_TRUE(IsQuitRequested());
    }
}

} // namespace
} // namespace updatertest
