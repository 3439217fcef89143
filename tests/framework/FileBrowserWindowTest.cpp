#include "framework/alerts/AlertHook.h"
#include "framework/files/AskFileDialogs.h"
#include "platform/controls/Controls.h"
#include "platform/filedialogs/FileBrowserWindow.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "platform/input/Keys.h"
#include "tests/support/HeadlessDesktop.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <memory>
#include <vector>
#include <filesystem>
#include <functional>

using namespace NSHarrowen;

namespace {

// Works the dialog from a timer of its own window once the modal loop runs.
std::function<void(platform::WindowHandle)> gUser;

platform::LResult UserProc(platform::WindowHandle w, uint32_t message, platform::WParam wParam, platform::LParam lParam)
{
    if (message == platform::msg::Timer) {
        for (int i = platform::CountTopLevelWindows() - 1; i >= 0; --i) {
            const platform::WindowHandle top = platform::GetTopLevelWindow(i);
            if (platform::GetClassName(top) == platform::kFileDialogClass && gUser) {
                platform::KillTimer(w, wParam);
                auto user = std::move(gUser);
                gUser = nullptr;
                user(top);
                return 0;
            }
        }
        return 0;
    }
    return platform::DefWindowProc(w, message, wParam, lParam);
}

platform::WindowHandle Child(platform::WindowHandle dialog, uint16_t id)
{
    for (int i = 0; i < platform::CountChildren(dialog); ++i)
        if (platform::GetChildId(platform::GetChild(dialog, i)) == id)
            return platform::GetChild(dialog, i);
    return 0;
}

class FileDialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::RegisterWindowClass({"FileDialogUser", 0, UserProc, platform::ClassBackground::None});
        platform::CreateParams params;
        params.className = "FileDialogUser";
        params.rect = platform::Rect::FromSize(0, 0, 10, 10);
        user = platform::CreateWindow(params);
        platform::SetTimer(user, 1, 30);
        testsupport::WriteFileBytes(dir.File("Song.MID"), "MThd");
        testsupport::WriteFileBytes(dir.File("notes.txt"), "x");
    }

    testsupport::HeadlessDesktop desktop;
    testsupport::TempDir dir;
    platform::WindowHandle user = 0;
};

TEST_F(FileDialogWindowTest, OpenListsMatchingFilesAndReturnsTheTypedOne)
{
    gUser = [&](platform::WindowHandle dialog) {
        platform::SetControlText(Child(dialog, platform::filedialog::kName), "Song.MID");
        platform::SendMessage(Child(dialog, platform::filedialog::kOk), platform::ctlmsg::ButtonClick, 0, 0);
    };
    const CFileTypeList types{kFileTypeMidi, kFileTypeText};
    std::unique_ptr<CFileTypeInfo> type;
    std::unique_ptr<CFileSpec> spec;
    ASSERT_TRUE(AskOpenFileFor(0, "Open a song", types, type, spec, dir.Path().c_str()));
    EXPECT_EQ(type->type, "Midi");
    EXPECT_EQ(spec->GetFileName(), "Song.MID");
}

TEST_F(FileDialogWindowTest, CancelGivesNothingAndSaveAsksBeforeReplacing)
{
    gUser = [&](platform::WindowHandle dialog) {
        platform::SendMessage(Child(dialog, platform::filedialog::kCancel), platform::ctlmsg::ButtonClick, 0, 0);
    };
    std::unique_ptr<CFileSpec> spec;
    EXPECT_FALSE(AskOpenFileOfTypeFor(0, nullptr, kFileTypeMidi, spec, dir.Path().c_str()));

    // "notes" gets the type's extension; the file exists, and the user agrees.
    desktop.Host().MessageBoxAnswers().push_back(0);
    gUser = [&](platform::WindowHandle dialog) {
        platform::SetControlText(Child(dialog, platform::filedialog::kName), dir.File("notes"));
        platform::SendMessage(Child(dialog, platform::filedialog::kOk), platform::ctlmsg::ButtonClick, 0, 0);
    };
    platform::SetTimer(user, 1, 30);
    ASSERT_TRUE(AskSaveFileFor(0, "Untitled", kFileTypeText, spec));
    EXPECT_EQ(spec->GetFullPath(), dir.File("notes.txt"));
    ASSERT_EQ(desktop.Host().MessageBoxTexts().size(), 1u);
}

