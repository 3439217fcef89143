#include "synth/protocol/TextFunctions.h"

#include "framework/resources/TextTableCache.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextFunctions, IntToStringWritesPlainDecimals)
{
    EXPECT_EQ(IntToString(0), "0");
    EXPECT_EQ(IntToString(-127), "-127");
    EXPECT_EQ(IntToString(2147483647), "2147483647");
    EXPECT_EQ(IntToString(-2147483647 - 1), "-2147483648");
}

TEST(TextFunctions, FloatToStringRoundsAnExactHalfUp)
{
    struct Case {
        double value;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {2.5, 0, "3"},
        {1.5, 0, "2"},
        {0.125, 2, "0.13"},
        {0.5, 0, "1"},
        {10.8005, 0, "11"},
        {2.5413, 1, "2.5"},
        {0.5, 2, "0.50"},
        {12.0, 0, "12"},
        {9.96, 1, "10.0"},
        {99.999, 2, "100.00"},
        {0.0, 1, "0.0"},
        {-2.5, 0, "-3"},
        {-0.25, 1, "-0.3"},
        {1e6, 0, "1000000"},
        {0.1249999, 2, "0.12"},
        // 2.675 is stored a little below the half: it rounds down.
        {2.675, 2, "2.67"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToString(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
}

TEST(TextFunctions, NameCharacterSets)
{
    std::string name = "Bass~\x7F\x01 Lead}";
    EXPECT_TRUE(RemoveInvalidPatchNameChars(name));
    EXPECT_EQ(name, "Bass Lead}");
    EXPECT_FALSE(RemoveInvalidPatchNameChars(name));

    std::string file = "a\"b*c/d:e<f>g?h\\i|j";
    EXPECT_TRUE(RemoveInvalidFileNameChars(file));
    EXPECT_EQ(file, "abcdefghij");

    EXPECT_EQ(PatchNameFromText("/home/u/My*Very:Long patch name.pch"), "My*Very:Long pat");
    EXPECT_EQ(PatchNameFromText("Short.pch"), "Short");
    EXPECT_EQ(PatchNameFromText("dir.d/NoExtension"), "NoExtension");
    EXPECT_EQ(FileNameFromPatchName("A/B?"), "AB");
    EXPECT_EQ(FileNameFromPatchName(""), "_");
    EXPECT_EQ(FileNameFromPatchName("**"), "_");
}

TEST(TextFunctions, RemovePatchExtensionOnlyAtTheEnd)
{
    struct Case {
        const char* name;
        const char* result;
    };
    const Case cases[] = {{"Bass.pch", "Bass"},     {"Bass.pch.txt", "Bass.pch.txt"},
                          {"Bass.PCH", "Bass.PCH"}, {".pch", ""},
                          {"pch", "pch"},           {"a.pch.pch", "a.pch"}};
    for (const Case& c : cases) {
        std::string name = c.name;
        RemovePatchExtension(name);
        EXPECT_EQ(name, c.result) << c.name;
    }
}

TEST(TextFunctions, HelpIdsAndStoredBytes)
{
    EXPECT_EQ(HelpTopicBase(3), 1300u);
    EXPECT_EQ(ParamHelpId(3, 0), 1301u);
    EXPECT_EQ(ParamHelpId(127, 126), 13827u);

    EXPECT_EQ(ToAreaIndex(0), 0);
    EXPECT_EQ(ToAreaIndex(2), 2);
    EXPECT_EQ(ToAreaIndex(7), 1);
    EXPECT_EQ(ClampCableColor(6), 6);
    EXPECT_EQ(ClampCableColor(9), 6);
    EXPECT_EQ(KeyboardAssignFromFile(2), 2);
    EXPECT_EQ(KeyboardAssignFromFile(3), 0);
    EXPECT_EQ(ToTriState(3), 0);
    EXPECT_EQ(ToBool01(1), 1);
    EXPECT_EQ(ToBool01(2), 0);
    EXPECT_EQ(IsNonZeroInt(-5), 1);
    EXPECT_EQ(IsNonZeroInt(0), 0);
    EXPECT_EQ(IsValueOne(1), 1);
    EXPECT_EQ(IsValueOne(2), 0);

    EXPECT_EQ(RectCenter(NSHarrowen::CRect(10, 20, 31, 41)), NSHarrowen::CPoint(20, 30));
}

TEST(TextFunctions, ResourceTextsByStringId)
{
    NSHarrowen::CTextTableCache cache;
    EXPECT_EQ(GetResourceText(401000999), "Make sure we can have string index 0-999 instead of 0-99");
    const auto item = MakeResourceTextItem(3, 401000001);
    EXPECT_EQ(item.first, 3);
    EXPECT_EQ(item.second, "Unsupported colordepth, application will terminate.");
}
