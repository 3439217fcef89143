// The bank upload and download dialogs, opened from the Synth menu and
// worked with clicks, against a simulated synthesizer whose flash is a
// folder of patch files.
#include "tests/dialogs/banks/BankFixture.h"

#include "dialogs/banks/DialogPatchDownload.h"
#include "dialogs/banks/DialogPatchUpload.h"
#include "dialogs/log/DialogLog.h"
#include "editor/app/EditorCommands.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/ProgressBarView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/views/StaticTextView.h"
#include "platform/filedialogs/FileBrowser.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "simulator/Simulator.h"
#include "synth/flash/BankTransfer.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <utility>

using namespace NSHarrowen;
using namespace editorcommands;

namespace banktest {

namespace {

using ScriptStep = std::function<bool(CABCWindow&)>;
namespace fs = std::filesystem;

template <class Dialog> Dialog* As(CABCWindow& window)
{
    return window.IsMarkedForDeletion() ? nullptr : dynamic_cast<Dialog*>(&window);
}

// What a run of a dialog showed.
struct CSeen {
    std::string title;
    uint16_t selectedBank = 0;
    std::string line1;
    bool startEnabled = true;
    uint16_t maxProgress = 0;
    std::string status;
    std::string logTitle;
    std::vector<std::string> log;
};

std::vector<std::string> LogLines(const CLineRing& log)
{
    std::vector<std::string> lines;
    for (int32_t k = log.GetUsedLines() - 1; k >= 0; --k)
        lines.push_back(log.GetLineFromEnd(k));
    return lines;
}

class FilledBankTest : public BankDialogTest {
protected:
    void SetUp() override
    {
        StartWith(sim::SimModel::Kandrel, [this] {
            for (const auto& [location, name] : kPatches)
                StoreInFlash(1, location, name);
        });
        ASSERT_TRUE(Settle());
    }

    void CloseTheProgramWhileTheLogRuns(const std::function<void()>& closeProgram);

    // Steps that wait for the transfer's end while noting the progress
    // shown, then open "More info", note the log box and close it.
    template <class Dialog> std::vector<ScriptStep> AwaitEndAndReadLog(CSeen& seen)
    {
        return {
            [this, &seen](CABCWindow& w) {
                auto* d = As<Dialog>(w);
                if (!d)
                    return false;
                seen.maxProgress = std::max(seen.maxProgress, d->GetProgressBar()->GetValue());
                if (d->IsRunning() || d->GetStatusText()->GetText().empty())
                    return false;
                seen.status = d->GetStatusText()->GetText();
                seen.log = LogLines(d->GetLog());
                // "More info" needs a log line.
                if (d->GetMoreInfoButton()->IsEnabled())
                    Click(d->GetMoreInfoButton());
                else
                    seen.logTitle = "none";
                return true;
            },
            [this, &seen](CABCWindow& w) {
                auto* box = As<CDialogLog>(w);
                if (!box)
                    return seen.logTitle == "none";
                seen.logTitle = box->GetTitle();
                Click(box->GetCloseButton());
                return true;
            },
        };
    }

    // Picks a bank once the dialog is shown, after `note` has seen it.
    template <class Dialog> ScriptStep PickBank(int bank, std::function<void(Dialog&)> note = {})
    {
        return [this, bank, note](CABCWindow& w) {
            auto* d = As<Dialog>(w);
            if (!d)
                return false;
            if (note)
                note(*d);
            Pick(d->GetBankPopup(), bank);
            return true;
        };
    }
    // Once the bank is picked, the chooser that `button` opens is answered
    // with `path`.
    template <class Dialog>
    ScriptStep Browse(int bank, const std::string& path, CPushButtonView* (Dialog::*button)() const)
    {
        return [this, bank, path, button](CABCWindow& w) {
            auto* d = As<Dialog>(w);
            if (!d || d->GetBankIndex() != bank)
                return false;
            AnswerFileDialog(path);
            Click((d->*button)());
            return true;
        };
    }
    // Presses Start once it is enabled, after `note` has seen the dialog.
    template <class Dialog> ScriptStep StartWhenEnabled(std::function<void(Dialog&)> note = {})
    {
        return [this, note](CABCWindow& w) {
            auto* d = As<Dialog>(w);
            if (!d || !d->GetStartButton()->IsEnabled())
                return false;
            if (note)
                note(*d);
            Click(d->GetStartButton());
            return true;
        };
    }
    // A bank, a file or folder through `button`, then Start.
    template <class Dialog>
    std::vector<ScriptStep> ChooseAndStart(int bank, const std::string& path,
                                           CPushButtonView* (Dialog::*button)() const)
    {
        return {PickBank<Dialog>(bank), Browse<Dialog>(bank, path, button), StartWhenEnabled<Dialog>()};
    }
    std::vector<ScriptStep> StartUpload(const std::string& list)
    {
        return ChooseAndStart<CDialogPatchUpload>(1, list, &CDialogPatchUpload::GetBrowseButton);
    }
    // Presses Exit.
    template <class Dialog> ScriptStep Exit()
    {
        return [this](CABCWindow& w) {
            auto* d = As<Dialog>(w);
            if (!d)
                return false;
            Click(d->GetExitButton());
            return true;
        };
    }

