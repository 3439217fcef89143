// The patch window's edits on a patch linked to a slot of the simulated
// synthesizer: module drags, cut and paste, value keys, and their undo, each
// checked on the synthesizer's own copy of the slot's patch; the split bar's keys.
#include "tests/editor/PatchWindowFixture.h"
#include "tests/editor/SynthEditorFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/windows/SplitterView.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "patch/clip/ModuleSelection.h"
#include "platform/input/Keys.h"

#include <sstream>
#include <string>

using namespace NSHarrowen;
using namespace editorcommands;

namespace editortest {

namespace {

class PatchWindowSynthTest : public PatchWindowDriver<SynthEditorTest> {
protected:
    void SetUp() override
    {
        SynthEditorTest::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(Settle());
        slot_ = Ports().GetCurrentSlot();
        PressCtrl('U');
        Step(100);
        CPatch* shown = List().FindPatchInSlot(0, slot_);
        ASSERT_TRUE(shown && shown->HasWindow());
        CPatchHeader header = shown->GetPatchHeader();
        header.SetSplitPosition(300);
        shown->SetPatchHeader(header);
        UseWindowOf(*shown);
        view->LayoutRootView();
        ASSERT_TRUE(Settle());
    }

    void Tick(uint64_t ms) override
    {
        for (uint64_t passed = 0; passed < ms; passed += 10)
            SynthStep();
    }

    // The area as the document holds it and as the synthesizer holds it:
    // type, place and name of every module by index, then the cable count.
    std::string Document(int area)
    {
        std::map<int, std::string> modules;
        for (const CModuleInterface* module : Area(area).GetModules())
            modules[module->GetModuleIndex()] =
                Describe(module->GetTypeId(), module->GetColumn(), module->GetRow(), module->GetName());
        return Join(modules, Area(area).GetStore().GetCableCount());
    }
    std::string Synthesizer(int area)
    {
        const sim::SimArea& held = synth_->Slot(slot_).patch.areas[static_cast<size_t>(area)];
        std::map<int, std::string> modules;
        for (const auto& [index, module] : held.modules)
            modules[index] = Describe(module.type, module.column, module.row, module.name);
        return Join(modules, held.cables.size());
    }
    // Both areas alike on both sides, once the link is quiet.
    void ExpectInStep(const char* after)
    {
        ASSERT_TRUE(Settle()) << after;
        for (const int area : {1, 0})
            EXPECT_EQ(Synthesizer(area), Document(area)) << "area " << area << " after " << after;
    }

    uint8_t slot_ = 0;

private:
    static std::string Describe(int type, int column, int row, const std::string& name)
    {
        std::ostringstream text;
        text << type << ":" << column << "," << row << ":" << name;
        return text.str();
    }
    static std::string Join(const std::map<int, std::string>& modules, size_t cables)
    {
        std::ostringstream text;
        for (const auto& [index, module] : modules)
            text << index << "=" << module << " ";
        text << cables << " cables";
        return text.str();
    }
};

} // namespace

TEST_F(PatchWindowSynthTest, EveryEditReachesTheSynthesizerAndUndoRevertsItThere)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    CModuleInterface* smooth = Place(kSmooth, 1, CPoint(128, 80));
    ASSERT_TRUE(constant && smooth);
    ASSERT_TRUE(patch->ConnectCable(1, JackAddress{constant->GetModuleIndex(), 0, 1},
                                    JackAddress{smooth->GetModuleIndex(), 0, 0}));
    ExpectInStep("placing");
    EXPECT_EQ(Area(1).GetModules().GetCount(), 2u);

    // Both dragged one column right.
    Press(OnPanel(*constant));
    Release(OnPanel(*constant));
    HoldControl(true);
    Press(OnPanel(*smooth));
    Release(OnPanel(*smooth));
    HoldControl(false);
    Tick(1000);
    const CPoint from = OnPanel(*constant);
    Press(from);
    DragTo(from, CPoint(from.x + 256, from.y));
    Release(CPoint(from.x + 256, from.y));
    EXPECT_EQ(constant->GetColumn(), 1);
    ExpectInStep("the move");
    Choose(kUndo);
    EXPECT_EQ(constant->GetColumn(), 0);
    ExpectInStep("undoing the move");

    // Cut from the upper area, pasted into the lower one.
    PressCtrl('X');
    ExpectInStep("the cut");
    PressCtrl('V');
    const CPoint to = InArea(0, CPoint(300, 60));
    MoveTo(to);
    Press(to);
    Release(to);
    EXPECT_EQ(Area(0).GetModules().GetCount(), 2u);
    ExpectInStep("the paste");
    Choose(kUndo);
    ExpectInStep("undoing the paste");
    Choose(kUndo);
    EXPECT_EQ(Area(1).GetModules().GetCount(), 2u);
    ExpectInStep("undoing the cut");

