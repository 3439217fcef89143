#include "framework/files/FileSpec.h"
#include "patch/files/AskPatchFileSaveSpec.h"
#include "platform/filedialogs/FileBrowser.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(AskPatchFileSaveSpecTest, OffersPatchFilesUnderThePatchName)
{
    const struct {
        std::optional<std::string> answer;
        const char* fileName;
    } cases[] = {{"/tmp/Lead.pch", "Lead.pch"},
                 {"/tmp/Lead", "Lead.pch"},
                 {"/tmp/Lead.txt", "Lead.pch"},
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
            EXPECT_EQ(spec->GetFileName(), c.fileName);
        }
    }
}

} // namespace
