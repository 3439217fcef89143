#include "framework/files/FileSpec.h"
#include "patch/files/AskPatchFileSaveSpec.h"
#include "platform/filedialogs/FileBrowser.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {

TEST(AskPatchFileSaveSpecTest, OffersPatchFilesUnderThePatchName)
{
    // A folder whose name differs from the typed one only in case is not
    // the file: the name is kept as typed.
    const testsupport::TempDir dir;
    std::filesystem::create_directory(dir.Path() / "lead");
    const std::string folder = dir.Path().string() + "/";
    const struct {
        std::optional<std::string> answer;
        const char* fileName;
    } cases[] = {{folder + "Lead.pch", "Lead.pch"},
                 {folder + "Lead", "Lead.pch"},
                 {folder + "Lead.txt", "Lead.pch"},
                 {std::nullopt, nullptr}};
    for (const auto& c : cases) {
        platform::FileDialogRequest asked;
        const auto previous = platform::SetFileDialogResponder([&](const platform::FileDialogRequest& request) {
            asked = request;
            return c.answer;
        });
        std::unique_ptr<NSHarrowen::CFileSpec> spec;
        const bool chosen = AskPatchFileSaveSpec(nullptr, "Fat Bass", spec);
        platform::SetFileDialogResponder(previous);

        EXPECT_EQ(asked.kind, platform::FileDialogKind::Save);
        EXPECT_EQ(asked.title, "Save file:");
        EXPECT_EQ(asked.fileName, "Fat Bass");
        EXPECT_EQ(asked.filter, std::string("Patch (*.pch)\0*.pch\0", 20));
        EXPECT_TRUE(asked.overwritePrompt);
        ASSERT_EQ(chosen, c.fileName != nullptr);
        if (chosen) {
            EXPECT_EQ(spec->GetFileName(), c.fileName) << *c.answer;
        }
    }
}

} // namespace
