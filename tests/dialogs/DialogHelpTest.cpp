#include "tests/dialogs/DialogsFixture.h"

#include "dialogs/patchsettings/DialogPatchSettings.h"
#include "dialogs/synthsettings/DialogSynthSettings.h"
#include "editor/app/EditorCommands.h"
#include "framework/application/Help.h"
#include "framework/controls/PushButtonView.h"
#include "platform/system/DesktopOpen.h"

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
    void SetUp() override
    {
        DialogsTest::SetUp();
        opened_ = folder.Path() / "opened.txt";
        const std::filesystem::path opener = folder.Path() / "opener.sh";
        std::ofstream(opener) << "#!/bin/sh\necho \"$1\" >> '" << opened_.string() << "'\n";
        std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
        setenv(platform::kOpenerVariable, opener.c_str(), 1);
    }
    void TearDown() override
    {
        unsetenv(platform::kOpenerVariable);
        DialogsTest::TearDown();
    }
    // The URLs noted once `count` have come (or after a while).
    std::vector<std::string> Opened(size_t count)
    {
        std::vector<std::string> urls;
        for (int wait = 0; wait < 100 && urls.size() < count; ++wait) {
            urls.clear();
            std::ifstream in(opened_);
            for (std::string line; std::getline(in, line);)
                urls.push_back(line);
            if (urls.size() < count)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return urls;
    }
    template <class D> void PressHelpThenOk()
    {
        Script<D>({Do<D>([this](D& d) { Click(d.GetHelpButton()); }), Do<D>([this](D& d) { Click(d.GetOkButton()); })});
    }

    std::filesystem::path opened_;
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

    PressHelpThenOk<CDialogPatchSettings>();
    Choose(kPatchSettings);
    EXPECT_TRUE(ScriptDone());
    PressHelpThenOk<CDialogSynthSettings>();
    Choose(kSynthSettings);
    EXPECT_TRUE(ScriptDone());

    const std::string guide = "file://" + std::filesystem::path(TORVAN_HELP_INDEX).string();
    EXPECT_EQ(Opened(2), (std::vector<std::string>{guide + "#patch-settings", guide + "#synth-settings"}));
    EXPECT_TRUE(alerts.empty());
}