// SIGTERM or the session's end while the dialog runs: it ends as a Cancel,
// so that the program can quit; the next one runs as usual.
TEST_F(FileDialogWindowTest, AQuitFromOutsideEndsTheDialogAsACancel)
{
    // The program's main window: its close waits for the program's loop.
    platform::RegisterWindowClass({"QuitFrame", 0,
                                   [](platform::WindowHandle w, uint32_t message, platform::WParam wParam,
                                      platform::LParam lParam) -> platform::LResult {
                                       return message == platform::msg::Close
                                           ? 0
                                           : platform::DefWindowProc(w, message, wParam, lParam);
                                   },
                                   platform::ClassBackground::None});
    platform::CreateParams params;
    params.className = "QuitFrame";
    params.rect = platform::Rect::FromSize(0, 0, 300, 200);
    platform::ShowWindow(platform::CreateWindow(params), platform::ShowCommand::Show);
    gUser = [&](platform::WindowHandle) { desktop.Host().RequestQuit(); };
    std::unique_ptr<CFileSpec> spec;
    EXPECT_FALSE(AskOpenFileOfTypeFor(0, nullptr, kFileTypeMidi, spec, dir.Path().c_str()));
    EXPECT_TRUE(platform::IsQuitAsked());

    platform::TakeQuitAsked(); // as the program's quit does
    gUser = [&](platform::WindowHandle dialog) {
        platform::SetControlText(Child(dialog, platform::filedialog::kName), dir.File("Song.MID"));
        platform::SendMessage(Child(dialog, platform::filedialog::kOk), platform::ctlmsg::ButtonClick, 0, 0);
    };
    platform::SetTimer(user, 1, 30);
    ASSERT_TRUE(AskOpenFileOfTypeFor(0, nullptr, kFileTypeMidi, spec, dir.Path().c_str()));
    EXPECT_EQ(spec->GetFullPath(), dir.File("Song.MID"));
}

// Typed as a person types: one key or character at a time.
void Type(platform::HeadlessHost& host, const std::string& text)
{
    for (const char c : text)
        host.TypeCharacter(static_cast<unsigned char>(c));
}

void Press(platform::HeadlessHost& host, std::initializer_list<uint32_t> keys)
{
    for (const uint32_t key : keys)
        host.PressKey(key);
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
        host.ReleaseKey(*it);
}

TEST_F(FileDialogWindowTest, TheProposedNameIsSelectedSoTypingReplacesIt)
{
    gUser = [&](platform::WindowHandle) {
        Type(desktop.Host(), "MyLead");
        Press(desktop.Host(), {platform::kVKReturn});
    };
    std::unique_ptr<CFileSpec> spec;
    ASSERT_TRUE(AskSaveFileFor(0, "No name.txt", kFileTypeText, spec));
    EXPECT_EQ(spec->GetFileName(), "MyLead.txt");
}

TEST_F(FileDialogWindowTest, CtrlASelectsTheWholeName)
{
    gUser = [&](platform::WindowHandle dialog) {
        platform::SetControlText(Child(dialog, platform::filedialog::kName), "Song.MID");
        Press(desktop.Host(), {platform::kVKEnd});
        Press(desktop.Host(), {platform::kVKControl, platform::kVKLetterA});
        Type(desktop.Host(), "notes.txt");
        Press(desktop.Host(), {platform::kVKReturn});
    };
    const CFileTypeList types{kFileTypeMidi, kFileTypeText};
    std::unique_ptr<CFileTypeInfo> type;
    std::unique_ptr<CFileSpec> spec;
    ASSERT_TRUE(AskOpenFileFor(0, "Open a song", types, type, spec, dir.Path().c_str()));
    EXPECT_EQ(spec->GetFileName(), "notes.txt");
}

