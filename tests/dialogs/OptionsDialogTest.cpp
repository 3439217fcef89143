#include "tests/dialogs/DialogsFixture.h"

#include "dialogs/options/DialogOptions.h"
#include "editor/app/EditorCommands.h"
#include "editor/prefs/Preferences.h"
#include "framework/application/Help.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"
#include "framework/controls/RadioButtonView.h"
#include "framework/files/DirSpec.h"
#include "framework/files/FileSpec.h"
#include "tests/support/TempDir.h"

#include <filesystem>

using namespace NSHarrowen;
using namespace dialogstest;
using namespace editorcommands;

namespace {

class OptionsDialogTest : public DialogsTest {
protected:
    using OptionsStep = ScriptStep<CDialogOptions>;

    void SetUp() override
    {
        DialogsTest::SetUp();
        Launch([] {
            CPreferences stored;
            stored.SetCableStyle(CPreferences::kStraightThin);
            stored.SetKnobControl(1);
            stored.autoUpload = false;
            stored.maximisedWindows = false;
            stored.recycleWindows = true;
            stored.Save();
        });
    }
    static std::string FilePath() { return MakeWindowsDirSpec()->MakeFileSpec(CPreferences::kFileName)->GetFullPath(); }
    static OptionsStep ClickOn(std::function<const CNativeControlView*(CDialogOptions&)> control, DialogsTest* test)
    {
        return Do<CDialogOptions>(
            [control, test](CDialogOptions& d) { static_cast<OptionsDialogTest*>(test)->Click(control(d)); });
    }
    OptionsStep ClickOn(std::function<const CNativeControlView*(CDialogOptions&)> control)
    {
        return ClickOn(std::move(control), this);
    }
    // Every control changed: the fourth cable style, the third knob mode,
    // both options flipped.
    std::vector<OptionsStep> ChangeEverything()
    {
        return {ClickOn([](CDialogOptions& d) { return d.GetCableStyles()->GetButton(3); }),
                ClickOn([](CDialogOptions& d) { return d.GetKnobModes()->GetButton(2); }),
                ClickOn([](CDialogOptions& d) { return d.GetAutoUploadBox(); }),
                ClickOn([](CDialogOptions& d) { return d.GetRecycleBox(); }), Do<CDialogOptions>([](CDialogOptions& d) {
                    EXPECT_EQ(d.GetCableStyles()->GetSelection(), 3);
                    EXPECT_EQ(d.GetKnobModes()->GetSelection(), 2);
                    EXPECT_TRUE(d.GetAutoUploadBox()->IsChecked());
                    EXPECT_FALSE(d.GetRecycleBox()->IsChecked());
                })};
    }
    void Options(std::vector<OptionsStep> steps)
    {
        Script<CDialogOptions>(std::move(steps));
        Choose(kOptions);
        Step(100);
        EXPECT_TRUE(ScriptDone());
    }
};

} // namespace

TEST_F(OptionsDialogTest, OkWritesEveryControlBackAndSavesKeepingTheOptionNoControlShows)
{
    std::vector<OptionsStep> steps = {Do<CDialogOptions>([](CDialogOptions& d) {
        EXPECT_EQ(d.GetTitle(), "Editor Options");
        EXPECT_EQ(d.GetHelpContext(), 40u);
        EXPECT_EQ(d.GetCableStyles()->GetSelection(), 2);
        EXPECT_TRUE(d.GetCableStyles()->GetButton(2)->IsChecked());
        EXPECT_EQ(d.GetCableStyles()->GetButton(3)->GetNativeText(), "Curved Thin");
        EXPECT_EQ(d.GetKnobModes()->GetSelection(), 1);
        EXPECT_FALSE(d.GetAutoUploadBox()->IsChecked());
        EXPECT_TRUE(d.GetRecycleBox()->IsChecked());
    })};
    for (OptionsStep& step : ChangeEverything())
        steps.push_back(std::move(step));
    steps.push_back(ClickOn([](CDialogOptions& d) { return d.GetOkButton(); }));
    Options(std::move(steps));

    const CPreferences& live = *app->GetPrefs();
    EXPECT_EQ(live.GetCableStyle(), CPreferences::kCurvedThin);
    EXPECT_EQ(app->GetCableStyle(), CPreferences::kCurvedThin);
    EXPECT_EQ(live.GetKnobControl(), 2u);
    CPreferences saved;
    saved.Load();
    EXPECT_EQ(saved.GetCableStyle(), CPreferences::kCurvedThin);
    EXPECT_EQ(saved.GetKnobControl(), 2u);
    EXPECT_TRUE(saved.autoUpload);
    EXPECT_FALSE(saved.recycleWindows);
    EXPECT_FALSE(saved.maximisedWindows);
}

TEST_F(OptionsDialogTest, CancelAfterChangingEveryControlLeavesThePreferencesAndTheirFileAlone)
{
    const std::string before = testsupport::ReadFileBytes(FilePath());
    const auto stamp = std::filesystem::last_write_time(FilePath());
    std::vector<OptionsStep> steps = ChangeEverything();
    steps.push_back(Do<CDialogOptions>([this](CDialogOptions&) { PressKey(platform::kVKEscape); }));
    Options(std::move(steps));
    EXPECT_EQ(testsupport::ReadFileBytes(FilePath()), before);
    EXPECT_EQ(std::filesystem::last_write_time(FilePath()), stamp);
    EXPECT_EQ(app->GetPrefs()->GetCableStyle(), CPreferences::kStraightThin);
    EXPECT_FALSE(app->GetPrefs()->autoUpload);
}

TEST_F(OptionsDialogTest, OkWithoutAChangeStillSavesAndHelpShowsItsTopic)
{
    std::filesystem::remove(FilePath());
    testsupport::TempDir helpFolder;
    testsupport::WriteFileBytes(helpFolder.File("Patchora.hlp"), "help");
    SetHelpFilePath(helpFolder.File("Patchora.hlp"));
    CHelpRecorder help;
    Options({ClickOn([](CDialogOptions& d) { return d.GetHelpButton(); }),
             ClickOn([](CDialogOptions& d) { return d.GetOkButton(); })});
    ASSERT_EQ(help.Requests().size(), 1u);
    EXPECT_EQ(help.Requests()[0].topic, 40u);
    ASSERT_TRUE(std::filesystem::exists(FilePath()));
    CPreferences saved;
    saved.Load();
    EXPECT_EQ(saved.GetCableStyle(), CPreferences::kStraightThin);
    EXPECT_TRUE(saved.recycleWindows);
}