    static inline const std::vector<std::pair<int, std::string>> kPatches{
        {0, "Strings"}, {4, "Bass"}, {9, "Pad"}, {98, "Last"}};
};

std::vector<ScriptStep> Join(std::vector<std::vector<ScriptStep>> parts)
{
    std::vector<ScriptStep> steps;
    for (auto& part : parts)
        for (auto& step : part)
            steps.push_back(std::move(step));
    return steps;
}

} // namespace

TEST_F(FilledBankTest, AnUploadWritesTheBanksFilesAndListAndADownloadMakesAnotherBankEqual)
{
    const std::string list = files.File("Second.pchList");
    CSeen up;
    Script(Join({{
                     PickBank<CDialogPatchUpload>(1,
                                                  [&](CDialogPatchUpload& d) {
                                                      up.title = d.GetTitle();
                                                      up.selectedBank = d.GetBankPopup()->GetSelection();
                                                      up.line1 = d.GetLocationLine(1)->GetShownText();
                                                      up.startEnabled = d.GetStartButton()->IsEnabled();
                                                  }),
                     Browse<CDialogPatchUpload>(1, list, &CDialogPatchUpload::GetBrowseButton),
                     StartWhenEnabled<CDialogPatchUpload>(),
                 },
                 AwaitEndAndReadLog<CDialogPatchUpload>(up),
                 {Exit<CDialogPatchUpload>()}}));
    Choose(kBankUpload);

    EXPECT_EQ(up.title, "Bank Upload From " + Ports().GetDisplayName(0));
    EXPECT_EQ(up.selectedBank, 0);
    EXPECT_EQ(up.line1, "Select destination");
    EXPECT_FALSE(up.startEnabled);
    ASSERT_TRUE(LastFileRequest());
    EXPECT_EQ(LastFileRequest()->fileName, "Bank2");
    EXPECT_EQ(LastFileRequest()->title, "Patch Bank file");
    EXPECT_EQ(up.maxProgress, 989);
    EXPECT_EQ(up.status, "Dump OK");
    EXPECT_EQ(up.logTitle, "Bank Upload log");
    EXPECT_EQ(up.log, std::vector<std::string>{"Saved: 201, 205, 210, 299"});
    for (const auto& [location, name] : kPatches)
        EXPECT_TRUE(fs::exists(files.Path() / (name + ".pch"))) << name;
    EXPECT_TRUE(fs::exists(list));

    // The list, read back into the third bank.
    CSeen down;
    Script(Join({{
                     PickBank<CDialogPatchDownload>(2,
                                                    [&](CDialogPatchDownload& d) {
                                                        down.title = d.GetTitle();
                                                        down.selectedBank = d.GetBankPopup()->GetSelection();
                                                    }),
                     Browse<CDialogPatchDownload>(2, list, &CDialogPatchDownload::GetBrowseFileButton),
                     StartWhenEnabled<CDialogPatchDownload>(
                         [&](CDialogPatchDownload& d) { down.line1 = d.GetLocationLine(2)->GetShownText(); }),
                 },
                 AwaitEndAndReadLog<CDialogPatchDownload>(down),
                 {Exit<CDialogPatchDownload>()}}));
    Choose(kBankDownload);

    EXPECT_EQ(down.title, "Bank Download To " + Ports().GetDisplayName(0));
    EXPECT_EQ(down.selectedBank, 1) << "the bank of the last transfer";
    EXPECT_EQ(down.line1, "Second.pchList");
    EXPECT_EQ(down.status, "Dump OK");
    EXPECT_EQ(down.maxProgress, 989);
    EXPECT_EQ(down.logTitle, "Bank Download log");
    EXPECT_EQ(down.log,
              (std::vector<std::string>{"Written: 301, 305, 310, 399", "Emptied: 302-304, 306-309, 311-398"}));
    EXPECT_EQ(FlashNames(2), FlashNames(1));
    EXPECT_TRUE(alerts.empty());
}

TEST_F(FilledBankTest, StopEndsTheUploadWithDumpErrorAndALogOfWhatWasDone)
{
    CSeen seen;
    Script(Join({StartUpload(files.File("Stopped.pchList")),
                 {
                     [&](CABCWindow& w) {
                         auto* d = As<CDialogPatchUpload>(w);
                         if (!d || d->GetProgressBar()->GetValue() < 100)
                             return false;
                         Click(d->GetStopButton());
                         return true;
                     },
                 },
                 AwaitEndAndReadLog<CDialogPatchUpload>(seen),
                 {Exit<CDialogPatchUpload>()}}));
    Choose(kBankUpload);

    EXPECT_EQ(seen.status, "Dump Error");
    EXPECT_EQ(seen.logTitle, "Bank Upload Error Log");
    ASSERT_GE(seen.log.size(), 2u);
    EXPECT_EQ(seen.log.back(), "Aborted by user");
    EXPECT_EQ(seen.log.front().rfind("Saved: 201", 0), 0u) << seen.log.front();
    EXPECT_LT(seen.maxProgress, 989);
    EXPECT_FALSE(fs::exists(files.File("Stopped.pchList")));
}

// The program is closed from outside while the log runs modally inside the
// bank dialog's handler: the log and the dialog end first, then the quit.
void FilledBankTest::CloseTheProgramWhileTheLogRuns(const std::function<void()>& closeProgram)
{
    bool closed = false;
    Script(Join({StartUpload(files.File("Closed.pchList")),
                 {
                     [&](CABCWindow& w) {
                         auto* d = As<CDialogPatchUpload>(w);
                         if (!d || d->IsRunning() || !d->GetMoreInfoButton()->IsEnabled())
                             return false;
                         Click(d->GetMoreInfoButton());
                         return true;
                     },
                     [&](CABCWindow& w) {
                         if (!As<CDialogLog>(w))
                             return false;
                         closeProgram();
                         closed = true;
                         return true;
                     },
                 }}));
    Choose(kBankUpload);
    ASSERT_TRUE(closed);
    // Both modal runs have ended; the quit itself ran in the outermost loop.
    Step(100);
    EXPECT_EQ(app->GetRunState(), kRunStateLeaveLoop);
    for (int i = 0; i < CountWindows(); ++i) {
        EXPECT_EQ(dynamic_cast<CDialogLog*>(GetWindowAt(i)), nullptr);
        EXPECT_EQ(dynamic_cast<CDialogPatchUpload*>(GetWindowAt(i)), nullptr);
    }
}

TEST_F(FilledBankTest, SigtermWhileTheLogRunsEndsTheLogAndTheDialogFirstThenQuits)
{
    CloseTheProgramWhileTheLogRuns([&] { desktop.Host().RequestQuit(); });
}

TEST_F(FilledBankTest, TheFramesCloseMessageWhileTheLogRunsEndsTheLogAndTheDialogFirstThenQuits)
{
    CloseTheProgramWhileTheLogRuns([&] { platform::PostMessage(app->GetFrameHandle(), platform::msg::Close, 0, 0); });
}

TEST_F(FilledBankTest, TheWindowCannotBeClosedWhileItsTransferRuns)
{
    bool stayed = false;
    std::string title;
    Script(Join({StartUpload(files.File("Kept.pchList")),
                 {
                     [&](CABCWindow& w) {
                         auto* d = As<CDialogPatchUpload>(w);
                         if (!d || d->GetProgressBar()->GetValue() < 50)
                             return false;
                         // The window manager's close, and Escape for the disabled Exit.
                         title = d->GetTitle();
                         CloseByFrame(title);
                         desktop.Host().PressKey(platform::kVKEscape);
                         desktop.Host().ReleaseKey(platform::kVKEscape);
                         return true;
                     },
                     [&](CABCWindow& w) {
                         auto* d = As<CDialogPatchUpload>(w);
                         if (!d)
                             return false;
                         if (d->IsRunning())
                             stayed = true;
                         if (d->IsRunning() || d->GetStatusText()->GetText() != "Dump OK")
                             return false;
                         CloseByFrame(title);
                         return true;
                     },
                 }}));
    Choose(kBankUpload);
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(fs::exists(files.File("Kept.pchList")));
}

TEST_F(FilledBankTest, ADialogTornDownDuringATransferStopsTheEngineAndTakesItsLogBack)
{
    // Not through a close (that is refused): the program's end deletes the
    // windows that are still open.
    auto* dialog = new CDialogPatchDownload(0);
    dialog->Open(dialog->GetWindowRectInFrame());
    AnswerFileDialog(flashFolder.Path().string());
    Click(dialog->GetBrowseFolderButton());
    ASSERT_TRUE(StepUntil([&] { return dialog->GetStartButton()->IsEnabled(); }));
    Click(dialog->GetStartButton());
    CBankTransfer& engine = Ports().GetSynth(0)->GetBankTransfer();
    ASSERT_TRUE(StepUntil([&] { return engine.GetProgress() > 20; }));
    delete dialog;
    // The engine ends at the next answer without touching the freed log.
    ASSERT_TRUE(StepUntil([&] { return !engine.IsRunning(); }, 200));
    EXPECT_EQ(engine.GetResult(), CBankTransfer::kResultFailed);
}

TEST_F(FilledBankTest, ChoicesOfTheDownloadDialogAndWhatTheyClear)
{
    auto* dialog = new CDialogPatchDownload(0);
    dialog->Open(dialog->GetWindowRectInFrame());
    Step(20);
    EXPECT_EQ(dialog->GetLocationLine(1)->GetShownText(), "Select source");
    EXPECT_EQ(dialog->GetWarningLine()->GetShownText(), "WARNING! All patches in the bank will be erased.");
    EXPECT_FALSE(dialog->GetStartButton()->IsEnabled());
    EXPECT_FALSE(dialog->GetStopButton()->IsEnabled());
    EXPECT_FALSE(dialog->GetMoreInfoButton()->IsEnabled());

    // A folder, then a list file: only the list is used.
    AnswerFileDialog(files.Path().string());
    Click(dialog->GetBrowseFolderButton());
    Step(20);
    EXPECT_EQ(dialog->GetLocationLine(2)->GetShownText(), "Patches in alphabetic order.");
    EXPECT_EQ(LastFileRequest()->title, "Patch Bank folder");
    AnswerFileDialog(files.File("Bank.pchList"));
    testsupport::WriteFileBytes(files.File("Bank.pchList"), "");
    Click(dialog->GetBrowseFileButton());
    Step(20);
    EXPECT_EQ(dialog->GetFolder(), nullptr);
    ASSERT_NE(dialog->GetListFile(), nullptr);
    EXPECT_EQ(dialog->GetLocationLine(2)->GetShownText(), "Bank.pchList");
    EXPECT_TRUE(dialog->GetStartButton()->IsEnabled());

    // A source without patches ends at once with its reason in the log.
    AnswerFileDialog(files.Path().string());
    Click(dialog->GetBrowseFolderButton());
    Step(20);
    Click(dialog->GetStartButton());
    Step(20);
    EXPECT_EQ(dialog->GetStatusText()->GetShownText(), "Dump Error");
    EXPECT_TRUE(dialog->GetMoreInfoButton()->IsEnabled());
    // Tab reaches "More info" then, as every other control.
    std::set<const CView*> met;
    for (int i = 0; i < 12; ++i) {
        met.insert(dialog->GetFocusView());
        desktop.Host().PressKey(platform::kVKTab);
        desktop.Host().ReleaseKey(platform::kVKTab);
        Step(20);
    }
    for (const CView* view : std::initializer_list<const CView*>{
             dialog->GetExitButton(), dialog->GetBankPopup(), dialog->GetStartButton(), dialog->GetMoreInfoButton(),
             dialog->GetBrowseFileButton(), dialog->GetBrowseFolderButton()})
        EXPECT_EQ(met.count(view), 1u);
    // Cancelling a chooser still clears the result and the log.
    AnswerFileDialog(std::nullopt);
    Click(dialog->GetBrowseFileButton());
    Step(20);
    EXPECT_EQ(dialog->GetStatusText()->GetShownText(), "");
    EXPECT_FALSE(dialog->GetMoreInfoButton()->IsEnabled());
    ASSERT_NE(dialog->GetFolder(), nullptr);
    delete dialog;
}

TEST_F(FilledBankTest, WithoutItsSynthesizerOnlyExitStaysEnabled)
{
    auto* dialog = new CDialogPatchUpload(0);
    dialog->Open(dialog->GetWindowRectInFrame());
    Step(20);
    EXPECT_TRUE(dialog->GetBankPopup()->IsEnabled());
    // As the MIDI set-up's Apply closes it, followed by the update passes.
    Ports().ClosePort(0);
    UpdateAllWindows();
    Step(20);
    for (const CView* view : std::initializer_list<const CView*>{dialog->GetBankPopup(), dialog->GetBrowseButton(),
                                                                 dialog->GetStartButton(), dialog->GetStopButton(),
                                                                 dialog->GetMoreInfoButton()})
        EXPECT_FALSE(view->IsEnabled());
    EXPECT_TRUE(dialog->GetExitButton()->IsEnabled());
    Click(dialog->GetExitButton());
    Step(20);
    for (int i = 0; i < CountWindows(); ++i)
        EXPECT_EQ(dynamic_cast<CDialogPatchUpload*>(GetWindowAt(i)), nullptr);
}

// The synthesizer stops answering part way through a download: the job
// ends with what was done and why, readable under "More info" although the
// synthesizer is gone.
TEST_F(FilledBankTest, AnInterruptedDownloadKeepsItsLogReadable)
{
    CSeen seen;
    bool synthGone = false;
    Script(Join({ChooseAndStart<CDialogPatchDownload>(2, flashFolder.Path().string(),
                                                      &CDialogPatchDownload::GetBrowseFolderButton),
                 {
                     [&](CABCWindow& w) {
                         auto* d = As<CDialogPatchDownload>(w);
                         if (!d || d->GetProgressBar()->GetValue() < 100)
                             return false;
                         // Every answer from here on is lost.
                         for (unsigned n = 1; n <= 40; ++n)
                             Sim().Faults().AtAnswer(Sim().AnswerCount() + n, {sim::SimAnswerFault::Drop});
                         return true;
                     },
                     [&](CABCWindow& w) {
                         auto* d = As<CDialogPatchDownload>(w);
                         // Once the port's alert was answered.
                         if (!d || Ports().HasSynth(0) || alerts.empty())
                             return false;
                         synthGone = true;
                         return true;
                     },
                 },
                 AwaitEndAndReadLog<CDialogPatchDownload>(seen),
                 {// Exit until the dialog is gone: the first click may only
                  // bring it back to the front after the boxes above it.
                  [&](CABCWindow& w) {
                      if (auto* d = As<CDialogPatchDownload>(w))
                          Click(d->GetExitButton());
                      return false;
                  }}}));
    Choose(kBankDownload);

    EXPECT_TRUE(synthGone);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find("Port 1: Lost contact."), std::string::npos) << alerts[0];
    EXPECT_EQ(seen.status, "Dump Error");
    EXPECT_EQ(seen.logTitle, "Bank Download Error Log");
    ASSERT_GE(seen.log.size(), 3u);
    EXPECT_EQ(seen.log[0], "Written: 301-304");
    EXPECT_EQ(seen.log[1].rfind("Emptied: 305-3", 0), 0u) << seen.log[1];
    EXPECT_EQ(seen.log.back().rfind("Lost contact", 0), 0u) << seen.log.back();
}

class SmallModelTest : public BankDialogTest {
protected:
    void SetUp() override { StartWith(sim::SimModel::Pebix); }
};

TEST_F(SmallModelTest, TheSmallModelOffersOneBank)
{
    ASSERT_TRUE(Settle());
    auto* dialog = new CDialogPatchDownload(0);
    dialog->Open(dialog->GetWindowRectInFrame());
    Step(20);
    EXPECT_EQ(Ports().GetFlashMemory(0).GetBankCount(), 1);
    // Only the first entry can be picked.
    Pick(dialog->GetBankPopup(), 1);
    Step(20);
    EXPECT_EQ(dialog->GetBankIndex(), 0);
    delete dialog;
}

} // namespace banktest
