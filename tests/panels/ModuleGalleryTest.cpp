// The gallery of every module type: its real panel at its defaults and
// again with other values (so that graphs show a shape), as a patch window
// shows it (face, controls, jacks, graphs), beside its face alone, tab by tab
// in toolbar order. Written to build/test/gallery/ for a
// person to look at; the test also checks that each panel shows its face
// where no item covers it and draws its items over the face.
#include "tests/panels/PanelTestFixture.h"

#include "framework/images/Bitmap.h"
#include "panels/BuildModule.h"
#include "panels/panel/Module.h"
#include "platform/graphics/PngWriter.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/ParamMolecules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <vector>

namespace {

constexpr int kPanelWidth = 256;
constexpr int kFaceWidth = 250;
constexpr int kFaceInset = 3; // the panel's border around its face
constexpr int kGap = 8;
constexpr int kCellWidth = 2 * (kPanelWidth + kGap) + kFaceWidth + 3 * kGap;
constexpr int kColumns = 2;
constexpr uint32_t kPaper = 0xFFFFFF;

struct Shot {
    uint8_t type;
    platform::PixelBuffer panel;
    platform::PixelBuffer varied; // the panel with other values than the defaults
    platform::PixelBuffer face;
};

// A value away from the default, different from parameter to parameter.
uint8_t VariedValue(const ParamSpec& param, size_t index)
{
    const int range = param.max + 1;
    return static_cast<uint8_t>((param.defaultValue + 1 + param.max * (3 + 2 * static_cast<int>(index % 3)) / 8) %
                                range);
}

class ModuleGalleryTest : public paneltest::PanelTest {
protected:
    platform::PixelBuffer CapturePanel(const CModule& module)
    {
        Redraw();
        return Capture(module.GetFrame());
    }

    Shot Take(uint8_t typeId)
    {
        CModule& module = AddModule(typeId, 1);
        Shot shot{typeId, CapturePanel(module), {}, {}};
        const CBuildModule& builder = catalogue->GetBuilder(typeId);
        // Other values come as the synthesizer sends them.
        CMoleculePacket values;
        const auto params = builder.GetParams();
        for (size_t i = 0; i < params.size(); ++i) {
            values.Append(
                std::make_unique<CMParamChange>(kArea, 1, static_cast<uint8_t>(i), VariedValue(params[i], i)));
        }
        patch->ApplyMoleculeList(values);
        shot.varied = CapturePanel(module);
        if (NSHarrowen::CABCBitmap* face = NSHarrowen::GetImage(NSHarrowen::CImageID(builder.GetFaceJpeg()))) {
            shot.face = platform::PixelBuffer(face->GetWidth(), face->GetHeight());
            for (int y = 0; y < face->GetHeight(); ++y) {
                for (int x = 0; x < face->GetWidth(); ++x) {
                    shot.face.Set(x, y, face->GetDC()->GetPixel(x, y).value_or(0) & 0xFFFFFF);
                }
            }
        }
        CMoleculePacket packet;
        packet.Append(std::make_unique<CMModuleDelete>(kArea, 1));
        patch->ApplyMoleculeList(packet);
        return shot;
    }

    // Every type in toolbar order, tab by tab.
    std::vector<std::vector<uint8_t>> TypesByTab() const
    {
        std::vector<std::vector<uint8_t>> tabs;
        for (size_t tab = 0; tab < catalogue->GetTabCount(); ++tab) {
            tabs.emplace_back();
            for (uint8_t place = 0; place < catalogue->GetTabSize(tab); ++place) {
                uint16_t type = 0;
                uint16_t word = 0;
                std::string text;
                if (catalogue->FindByTabPosition(tab, place, type, word, text) && type != 0) {
                    tabs.back().push_back(static_cast<uint8_t>(type));
                }
            }
        }
        return tabs;
    }
};

void Paste(platform::PixelBuffer& sheet, const platform::PixelBuffer& picture, int left, int top)
{
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            sheet.Set(left + x, top + y, picture.At(x, y));
        }
    }
}

// Panels and faces two types to a row.
platform::PixelBuffer Sheet(const std::vector<Shot>& shots)
{
    std::vector<int> rowTops{kGap};
    for (size_t i = 0; i < shots.size(); i += kColumns) {
        int tallest = 0;
        for (size_t j = i; j < std::min(shots.size(), i + kColumns); ++j) {
            tallest = std::max(tallest, shots[j].panel.Height());
        }
        rowTops.push_back(rowTops.back() + tallest + kGap);
    }
    platform::PixelBuffer sheet(kColumns * kCellWidth + kGap, rowTops.back(), kPaper);
    for (size_t i = 0; i < shots.size(); ++i) {
        const int left = kGap + static_cast<int>(i % kColumns) * kCellWidth;
        const int top = rowTops[i / kColumns];
        Paste(sheet, shots[i].panel, left, top);
        Paste(sheet, shots[i].varied, left + kPanelWidth + kGap, top);
        Paste(sheet, shots[i].face, left + 2 * (kPanelWidth + kGap), top + kFaceInset);
    }
    return sheet;
}

TEST_F(ModuleGalleryTest, EveryTypesPanelBesideItsFace)
{
    const std::filesystem::path folder = std::filesystem::path(TORVAN_TEST_OUTPUT_DIR).parent_path() / "gallery";
    std::filesystem::create_directories(folder);
    std::vector<Shot> all;
    size_t tabNumber = 0;
    for (const std::vector<uint8_t>& tab : TypesByTab()) {
        std::vector<Shot> shots;
        for (const uint8_t type : tab) {
            const CBuildModule& builder = catalogue->GetBuilder(type);
            SCOPED_TRACE(builder.GetShortName());
            Shot shot = Take(type);
            ASSERT_EQ(shot.panel.Width(), kPanelWidth);
            ASSERT_EQ(shot.panel.Height(), 15 * builder.GetHeight());
            ASSERT_EQ(shot.face.Width(), kFaceWidth);
            ASSERT_EQ(shot.face.Height(), 15 * builder.GetHeight() - 6);
            // The face shows wherever no item lies on it, and the items change the rest.
            size_t same = 0;
            for (int y = 0; y < shot.face.Height(); ++y) {
                for (int x = 0; x < shot.face.Width(); ++x) {
                    same += shot.panel.At(x + kFaceInset, y + kFaceInset) == shot.face.At(x, y);
                }
            }
            const size_t area = static_cast<size_t>(shot.face.Width()) * shot.face.Height();
            EXPECT_GT(same, area / 4) << "too little of the face shows";
            EXPECT_LT(same, area) << "nothing drawn over the face";
            // Other values show: the controls (and graphs) change.
            if (builder.GetParamCount() > 0) {
                size_t changed = 0;
                for (int y = 0; y < shot.panel.Height(); ++y) {
                    for (int x = 0; x < shot.panel.Width(); ++x) {
                        changed += shot.panel.At(x, y) != shot.varied.At(x, y);
                    }
                }
                EXPECT_GT(changed, 0u) << "the other values do not show";
            }
            shots.push_back(shot);
            all.push_back(std::move(shot));
        }
        const std::filesystem::path png = folder / ("panels-" + std::to_string(++tabNumber) + ".png");
        platform::WritePng(png.string(), Sheet(shots));
    }
    EXPECT_EQ(all.size(), 109u);
    const std::filesystem::path png = folder / "panels.png";
    platform::WritePng(png.string(), Sheet(all));
    std::cout << "module gallery: " << png << "\n";
    EXPECT_TRUE(std::filesystem::exists(png));
}

} // namespace
