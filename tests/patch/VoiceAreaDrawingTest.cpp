// A voice area drawn into a headless window: the background tiles (picture
// 254 of the linked pictures), the
// module panels, the cables and the labels, before and after scrolling. The
// picture is written to test-output/voice-area.png in the build folder.
#include "framework/files/MemoryMedia.h"
#include "framework/images/Bitmap.h"
#include "framework/images/JPEGReader.h"
#include "framework/images/PixelFormat.h"
#include "framework/images/ImageCache.h"
#include "patch/area/PatchBackground.h"
#include "patch/clip/ModuleSelection.h"
#include "patch/document/Patch.h"
#include "synth/molecules/MoleculePacket.h"
#include "platform/graphics/PngWriter.h"
#include "resources/PictureResources.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "tests/framework/WindowTestFixture.h"
#include "tests/support/patch/CableRenderDouble.h"
#include "tests/support/patch/ModuleDouble.h"
#include "framework/images/ImageSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace {

constexpr uint8_t kOscA = 7;
constexpr uint8_t kMixer = 19;
constexpr uint8_t kAdsr = 20;

// The application's pictures as far as the area needs them: picture 254,
// the background tile, decoded from the linked picture resources.
class CTileSource final : public NSHarrowen::CImageSource {
public:
    // Installed after the application, which is the usual picture source.
    CTileSource()
    {
        const auto bytes = ::PictureResources().Find("JPEG", CPatchBackground::kBackgroundImage);
        if (bytes) {
            NSHarrowen::CMemoryMedia media(*bytes);
            tile_ = NSHarrowen::ReadJPEG(NSHarrowen::CPixelFormat(32), media);
        }
        NSHarrowen::SetImageSource(this);
    }
    ~CTileSource() override { NSHarrowen::SetImageSource(nullptr); }

    NSHarrowen::CABCBitmap* GetImage(const NSHarrowen::CImageID& id) override
    {
        return id.GetResource() == CPatchBackground::kBackgroundImage ? tile_.get() : nullptr;
    }
    uint32_t PixelAt(int x, int y) const { return tile_->GetDC()->GetPixel(x, y).value_or(0) & 0xFFFFFF; }

private:
    std::unique_ptr<NSHarrowen::CABCBitmap> tile_;
};

class VoiceAreaDrawingTest : public testsupport::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        tiles = std::make_unique<CTileSource>();
        window = OpenDocument(700, 200);
        area = patch.GetArea(1);
        window->GetRootView()->AddChild(area);
        area->SetFrame(NSHarrowen::CRect(0, 0, 700, 200));

        CMoleculePacket packet;
        auto modules = std::make_unique<CMModuleDump>(1);
        modules->AddModule(1, kOscA, 0, 1);
        modules->AddModule(2, kMixer, 1, 3);
        modules->AddModule(3, kAdsr, 0, 12);
        packet.Append(std::move(modules));
        auto cables = std::make_unique<CMCableDump>(1);
        cables->AddCable(0, JackAddress{1, 0, 1}, JackAddress{2, 0, 0});
        cables->AddCable(1, JackAddress{3, 0, 1}, JackAddress{2, 1, 0});
        packet.Append(std::move(cables));
        packet.Append(std::make_unique<CMKnobAssign>(ParamAddress{1, 1, 0}, 0));
        patch.ApplyMoleculeList(packet);
        Redraw();
    }

    void TearDown() override
    {
        window->GetRootView()->RemoveChild(area);
        tiles.reset();
        WindowTest::TearDown();
    }

    void Redraw()
    {
        window->GetRootView()->InvalidateFrame();
        Pump();
    }

    uint32_t PixelAt(NSHarrowen::CPoint p)
    {
        const platform::PixelBuffer shot = platform::CaptureWindow(window->GetHandle());
        const platform::Rect client = platform::GetClientArea(window->GetHandle());
        return shot.At(client.left + p.x, client.top + p.y) & 0xFFFFFF;
    }

    // A point halfway along a cable, as the renderers drew it.
    NSHarrowen::CPoint Middle(size_t cable)
    {
        const auto& drawn = dynamic_cast<testsupport::CCableRenderDouble&>(area->GetCableRenderers()).GetCables();
        const auto& c = drawn.at(cable);
        return NSHarrowen::CPoint((c.point1.x + c.point2.x) / 2, (c.point1.y + c.point2.y) / 2);
    }

    std::unique_ptr<CTileSource> tiles;
    testsupport::CModuleServicesDouble services;
    CPatch patch;
    NSHarrowen::CDocumentWindow* window = nullptr;
    CPatchBackground* area = nullptr;
};

TEST_F(VoiceAreaDrawingTest, TheAreaDrawsItsTilesPanelsCablesAndLabels)
{
    const std::filesystem::path folder = TORVAN_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(folder);
    const std::filesystem::path png = folder / "voice-area.png";
    platform::WritePng(png.string(), platform::CaptureWindow(window->GetHandle()));
    std::cout << "voice area picture: " << png << "\n";

    // The tile where no module is: right of the third column.
    ASSERT_NE(NSHarrowen::GetImage(NSHarrowen::CImageID(CPatchBackground::kBackgroundImage)), nullptr);
    EXPECT_EQ(PixelAt(NSHarrowen::CPoint(600, 100)), tiles->PixelAt(600 % 256, 100));
    // The panel of module 2 (column 1, row 3).
    const NSHarrowen::CRect panel = area->FindModule(2)->GetView().GetFrame();
    EXPECT_EQ(panel.left, 256);
    EXPECT_EQ(panel.top, 45);
    EXPECT_NE(PixelAt(NSHarrowen::CPoint(panel.left + 200, panel.top + 20)), tiles->PixelAt(200, 65));
    // Both cables over the panels, the control cable in its own colour.
    EXPECT_NE(PixelAt(Middle(0)), PixelAt(Middle(1)));
    // The knob label of the oscillator's first parameter.
    const CLabelCache::Label* label = area->FindParamLabel(ParamAddress{1, 1, 0});
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text, "Knob1");
    EXPECT_EQ(PixelAt(NSHarrowen::CPoint(label->rect.left + 2, label->rect.top + 2)), 0xFFFFDFu);
}

