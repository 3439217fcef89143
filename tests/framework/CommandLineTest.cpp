#include "framework/application/CommandLine.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace NSHarrowen;

namespace {

struct Parse {
    std::vector<std::string> opened;
    std::vector<std::string> leftovers;
    bool result = false;

    Parse(const std::string& text, bool openSucceeds = true)
    {
        result = ParseCommandLineText(
            text,
            [&](const std::string& path) {
                opened.push_back(path);
                return openSucceeds;
            },
            [&](const std::string& rest) { leftovers.push_back(rest); });
    }
};

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::WriteFileBytes(dir_.File("my patch.pch"), "x");
        testsupport::WriteFileBytes(dir_.File("my"), "x");
        testsupport::WriteFileBytes(dir_.File("b.pch"), "x");
        std::filesystem::create_directory(dir_.Path() / "a folder");
    }
    std::string Path(const std::string& name) const { return dir_.File(name); }
    testsupport::TempDir dir_;
};

} // namespace

TEST_F(CommandLine, UnquotedNameWithBlanksTakesTheLongestExistingPath)
{
    const Parse p(Path("my patch.pch"));
    EXPECT_TRUE(p.result);
    EXPECT_EQ(p.opened, (std::vector<std::string>{Path("my patch.pch")}));
    EXPECT_TRUE(p.leftovers.empty());
}

TEST_F(CommandLine, SeveralNamesQuotedAndNot)
{
    const Parse p("  \"" + Path("my") + "\" " + Path("b.pch") + "  " + Path("a folder") + " ");
    EXPECT_EQ(p.opened, (std::vector<std::string>{Path("my"), Path("b.pch"), Path("a folder")}));
    EXPECT_TRUE(p.leftovers.empty());
}

TEST_F(CommandLine, NameThatEndsTheTextEndsTheParse)
{
    // The name is the last thing in the text: the parse must stop at the end.
    const Parse p(Path("b.pch"));
    EXPECT_EQ(p.opened.size(), 1u);
    const Parse q("\"" + Path("b.pch") + "\"");
    EXPECT_EQ(q.opened.size(), 1u);
    EXPECT_TRUE(q.leftovers.empty());
}

TEST_F(CommandLine, QuotedNameThatDoesNotExistIsLeftover)
{
    const std::string missing = "\"" + dir_.Path().filename().string() + "-none\"";
    const Parse p(Path("b.pch") + " " + missing);
    EXPECT_EQ(p.opened.size(), 1u);
    EXPECT_EQ(p.leftovers, (std::vector<std::string>{missing}));
    EXPECT_TRUE(p.result);
}

TEST_F(CommandLine, NothingOpenedAndNothingLeft)
{
    EXPECT_FALSE(Parse("").result);
    EXPECT_FALSE(Parse("    ").result);
    EXPECT_TRUE(Parse("   ").leftovers.empty());
    const Parse refused(Path("b.pch"), false);
    EXPECT_FALSE(refused.result);
    EXPECT_EQ(refused.opened.size(), 1u);
}

TEST(CommandLineLeftover, ShortRestAsItIsLongRestAsItsTail)
{
    const std::string text = "/none/" + std::string(57, 'x'); // 63 characters
    EXPECT_EQ(LeftoverText(text, 0), text);
    const std::string longer = text + "yz";
    EXPECT_EQ(LeftoverText(longer, 0), "..." + longer.substr(longer.size() - 61));
    // The tail is of the whole text, even when the rest begins later.
    EXPECT_EQ(LeftoverText("abc " + longer, 4), "..." + longer.substr(longer.size() - 61));
    EXPECT_EQ(LeftoverText("abc def", 4), "def");
}
