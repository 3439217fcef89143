#include "tests/editor/EditorFixture.h"

#include "dialogs/about/DialogAbout.h"
#include "editor/app/EditorCommands.h"
#include "editor/patches/PatchManager.h"
#include "editor/prefs/Preferences.h"
#include "editor/windows/PatchView.h"
#include "editor/windows/SavePatchAlert.h"
#include "editor/windows/SplitterView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuBar.h"
#include "framework/views/StaticTextView.h"
#include "panels/painters/KnobGUI.h"
#include "panels/painters/PictureKeys.h"
#include "patch/area/ScrollViewContainer.h"
#include "patch/document/Patch.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <utility>

using namespace NSHarrowen;
using namespace editorcommands;

namespace editortest {

namespace {

// Answers a save question with a button, or with its window frame's close.
std::function<bool(CABCWindow&)> AnswerSaveQuestion(std::vector<std::string>& asked, std::vector<ESaveAnswer> answers,
                                                    std::vector<bool>* noAllOffered = nullptr)
{
    auto queue = std::make_shared<std::vector<ESaveAnswer>>(std::move(answers));
    return [&asked, queue, noAllOffered](CABCWindow& window) {
        auto* box = dynamic_cast<CSavePatchAlert*>(&window);
        if (!box || queue->empty())
            return false;
        asked.push_back(box->GetText()->GetText());
        if (noAllOffered)
            noAllOffered->push_back(box->GetButton(CSavePatchAlert::kNoAll)->IsEnabled());
        const ESaveAnswer answer = queue->front();
        queue->erase(queue->begin());
        switch (answer) {
        case kSaveYes:
            box->GetButton(CSavePatchAlert::kYes)->Click();
            break;
        case kSaveNo:
            box->GetButton(CSavePatchAlert::kNo)->Click();
            break;
        case kSaveNoAll:
            box->GetButton(CSavePatchAlert::kNoAll)->Click();
            break;
        case kSaveCancel:
            box->GetButton(CSavePatchAlert::kCancel)->Click();
            break;
        default:
            platform::PostMessage(box->GetHandle(), platform::msg::Close, 0, 0);
            break;
        }
        return true;
    };
}

} // namespace

TEST_F(EditorTest, TheMenuBarHasItsEightMenusWithTheirCommandsAndAccelerators)
{
    Launch();
    // The splash was painted during the start, and is gone after it.
    EXPECT_GT(app->GetSplashShownAt(), 0u);
    CMenuBar* bar = app->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    const char* titles[] = {"File", "Edit", "Patch", "Synth", "Setup", "Tools", "Windows", "Help"};
    ASSERT_EQ(bar->GetMenuCount(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(bar->GetMenu(i)->GetTitle(), titles[i]);

    const std::pair<uint32_t, char> accelerators[] = {{kNew, 'N'},
                                                      {kOpen, 'O'},
                                                      {kClose, 'W'},
                                                      {kSave, 'S'},
                                                      {kQuit, 'Q'},
                                                      {kUndo, 'Z'},
                                                      {kRedo, 'Y'},
                                                      {kCut, 'X'},
                                                      {kCopy, 'C'},
                                                      {kPaste, 'V'},
                                                      {kPatchSettings, 'P'},
                                                      {kSynthSettings, 'G'},
                                                      {kUploadActiveSlot, 'U'},
                                                      {kMidi, 'M'},
                                                      {kKnobFloater, 'K'},
                                                      {kKeyboardFloater, 'F'},
                                                      {kBrowser, 'B'},
                                                      {kCloseAll, 0},
                                                      {kSaveAs, 0},
                                                      {kSaveAll, 0},
                                                      {kClear, 0},
                                                      {kDownloadToSlot, 0},
                                                      {kSaveInSynth, 0},
                                                      {kBankUpload, 0},
                                                      {kSendControllerSnapshot, 0},
                                                      {kBankDownload, 0},
                                                      {kOptions, 0},
                                                      {kCascade, 0},
                                                      {kTileHorizontally, 0},
                                                      {kTileVertically, 0},
                                                      {kHelpContents, 0},
                                                      {kUsingHelp, 0},
                                                      {kAbout, 0},
                                                      {kNotesFloater, 0}};
    for (const auto& [command, key] : accelerators) {
        CMenu* menu = nullptr;
        int index = 0;
        ASSERT_TRUE(bar->FindCommand(command, menu, index)) << command;
        EXPECT_EQ(menu->GetItem(index).accelerator, key) << command;
    }
    CMenu* menu = nullptr;
    int index = 0;
    ASSERT_TRUE(bar->FindCommand(kKnobFloater, menu, index));
    EXPECT_EQ(menu, bar->GetMenu(5));
}

TEST_F(EditorTest, CommandsFollowTheTableWithNoPatchAndWithAPatchWindow)
{
    Launch();
    UpdateMenus();
    for (uint32_t command : {kNew, kOpen, kQuit, kHelpContents, kUsingHelp, kAbout, kMidi, kOptions})
        EXPECT_TRUE(IsEnabled(command)) << command;
    for (uint32_t command :
         {kCloseAll, kSaveAll, kSave, kSaveAs, kUndo, kRedo, kClear, kSynthSettings, kUploadActiveSlot, kBankUpload,
          kBankDownload, kCascade, kTileHorizontally, kTileVertically, kSendControllerSnapshot})
        EXPECT_FALSE(IsEnabled(command)) << command;
    for (uint32_t command : {kKnobFloater, kKeyboardFloater, kNotesFloater, kBrowser})
        EXPECT_FALSE(IsChecked(command)) << command;

    PressCtrl('N');
    ASSERT_EQ(app->GetPatches()->CountOpenWindows(), 1);
    Step(100);
    UpdateMenus();
    for (uint32_t command : {kCloseAll, kSaveAll, kSave, kSaveAs, kCascade, kTileHorizontally, kTileVertically})
        EXPECT_TRUE(IsEnabled(command)) << command;
    // Nothing to undo, nothing selected, no synthesizer.
    for (uint32_t command : {kUndo, kRedo, kClear, kSynthSettings, kUploadActiveSlot, kSendControllerSnapshot})
        EXPECT_FALSE(IsEnabled(command)) << command;
}

TEST_F(EditorTest, TheWindowsMenuListsPatchWindowsAfterOneSeparatorHoweverOftenItIsUpdated)
{
    Launch();
    CMenu* windows = app->GetMenu(kWindowsMenu);
    UpdateMenus();
    EXPECT_EQ(windows->GetItemCount(), 3);

    PressCtrl('N');
    PressCtrl('N');
    for (int i = 0; i < 5; ++i)
        UpdateMenus();
    ASSERT_EQ(windows->GetItemCount(), 6);
    int separators = 0;
    for (int i = 0; i < windows->GetItemCount(); ++i)
        separators += windows->GetItem(i).kind == CMenuItemRecord::kSeparator ? 1 : 0;
    EXPECT_EQ(separators, 1);
    EXPECT_EQ(windows->GetItem(3).kind, CMenuItemRecord::kSeparator);

    for (CPatch* patch : Patches())
        patch->CloseWindow();
    Step(100);
    UpdateMenus();
    EXPECT_EQ(windows->GetItemCount(), 3);
}

TEST_F(EditorTest, NewPatchesOpenWindowsAndTheLastClosedLeavesNoActivePatch)
{
    Launch();
    const std::vector<CPatch*> patches = NewPatches(2);
    ASSERT_EQ(patches.size(), 2u);
    EXPECT_EQ(app->GetPatches()->GetActivePatch(), patches[1]);
    EXPECT_EQ(static_cast<CPatchView*>(patches[1]->GetWindow())->GetShownTitle(), patches[1]->GetTitle());

    // Ctrl+W closes the active window; the other becomes active at idle.
    PressCtrl('W');
    Step(200);
    EXPECT_EQ(app->GetPatches()->GetActivePatch(), patches[0]);
    EXPECT_EQ(app->GetPatches()->GetCount(), 1u);
    PressCtrl('W');
    Step(200);
    EXPECT_EQ(app->GetPatches()->GetActivePatch(), nullptr);
    EXPECT_EQ(app->GetPatches()->GetCount(), 0u);
}

// The caption bar's pixels of a patch window standing on the screen:
// how many have the active colour and how many the inactive one.
std::pair<int, int> CaptionColours(const platform::PixelBuffer& screen, const CPatch& patch)
{
    const platform::Rect window = platform::GetWindowRect(static_cast<CPatchView*>(patch.GetWindow())->GetHandle());
    const int y = window.top + platform::GetSystemMetric(platform::Metric::SizingFrameY) +
        platform::GetSystemMetric(platform::Metric::CaptionHeight) / 2;
    std::pair<int, int> counts;
    for (int x = window.left; x < window.right; ++x) {
        const uint32_t pixel = screen.At(x, y) & 0xFFFFFF;
        counts.first += pixel == 0x000080;
        counts.second += pixel == 0x808080;
    }
    return counts;
}

// Another program taking the desktop: the patch window in front shows, by its
// caption, that it no longer has the keys, and shows it has them again on
// the program's return; the window behind stays inactive throughout.
TEST_F(EditorTest, TheFrontPatchWindowsCaptionLooksInactiveWhileAnotherProgramHasTheDesktop)
{
    Launch();
    app->GetPrefs()->maximisedWindows = false;
    PressCtrl('N');
    PressCtrl('N');
    Step(100);
    const std::vector<CPatch*> patches = Patches();
    ASSERT_EQ(patches.size(), 2u);
    ASSERT_FALSE(static_cast<CPatchView*>(patches[1]->GetWindow())->IsMaximized());
    const auto shown = [&](const CPatch& patch) { return CaptionColours(desktop.Host().Screen(), patch); };
    EXPECT_GT(shown(*patches[1]).first, 0);
    EXPECT_EQ(shown(*patches[0]).first, 0);

    desktop.Host().SetApplicationFocus(false);
    Step(20);
    EXPECT_EQ(shown(*patches[1]).first, 0);
    EXPECT_GT(shown(*patches[1]).second, 0);
    EXPECT_EQ(shown(*patches[0]).first, 0);
    // It is still the active patch, as the program's own windows go.
    EXPECT_EQ(app->GetPatches()->GetActivePatch(), patches[1]);

    desktop.Host().SetApplicationFocus(true);
    Step(20);
    EXPECT_GT(shown(*patches[1]).first, 0);
    EXPECT_EQ(shown(*patches[0]).first, 0);
}

// Tiled or cascaded out of a maximised window, every patch window fits its
// voice areas and its split bar to its new size at once, not only the one in
// front: none is left cut off without its scroll bars until it is clicked.
TEST_F(EditorTest, TilingOrCascadingFromAMaximisedWindowLaysEveryPatchWindowOut)
{
    Launch();
    const std::vector<CPatch*> patches = NewPatches(3);
    ASSERT_EQ(patches.size(), 3u);
    for (const uint32_t command : {kTileVertically, kTileHorizontally, kCascade}) {
        SCOPED_TRACE(command);
        auto* front = static_cast<CPatchView*>(patches[2]->GetWindow());
        platform::ShowWindow(front->GetHandle(), platform::ShowCommand::Maximize);
        Step(50);
        ASSERT_TRUE(front->IsMaximized());
        Choose(command);
        Step(50);
        for (const CPatch* patch : patches) {
            const auto* view = static_cast<CPatchView*>(patch->GetWindow());
            const CRect client = view->GetClientRect();
            EXPECT_FALSE(view->IsMaximized());
            EXPECT_EQ(view->GetContainer(0).GetFrame().bottom, client.bottom) << patch->GetTitle();
            EXPECT_EQ(view->GetContainer(1).GetFrame().right, client.right) << patch->GetTitle();
            EXPECT_LE(view->GetSplitter().GetFrame().bottom, client.bottom) << patch->GetTitle();
        }
    }
}

TEST_F(EditorTest, QuitAsksOncePerChangedPatchAndCancelKeepsEverythingOpen)
{
    Launch();
    const std::vector<CPatch*> patches = NewPatches(3);
    patches[0]->SetDirty();
    patches[2]->SetDirty();
    std::vector<std::string> asked;
    std::vector<bool> noAll;
    operate = AnswerSaveQuestion(asked, {kSaveNo, kSaveCancel}, &noAll);

    EXPECT_FALSE(Quit());
    EXPECT_EQ(asked, (std::vector<std::string>{"Save changes to No name?", "Save changes to No name?"}));
    // Two to ask about: "No all" is offered for the first, and once the
    // first was answered only one is left, so not for the second.
    EXPECT_EQ(noAll, (std::vector<bool>{true, false}));
    EXPECT_EQ(app->GetPatches()->CountOpenWindows(), 3);
    EXPECT_TRUE(patches[0]->IsDirty());
    EXPECT_TRUE(patches[2]->IsDirty());

    asked.clear();
    operate = AnswerSaveQuestion(asked, {kSaveNoAll});
    EXPECT_TRUE(Quit());
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(EditorTest, ASaveQuestionClosedByItsFrameAnswersCancel)
{
    Launch();
    PressCtrl('N');
    Step(100);
    CPatch* patch = Patches().front();
    patch->SetDirty();
    std::vector<std::string> asked;
    operate = AnswerSaveQuestion(asked, {kSaveAlreadyAsking}); // the frame's close box

    PressCtrl('W');
    Step(200);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(patch->HasWindow());
    EXPECT_TRUE(patch->IsDirty());

    // Close All asks the same way and honours Cancel.
    asked.clear();
    operate = AnswerSaveQuestion(asked, {kSaveCancel});
    Choose(kCloseAll);
    Step(100);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_TRUE(patch->HasWindow());

    // No closes it without saving.
    asked.clear();
    operate = AnswerSaveQuestion(asked, {kSaveNo});
    PressCtrl('W');
    Step(200);
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(app->GetPatches()->GetCount(), 0u);
}

// SIGTERM (or the session's end) while a box runs modally: the box ends,
// then the quit asks about the unsaved patch as usual.
TEST_F(EditorTest, ClosingTheProgramWhileABoxRunsEndsTheBoxThenAsksAboutUnsavedPatches)
{
    Launch();
    PressCtrl('N');
    Step(100);
    Patches().front()->SetDirty();
    std::vector<std::string> asked;
    const auto answer = AnswerSaveQuestion(asked, {kSaveNo});
    bool aboutSeen = false;
    operate = [&](CABCWindow& window) {
        if (dynamic_cast<CDialogAbout*>(&window)) {
            if (aboutSeen)
                return false;
            aboutSeen = true;
            desktop.Host().RequestQuit();
            return true;
        }
        return answer(window);
    };
    Choose(kAbout);
    EXPECT_TRUE(aboutSeen);
    Step(200);
    EXPECT_EQ(asked, std::vector<std::string>{"Save changes to No name?"});
    EXPECT_EQ(app->GetRunState(), kRunStateLeaveLoop);
    for (int i = 0; i < CountWindows(); ++i)
        EXPECT_EQ(dynamic_cast<CDialogAbout*>(GetWindowAt(i)), nullptr);
}

TEST_F(EditorTest, TheAboutBoxShowsTheVersionFromTheVersionRecord)
{
    Launch();
    std::string version;
    operate = [&version](CABCWindow& window) {
        auto* about = dynamic_cast<CDialogAbout*>(&window);
        if (!about)
            return false;
        version = about->GetVersionText()->GetText();
        about->GetOkButton()->Click();
        return true;
    };
    Choose(kAbout);
    EXPECT_EQ(version, "V3.03");
}

TEST_F(EditorTest, TheAboutBoxShowsTheSplashPictureAfterTheSplashLetItGo)
{
    Launch();
    // The splash's decoded picture is not kept once the splash is gone.
    EXPECT_EQ(app->GetImageCache().Find(CImageID(CEditorApp::kSplashPicture)), nullptr);
    CRect pictureFrame;
    operate = [&pictureFrame](CABCWindow& window) {
        auto* about = dynamic_cast<CDialogAbout*>(&window);
        if (!about)
            return false;
        pictureFrame = about->GetRootView()->GetChild(0)->GetFrame();
        about->GetOkButton()->Click();
        return true;
    };
    Choose(kAbout);
    EXPECT_GT(pictureFrame.Width(), 100);
    EXPECT_GT(pictureFrame.Height(), 100);
}

TEST_F(EditorTest, APatchFileHandedToTheProgramOpensInAWindow)
{
    Launch();
    PressCtrl('N');
    Step(100);
    CPatch* made = Patches().front();
    made->SetName("Handed Over");
    const std::string path = (folder.Path() / "Handed Over.pch").string();
    ASSERT_TRUE(made->SaveToFile(CFileSpec(path)));

    ASSERT_TRUE(app->OpenPath(path));
    Step(200);
    const std::vector<CPatch*> patches = Patches();
    ASSERT_EQ(patches.size(), 2u);
    EXPECT_TRUE(patches[1]->HasWindow());
    EXPECT_EQ(patches[1]->GetName(), "Handed Over");
    EXPECT_TRUE(alerts.empty());
}

TEST_F(EditorTest, AFileThatCannotBeLoadedIsReportedWithItsTextAsAnArgument)
{
    Launch();
    const std::string path = (folder.Path() / "missing [OK] ^0.pch").string();
    app->OpenDocument(CFileSpec(path), CUnknownFileType(".pch"), 0);
    Step(200);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find("Can't load file. Can't Open file"), std::string::npos) << alerts[0];
    EXPECT_EQ(app->GetPatches()->CountOpenWindows(), 0);
    EXPECT_EQ(app->GetPatches()->GetCount(), 0u);
}

// Ctrl+S over a patch file its user made read-only is refused with the save
// error alert: the file keeps its content and its mode, and the patch stays
// unsaved ("*" in its title). Run as the superuser too, whom the system
// would let write it.
TEST_F(EditorTest, SavingOverAReadOnlyPatchFileIsRefusedAndLeavesTheFileAsItIs)
{
    Launch();
    PressCtrl('N');
    Step(100);
    CPatch* patch = Patches().front();
    const std::string path = folder.File("Pad.pch");
    ASSERT_TRUE(patch->SaveToFile(CFileSpec(path)));
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const std::string before = testsupport::ReadFileBytes(path);
    patch->SetNotes("changed since");
    Step(50);
    PressCtrl('S');
    Step(100);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find("Can't Write file"), std::string::npos) << alerts[0];
    EXPECT_EQ(testsupport::ReadFileBytes(path), before);
    struct stat st { };
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    EXPECT_TRUE(patch->IsDirty());
    EXPECT_EQ(static_cast<CPatchView*>(patch->GetWindow())->GetTitle(), "Pad*");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "a temporary file left";
}

TEST_F(EditorTest, PatchFilesWithNamesUpToTheLimitAreSavedAgainAndOpen)
{
    Launch();
    PressCtrl('N');
    Step(100);
    CPatch* made = Patches().front();
    for (const size_t length : {size_t{246}, size_t{250}, size_t{255}}) {
        SCOPED_TRACE(length);
        const std::string path = (folder.Path() / (std::string(length - 4, 'n') + ".pch")).string();
        ASSERT_TRUE(made->SaveToFile(CFileSpec(path)));
        ASSERT_TRUE(made->SaveToFile(CFileSpec(path))) << "saved again over itself";
        ASSERT_TRUE(app->OpenPath(path));
        Step(200);
        EXPECT_TRUE(alerts.empty()) << alerts.front();
    }
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 3u) << "no temporary file left";
}

TEST_F(EditorTest, ANamedPipeWithAPatchsNameIsRefusedNotWaitedOn)
{
    Launch();
    const std::string pipe = (folder.Path() / "Pipe.pch").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // As named on the command line or handed over by a second start.
    EXPECT_TRUE(app->ParseCommandLine(pipe));
    Step(200);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find("Can't load file"), std::string::npos) << alerts[0];
    EXPECT_EQ(app->GetPatches()->GetCount(), 0u);
    EXPECT_FALSE(CFileSpec(pipe).Exists());
}

} // namespace editortest