// Steps on the dialog, one per tick of the user's timer.
std::deque<std::function<void(platform::WindowHandle)>> gSteps;

void StepOn(platform::WindowHandle user, platform::WindowHandle dialog)
{
    const auto step = std::move(gSteps.front());
    gSteps.pop_front();
    step(dialog);
    if (gSteps.empty())
        return;
    gUser = [user](platform::WindowHandle next) { StepOn(user, next); };
    platform::SetTimer(user, 1, 30);
}

void Play(platform::WindowHandle user, std::vector<std::function<void(platform::WindowHandle)>> steps)
{
    gSteps.assign(steps.begin(), steps.end());
    gUser = [user](platform::WindowHandle dialog) { StepOn(user, dialog); };
}

// Tab and Shift+Tab walk every control of the dialog, its list included
// (the dialog itself has the keys for it), and Return presses the button
// that has the focus.
TEST_F(FileDialogWindowTest, TabAndShiftTabWalkTheControlsAndReturnPressesTheFocusedButton)
{
    std::vector<uint16_t> walked; // 0: the list
    const auto Focused = [&walked](platform::WindowHandle dialog) {
        const platform::WindowHandle focus = platform::GetFocus();
        walked.push_back(focus == dialog ? 0 : platform::GetChildId(focus));
    };
    std::vector<std::function<void(platform::WindowHandle)>> steps;
    for (int i = 0; i < 6; ++i)
        steps.push_back([&](platform::WindowHandle dialog) {
            Focused(dialog);
            Press(desktop.Host(), {platform::kVKTab});
        });
    for (int i = 0; i < 3; ++i)
        steps.push_back([&](platform::WindowHandle dialog) {
            Focused(dialog);
            Press(desktop.Host(), {platform::kVKShift, platform::kVKTab});
        });
    steps.push_back([&](platform::WindowHandle dialog) {
        Focused(dialog);
        Press(desktop.Host(), {platform::kVKReturn}); // on Cancel
    });
    Play(user, std::move(steps));
    std::unique_ptr<CFileSpec> spec;
    EXPECT_FALSE(AskSaveFileFor(0, dir.File("Untitled"), kFileTypeText, spec));
    using namespace platform::filedialog;
    EXPECT_EQ(walked, (std::vector<uint16_t>{kName, kTypes, kOk, kCancel, kUp, 0, kName, 0, kUp, kCancel}));
}

// Down and Up move in the file list, from the name field (a file chosen so
// gives the field its name) or from the list itself, where Return opens a
// folder and takes a file.
TEST_F(FileDialogWindowTest, TheArrowsMoveInTheListAndReturnOpensAFolderOrTakesAFile)
{
    std::filesystem::create_directory(dir.File("Bank1"));
    testsupport::WriteFileBytes(dir.File("Bank1/Deep.MID"), "MThd");
    std::string named;
    Play(user,
         {[&](platform::WindowHandle) {
              Press(desktop.Host(), {platform::kVKDown}); // Bank1
              Press(desktop.Host(), {platform::kVKDown}); // Song.MID
              Press(desktop.Host(), {platform::kVKDown}); // stays: notes.txt is only shown
          },
          [&](platform::WindowHandle dialog) {
              named = platform::GetControlText(Child(dialog, platform::filedialog::kName));
              Press(desktop.Host(), {platform::kVKReturn});
          }});
    const CFileTypeList types{kFileTypeMidi};
    std::unique_ptr<CFileTypeInfo> type;
    std::unique_ptr<CFileSpec> spec;
    ASSERT_TRUE(AskOpenFileFor(0, "Open a song", types, type, spec, dir.Path().c_str()));
    EXPECT_EQ(named, "Song.MID");
    EXPECT_EQ(spec->GetFullPath(), dir.File("Song.MID"));

    Play(user, {[&](platform::WindowHandle) {
             Press(desktop.Host(), {platform::kVKShift, platform::kVKTab}); // into the list
             Press(desktop.Host(), {platform::kVKEnd});                     // Song.MID
             Press(desktop.Host(), {platform::kVKUp});                      // Bank1
             Press(desktop.Host(), {platform::kVKReturn});                  // opens it
             Press(desktop.Host(), {platform::kVKDown});                    // Deep.MID
             Press(desktop.Host(), {platform::kVKReturn});
         }});
    platform::SetTimer(user, 1, 30);
    ASSERT_TRUE(AskOpenFileFor(0, "Open a song", types, type, spec, dir.Path().c_str()));
    EXPECT_EQ(spec->GetFullPath(), dir.File("Bank1/Deep.MID"));
}

