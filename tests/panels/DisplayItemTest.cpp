// Lamps and meters: the pictures they draw for the states and levels the
// synthesizer reports, and the clip lamp's hold on the virtual clock.
#include "tests/panels/PanelTestFixture.h"

#include "framework/images/Bitmap.h"
#include "panels/items/PnlLed.h"
#include "panels/items/PnlVUMeterABC.h"
#include "panels/painters/PictureKeys.h"
#include "panels/panel/LayoutModule.h"

#include <gtest/gtest.h>

namespace {

using NSHarrowen::CPoint;

constexpr uint8_t kAdsr = 20;
constexpr uint8_t kAudioIn = 2;
constexpr uint8_t kCompressor = 21;
constexpr uint8_t kEqMid = 103;

uint32_t PicturePixel(uint16_t picture, int x, int y)
{
    NSHarrowen::CABCBitmap* bitmap = NSHarrowen::GetImage(JpegPicture(picture));
    return bitmap == nullptr ? 0xDEADu : bitmap->GetDC()->GetPixel(x, y).value_or(0) & 0xFFFFFF;
}

class DisplayItemTest : public paneltest::PanelTest {
protected:
    template <typename T> T& Item(CModule& module, size_t nth = 0)
    {
        for (const auto& item : dynamic_cast<CLayoutModule&>(module).GetItems()) {
            if (auto* found = dynamic_cast<T*>(item.get()); found != nullptr && nth-- == 0) {
                return *found;
            }
        }
        throw std::runtime_error("no such item");
    }
    CPoint Inside(const NSHarrowen::CView& view, int dx, int dy)
    {
        return CPoint(static_cast<int16_t>(view.GetFrame().left + dx), static_cast<int16_t>(view.GetFrame().top + dy));
    }
};

TEST_F(DisplayItemTest, TheStateLampShowsTheReportedState)
{
    CModule& env = AddModule(kAdsr, 1);
    EXPECT_EQ(env.GetDisplayKind(), 1);
    CPnlGreenLed& led = Item<CPnlGreenLed>(env);
    const CPoint centre = Inside(led, 3, 3);
    EXPECT_EQ(PixelAt(centre), PicturePixel(CPnlLed::kDark, 3, 3));
    env.SetMeterValue(1);
    EXPECT_EQ(PixelAt(centre), PicturePixel(CPnlLed::kLit, 3, 3));
    env.SetMeterValue(0x10000 - 1); // any state but 0 lights it
    EXPECT_TRUE(led.IsLit());
    env.SetMeterValue(0);
    EXPECT_EQ(PixelAt(centre), PicturePixel(CPnlLed::kDark, 3, 3));
}

TEST_F(DisplayItemTest, TheClipLampTakesTheColourOfTheState)
{
    CModule& eq = AddModule(kEqMid, 1);
    CPnlClipLed& led = Item<CPnlClipLed>(eq);
    const CPoint centre = Inside(led, 3, 3);
    const struct {
        uint16_t state;
        uint16_t picture;
    } steps[] = {{2, CPnlClipLed::kYellow},
                 {0, CPnlLed::kDark},
                 {1, CPnlLed::kLit},
                 {3, CPnlClipLed::kRed},
                 {7, CPnlClipLed::kRed}};
    for (const auto& step : steps) {
        eq.SetMeterValue(step.state);
        EXPECT_EQ(PixelAt(centre), PicturePixel(step.picture, 3, 3)) << step.state;
    }
}

TEST_F(DisplayItemTest, TheLevelMeterDrawsItsBarAndHoldsTheClipLamp)
{
    CModule& in = AddModule(kAudioIn, 1);
    CPnlClipVUMeter& meter = Item<CPnlClipVUMeter>(in);
    const auto lit = [](int x) { return PicturePixel(CPnlVUMeterABC::kStrip, x, 32); };
    const auto dark = [](int x) { return PicturePixel(CPnlVUMeterABC::kStrip, x, 26); };
    ASSERT_NE(lit(50), dark(50));
    meter.SetLevel(126); // 92 * 126 / 127 = 91 lit pixels
    EXPECT_EQ(PixelAt(Inside(meter, 90, 2)), lit(90));
    EXPECT_EQ(PixelAt(Inside(meter, 91, 2)), dark(91));
    EXPECT_EQ(PixelAt(Inside(meter, 96, 2)), dark(96));
    meter.SetLevel(127);
    EXPECT_EQ(PixelAt(Inside(meter, 91, 2)), lit(91));
    EXPECT_EQ(PixelAt(Inside(meter, 96, 2)), lit(96));
    // The lamp stays 700 ms after the last full-scale level.
    Wait(300);
    meter.SetLevel(127);
    meter.SetLevel(20);
    Wait(690);
    EXPECT_TRUE(meter.IsClipLit());
    EXPECT_EQ(PixelAt(Inside(meter, 96, 2)), lit(96));
    Wait(30);
    EXPECT_FALSE(meter.IsClipLit());
    EXPECT_EQ(PixelAt(Inside(meter, 96, 2)), dark(96));
}

TEST_F(DisplayItemTest, TheGainMeterFillsFromTheRightOnItsOwnScale)
{
    CModule& comp = AddModule(kCompressor, 1);
    CPnlCompMeter& meter = Item<CPnlCompMeter>(comp);
    const auto lit = [](int x) { return PicturePixel(CPnlVUMeterABC::kStrip, x, 20); };
    const auto dark = [](int x) { return PicturePixel(CPnlVUMeterABC::kStrip, x, 14); };
    meter.SetLevel(410); // 100 * 410 / 819 = 50 pixels from the right
    EXPECT_EQ(PixelAt(Inside(meter, 49, 2)), dark(49));
    EXPECT_EQ(PixelAt(Inside(meter, 50, 2)), lit(50));
    meter.SetLevel(126); // not full scale: 15 pixels
    EXPECT_EQ(PixelAt(Inside(meter, 84, 2)), dark(84));
    EXPECT_EQ(PixelAt(Inside(meter, 85, 2)), lit(85));
    meter.SetLevel(819);
    EXPECT_EQ(PixelAt(Inside(meter, 1, 2)), lit(1));
}

} // namespace
