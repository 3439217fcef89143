#include "framework/alerts/AlertHook.h"
#include "framework/base/Exceptions.h"
#include "framework/application/Help.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace NSHarrowen;

TEST(Help, FileLiesBesideTheExecutable)
{
    EXPECT_EQ(HelpFilePathFor("/opt/torvan/patchora"), "/opt/torvan/patchora.hlp");
    EXPECT_EQ(HelpFilePathFor("/opt/torvan/Patchora.EXE"), "/opt/torvan/Patchora.hlp");
    EXPECT_EQ(HelpFilePathFor("/opt/.exe/x"), "/opt/.exe/x.hlp");
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
    CHelpRecorder failing(false);
    EXPECT_THROW(ShowHelpTopic(1), XBase);
    EXPECT_TRUE(alerts.Alerts().empty());
}