// Points of the dialog a person clicks: a row of its list, its OK button.
platform::Point RowPoint(platform::WindowHandle dialog, int row)
{
    return platform::ClientToScreen(dialog, {60, 34 + row * 16 + 8});
}
platform::Point OkPoint(platform::WindowHandle dialog)
{
    return platform::ClientToScreen(dialog, {405, 256});
}

TEST_F(FileDialogWindowTest, TheFolderChooserChoosesTheHighlightedFolderAndShowsItsFilesGreyed)
{
    std::filesystem::create_directory(dir.File("Bank1"));
    std::filesystem::create_directory(dir.File("Bank2"));
    testsupport::WriteFileBytes(dir.File("Bank2/101 Lead.mid"), "MThd");
    testsupport::WriteFileBytes(dir.File("Bank2/notes.txt"), "x");
    // A typed folder is chosen; the next chooser starts there.
    gUser = [&](platform::WindowHandle) {
        Type(desktop.Host(), dir.Path().string());
        Press(desktop.Host(), {platform::kVKReturn});
    };
    std::unique_ptr<CDirSpec> folder;
    ASSERT_TRUE(ChooseFolderFor(0, "Choose a bank folder", folder, &kFileTypeMidi));
    EXPECT_EQ(folder->GetPath(), dir.Path().string() + "/");
    // Bank2 highlighted (rows: Bank1, Bank2, then the files), then OK.
    gUser = [&](platform::WindowHandle dialog) {
        desktop.Host().Click(RowPoint(dialog, 1));
        desktop.Host().Click(OkPoint(dialog));
    };
    platform::SetTimer(user, 1, 30);
    ASSERT_TRUE(ChooseFolderFor(0, "Choose a bank folder", folder, &kFileTypeMidi));
    EXPECT_EQ(folder->GetPath(), dir.File("Bank2") + "/");

    // The next chooser starts in the folder chosen: its MIDI file is listed
    // greyed, a click on it chooses nothing, and OK chooses the folder listed.
    platform::PixelBuffer shown;
    platform::Point row;
    gUser = [&](platform::WindowHandle inside) {
        shown = desktop.Host().Screen();
        row = RowPoint(inside, 0);
        desktop.Host().Click(row);
        desktop.Host().Click(OkPoint(inside));
    };
    platform::SetTimer(user, 1, 30);
    ASSERT_TRUE(ChooseFolderFor(0, "Choose a bank folder", folder, &kFileTypeMidi));
    EXPECT_EQ(folder->GetPath(), dir.File("Bank2") + "/");
    // The row's text is drawn, in grey rather than black; the other file is not listed.
    bool grey = false, black = false;
    for (int x = row.x - 50; x < row.x + 100; ++x)
        for (int y = row.y - 6; y < row.y + 6; ++y) {
            const uint32_t pixel = shown.At(x, y) & 0xFFFFFF;
            grey = grey || pixel == 0x808080;
            black = black || pixel == 0;
        }
    EXPECT_TRUE(grey);
    EXPECT_FALSE(black);
}

