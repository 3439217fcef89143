#include "tests/editor/EditorFixture.h"

#include "dialogs/name/ControllerRange.h"
#include "dialogs/name/NameDialog.h"
#include "editor/patches/PatchManager.h"
#include "editor/windows/PatchView.h"
#include "framework/controls/TextEditView.h"
#include "patch/document/Patch.h"
#include "platform/input/Keys.h"

#include <string>

using namespace NSHarrowen;

namespace editortest {

namespace {

class NamePromptTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        Launch();
        PressCtrl('N');
        Step(100);
        patch = Patches().front();
        view = dynamic_cast<CPatchView*>(patch->GetWindow());
        ASSERT_NE(view, nullptr);
    }
    void Answer(const std::u32string& typed, uint32_t finalKey) { AnswerNameBox(typed, finalKey, &shown); }

    CPatch* patch = nullptr;
    CPatchView* view = nullptr;
    std::string shown;
};

} // namespace

TEST_F(NamePromptTest, TypedNamesKeepOnlyNameCharactersAndTheirLength)
{
    struct Case {
        const char* what;
        std::u32string typed;
        std::string name;
        int beeps;
    };
    const Case cases[] = {
        {"plain", U"Bass Lead 2", "Bass Lead 2", 0},
        {"tilde and letters above the braces", U"A~B\u00e9C|}", "ABC|}", 2},
        {"longer than sixteen", U"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOP", 4},
    };
    for (const Case& c : cases) {
        std::string name = "Old";
        const int beeps = desktop.Host().Beeps();
        // The old name is selected: typing replaces it.
        AnswerNameBox(c.typed, platform::kVKReturn);
        EXPECT_TRUE(view->RunNameDialog("Patch name", name, CPatchView::kNameLength, CPoint(100, 100))) << c.what;
        EXPECT_EQ(name, c.name) << c.what;
        EXPECT_EQ(desktop.Host().Beeps() - beeps, c.beeps) << c.what;
    }
}

TEST_F(NamePromptTest, ThePatchNamePromptShowsTheNameAndSendsOnlyAChange)
{
    Answer(U"", platform::kVKReturn);
    view->AskPatchName(CPoint(200, 150));
    EXPECT_EQ(shown, "No name");
    EXPECT_EQ(patch->GetName(), "No name");
    EXPECT_FALSE(patch->IsDirty());
    EXPECT_FALSE(view->IsNameDialogOpen());

    Answer(U"Fat Pad", platform::kVKReturn);
    view->AskPatchName(CPoint(200, 150));
    EXPECT_EQ(patch->GetName(), "Fat Pad");
    Step(100);
    EXPECT_EQ(view->GetShownTitle(), patch->GetTitle());
}

TEST_F(NamePromptTest, EscapeLeavesTheNameAsItWas)
{
    std::string name = "Keep";
    Answer(U"Other", platform::kVKEscape);
    EXPECT_FALSE(view->RunNameDialog("Panel name", name, CPatchView::kNameLength, CPoint(10, 40)));
    EXPECT_EQ(name, "Keep");
}

TEST(ControllerRange, NumbersAbove121Become121)
{
    const std::pair<uint8_t, uint8_t> cases[] = {{0, 0}, {120, 120}, {121, 121}, {122, 121}, {127, 121}, {255, 121}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(ClampToControllerRange(in), out) << int(in);
}

} // namespace editortest
