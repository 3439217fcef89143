#include <gtest/gtest.h>

#include "simulator/SimPatchFile.h"

using namespace sim;

namespace {

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

} // namespace

TEST(SimPatchFile, ReadsAndWritesTheSmallExample)
{
    const std::string text = Lines({"[Header]",
                                    "Version=Vesk Kandrel patch 3.0",
                                    "0 127 0 127 2 0 0 1 600 2 1 1 1 1 1 1 1 1 1 1 1 1 1 ",
                                    "[/Header]",
                                    "[ModuleDump]",
                                    "1 ",
                                    "1 7 0 2 ",
                                    "[/ModuleDump]",
                                    "[ModuleDump]",
                                    "0 ",
                                    "[/ModuleDump]",
                                    "[CurrentNoteDump]",
                                    "64 0 0 64 0 0 ",
                                    "[/CurrentNoteDump]",
                                    "[CableDump]",
                                    "1 ",
                                    "[/CableDump]",
                                    "[CableDump]",
                                    "0 ",
                                    "[/CableDump]",
                                    "[ParameterDump]",
                                    "1 ",
                                    "1 7 3 64 0 127 ",
                                    "[/ParameterDump]",
                                    "[ParameterDump]",
                                    "0 ",
                                    "[/ParameterDump]",
                                    "[CustomDump]",
                                    "1 ",
                                    "[/CustomDump]",
                                    "[CustomDump]",
                                    "0 ",
                                    "[/CustomDump]",
                                    "[NameDump]",
                                    "1 ",
                                    "1 Bass",
                                    "[/NameDump]",
                                    "[NameDump]",
                                    "0 ",
                                    "[/NameDump]",
                                    "[Notes]",
                                    "Lead",
                                    "[/Notes]"});
    const SimPatch p = ReadPatchText(text, "Song");
    EXPECT_EQ(p.name, "Song");
    EXPECT_EQ(p.header, SimHeader{});
    ASSERT_EQ(p.areas[1].modules.size(), 1u);
    EXPECT_EQ(p.areas[1].modules.at(1), (SimModule{7, 0, 2, "Bass", {64, 0, 127}, {}}));
    EXPECT_TRUE(p.areas[0].modules.empty());
    EXPECT_EQ(p.text, "Lead\r");
    EXPECT_EQ(WritePatchText(p), text);
}

TEST(SimPatchFile, EverySectionSurvivesARoundTrip)
{
    SimPatch p;
    p.name = "Full";
    p.header.octShift = -2;
    p.header.split = 1234;
    p.header.cables[3] = 0;
    p.areas[0].modules[4] = SimModule{9, 3, 5, "Name with blanks", {12}, {1, 200}};
    p.areas[0].cables.push_back({2, {4, 0, true}, {4, 1, false}});
    p.knobs[22] = {true, {0, 4, 0}};
    p.ctrls.push_back({7, {2, 1, 3}});
    p.morph.values = {1, 2, 3, 4};
    p.morph.keyboard = {0, 1, 2, 0};
    p.morph.assigns.push_back({{0, 4, 0}, 2, -20});
    p.notes.entries = {{60, 100, 0}, {62, 90, 1}};
    p.text = "a\rb\r";
    EXPECT_EQ(ReadPatchText(WritePatchText(p), "Full"), p);
}

TEST(SimPatchFile, RefusesWhatIsNoPatchOfThisVersion)
{
    EXPECT_THROW(ReadPatchText("hello\r\n", "x"), XSimPatchFile);
    EXPECT_THROW(ReadPatchText(Lines({"[Header]", "Version=Vesk Kandrel patch 4.0", "0 ", "[/Header]"}), "x"),
                 XSimPatchFile);
    EXPECT_EQ(PatchNameFromFileName("/tmp/A very long patch name.pch"), "A very long patc");
}