// The question before replacing a file is the program's alert; anything but
// its OK goes back to the save dialog, where another name can be given.
TEST_F(FileDialogWindowTest, CancellingTheReplaceQuestionReturnsToTheSaveDialog)
{
    std::vector<CAlertRecorder::Shown> asked;
    const AlertPresenter previous = SetAlertPresenter([&](uint32_t id, const std::vector<std::string>& args) {
        asked.push_back({id, args, FormatAlertText(id, args)});
        return 2; // Cancel (or Escape)
    });
    gUser = [&](platform::WindowHandle dialog) {
        const platform::WindowHandle name = Child(dialog, platform::filedialog::kName);
        platform::SetControlText(name, dir.File("notes"));
        desktop.Host().Click(OkPoint(dialog));
        gUser = [&, name](platform::WindowHandle again) {
            EXPECT_EQ(platform::GetControlText(name), dir.File("notes"));
            platform::SetControlText(name, dir.File("other"));
            desktop.Host().Click(OkPoint(again));
        };
        platform::SetTimer(user, 1, 30);
    };
    std::unique_ptr<CFileSpec> spec;
    ASSERT_TRUE(AskSaveFileFor(0, "Untitled", kFileTypeText, spec));
    SetAlertPresenter(previous);
    EXPECT_EQ(spec->GetFullPath(), dir.File("other.txt"));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].id, kReplaceFileAlert);
    EXPECT_EQ(asked[0].text,
              "[WARN]" + dir.File("notes.txt") + " already exists.\rDo you want to replace it?[OK][Cancel]");
    EXPECT_TRUE(desktop.Host().MessageBoxTexts().empty());
}

// A typed name that no file has, in an open dialog: the program's alert
// says so, and the dialog stays with the name in its field to be corrected.
TEST_F(FileDialogWindowTest, AMissingFileIsToldAndTheNameCanBeCorrected)
{
    std::vector<CAlertRecorder::Shown> shown;
    bool dialogDuringAlert = false;
    const AlertPresenter previous = SetAlertPresenter([&](uint32_t id, const std::vector<std::string>& args) {
        shown.push_back({id, args, FormatAlertText(id, args)});
        // The dialog stays behind the alert, closed to clicks and keys.
        for (int i = 0; i < platform::CountTopLevelWindows(); ++i) {
            const platform::WindowHandle top = platform::GetTopLevelWindow(i);
            dialogDuringAlert |=
                platform::GetClassName(top) == platform::kFileDialogClass && !platform::IsWindowEnabled(top);
        }
        return 1; // OK
    });
    gUser = [&](platform::WindowHandle dialog) {
        Type(desktop.Host(), "Sng.MID");
        Press(desktop.Host(), {platform::kVKReturn});
        gUser = [&, dialog](platform::WindowHandle again) {
            EXPECT_EQ(again, dialog);
            EXPECT_EQ(platform::GetControlText(Child(again, platform::filedialog::kName)), "Sng.MID");
            // The field has the keys again: Home, then the missing letter.
            Press(desktop.Host(), {platform::kVKHome});
            Press(desktop.Host(), {platform::kVKRight});
            Type(desktop.Host(), "o");
            Press(desktop.Host(), {platform::kVKReturn});
        };
        platform::SetTimer(user, 1, 30);
    };
    const CFileTypeList types{kFileTypeMidi, kFileTypeText};
    std::unique_ptr<CFileTypeInfo> type;
    std::unique_ptr<CFileSpec> spec;
    ASSERT_TRUE(AskOpenFileFor(0, "Open a song", types, type, spec, dir.Path().c_str()));
    SetAlertPresenter(previous);
    EXPECT_EQ(spec->GetFullPath(), dir.File("Song.MID"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].id, kMissingFileAlert);
    EXPECT_EQ(shown[0].text, "[STOP]Sng.MID\rFile not found.\rCheck the file name and try again.[OK]");
    EXPECT_TRUE(dialogDuringAlert);
    EXPECT_TRUE(desktop.Host().MessageBoxTexts().empty());
}

