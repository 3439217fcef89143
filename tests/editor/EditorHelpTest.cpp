// The editor's help as a person reaches it: the Help menu, F1 over a patch
// window and the Help entry of a module's menu open the guide built beside
// the program, at the topic's anchor, through the desktop's opener (here a
// script standing in for it).
#include "tests/editor/EditorFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/windows/PatchView.h"
#include "framework/application/Help.h"
#include "framework/files/FileSpec.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/panel/Module.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "platform/input/Keys.h"
#include "platform/menus/PopupMenuRecorder.h"
#include "platform/system/DesktopOpen.h"
#include "platform/windows/Window.h"
#include "simulator/SimPatchFile.h"
#include "tests/support/RecordingOpener.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

namespace editortest {
namespace {

constexpr uint8_t kOscA = 7;
constexpr const char* kNoViewer =
    "No program could show the help pages (install xdg-utils and a web browser). The guide is at ";

class EditorHelpTest : public EditorTest {
protected:
    // The test program lies elsewhere than Patchora: it reads the help built beside it.
    void LaunchWithHelp()
    {
        Launch();
        NSHarrowen::SetHelpFilePath(TORVAN_HELP_INDEX);
    }

    static std::string Url(const std::string& pageAndAnchor)
    {
        return "file://" + (std::filesystem::path(TORVAN_HELP_INDEX).parent_path() / pageAndAnchor).string();
    }

    // The page of a URL holds the anchor it points at.
    static void ExpectAnchorExists(const std::string& url)
    {
        const size_t hash = url.find('#');
        const std::string file = url.substr(7, hash == std::string::npos ? std::string::npos : hash - 7);
        std::ifstream in(file);
        ASSERT_TRUE(in) << file;
        if (hash == std::string::npos)
            return;
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_NE(text.str().find("id=\"" + url.substr(hash + 1) + "\""), std::string::npos) << url;
    }

    // Notes what the last request opened. Each opener runs as a process of
    // its own: awaited before the next is asked, they note in the order asked.
    void TakeOpened(std::vector<std::string>& urls)
    {
        for (const std::string& url : opener.Take(1))
            urls.push_back(url);
    }

    // F1 with the pointer over the main window's empty space.
    void PressF1OverFrame()
    {
        const platform::WindowHandle frame = app->GetFrameHandle();
        const platform::Rect client = platform::GetClientRect(frame);
        desktop.Host().MoveMouse(platform::ClientToScreen(frame, {client.right / 2, client.bottom / 2}));
        desktop.Host().PressKey(platform::kVKF1);
        desktop.Host().ReleaseKey(platform::kVKF1);
    }

    testsupport::RecordingOpener opener{folder.Path()};
};

TEST_F(EditorHelpTest, TheHelpMenuOpensTheGuideAndItsPageOnHelp)
{
    LaunchWithHelp();
    std::vector<std::string> urls;
    Choose(editorcommands::kHelpContents);
    Step(50);
    TakeOpened(urls);
    Choose(editorcommands::kUsingHelp);
    Step(50);
    TakeOpened(urls);
    ASSERT_EQ(urls, (std::vector<std::string>{Url("index.html"), Url("index.html#using-help")}));
    for (const std::string& url : urls)
        ExpectAnchorExists(url);
    EXPECT_TRUE(alerts.empty());
}

TEST_F(EditorHelpTest, F1AndThePanelMenusOpenTheFocusedParameterTheModuleTypeAndTheControl)
{
    sim::SimPatch file;
    sim::SimModule osc;
    osc.type = kOscA;
    osc.name = "Osc1";
    osc.params = {64, 64, 64, 64, 0, 0, 0, 0, 0, 0};
    file.areas[1].modules[1] = osc;
    const std::filesystem::path path = folder.Path() / "Lead.pch";
    sim::WritePatchFile(path, file);

    LaunchWithHelp();
    ASSERT_TRUE(app->OpenPath(path.string()));
    Step(200);
    ASSERT_EQ(Patches().size(), 1u);
    CPatch* patch = Patches().front();
    ASSERT_TRUE(patch->HasWindow());
    auto* window = dynamic_cast<CPatchView*>(patch->GetWindow());
    ASSERT_NE(window, nullptr);

    // F1 over the patch window: its focused parameter (a fresh patch's focus
    // is the first morph group knob).
    const NSHarrowen::CRect client = window->GetClientRect();
    desktop.Host().MoveMouse(platform::ClientToScreen(window->GetHandle(), {client.right / 2, client.bottom / 2}));
    std::vector<std::string> urls;
    desktop.Host().PressKey(platform::kVKF1);
    desktop.Host().ReleaseKey(platform::kVKF1);
    Step(50);
    TakeOpened(urls);

    // The module's menu (on its title): the page of its type; a knob's menu
    // (Freq fine, the second parameter): its row on that page.
    auto* module = dynamic_cast<CModule*>(patch->GetArea(1)->FindModule(1));
    ASSERT_NE(module, nullptr);
    const NSHarrowen::CRect frame = module->GetFrame();
    platform::CPopupMenuRecorder menus;
    for (const platform::Point at :
         {platform::Point{frame.left + 40, frame.top + 6}, platform::Point{frame.left + 120, frame.top + 40}}) {
        menus.Answer("Help");
        desktop.Host().Click(platform::ClientToScreen(window->GetHandle(), at), 2);
        Step(50);
        TakeOpened(urls);
    }
    ASSERT_EQ(menus.ShownMenus().size(), 2u);
    ASSERT_EQ(urls,
              (std::vector<std::string>{Url("index.html#morph-groups"), Url("modules/7-OscA.html#module"),
                                        Url("modules/7-OscA.html#param-2")}));
    for (const std::string& url : urls)
        ExpectAnchorExists(url);
    EXPECT_TRUE(alerts.empty());
}

// A desktop without an opener: Help > Contents and F1 both say that nothing
// can show the guide and where it lies, not that it is missing; asking does
// not hold the window (each alert is there after the few steps of the loop
// that follow the key).
TEST_F(EditorHelpTest, WithoutAnOpenerTheMenuAndF1NameTheGuidesPath)
{
    LaunchWithHelp();
    setenv(platform::kOpenerVariable, (folder.Path() / "no-such-opener").c_str(), 1);
    const std::string expected = kNoViewer + std::string(TORVAN_HELP_INDEX);
    Choose(editorcommands::kHelpContents);
    Step(50);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find(expected), std::string::npos) << alerts[0];

