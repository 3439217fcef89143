// A patch file opened in the editor, as the desktop hands it over: both voice
// areas with their modules, cables and assignment labels on the screen. The
// picture is written to test-output/patch-window.png in the build folder.
#include "tests/editor/PatchWindowFixture.h"

#include "editor/patches/PatchManager.h"
#include "editor/windows/PatchView.h"
#include "editor/windows/SplitterView.h"
#include "framework/files/FileSpec.h"
#include "patch/area/LabelCache.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "platform/graphics/PngWriter.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "synth/molecules/AssignMolecules.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using namespace NSHarrowen;

namespace editortest {

namespace {

class PatchWindowPictureTest : public PatchWindowTest {
protected:
    // Two modules joined by a cable, placed in an area.
    void Chain(int area, int column, uint8_t knob)
    {
        CModuleInterface* constant = Place(kConstant, area, CPoint(128 + 256 * column, 15));
        CModuleInterface* smooth = Place(kSmooth, area, CPoint(128 + 256 * column, 80));
        ASSERT_TRUE(constant && smooth);
        ASSERT_TRUE(patch->ConnectCable(static_cast<uint8_t>(area), JackAddress{constant->GetModuleIndex(), 0, 1},
                                        JackAddress{smooth->GetModuleIndex(), 0, 0}));
        patch->ApplyKnobAssign(CMKnobAssign(ParamAddress{area, constant->GetModuleIndex(), 0}, knob));
    }
    // The darkest and brightest pixels of a rectangle of the window differ.
    bool ShowsSomething(const platform::PixelBuffer& screen, const CRect& rect) const
    {
        const platform::Point origin = Screen(CPoint(rect.left, rect.top));
        uint32_t first = screen.At(origin.x, origin.y);
        for (int y = 0; y < rect.Height(); y += 2)
            for (int x = 0; x < rect.Width(); x += 2)
                if (screen.At(origin.x + x, origin.y + y) != first)
                    return true;
        return false;
    }
    // Something is drawn in the gap between an area's two top modules of
    // the first column (where its cable runs): the gap differs from the
    // same stretch of background one tile further down.
    bool GapShowsCable(const platform::PixelBuffer& screen, const CPatchBackground& area) const
    {
        const CRect top = area.GetModules().At(0)->GetView().GetFrame();
        const CRect below = area.GetModules().At(1)->GetView().GetFrame();
        const platform::Point gap = Screen(CPoint(top.left, top.bottom));
        for (int y = 1; y < below.top - top.bottom - 1; ++y)
            for (int x = 0; x < top.Width(); ++x)
                if (screen.At(gap.x + x, gap.y + y) != screen.At(gap.x + x, gap.y + y + CPatchBackground::kTileHeight))
                    return true;
        return false;
    }
};

void InvalidateTree(platform::WindowHandle window)
{
    platform::InvalidateRect(window, nullptr, true);
    for (int i = 0; i < platform::CountChildren(window); ++i)
        InvalidateTree(platform::GetChild(window, i));
}

} // namespace

// Cables blend into the pixels under them at their edges: a repaint of two
// strips across a slanting cable draws them exactly as the full repaint
// did, and leaves the cable between the strips (not repainted under it) as
// it was.
TEST_F(PatchWindowPictureTest, ARepaintOfStripsAcrossACableIsLikeTheFullRepaint)
{
    CModuleInterface* constant = Place(kConstant, 1, CPoint(128, 15));
    CModuleInterface* smooth = Place(kSmooth, 1, CPoint(128 + 256, 200));
    ASSERT_TRUE(constant && smooth);
    ASSERT_TRUE(patch->ConnectCable(1, JackAddress{constant->GetModuleIndex(), 0, 1},
                                    JackAddress{smooth->GetModuleIndex(), 0, 0}));
    InvalidateTree(view->GetHandle());
    Step(10);
    const platform::PixelBuffer painted = Host().Screen();

    CPatchBackground& area = *patch->GetArea(1);
    const CRect frame = area.GetFrame();
    for (const int y : {constant->GetView().GetFrame().bottom + 2, smooth->GetView().GetFrame().top - 5})
        area.InvalidateRect(CRect(frame.left, static_cast<int16_t>(y), frame.right, static_cast<int16_t>(y + 3)), true);
    Step(10);
    EXPECT_TRUE(SameScreen(painted, Host().Screen())) << "the strips' repaint differs from the full one";
}

TEST_F(PatchWindowPictureTest, AnOpenedPatchShowsBothAreasWithCablesAndLabels)
{
    Chain(1, 0, 0);
    Chain(1, 1, 1);
    Chain(0, 0, 2);
    ASSERT_EQ(patch->GetArea(0)->GetLabels().GetCount(), 1u);
    patch->SetName("Two Areas");
    const std::string path = (folder.Path() / "Two Areas.pch").string();
    ASSERT_TRUE(patch->SaveToFile(CFileSpec(path)));

    ASSERT_TRUE(app->OpenPath(path));
    Step(200);
    CPatch* opened = app->GetPatches()->GetActivePatch();
    ASSERT_NE(opened, nullptr);
    ASSERT_NE(opened, patch);
    EXPECT_EQ(opened->GetName(), "Two Areas");
    EXPECT_EQ(opened->GetArea(1)->GetModules().GetCount(), 4u);
    EXPECT_EQ(opened->GetArea(1)->GetStore().GetCableCount(), 2u);
    EXPECT_EQ(opened->GetArea(0)->GetModules().GetCount(), 2u);
    EXPECT_EQ(opened->GetArea(0)->GetStore().GetCableCount(), 1u);
    const CLabelCache::Label* label = opened->GetArea(0)->GetLabels().FindParamLabel(
        ParamAddress{0, opened->GetArea(0)->GetModules().At(0)->GetModuleIndex(), 0});
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, "Knob3");