// A save dialog given a name in a folder that does not exist, or no name at
// all: the program's alert says so each time, and the dialog stays with the
// name in its field to be corrected.
TEST_F(FileDialogWindowTest, ASaveToAMissingFolderOrWithNoNameIsToldAndCanBeCorrected)
{
    std::vector<CAlertRecorder::Shown> shown;
    std::vector<bool> dialogDuringAlert;
    const AlertPresenter previous = SetAlertPresenter([&](uint32_t id, const std::vector<std::string>& args) {
        shown.push_back({id, args, FormatAlertText(id, args)});
        bool disabled = false;
        for (int i = 0; i < platform::CountTopLevelWindows(); ++i) {
            const platform::WindowHandle top = platform::GetTopLevelWindow(i);
            disabled |= platform::GetClassName(top) == platform::kFileDialogClass && !platform::IsWindowEnabled(top);
        }
        dialogDuringAlert.push_back(disabled);
        return 1; // OK
    });
    const std::string lost = dir.File("Nowhere/Lead");
    std::vector<std::string> fieldAfter;
    gUser = [&](platform::WindowHandle) {
        Type(desktop.Host(), lost);
        Press(desktop.Host(), {platform::kVKReturn});
        gUser = [&](platform::WindowHandle dialog) {
            fieldAfter.push_back(platform::GetControlText(Child(dialog, platform::filedialog::kName)));
            // The field has the keys again: emptied, then OK clicked.
            Press(desktop.Host(), {platform::kVKControl, platform::kVKLetterA});
            Press(desktop.Host(), {platform::kVKDelete});
            desktop.Host().Click(OkPoint(dialog));
            gUser = [&](platform::WindowHandle again) {
                fieldAfter.push_back(platform::GetControlText(Child(again, platform::filedialog::kName)));
                Type(desktop.Host(), dir.File("Lead"));
                Press(desktop.Host(), {platform::kVKReturn});
            };
            platform::SetTimer(user, 1, 30);
        };
        platform::SetTimer(user, 1, 30);
    };
    std::unique_ptr<CFileSpec> spec;
    ASSERT_TRUE(AskSaveFileFor(0, "Untitled", kFileTypeText, spec));
    SetAlertPresenter(previous);
    EXPECT_EQ(spec->GetFullPath(), dir.File("Lead.txt"));
    EXPECT_EQ(fieldAfter, (std::vector<std::string>{lost, ""}));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].id, kMissingFolderAlert);
    EXPECT_EQ(shown[0].text,
              "[STOP]" + lost + "\rThe folder does not exist.\rCheck the folder's name and try again.[OK]");
    EXPECT_EQ(shown[1].id, kNoFileNameAlert);
    EXPECT_EQ(shown[1].text, "[STOP]No file name was given.\rType a name for the file and try again.[OK]");
    EXPECT_EQ(dialogDuringAlert, (std::vector<bool>{true, true}));
    EXPECT_FALSE(std::filesystem::exists(dir.File("Nowhere")));
    EXPECT_TRUE(desktop.Host().MessageBoxTexts().empty());
}

