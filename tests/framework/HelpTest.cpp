#include "framework/alerts/AlertHook.h"
#include "framework/base/Exceptions.h"
#include "framework/application/Help.h"
#include "framework/base/Utf8.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace NSHarrowen;

TEST(Help, FileLiesBesideTheExecutable)
{
    EXPECT_EQ(HelpFilePathFor("/opt/torvan/patchora"), "/opt/torvan/patchora-help/index.html");
    EXPECT_EQ(HelpFilePathFor("/opt/torvan/Patchora.EXE"), "/opt/torvan/Patchora-help/index.html");
    EXPECT_EQ(HelpFilePathFor("/opt/.exe/x"), "/opt/.exe/x-help/index.html");
}

// Each request opens a page of the guide at its anchor, as the topic map
// beside the first page says; what the map does not name opens the first page.
TEST(Help, TopicsOpenTheirPageAtTheirAnchor)
{
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir.File("My Help"));
    const std::string index = dir.File("My Help/index.html");
    testsupport::WriteFileBytes(dir.File("My Help/topics.map"),
                                "# windows\n"
                                "70 index.html#midi-setup\n"
                                "1701 modules/7-OscA.html#param-1\n"
                                "\n"
                                "5 ../../etc/passwd\n"
                                "6 /etc/passwd\n"
                                "nonsense line\n"
                                "1700 modules/7-OscA.html\n");
    const std::string base = "file://" + dir.File("My%20Help/");
    struct Case {
        CHelpRequest::EKind kind;
        uint32_t topic;
        std::string url;
    } const cases[] = {
        {CHelpRequest::EKind::Finder, 0, base + "index.html"},
        {CHelpRequest::EKind::HelpOnHelp, 0, base + "index.html#using-help"},
        {CHelpRequest::EKind::Topic, 70, base + "index.html#midi-setup"},
        {CHelpRequest::EKind::Popup, 1701, base + "modules/7-OscA.html#param-1"},
        {CHelpRequest::EKind::Topic, 1700, base + "modules/7-OscA.html"},
        {CHelpRequest::EKind::Topic, 4711, base + "index.html"}, // not in the map
        {CHelpRequest::EKind::Topic, 5, base + "index.html"},    // out of the help's folder
        {CHelpRequest::EKind::Topic, 6, base + "index.html"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HelpUrlFor({c.kind, c.topic, index}), c.url) << c.topic;
    // Without a map every topic opens the first page.
    EXPECT_EQ(HelpUrlFor({CHelpRequest::EKind::Topic, 70, dir.File("index.html")}), "file://" + dir.File("index.html"));
}

TEST(Help, MissingFileShowsTheAlert)
{
    testsupport::TempDir dir;
    SetHelpFilePath(dir.File("none.hlp"));
    CAlertRecorder alerts;
    CHelpRecorder help;
    ShowHelpTopic(30);
    ShowHelpFinder();
    EXPECT_TRUE(help.Requests().empty());
    ASSERT_EQ(alerts.Alerts().size(), 2u);
    EXPECT_EQ(alerts.Alerts()[0].id, kHelpFileAlert);
    EXPECT_EQ(alerts.Alerts()[0].text, "[STOP]Could not open help file.[OK]");
    CloseHelp(); // never opened: nothing to close
    EXPECT_TRUE(help.Requests().empty());
}

TEST(Help, RequestsGoToTheViewer)
{
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir.File("p.hlp"), "help");
    SetHelpFilePath(dir.File("p.hlp"));
    CAlertRecorder alerts;
    {
        CHelpRecorder help;
        ShowHelpTopic(40);
        ShowHelpOnHelp();
        CloseHelp();
        ASSERT_EQ(help.Requests().size(), 3u);
        EXPECT_EQ(help.Requests()[0].kind, CHelpRequest::EKind::Topic);
        EXPECT_EQ(help.Requests()[0].topic, 40u);
        EXPECT_EQ(help.Requests()[0].file, dir.File("p.hlp"));
        EXPECT_EQ(help.Requests()[1].kind, CHelpRequest::EKind::HelpOnHelp);
        EXPECT_EQ(help.Requests()[2].kind, CHelpRequest::EKind::Quit);
    }
    EXPECT_TRUE(alerts.Alerts().empty());
    // No viewer could be started: the alert names the guide, which is there.
    CHelpRecorder failing(false);
    ShowHelpTopic(1);
    ASSERT_EQ(alerts.Alerts().size(), 1u);
    EXPECT_EQ(alerts.Alerts()[0].id, kNoHelpViewerAlert);
    EXPECT_EQ(alerts.Alerts()[0].text,
              "[STOP]No program could show the help pages (install xdg-utils and a web "
              "browser). The guide is at " +
                  dir.File("p.hlp") + "[OK]");
}

// A guide deep in a user's folders is named whole, though an alert's
// argument holds 64 bytes: the path goes in pieces, none cut inside a
// character.
TEST(Help, TheAlertNamesALongPathWhole)
{
    testsupport::TempDir dir;
    const std::string folder = dir.File("Gérard's synthesizer manuals and patches, kept since 2003/Patchora-help");
    std::filesystem::create_directories(folder);
    const std::string index = folder + "/index.html";
    testsupport::WriteFileBytes(index, "help");
    SetHelpFilePath(index);
    CAlertRecorder alerts;
    CHelpRecorder failing(false);
    ShowHelpFinder();
    ASSERT_EQ(alerts.Alerts().size(), 1u);
    const CAlertRecorder::Shown& shown = alerts.Alerts()[0];
    ASSERT_GT(index.size(), 64u);
    std::string whole;
    for (const std::string& piece : shown.args) {
        EXPECT_LE(piece.size(), 64u);
        EXPECT_EQ(Utf8CompleteLength(piece), piece.size()) << piece;
        whole += piece;
    }
    EXPECT_EQ(whole, index);
    EXPECT_NE(shown.text.find("The guide is at " + index + "[OK]"), std::string::npos) << shown.text;
}