    view = dynamic_cast<CPatchView*>(opened->GetWindow());
    ASSERT_NE(view, nullptr);
    CPatchHeader header = opened->GetPatchHeader();
    header.SetSplitPosition(200);
    opened->SetPatchHeader(header);
    view->LayoutRootView();
    Step(100);
    const platform::PixelBuffer screen = Host().Screen();
    const std::filesystem::path output = TORVAN_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(output);
    platform::WritePng((output / "patch-window.png").string(), screen);
    EXPECT_TRUE(ShowsSomething(screen, opened->GetArea(1)->GetFrame()));
    EXPECT_TRUE(ShowsSomething(screen, opened->GetArea(0)->GetFrame()));
    // The lower area moved up with the split: its cable moved with it.
    EXPECT_TRUE(GapShowsCable(screen, *opened->GetArea(1)));
    EXPECT_TRUE(GapShowsCable(screen, *opened->GetArea(0)));
}

// The bar between the areas is drawn wherever it stands: its grey plate
// across the window right of its three buttons, sent to the top with C,
// dragged to the middle, and back at the bottom with P.
TEST_F(PatchWindowPictureTest, TheSplitBarIsDrawnAtTheTopInTheMiddleAndAtTheBottom)
{
    const auto barDrawnAt = [&](int16_t top, const char* where) {
        Step(50);
        const platform::PixelBuffer screen = Host().Screen();
        const CRect client = view->GetClientRect();
        int plate = 0, total = 0;
        for (int x = 3 * CPatchView::kSplitterHeight + 4; x < client.right - 4; x += 3) {
            const platform::Point p = Screen(CPoint(static_cast<int16_t>(x), static_cast<int16_t>(top + 5)));
            plate += (screen.At(p.x, p.y) & 0xFFFFFF) == 0xC0C0C0 ? 1 : 0;
            ++total;
        }
        EXPECT_GT(plate, total * 9 / 10) << "the bar is not drawn " << where;
    };
    EXPECT_EQ(view->GetSplitter().GetFrame().top, 300);
    barDrawnAt(300, "where the patch put it");

    Key('C');
    ASSERT_EQ(view->GetSplitter().GetFrame().top, 0);
    barDrawnAt(0, "at the top");

    const int16_t x = static_cast<int16_t>(view->GetClientRect().right / 2);
    Press(CPoint(x, 5));
    DragTo(CPoint(x, 5), CPoint(x, 205));
    Release(CPoint(x, 205));
    const int16_t middle = view->GetSplitter().GetFrame().top;
    ASSERT_GT(middle, 150);
    barDrawnAt(middle, "in the middle");

    Key('P');
    const int16_t bottom = view->GetSplitter().GetFrame().top;
    ASSERT_EQ(bottom, view->GetClientRect().bottom - CPatchView::kSplitterHeight);
    barDrawnAt(bottom, "at the bottom");
}

} // namespace editortest