namespace editortest {

TEST_F(EditorTest, ADeferredAlertIsShownOnceAtTheNextIdleStep)
{
    Launch();
    CEditorServicesInterface* services = GetEditorServices();
    ASSERT_NE(services, nullptr);
    services->PostDeferredAlert(CEditorApp::kAlertNotEnoughMemory);
    EXPECT_TRUE(alerts.empty());
    Step(300);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find("Not enough memory to perform requested action."), std::string::npos) << alerts[0];
    EXPECT_EQ(app->GetDeferredAlert(), 0u);
}

TEST_F(EditorTest, AlertTextsCannotAddTagsButtonsOrPlaceholders)
{
    Launch();
    GetEditorServices()->ShowAlertScript("[WARN][Flash Problem]%s[OK]", "[STOP]bad ^0 [Cancel]");
    ASSERT_EQ(alerts.size(), 1u);
    // Made safe: no tag, button or placeholder of the text's own.
    EXPECT_EQ(alerts[0], "Flash Problem (STOP)bad ~0 (Cancel)");
}

TEST_F(EditorTest, HelpWithoutAHelpFileSaysSo)
{
    Launch();
    Choose(editorcommands::kHelpContents);
    Step(100);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find("Could not open help file."), std::string::npos) << alerts[0];
}

} // namespace editortest

namespace editortest {

TEST_F(EditorTest, ThePanelsFindTheirSymbolAndStripPictures)
{
    Launch();
    // Knobs draw from picture strips, buttons from symbol strips.
    const NSHarrowen::CImageID pictures[] = {StripPicture(CRoundKnobGUI::kPointerStrip), SymbolPicture(309)};
    for (const NSHarrowen::CImageID& id : pictures) {
        const CABCBitmap* bitmap = nullptr;
        ASSERT_NO_THROW(bitmap = NSHarrowen::GetImage(id)) << id.GetResource();
        ASSERT_NE(bitmap, nullptr) << id.GetResource();
        EXPECT_GT(bitmap->GetWidth(), 0) << id.GetResource();
    }
}

} // namespace editortest
