#include "framework/files/AskFileDialogs.h"
#include "platform/filedialogs/FileBrowser.h"
#include "tests/support/TempDir.h"
#include "framework/files/DirSpec.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace NSHarrowen;

namespace {

// Answers every file dialog with a path and records the request.
class ScriptedAnswer {
public:
    explicit ScriptedAnswer(std::optional<std::string> answer)
    {
        previous_ = platform::SetFileDialogResponder([this, answer](const platform::FileDialogRequest& r) {
            request = r;
            return answer;
        });
    }
    ~ScriptedAnswer() { platform::SetFileDialogResponder(std::move(previous_)); }
    platform::FileDialogRequest request;

private:
    platform::FileDialogResponder previous_;
};

TEST(FileDialogTest, OpenAnswerGivesTheFileAndTheFirstMatchingType)
{
    testsupport::TempDir dir;
    const std::string path = dir.File("Song.MID");
    testsupport::WriteFileBytes(path, "MThd");
    ScriptedAnswer answer(path);
    const CFileTypeList types{kFileTypeText, kFileTypeMidi, kFileTypeWave};
    std::unique_ptr<CFileTypeInfo> type;
    std::unique_ptr<CFileSpec> spec;
    ASSERT_TRUE(AskOpenFileFor(0, "Open", types, type, spec, dir.Path().c_str()));
    EXPECT_EQ(type->type, "Midi");
    EXPECT_EQ(spec->GetFileName(), "Song.MID");
    // What the dialog was asked to show.
    EXPECT_EQ(answer.request.kind, platform::FileDialogKind::Open);
    EXPECT_EQ(answer.request.title, "Open");
    EXPECT_EQ(answer.request.defaultExtension, "txt");
    EXPECT_TRUE(answer.request.fileMustExist);
    EXPECT_EQ(answer.request.initialFolder, dir.Path().string());
    const auto filters = platform::ParseFileFilter(answer.request.filter);
    ASSERT_EQ(filters.size(), 4u);
    EXPECT_EQ(filters[1].patterns, (std::vector<std::string>{"*.mid", "*.midi"}));
}

TEST(FileDialogTest, CancelOrAnUnknownTypeGivesNothing)
{
    const CFileTypeList types{kFileTypeMidi};
    std::unique_ptr<CFileTypeInfo> type;
    std::unique_ptr<CFileSpec> spec;
    {
        ScriptedAnswer answer(std::nullopt);
        EXPECT_FALSE(AskOpenFileFor(0, nullptr, types, type, spec));
    }
    {
        ScriptedAnswer answer(std::string("/tmp/notes.txt"));
        EXPECT_FALSE(AskOpenFileFor(0, nullptr, types, type, spec));
        EXPECT_EQ(type, nullptr);
        EXPECT_EQ(spec, nullptr);
    }
    ScriptedAnswer answer(std::string("/tmp/take.midi"));
    EXPECT_TRUE(AskOpenFileOfTypeFor(0, nullptr, kFileTypeMidi, spec));
    EXPECT_EQ(spec->GetFileName(), "take.midi");
}

TEST(FileDialogTest, SaveReplacesAForeignExtension)
{
    struct Case {
        const char* answer;
        const char* fileName;
    };
    const Case cases[] = {{"/tmp/out.wav", "out.wav"},
                          {"/tmp/out.WAVE", "out.WAVE"},
                          {"/tmp/out.txt", "out.wav"},
                          {"/tmp/out", "out.wav"}};
    for (const Case& c : cases) {
        ScriptedAnswer answer(std::string(c.answer));
        std::unique_ptr<CFileSpec> spec;
        ASSERT_TRUE(AskSaveFileFor(0, "Untitled", kFileTypeWave, spec));
        EXPECT_EQ(spec->GetFileName(), c.fileName);
        EXPECT_TRUE(answer.request.overwritePrompt);
        EXPECT_EQ(answer.request.fileName, "Untitled");
    }
}

TEST(FileDialogTest, ChooseFolderGivesAFolderSpec)
{
    testsupport::TempDir dir;
    ScriptedAnswer answer(dir.Path().string());
    std::unique_ptr<CDirSpec> folder;
    ASSERT_TRUE(ChooseFolderFor(0, "Pick a bank folder", folder));
    EXPECT_EQ(answer.request.title, "Pick a bank folder");
    EXPECT_EQ(folder->GetPath().back(), '/');
}

TEST(FileDialogTest, PatternsIgnoreCase)
{
    EXPECT_TRUE(platform::MatchesPattern("A.MID", "*.mid"));
    EXPECT_FALSE(platform::MatchesPattern("a.mid.txt", "*.mid"));
    EXPECT_TRUE(platform::MatchesPattern("anything", "*.*"));
}

class FileBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(dir.Path() / "sub");
        for (const char* name : {"b.mid", "a.MIDI", "c.txt", ".hidden.mid"})
            testsupport::WriteFileBytes(dir.File(name), "x");
        request.filter = std::string("MIDI files\0*.mid;*.midi\0All files\0*.*\0", 38);
        request.initialFolder = dir.Path().string();
    }
    std::vector<std::string> Names(const platform::FileBrowser& b)
    {
        std::vector<std::string> names;
        for (const auto& e : b.GetEntries())
            names.push_back(e.name);
        return names;
    }
    testsupport::TempDir dir;
    platform::FileDialogRequest request;
};

TEST_F(FileBrowserTest, ListsFoldersThenFilesOfTheFilter)
{
    platform::FileBrowser browser(request);
    EXPECT_EQ(Names(browser), (std::vector<std::string>{"sub", "a.MIDI", "b.mid"}));
    browser.SetFilterIndex(1);
    EXPECT_EQ(Names(browser), (std::vector<std::string>{"sub", "a.MIDI", "b.mid", "c.txt"}));
    browser.Choose({"sub", true});
    EXPECT_TRUE(browser.GetEntries().empty());
    browser.GoUp();
    EXPECT_EQ(Names(browser).size(), 4u);
}

TEST_F(FileBrowserTest, OpenNeedsAnExistingFile)
{
    request.fileMustExist = true;
    request.defaultExtension = "mid";
    platform::FileBrowser browser(request);
    browser.SetName("b");
    EXPECT_EQ(browser.ResolvedPath(), dir.File("b.mid"));
    EXPECT_EQ(browser.Check(), platform::FileBrowser::Answer::Accept);
    browser.SetName("missing.mid");
    EXPECT_EQ(browser.Check(), platform::FileBrowser::Answer::Missing);
    // A typed folder is entered.
    browser.SetName("sub");
    EXPECT_EQ(browser.Check(), platform::FileBrowser::Answer::Refuse);
    EXPECT_EQ(browser.GetFolder(), dir.File("sub") + "/");
}

TEST_F(FileBrowserTest, SaveAsksBeforeReplacing)
{
    request.kind = platform::FileDialogKind::Save;
    request.overwritePrompt = true;
    platform::FileBrowser browser(request);
    browser.SetName("b.mid");
    EXPECT_EQ(browser.Check(), platform::FileBrowser::Answer::AskOverwrite);
    browser.SetName("new.mid");
    EXPECT_EQ(browser.Check(), platform::FileBrowser::Answer::Accept);
    browser.SetName("nofolder/new.mid");
    EXPECT_EQ(browser.Check(), platform::FileBrowser::Answer::NoFolder);
    browser.SetName("");
    EXPECT_EQ(browser.Check(), platform::FileBrowser::Answer::NoName);
}

} // namespace