// A proposed name with a folder opens the dialog in that folder with only the
// file's name in the field: typing a new name saves beside the proposed file,
// and the folder's files are the ones listed.
TEST_F(FileDialogWindowTest, AProposedPathOpensInItsFolderWithItsNameFilledIn)
{
    std::filesystem::create_directory(dir.File("Banks"));
    testsupport::WriteFileBytes(dir.File("Banks/Bass.txt"), "kept");
    testsupport::TempDir home;
    const char* ownHome = std::getenv("HOME");
    const std::string oldHome = ownHome ? ownHome : "";
    setenv("HOME", home.Path().c_str(), 1);
    std::string shownName;
    gUser = [&](platform::WindowHandle dialog) {
        shownName = platform::GetControlText(Child(dialog, platform::filedialog::kName));
        Type(desktop.Host(), "Lead");
        Press(desktop.Host(), {platform::kVKReturn});
    };
    std::unique_ptr<CFileSpec> spec;
    ASSERT_TRUE(AskSaveFileFor(0, dir.File("Banks/Untitled.txt"), kFileTypeText, spec));
    EXPECT_EQ(shownName, "Untitled.txt");
    EXPECT_EQ(spec->GetFullPath(), dir.File("Banks/Lead.txt"));

    // The listed file is the folder's: a click on it and OK ask to replace it.
    desktop.Host().MessageBoxAnswers().push_back(0);
    gUser = [&](platform::WindowHandle dialog) {
        desktop.Host().Click(RowPoint(dialog, 0));
        desktop.Host().Click(OkPoint(dialog));
    };
    platform::SetTimer(user, 1, 30);
    ASSERT_TRUE(AskSaveFileFor(0, dir.File("Banks/Untitled.txt"), kFileTypeText, spec));
    EXPECT_EQ(spec->GetFullPath(), dir.File("Banks/Bass.txt"));
    EXPECT_EQ(desktop.Host().MessageBoxTexts().size(), 1u);
    setenv("HOME", oldHome.c_str(), 1);
}

// A dialog given no folder of its own starts where the last file or folder
// was chosen, in whichever dialog: a bank saved into a folder, then the
// folder chooser, an open dialog and a save dialog all start in that folder.
TEST_F(FileDialogWindowTest, ADialogGivenNoFolderStartsWhereTheLastChoiceWasMade)
{
    std::filesystem::create_directory(dir.File("Banks"));
    testsupport::WriteFileBytes(dir.File("Banks/Old.txt"), "x");
    const auto answer = [&](const std::string& typed) {
        gUser = [&, typed](platform::WindowHandle) {
            Type(desktop.Host(), typed);
            Press(desktop.Host(), {platform::kVKReturn});
        };
        platform::SetTimer(user, 1, 30);
    };
    std::unique_ptr<CFileSpec> spec;
    answer(dir.File("Banks/Bank1"));
    ASSERT_TRUE(AskSaveFileFor(0, "Bank1", kFileTypeText, spec));
    EXPECT_EQ(spec->GetFullPath(), dir.File("Banks/Bank1.txt"));

    gUser = [&](platform::WindowHandle dialog) { desktop.Host().Click(OkPoint(dialog)); };
    platform::SetTimer(user, 1, 30);
    std::unique_ptr<CDirSpec> folder;
    ASSERT_TRUE(ChooseFolderFor(0, "Choose a bank folder", folder));
    EXPECT_EQ(folder->GetPath(), dir.File("Banks") + "/");

    answer("Old");
    ASSERT_TRUE(AskOpenFileOfTypeFor(0, nullptr, kFileTypeText, spec));
    EXPECT_EQ(spec->GetFullPath(), dir.File("Banks/Old.txt"));

    answer("Bank2");
    ASSERT_TRUE(AskSaveFileFor(0, "Bank2", kFileTypeText, spec));
    EXPECT_EQ(spec->GetFullPath(), dir.File("Banks/Bank2.txt"));
}

// A start in "." lists the folder by its whole path.
TEST_F(FileDialogWindowTest, ARelativeStartFolderIsShownWhole)
{
    platform::FileDialogRequest request;
    request.initialFolder = ".";
    const platform::FileBrowser browser(request);
    EXPECT_EQ(browser.GetFolder(), std::filesystem::current_path().string() + "/");
}

} // namespace
