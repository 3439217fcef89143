// Info texts and the module-specific items through clicks on their
// widgets: the custom data and parameter edits they make and what they show.
#include "tests/panels/PanelTestFixture.h"

#include "panels/items/PnlInfoText.h"
#include "panels/items/PnlSpecialItems.h"
#include "panels/panel/LayoutModule.h"
#include "panels/widgets/TextView.h"
#include "patch/area/PatchBackground.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/ParamMolecules.h"

#include <gtest/gtest.h>

namespace {

using NSHarrowen::CPoint;

constexpr uint8_t kOscA = 7;
constexpr uint8_t kOscSlvA = 14;
constexpr uint8_t kOscSineBank = 106;
constexpr uint8_t kDrumSynth = 58;
constexpr uint8_t kCtrlSeq = 91;
constexpr uint8_t kFilterBank = 32;
constexpr uint8_t kVocoder = 108;
constexpr uint8_t kAdEnv = 84;

class CustomItemTest : public paneltest::PanelTest {
protected:
    template <typename T> T& Item(CModule& module)
    {
        for (const auto& item : dynamic_cast<CLayoutModule&>(module).GetItems()) {
            if (auto* found = dynamic_cast<T*>(item.get())) {
                return *found;
            }
        }
        throw std::runtime_error("no such item");
    }
    CPoint Inside(const NSHarrowen::CView& view, int dx, int dy)
    {
        return CPoint(static_cast<int16_t>(view.GetFrame().left + dx), static_cast<int16_t>(view.GetFrame().top + dy));
    }
    void SetValue(uint8_t module, uint8_t param, uint8_t value)
    {
        CMoleculePacket packet;
        packet.Append(std::make_unique<CMParamChange>(kArea, module, param, value));
        patch->ApplyMoleculeList(packet);
    }
    void ClickAfterPause(CPoint where)
    {
        Wait(1000);
        Click(where);
        Redraw();
    }
    std::vector<uint8_t> Values(CModule& module, uint8_t first, uint8_t count)
    {
        std::vector<uint8_t> values;
        for (uint8_t i = first; i < first + count; ++i) {
            values.push_back(module.GetValue(i));
        }
        return values;
    }
};

TEST_F(CustomItemTest, AClickOnAnInfoTextRequestsTheNextVariantAsCustomData)
{
    CModule& osc = AddModule(kOscA, 1);
    auto& text = Item<Infos::CMasterOscText>(osc);
    EXPECT_EQ(text.GetShownText(), "329.6Hz");
    ClickAfterPause(Inside(text, 20, 7));
    EXPECT_EQ(text.GetVariant(), 1);
    EXPECT_EQ(text.GetShownText(), "E4 KEY");
    EXPECT_EQ(osc.GetCustomData(), (std::vector<uint8_t>{1}));
    EXPECT_EQ(UndoCount(), 1u);
    EXPECT_EQ(synth.sent.back().path, testsupport::CSynthLinkDouble::Path::Edit);
    ClickAfterPause(Inside(text, 20, 7)); // wraps to the first
    EXPECT_EQ(text.GetVariant(), 0);
    patch->Undo();
    Redraw();
    EXPECT_EQ(text.GetShownText(), "E4 KEY");
    // The text follows the parameters.
    SetValue(1, 0, 76);
    Redraw();
    EXPECT_EQ(text.GetShownText(), "E5");
}

TEST_F(CustomItemTest, TheSlaveOscillatorTextCyclesThroughItsThreeVariants)
{
    CModule& osc = AddModule(kOscSlvA, 1);
    auto& text = Item<Infos::CSlaveOscText>(osc);
    SetValue(1, 0, 71);
    ClickAfterPause(Inside(text, 20, 7));
    EXPECT_EQ(text.GetShownText(), "+7 (5th)");
    SetValue(1, 0, 40);
    Redraw();
    EXPECT_EQ(text.GetShownText(), "-24 (Oct)");
    ClickAfterPause(Inside(text, 20, 7));
    EXPECT_EQ(text.GetVariant(), 2);
    ClickAfterPause(Inside(text, 20, 7));
    EXPECT_EQ(text.GetVariant(), 0);
    EXPECT_EQ(Infos::SlaveOscInterval(64), "0 (Oct)");
    EXPECT_EQ(Infos::SlaveOscInterval(76), "+12 (Oct)");
    EXPECT_EQ(Infos::SlaveOscInterval(62), "-2 (7th)");
}

TEST_F(CustomItemTest, TheDrumSelectorStepsThroughItsPresets)
{
    CModule& drum = AddModule(kDrumSynth, 1, 0, 0);
    auto& selector = Item<CPnlDrumPresetSelector>(drum);
    const auto& presets = CPnlDrumPresetSelector::Presets();
    const CPoint up = Inside(selector, 53 + 5, 3);
    const CPoint down = Inside(selector, 53 + 5, 16);
    Redraw();
    // The defaults match no preset: up applies the preset at the index.
    EXPECT_EQ(selector.GetText().GetText(), "none");
    ClickAfterPause(up);
    EXPECT_EQ(selector.GetText().GetText(), "Kick 1");
    EXPECT_EQ(Values(drum, 0, 15), std::vector<uint8_t>(presets[0].values.begin(), presets[0].values.end()));
    EXPECT_EQ(UndoCount(), 1u);
    ClickAfterPause(up);
    EXPECT_EQ(selector.GetText().GetText(), "Kick 2");
    EXPECT_EQ(drum.GetValue(0), presets[1].values[0]);
    ClickAfterPause(down);
    ClickAfterPause(down); // at "Kick 1" down does nothing
    EXPECT_EQ(selector.GetText().GetText(), "Kick 1");
    EXPECT_EQ(UndoCount(), 3u);
    // An edit of one value is found again at once.
    SetValue(1, 0, 0);
    Redraw();
    EXPECT_EQ(selector.GetText().GetText(), "none");
    SetValue(1, 0, presets[0].values[0]);
    Redraw();
    EXPECT_EQ(selector.GetText().GetText(), "Kick 1");
}

TEST_F(CustomItemTest, ThePartialStepperMovesToTheNextHarmonic)
{
    CModule& bank = AddModule(kOscSineBank, 1);
    auto& stepper = Item<CPnlPartialUpDown>(bank);
    SetValue(1, 0, 64);
    SetValue(1, 1, 64);
    Redraw();
    ClickAfterPause(Inside(stepper, 5, 3));
    EXPECT_EQ(bank.GetValue(0), 76); // 2:1
    EXPECT_EQ(bank.GetValue(1), 64);
    SetValue(1, 0, 64);
    Redraw();
    ClickAfterPause(Inside(stepper, 5, 16));
    EXPECT_EQ(bank.GetValue(0), 52); // 1:2
    EXPECT_EQ(bank.GetValue(1), 64);
    const auto third = CPnlPartialIncDecABC::RatioToPitch(3, 1);
    EXPECT_EQ(third.first, 19);
    EXPECT_EQ(third.second, 3); // 1/128 semitones above the fifth
}

TEST_F(CustomItemTest, ClearAndRandomButtonsOfTheControlSequencer)
{
    CModule& seq = AddModule(kCtrlSeq, 1);
    auto& buttons = Item<CPnlSeqClrRnd>(seq);
    ClickAfterPause(Inside(buttons, 10, 22)); // "Rnd"
    const std::vector<uint8_t> first = Values(seq, 0, 16);
    ClickAfterPause(Inside(buttons, 10, 22));
    const std::vector<uint8_t> second = Values(seq, 0, 16);
    EXPECT_NE(first, second) << "two presses give two sequences";
    for (const uint8_t v : second) {
        EXPECT_LE(v, 127);
    }
    ClickAfterPause(Inside(buttons, 10, 5)); // "Clr": unipolar steps to the middle
    EXPECT_EQ(Values(seq, 0, 16), std::vector<uint8_t>(16, 64));
    EXPECT_EQ(UndoCount(), 3u);
    patch->Undo();
    EXPECT_EQ(Values(seq, 0, 16), second);
    SetValue(1, 17, 1); // bipolar
    Redraw();
    ClickAfterPause(Inside(buttons, 10, 5));
    EXPECT_EQ(Values(seq, 0, 16), std::vector<uint8_t>(16, 0));
}

TEST_F(CustomItemTest, PresetButtonsOfTheFilterBankAndTheVocoder)
{
    CModule& bank = AddModule(kFilterBank, 1, 0, 0);
    auto& minMax = Item<CPnlFltBankPreset>(bank);
    ClickAfterPause(Inside(minMax, 30, 7));
    EXPECT_EQ(Values(bank, 0, 14), std::vector<uint8_t>(14, 127));
    ClickAfterPause(Inside(minMax, 5, 7));
    EXPECT_EQ(Values(bank, 0, 14), std::vector<uint8_t>(14, 0));

    CModule& vocoder = AddModule(kVocoder, 2, 1, 0);
    auto& routing = Item<CPnlVocoderPreset>(vocoder);
    ClickAfterPause(Inside(routing, 22 * 4 + 5, 7)); // "+2"
    EXPECT_EQ(vocoder.GetValue(0), 0);
    EXPECT_EQ(vocoder.GetValue(5), 4);
    ClickAfterPause(Inside(routing, 22 * 5 + 5, 7)); // "Inv"
    EXPECT_EQ(vocoder.GetValue(0), 16);
    EXPECT_EQ(vocoder.GetValue(15), 1);
    ClickAfterPause(Inside(routing, 22 * 0 + 5, 7)); // "-2"
    EXPECT_EQ(vocoder.GetValue(13), 16);
    EXPECT_EQ(vocoder.GetValue(14), 0);
}

TEST_F(CustomItemTest, TheTriggerArrowShowsItsMode)
{
    CModule& env = AddModule(kAdEnv, 1);
    auto& arrow = Item<CPnlTrigArrow>(env);
    const uint8_t param = arrow.GetParams().at(0);
    SetValue(1, param, 0);
    Redraw();
    EXPECT_FALSE(arrow.IsShown());
    EXPECT_EQ(PixelAt(Inside(arrow, 1, 5)), 0xBFBFBFu);
    SetValue(1, param, 1);
    Redraw();
    EXPECT_TRUE(arrow.IsShown());
}

} // namespace
