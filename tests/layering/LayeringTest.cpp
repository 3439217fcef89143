#include "tests/support/SourceTree.h"
#include "tests/support/TempDir.h"
#include "tools/layercheck/LayerCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using layering::CheckTree;
using layering::CLayerRules;

fs::path SourceTop()
{
    return testsupport::SourcePath(".");
}

CLayerRules RepositoryRules()
{
    std::ifstream text(SourceTop() / "tests/layering/layers.txt");
    return CLayerRules::Parse(text);
}

CLayerRules RulesOf(const std::string& text)
{
    std::istringstream in(text);
    return CLayerRules::Parse(in);
}

void WriteFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

} // namespace

TEST(Layering, TheRepositoryKeepsItsLayers)
{
    std::string report;
    for (const auto& violation : CheckTree(SourceTop(), RepositoryRules()))
        report += layering::Describe(violation) + "\n";
    EXPECT_EQ(report, "") << "includes against tests/layering/layers.txt";
}

TEST(Layering, TheRepositoryRulesDecideEachInclude)
{
    const CLayerRules rules = RepositoryRules();
    struct Case {
        const char* file;
        const char* include;
        bool allowed;
    };
    const Case cases[] = {
        {"framework/views/View.cpp", "platform/windows/Window.h", true},
        {"framework/views/View.cpp", "synth/protocol/SysexFrame.h", false},
        {"framework/views/View.cpp", "platform/host/sdl/SdlHost.h", false},
        {"framework/views/View.cpp", "platform/host/Host.h", false},
        {"framework/views/View.cpp", "platform/host/SystemMetrics.h", true},
        {"framework/midi/MIDIWorker.cpp", "platform/midi/rtmidi/Anything.h", false},
        {"platform/windows/Window.cpp", "framework/base/Rect.h", false},
        {"platform/host/sdl/SdlHost.cpp", "platform/host/Host.h", true},
        {"synth/link/Link.cpp", "patch/document/Anything.h", false},
        {"simulator/Simulator.cpp", "platform/midi/virtual/VirtualMidi.h", true},
        {"simulator/Simulator.cpp", "synth/protocol/SysexFrame.h", false},
        {"simulator/Simulator.cpp", "framework/base/Rect.h", false},
        {"simulator/Simulator.cpp", "modules/OscModules.h", false},
        {"updater/Updater.cpp", "patch/Anything.h", false},
        {"tests/synth/AnyTest.cpp", "platform/host/sdl/SdlHost.h", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rules.Allows(c.file, c.include), c.allowed) << c.file << " -> " << c.include;
}

// The check itself fails on a tree where a forbidden include was added.
TEST(Layering, AnAddedForbiddenIncludeIsReported)
{
    testsupport::TempDir top;
    WriteFile(top.Path() / "framework/base/Rect.h", "#pragma once\n");
    WriteFile(top.Path() / "platform/windows/Window.h", "#pragma once\n#include <vector>\n");
    WriteFile(top.Path() / "framework/views/View.cpp",
              "#include \"framework/base/Rect.h\"\n#include \"platform/windows/Window.h\"\n");
    EXPECT_TRUE(CheckTree(top.Path(), RepositoryRules()).empty());

    WriteFile(top.Path() / "platform/windows/Window.cpp",
              "#include \"platform/windows/Window.h\"\n\n  #  include \"framework/base/Rect.h\"\n");
    const auto violations = CheckTree(top.Path(), RepositoryRules());
    ASSERT_EQ(violations.size(), 1u);
    EXPECT_EQ(layering::Describe(violations[0]), "platform/windows/Window.cpp:3: includes \"framework/base/Rect.h\"");
}

TEST(Layering, IncludesBesideTheFileAndSystemHeadersAreTakenAsTheyAre)
{
    testsupport::TempDir top;
    const CLayerRules rules = RulesOf("lower: lower\nupper: upper lower\n");
    WriteFile(top.Path() / "lower/Helper.h", "#pragma once\n");
    WriteFile(top.Path() / "upper/Thing.h", "#pragma once\n");
    WriteFile(top.Path() / "lower/Ok.cpp", "#include \"Helper.h\"\n#include <string>\n#include \"gtest/gtest.h\"\n");
    WriteFile(top.Path() / "lower/Bad.cpp", "#include \"../upper/Thing.h\"\n");
    WriteFile(top.Path() / "build/lower/Ignored.cpp", "#include \"upper/Thing.h\"\n");
    const auto violations = CheckTree(top.Path(), rules);
    ASSERT_EQ(violations.size(), 1u);
    EXPECT_EQ(layering::Describe(violations[0]), "lower/Bad.cpp:1: includes \"upper/Thing.h\"");
}

TEST(Layering, AMalformedRuleNamesItsLine)
{
    try {
        RulesOf("# rules\nplatform: platform\nframework platform\n");
        FAIL() << "a rule without its colon was taken";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "rules line 3: expected \"<folder>:\"");
    }
}

// A name alone finds its file: no two source files share one.
TEST(Layering, SourceFileNamesAreUnique)
{
    std::string report;
    for (const auto& files : layering::FilesSharingAName(SourceTop())) {
        for (const std::string& file : files)
            report += file + " ";
        report += "\n";
    }
    EXPECT_EQ(report, "") << "source files that share a name";
}

TEST(Layering, FilesSharingANameAreReportedTogether)
{
    testsupport::TempDir top;
    WriteFile(top.Path() / "tests/editor/ViewsTest.cpp", "");
    WriteFile(top.Path() / "tests/framework/ViewsTest.cpp", "");
    WriteFile(top.Path() / "framework/views/View.h", "");
    WriteFile(top.Path() / "framework/views/View.cpp", "");
    WriteFile(top.Path() / "build/framework/views/View.h", "");
    WriteFile(top.Path() / "docs/ViewsTest.md", "");
    const std::vector<std::vector<std::string>> expected = {
        {"tests/editor/ViewsTest.cpp", "tests/framework/ViewsTest.cpp"}};
    EXPECT_EQ(layering::FilesSharingAName(top.Path()), expected);
}