    // A value key on the focused control, and its undo.
    Key(platform::kVKDown);
    ASSERT_EQ(patch->GetParamFocus().location, 1);
    const ParamAddress focus = patch->GetParamFocus();
    CModuleInterface* focused = Area(1).FindModule(focus.module);
    ASSERT_NE(focused, nullptr);
    const uint8_t before = focused->GetParamValue(focus.param);
    Key(platform::kVKEquals);
    ASSERT_TRUE(Settle());
    const auto held = [&] {
        return synth_->Slot(slot_).patch.areas[1].modules.at(focus.module).params.at(focus.param);
    };
    EXPECT_EQ(held(), before + 1);
    Choose(kUndo);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(held(), before);
}

TEST_F(PatchWindowSynthTest, KeysCommandsAndPressesWhileTheSynthesizerHasNotAnsweredAllCountInTheirOrder)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    CModuleInterface* smooth = Place(kSmooth, 1, CPoint(128, 80));
    ASSERT_TRUE(constant && smooth);
    Key(platform::kVKDown);
    const ParamAddress focus = patch->GetParamFocus();
    CModuleInterface* focused = Area(1).FindModule(focus.module);
    ASSERT_NE(focused, nullptr);
    ExpectInStep("placing");
    ASSERT_FALSE(patch->GetSelection().Contains(constant->GetModuleIndex()));
    const uint8_t before = focused->GetParamValue(focus.param);
    const auto held = [&] {
        return synth_->Slot(slot_).patch.areas[1].modules.at(focus.module).params.at(focus.param);
    };

    // A quick hand: the patch's new name went out, and the synthesizer has
    // not answered when the keys, the undo and a click come.
    const auto quickly = [&](uint32_t key, bool control = false) {
        if (control)
            Host().PressKey(platform::kVKControl);
        Host().PressKey(key);
        Host().ReleaseKey(key);
        if (control)
            Host().ReleaseKey(platform::kVKControl);
        // The editor's own steps go on (it sends in them); the synthesizer's not.
        Host().Advance(60);
        Pump();
        app->IdleCheck();
    };
    patch->SendPatchName("Quick");
    Pump();
    app->IdleCheck();
    ASSERT_TRUE(patch->IsSlotBusy());
    quickly(platform::kVKEquals);
    quickly(platform::kVKEquals);
    quickly(platform::kVKEquals);
    quickly(platform::kVKMinus);
    quickly('Z', true);
    Host().PressMouse(Screen(OnPanel(*constant)));
    Host().ReleaseMouse(Screen(OnPanel(*constant)));
    Pump();
    ASSERT_TRUE(patch->IsSlotBusy());
    ExpectInStep("the quick keys");
    // Up three, down one, the last undone.
    EXPECT_EQ(focused->GetParamValue(focus.param), before + 3);
    EXPECT_EQ(held(), before + 3);
    EXPECT_TRUE(patch->GetSelection().Contains(constant->GetModuleIndex())) << "the click on the panel was lost";
}

// The C key sends the bar to the top and back: the header goes to the slot
// on the way, and the bar is drawn where it lands, not left showing the
// modules it moved over.
TEST_F(PatchWindowSynthTest, TheSplitBarIsDrawnWhereTheKeysSendIt)
{
    ASSERT_TRUE(Place(kConstant, 1, CPoint(128, 15)));
    ASSERT_TRUE(Place(kConstant, 1, CPoint(128 + 256, 15)));
    ASSERT_TRUE(Settle());
    // The bar's grey plate right of its three buttons, across the window.
    const auto plateShare = [&] {
        const platform::PixelBuffer screen = Host().Screen();
        const CRect client = view->GetClientRect();
        const int16_t y = static_cast<int16_t>(view->GetSplitter().GetFrame().top + 5);
        int plate = 0, total = 0;
        for (int x = 3 * CPatchView::kSplitterHeight + 4; x < client.right - 4; x += 3, ++total) {
            const platform::Point p = Screen(CPoint(static_cast<int16_t>(x), y));
            plate += (screen.At(p.x, p.y) & 0xFFFFFF) == 0xC0C0C0 ? 1 : 0;
        }
        return plate * 100 / total;
    };
    for (const char* where : {"at the top", "back in the middle"}) {
        Key('C');
        ASSERT_TRUE(Settle()) << where;
        EXPECT_GT(plateShare(), 90) << "the bar is not drawn " << where;
    }
    EXPECT_EQ(view->GetSplitter().GetFrame().top, 300);
    EXPECT_EQ(synth_->Slot(slot_).patch.header.split, 300);
}

} // namespace editortest
