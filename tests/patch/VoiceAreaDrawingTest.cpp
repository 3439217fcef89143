// A voice area drawn into a headless window: the background tiles, the
// module panels, the cables and the labels, before and after scrolling. The
// picture is written to test-output/voice-area.png in the build folder.
#include "framework/images/Bitmap.h"
#include "framework/images/ImageCache.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "synth/molecules/MoleculePacket.h"
#include "platform/graphics/PngWriter.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "tests/framework/WindowTestFixture.h"
#include "tests/support/patch/CableRenderDouble.h"
#include "tests/support/patch/ModuleDouble.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

namespace {

using NSHarrowen::CColor;

constexpr uint8_t kOscA = 7;
constexpr uint8_t kMixer = 19;
constexpr uint8_t kAdsr = 20;

// Picture 254, the area's background tile, until the generated pictures
// are in the resources: a dark grid of its size.
class CTileSource final : public NSHarrowen::CImageSource {
public:
    static constexpr CColor kGround{0x3000, 0x3800, 0x4000};
    static constexpr CColor kLine{0x4800, 0x5000, 0x5800};

    // Installed after the application, which is the usual picture source.
    CTileSource() : tile_(CPatchBackground::kTileWidth, CPatchBackground::kTileHeight)
    {
        tile_.FillRect(tile_.GetFrame(), kGround);
        for (int y = 0; y < CPatchBackground::kTileHeight; y += CModuleInterface::kRowHeight) {
            tile_.DrawHorizontalLine(y, 0, CPatchBackground::kTileWidth, kLine);
        }
        tile_.DrawVerticalLine(0, 0, CPatchBackground::kTileHeight, kLine);
        NSHarrowen::SetImageSource(this);
    }
    ~CTileSource() override { NSHarrowen::SetImageSource(nullptr); }

    NSHarrowen::CABCBitmap* GetImage(const NSHarrowen::CImageID& id) override
    {
        return id.GetResource() == CPatchBackground::kBackgroundImage ? &tile_ : nullptr;
    }

private:
    NSHarrowen::CBitmap32 tile_;
};

uint32_t Rgb(const CColor& c) { return (uint32_t(c.red >> 8) << 16) | (uint32_t(c.green >> 8) << 8) | (c.blue >> 8); }

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

    // The tile's ground where no module is: right of the third column.
    EXPECT_EQ(PixelAt(NSHarrowen::CPoint(600, 100)), Rgb(CTileSource::kGround));
    // The panel of module 2 (column 1, row 3).
    const NSHarrowen::CRect panel = area->FindModule(2)->GetView().GetFrame();
    EXPECT_EQ(panel.left, 256);
    EXPECT_EQ(panel.top, 45);
    EXPECT_NE(PixelAt(NSHarrowen::CPoint(panel.left + 200, panel.top + 20)), Rgb(CTileSource::kGround));
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