    PressF1OverFrame();
    Step(50);
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_NE(alerts[1].find(expected), std::string::npos) << alerts[1];
    EXPECT_TRUE(opener.Opened().empty());
}

// xdg-open is there but finds no browser: it ends with status 3 after it
// was started. Help > Contents and F1 then say so as when no opener could
// start, once each, and ask again starts the opener again.
TEST_F(EditorHelpTest, AnOpenerThatFailsAfterItStartedNamesTheGuidesPathForTheMenuAndF1)
{
    LaunchWithHelp();
    const std::filesystem::path failing = folder.Path() / "failing-opener.sh";
    std::ofstream(failing) << "#!/bin/sh\necho \"$1\" >> '" << (folder.Path() / "asked.txt").string()
                           << "'\necho 'xdg-open: no method available for opening' >&2\nexit 3\n";
    std::filesystem::permissions(failing, std::filesystem::perms::owner_all);
    setenv(platform::kOpenerVariable, failing.c_str(), 1);
    const std::string expected = kNoViewer + std::string(TORVAN_HELP_INDEX);
    // The opener ends on its own time: the editor tells when it has.
    const auto stepUntilAlerts = [this](size_t count) {
        for (int i = 0; i < 500 && alerts.size() < count; ++i) {
            Step(10);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    };

    Choose(editorcommands::kHelpContents);
    stepUntilAlerts(1);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_NE(alerts[0].find(expected), std::string::npos) << alerts[0];

    PressF1OverFrame();
    stepUntilAlerts(2);
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_NE(alerts[1].find(expected), std::string::npos) << alerts[1];
    Step(200);
    EXPECT_EQ(alerts.size(), 2u);
    std::ifstream asked(folder.Path() / "asked.txt");
    std::string first, second;
    std::getline(asked, first);
    std::getline(asked, second);
    EXPECT_EQ(first, Url("index.html"));
    EXPECT_EQ(second.rfind(Url("index.html"), 0), 0u) << second;
}

// Every topic the editor can ask for has its place in the guide: each
// window's, each module type's and each parameter's, and each place the map
// names exists.
TEST_F(EditorHelpTest, EveryTopicLeadsToAnAnchorOfTheGuide)
{
    std::map<uint32_t, std::string> map;
    std::ifstream in(std::filesystem::path(TORVAN_HELP_INDEX).parent_path() / "topics.map");
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        uint32_t topic = 0;
        std::string place;
        if (line.empty() || line[0] == '#' || !(fields >> topic >> place))
            continue;
        EXPECT_TRUE(map.emplace(topic, place).second) << "topic " << topic << " twice";
    }
    std::vector<uint32_t> wanted{10, 20, 30, 40, 60, 70, 80};
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    unsigned types = 0;
    for (unsigned id = 1; id < CModuleCatalogue::kTypeSlots; ++id) {
        const CBuildModule* builder = catalogue.FindBuilder(static_cast<uint8_t>(id));
        if (!builder)
            continue;
        ++types;
        wanted.push_back(builder->GetHelpTopic());
        for (uint8_t p = 0; p < builder->GetParamCount(); ++p)
            wanted.push_back(builder->GetParamHelpTopic(p));
    }
    EXPECT_EQ(types, 109u);
    for (const uint32_t topic : wanted)
        EXPECT_TRUE(map.count(topic)) << "topic " << topic << " has no place in the guide";
    for (const auto& [topic, place] : map)
        ExpectAnchorExists(Url(place));
}

} // namespace
} // namespace editortest
