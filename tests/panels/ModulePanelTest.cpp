// Module panels of real types in a voice area: drawing, construction
// through the catalogue, the module's view of its items, selection,
// renaming and the module menu.
#include "tests/panels/PanelTestFixture.h"

#include "framework/images/Bitmap.h"
#include "panels/BuildModule.h"
#include "panels/items/PnlControl.h"
#include "panels/panel/LayoutModule.h"
#include "patch/PatchError.h"
#include "patch/area/PatchBackground.h"
#include "patch/clip/ModuleSelection.h"
#include "platform/graphics/PngWriter.h"
#include "platform/menus/PopupMenuRecorder.h"
#include "platform/windows/WindowPaint.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

namespace {

using NSHarrowen::CPoint;
using paneltest::PanelTest;

constexpr uint8_t kOscA = 7;
constexpr uint8_t kCompressor = 21;

uint32_t PicturePixel(uint16_t picture, int x, int y)
{
    NSHarrowen::CABCBitmap* bitmap = NSHarrowen::GetImage(NSHarrowen::CImageID(picture));
    return bitmap == nullptr ? 0xDEADu : bitmap->GetDC()->GetPixel(x, y).value_or(0) & 0xFFFFFF;
}

class ModulePanelTest : public PanelTest { };

TEST_F(ModulePanelTest, AnOscillatorPanelDrawsItsBorderFaceTitleAndControls)
{
    CModule& osc = AddModule(kOscA, 1, 0, 1);
    ASSERT_EQ(osc.GetFrame(), NSHarrowen::CRect(0, 15, 256, 15 + 6 * 15));
    const std::filesystem::path folder = TORVAN_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(folder);
    const std::filesystem::path png = folder / "osc-panel.png";
    Redraw();
    platform::WritePng(png.string(), platform::CaptureWindow(window->GetHandle()));
    std::cout << "panel picture: " << png << "\n";

    // Border strips: left, top, bottom.
    EXPECT_EQ(PixelAt(CPoint(1, 15 + 40)), PicturePixel(255, 1, 37));
    EXPECT_EQ(PixelAt(CPoint(120, 15 + 1)), PicturePixel(257, 120, 1));
    EXPECT_EQ(PixelAt(CPoint(120, 15 + 88)), PicturePixel(258, 120, 1));
    // The face where no item lies, 3 pixels in.
    EXPECT_EQ(PixelAt(CPoint(3 + 160, 15 + 3 + 80)), PicturePixel(406, 160, 80));
    // The title strip: the name's ink in black somewhere in the strip.
    bool ink = false;
    for (int16_t x = 1; x < 60 && !ink; ++x) {
        for (int16_t y = 16; y < 27 && !ink; ++y) {
            ink = PixelAt(CPoint(x, y)) == 0;
        }
    }
    EXPECT_TRUE(ink) << "no name drawn";
    // The big knob at (68, 25) is drawn over the face.
    const CPoint knob(68 + 14, 15 + 25 + 14);
    EXPECT_NE(PixelAt(knob), PicturePixel(406, knob.x - 3, knob.y - 15 - 3));
    // Selected, the title strip is light grey.
    patch->SelectModule(osc);
    EXPECT_EQ(PixelAt(CPoint(75, 15 + 11)), 0xEEEEEEu);
}

TEST_F(ModulePanelTest, ConstructionGivesEveryControlItsStepCountAndDefault)
{
    CModule& osc = AddModule(kOscA, 1);
    const CBuildModule& builder = catalogue->GetBuilder(kOscA);
    ASSERT_EQ(osc.GetControlCount(), builder.GetParamCount());
    for (uint8_t i = 0; i < osc.GetControlCount(); ++i) {
        EXPECT_EQ(osc.GetControl(i)->GetStepCount(), builder.GetParamMax(i)) << int(i);
        EXPECT_EQ(osc.GetValue(i), builder.GetDefault(i)) << int(i);
        EXPECT_EQ(osc.GetControlIndex(*osc.GetControl(i)), i);
    }
    // The coarse and fine tuning are one pair, recorded once however many
    // panels are built.
    AddModule(kOscA, 2, 1, 0);
    AddModule(kOscA, 3, 1, 7);
    uint8_t partner = 0;
    ASSERT_TRUE(builder.FindParamPartner(1, partner));
    EXPECT_EQ(partner, 0);
    EXPECT_EQ(osc.GetPairedParamAddress(*osc.GetControl(0)), (ParamAddress{kArea, 1, 1}));
    EXPECT_EQ(osc.GetPairedParamAddress(*osc.GetControl(2)).module, 0);
    // Unknown types are refused.
    for (const uint8_t id : {6, 41, 93, 119, 126}) {
        EXPECT_THROW(catalogue->CreateModule(id), XPOutOfRange) << int(id);
    }
}

TEST_F(ModulePanelTest, ValuesFromTheDocumentReachTheControlsAndAreChecked)
{
    CModule& osc = AddModule(kOscA, 1);
    osc.SetParamValue(3, 2);
    EXPECT_EQ(osc.GetValue(3), 2);
    try {
        osc.SetParamValue(osc.GetControlCount(), 0);
        FAIL();
    } catch (const XPDontExist& error) {
        EXPECT_EQ(error.GetText(), "Parameter doesn't exist");
    }
    try {
        osc.SetParamValue(4, static_cast<uint8_t>(osc.GetMax(4) + 1));
        FAIL();
    } catch (const XPOutOfRange& error) {
        EXPECT_EQ(error.GetText(), "Parameter value out of range");
    }
    EXPECT_EQ(osc.GetValue(3), 2);
    // Unregistered texts are plain numbers; scaled values as the document shows them.
    EXPECT_EQ(osc.FormatScaledValue(3), std::to_string(2 * 128 / (osc.GetMax(3) + 1)));
}

TEST_F(ModulePanelTest, NamesAreCleanedCutAndReported)
{
    CModule& osc = AddModule(kOscA, 1);
    EXPECT_EQ(osc.GetName(), "OscA");
    try {
        osc.SetName("A name much too long~");
        FAIL();
    } catch (const XPOutOfRange& error) {
        EXPECT_EQ(error.GetText(), "Invalid module name");
    }
    EXPECT_EQ(osc.GetName(), "A name much too ");
    osc.SetName("Lead");
    EXPECT_EQ(osc.GetName(), "Lead");
}

TEST_F(ModulePanelTest, ClicksSelectAndControlClicksToggle)
{
    CModule& a = AddModule(kOscA, 1, 0, 0);
    CModule& b = AddModule(kOscA, 2, 1, 0);
    const CPoint onA(200, 80);
    const CPoint onB(256 + 200, 80);
    Click(onA);
    EXPECT_TRUE(a.IsSelected());
    Click(onB);
    EXPECT_FALSE(a.IsSelected());
    EXPECT_TRUE(b.IsSelected());
    HoldControl(true);
    Click(onA);
    EXPECT_TRUE(a.IsSelected());
    EXPECT_TRUE(b.IsSelected());
    Click(onB);
    HoldControl(false);
    EXPECT_FALSE(b.IsSelected());
    EXPECT_TRUE(a.IsSelected());
    EXPECT_EQ(editor.selectionDrags, 4); // every press on a panel starts a module drag
}

TEST_F(ModulePanelTest, ADoubleClickOnTheTitleRenamesThroughTheSynthesizer)
{
    CModule& osc = AddModule(kOscA, 1);
    const size_t sent = synth.sent.size();
    panelServices.nameAnswers = {"Bass"};
    Click(CPoint(30, 6)); // a single click only selects
    EXPECT_EQ(panelServices.nameQuestions, 0);
    DoubleClick(CPoint(30, 6));
    EXPECT_EQ(panelServices.nameQuestions, 1);
    EXPECT_EQ(osc.GetName(), "Bass");
    ASSERT_EQ(synth.sent.size(), sent + 1);
    EXPECT_EQ(synth.sent.back().path, testsupport::CSynthLinkDouble::Path::Edit);
    // A cancelled dialog sends nothing.
    DoubleClick(CPoint(30, 6));
    EXPECT_EQ(synth.sent.size(), sent + 1);
}

TEST_F(ModulePanelTest, TheModuleMenuRenamesHelpsAndDeletesTheSelection)
{
    AddModule(kOscA, 1, 0, 0);
    AddModule(kOscA, 2, 1, 0);
    Click(CPoint(256 + 200, 80));
    platform::CPopupMenuRecorder menus;
    menus.Answer("Help");
    RightClick(CPoint(200, 80)); // an unselected module is selected alone first
    ASSERT_EQ(menus.ShownMenus().size(), 1u);
    EXPECT_EQ(menus.ShownMenus()[0].captions, (std::vector<std::string>{"Rename", "Help", "Delete"}));
    EXPECT_EQ(panelServices.helpTopics, (std::vector<uint32_t>{(kOscA + 10) * 100}));
    EXPECT_EQ(patch->GetSelection().GetCount(), 1u);
    HoldControl(true);
    Click(CPoint(256 + 200, 80));
    HoldControl(false);
    menus.Answer("Delete");
    RightClick(CPoint(200, 80));
    EXPECT_EQ(area->GetModules().GetCount(), 0u);
}

TEST_F(ModulePanelTest, CustomDataShorterThanTheTypeNeedsChangesNothing)
{
    CModule& osc = AddModule(kOscA, 1);
    ASSERT_EQ(osc.GetCustomValueCount(), 1);
    const uint8_t one[] = {1};
    osc.ReadCustomData(std::span<const uint8_t>(one));
    EXPECT_EQ(osc.GetCustomData(), (std::vector<uint8_t>{1}));
    EXPECT_THROW(osc.ReadCustomData(std::span<const uint8_t>(one, 0)), XPIncompleteData);
    EXPECT_EQ(osc.GetCustomData(), (std::vector<uint8_t>{1}));
    // A variant the item lacks shows its first.
    const uint8_t wild[] = {9};
    osc.ReadCustomData(std::span<const uint8_t>(wild));
    EXPECT_EQ(osc.GetCustomData(), (std::vector<uint8_t>{0}));
}

TEST_F(ModulePanelTest, TheCompressorIsBuiltWithItsMetersAndLamps)
{
    CModule& comp = AddModule(kCompressor, 1);
    EXPECT_EQ(comp.GetControlCount(), catalogue->GetBuilder(kCompressor).GetParamCount());
    EXPECT_GE(comp.GetDisplayKind(), 2);
}

} // namespace

namespace {

TEST_F(ModulePanelTest, HoveringAControlShowsItsValueBoxAndADoubleClickTheLoad)
{
    CModule& osc = AddModule(kOscA, 1);
    const NSHarrowen::CRect knob = osc.GetControl(0)->GetFrame();
    const ParamAddress address{kArea, 1, 0};
    Move(CPoint(static_cast<int16_t>(knob.left + 14), static_cast<int16_t>(knob.top + 10)));
    Wait(400);
    EXPECT_EQ(area->FindParamLabel(address), nullptr); // not before its delay
    Wait(110);
    const CLabelCache::Label* box = area->FindParamLabel(address);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text, osc.GetParamDisplayText(0));
    // The box sits centred above the knob, clear of it.
    EXPECT_LE(box->rect.bottom, knob.top);
    Move(CPoint(200, 250));
    Wait(100);
    EXPECT_EQ(area->FindParamLabel(address), nullptr);

    Wait(1000);
    DoubleClick(CPoint(200, 80));
    const CLabelCache::Label* hint = area->FindParamLabel(ParamAddress{kArea, 1, 0xFF});
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->text, "OSC A (11%)");
}

} // namespace
