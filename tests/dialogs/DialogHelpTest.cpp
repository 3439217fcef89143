#include "tests/dialogs/DialogsFixture.h"

#include "dialogs/patchsettings/DialogPatchSettings.h"
#include "dialogs/synthsettings/DialogSynthSettings.h"
#include "editor/app/EditorCommands.h"
#include "framework/application/Help.h"
#include "framework/controls/PushButtonView.h"
#include "tests/support/RecordingOpener.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

using namespace dialogstest;
using namespace editorcommands;

namespace {

// The Help buttons open the guide beside the program at their dialog's
// topic, through the desktop's opener (here a script that notes its URL).
class DialogHelpTest : public DialogsTest {
protected:
    template <class D> void PressHelpThenOk()
    {
        Script<D>({Do<D>([this](D& d) { Click(d.GetHelpButton()); }), Do<D>([this](D& d) { Click(d.GetOkButton()); })});
    }

    testsupport::RecordingOpener opener{folder.Path()};
};

} // namespace

TEST_F(DialogHelpTest, PatchAndSynthSettingsOpenTheirOwnTopics)
{
    Rig& rig = Plug();
    LaunchWithPorts({rig.device});
    NSHarrowen::SetHelpFilePath(TORVAN_HELP_INDEX);
    ASSERT_TRUE(Settle(0));
    PressCtrl('U');
    Step(100);
    ASSERT_TRUE(Settle(0));

    const std::string guide = "file://" + std::filesystem::path(TORVAN_HELP_INDEX).string();
    // Each opener runs as a process of its own: the first is awaited before
    // the second is asked, as they may note in either order.
    PressHelpThenOk<CDialogPatchSettings>();
    Choose(kPatchSettings);
    EXPECT_TRUE(ScriptDone());
    EXPECT_EQ(opener.Take(1), std::vector<std::string>{guide + "#patch-settings"});
    PressHelpThenOk<CDialogSynthSettings>();
    Choose(kSynthSettings);
    EXPECT_TRUE(ScriptDone());
    EXPECT_EQ(opener.Take(1), std::vector<std::string>{guide + "#synth-settings"});
    EXPECT_TRUE(alerts.empty());
}
