#include "framework/files/AskFileDialogs.h"
#include "platform/controls/Controls.h"
#include "platform/filedialogs/FileBrowserWindow.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "platform/input/Keys.h"
#include "tests/support/HeadlessDesktop.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

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

} // namespace