TEST_F(VoiceAreaDrawingTest, ScrollingMovesPanelsCablesAndLabelsTogether)
{
    const NSHarrowen::CPoint cableBefore = Middle(0);
    const NSHarrowen::CRect labelBefore = area->FindParamLabel(ParamAddress{1, 1, 0})->rect;
    const uint32_t cableColour = PixelAt(cableBefore);
    area->ScrollDown(30);
    area->UpdateDisplay();
    Pump();
    Redraw();
    const NSHarrowen::CPoint cableAfter = Middle(0);
    EXPECT_EQ(cableAfter.y, cableBefore.y - 30);
    EXPECT_EQ(area->FindModule(1)->GetView().GetFrame().top, 15 - 30);
    EXPECT_EQ(area->FindParamLabel(ParamAddress{1, 1, 0})->rect.top, labelBefore.top - 30);
    EXPECT_EQ(PixelAt(cableAfter), cableColour);
}

TEST_F(VoiceAreaDrawingTest, MovingAModuleReroutesItsCablesAndMovesItsLabels)
{
    const NSHarrowen::CRect labelBefore = area->FindParamLabel(ParamAddress{1, 1, 0})->rect;
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMModuleMove>(1, 1, 2, 6));
    patch.ApplyMoleculeList(packet);
    Redraw();
    const NSHarrowen::CRect labelAfter = area->FindParamLabel(ParamAddress{1, 1, 0})->rect;
    EXPECT_EQ(labelAfter.left - labelBefore.left, 512);
    EXPECT_EQ(labelAfter.top - labelBefore.top, 75);
    const auto& drawn = dynamic_cast<testsupport::CCableRenderDouble&>(area->GetCableRenderers()).GetCables();
    EXPECT_EQ(drawn.at(0).point1, area->FindModule(1)->GetJackCenter(JackAddress{1, 0, 1}));
}

} // namespace

namespace {

TEST_F(VoiceAreaDrawingTest, ABandDraggedOverTheAreaSelectsTheModulesItMeets)
{
    patch.ClearSelection();
    desktop.Host().PressMouse(ScreenPoint(window, 600, 190));
    Pump();
    desktop.Host().MoveMouse(ScreenPoint(window, 300, 60));
    Pump();
    window->Idle(); // the area follows the mouse at its broadcast
    desktop.Host().ReleaseMouse(ScreenPoint(window, 300, 60));
    Pump();
    ASSERT_EQ(patch.GetSelection().GetCount(), 1u);
    EXPECT_TRUE(patch.GetSelection().Contains(2));
    EXPECT_TRUE(dynamic_cast<testsupport::CModuleDouble*>(area->FindModule(2))->IsSelected());

    // A new band starts by clearing the selection.
    desktop.Host().Click(ScreenPoint(window, 650, 190));
    Pump();
    EXPECT_TRUE(patch.IsSelectionEmpty());
}

// Another program brought to the front mid-band (Alt+Tab with the button
// down, let go over that program) takes the band away as Escape does: back
// in the window no band follows the mouse, and the next band works.
TEST_F(VoiceAreaDrawingTest, AnotherProgramActivatedMidBandTakesTheBandAway)
{
    patch.ClearSelection();
    Pump();
    const platform::PixelBuffer before = platform::CaptureWindow(window->GetHandle());
    desktop.Host().PressMouse(ScreenPoint(window, 600, 190));
    Pump();
    desktop.Host().MoveMouse(ScreenPoint(window, 300, 60));
    Pump();
    window->Idle();
    desktop.Host().SetApplicationFocus(false);
    Pump();
    desktop.Host().ReleaseMouse(ScreenPoint(window, 300, 60));
    desktop.Host().SetApplicationFocus(true);
    desktop.Host().MoveMouse(ScreenPoint(window, 500, 100));
    Pump();
    window->Idle();
    Pump();
    const platform::PixelBuffer after = platform::CaptureWindow(window->GetHandle());
    ASSERT_EQ(after.Width(), before.Width());
    ASSERT_EQ(after.Height(), before.Height());
    bool same = true;
    for (int y = 0; y < after.Height(); ++y) {
        same = same && std::equal(after.Row(y), after.Row(y) + after.Width(), before.Row(y));
    }
    EXPECT_TRUE(same) << "a band is left on the screen";
    EXPECT_TRUE(patch.IsSelectionEmpty());
    EXPECT_EQ(NSHarrowen::GetMouseTrackingView(), nullptr);
    desktop.Host().PressMouse(ScreenPoint(window, 600, 190));
    Pump();
    desktop.Host().MoveMouse(ScreenPoint(window, 300, 60));
    Pump();
    window->Idle();
    desktop.Host().ReleaseMouse(ScreenPoint(window, 300, 60));
    Pump();
    EXPECT_EQ(patch.GetSelection().GetCount(), 1u);
}

} // namespace
