#include "framework/files/FileSpec.h"
#include "synth/files/PatchListFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using NSHarrowen::CFileSpec;

namespace {

class PatchListFileTest : public ::testing::Test {
protected:
    CFileSpec Spec() const { return CFileSpec(dir.File("bank.pchList")); }

    std::string WriteList(const std::vector<std::string>& entries)
    {
        EXPECT_TRUE(list.Write(Spec(), entries)) << list.GetFailure();
        return testsupport::ReadFileBytes(Spec().GetFullPath());
    }

    // The entries read from the bytes, or the failure's text.
    std::vector<std::string> ReadList(const std::string& bytes)
    {
        testsupport::WriteFileBytes(Spec().GetFullPath(), bytes);
        std::vector<std::string> entries{"stale"};
        if (!list.Read(Spec(), entries)) {
            EXPECT_TRUE(entries.empty());
            return {list.GetFailure()};
        }
        EXPECT_EQ(entries.size(), 99u);
        return entries;
    }

    static std::vector<std::string> Positions(std::initializer_list<std::pair<size_t, std::string>> named)
    {
        std::vector<std::string> entries(99);
        for (const auto& [position, name] : named)
            entries.at(position - 1) = name;
        return entries;
    }

    testsupport::TempDir dir;
    CPatchListFile list;
};

TEST_F(PatchListFileTest, PositionLinesStandBeforeEachRunOfNames)
{
    std::vector<std::string> entries{"One.pch", "Two.pch", "", "", "Five.pch"};
    const std::string text = WriteList(entries);
    EXPECT_EQ(text, "1 \r\nOne.pch\r\nTwo.pch\r\n5 \r\nFive.pch\r\n");
    EXPECT_EQ(ReadList(text), Positions({{1, "One.pch"}, {2, "Two.pch"}, {5, "Five.pch"}}));

    EXPECT_EQ(WriteList({"", "", "Three.pch", "Four.pch"}), "3 \r\nThree.pch\r\nFour.pch\r\n");

    std::vector<std::string> full;
    for (int i = 1; i <= 99; ++i)
        full.push_back("P" + std::to_string(i) + ".pch");
    const std::string fullText = WriteList(full);
    EXPECT_EQ(fullText.rfind("1 \r\n", 0), 0u);
    EXPECT_EQ(fullText.find(" \r\n", 2), std::string::npos); // one position line only
    EXPECT_EQ(ReadList(fullText), full);
}

TEST_F(PatchListFileTest, ReadingFillsPositionsAndIgnoresWhatLiesBeyondTheBank)
{
    EXPECT_EQ(ReadList("A.pch\nB.pch\n"), Positions({{1, "A.pch"}, {2, "B.pch"}}));
    EXPECT_EQ(ReadList("\r\n 4 \r\n\r\nD.pch\r\n"), Positions({{4, "D.pch"}}));
    std::string tooMany = "98 \r\n";
    for (int i = 98; i <= 102; ++i)
        tooMany += "N" + std::to_string(i) + ".pch\r\n";
    EXPECT_EQ(ReadList(tooMany), Positions({{98, "N98.pch"}, {99, "N99.pch"}}));
}

TEST_F(PatchListFileTest, FailuresHaveTheirTexts)
{
    const std::string corrupt = "List file corrupt";
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"position going back", "5 \r\nE.pch\r\n2 \r\nB.pch\r\n"},
        {"position 100", "100 \r\nX.pch\r\n"},
        {"position 0", "0 \r\n"},
        {"not a number", "five\r\n"},
        {"a path", "../elsewhere/Bass.pch\r\n"},
        {"an absolute path", "/etc/Bass.pch\r\n"},
        {"a Windows path", "C:\\Bass.pch\r\n"},
        {"a backslash", "sub\\Bass.pch\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadList(c.bytes), std::vector<std::string>{corrupt}) << c.what;

    EXPECT_EQ(ReadList(""), std::vector<std::string>{"Can't read dump file"});
    std::vector<std::string> entries;
    EXPECT_FALSE(list.Read(CFileSpec(dir.File("absent.pchList")), entries));
    EXPECT_EQ(list.GetFailure(), "Can't read dump file");

    EXPECT_FALSE(list.Write(Spec(), {}));
    EXPECT_EQ(list.GetFailure(), "No patches to upload.");
    EXPECT_FALSE(list.Write(CFileSpec(dir.File("missing/bank.pchList")), {"A.pch"}));
    EXPECT_EQ(list.GetFailure(), "Could not write list file");
}

} // namespace
