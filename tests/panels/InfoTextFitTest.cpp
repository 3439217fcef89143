// Info texts read whole in their boxes: a value text too wide for the box's
// font is drawn in a narrower or smaller one, one that fits is drawn as it
// always was, and every type's widest texts fit.
#include "tests/panels/PanelTestFixture.h"

#include "framework/drawing/Canvas.h"
#include "panels/BuildModule.h"
#include "panels/items/PnlInfoText.h"
#include "panels/panel/LayoutModule.h"
#include "panels/widgets/TextView.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/ParamMolecules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

using NSHarrowen::CRect;

struct Values {
    std::vector<uint8_t> values; // by entry
    std::string text;
    int width;
};

class InfoTextFitTest : public paneltest::PanelTest {
protected:
    std::vector<CPnlInfoTextABC*> InfoTexts(CModule& module)
    {
        std::vector<CPnlInfoTextABC*> texts;
        for (const auto& item : dynamic_cast<CLayoutModule&>(module).GetItems()) {
            if (auto* text = dynamic_cast<CPnlInfoTextABC*>(item.get())) {
                texts.push_back(text);
            }
        }
        return texts;
    }
    // A value as the synthesizer sends it.
    void SetValue(uint8_t param, uint8_t value)
    {
        CMoleculePacket packet;
        packet.Append(std::make_unique<CMParamChange>(kArea, 1, param, value));
        patch->ApplyMoleculeList(packet);
    }
    // The box and a few pixels around it as the window shows them are the
    // text drawn alone in the font, centred on the box's ground.
    void ExpectDrawnAlone(const CRect& frame, const std::string& text, const NSHarrowen::CFontSpec& font)
    {
        const CRect around(frame.left - 3, frame.top, frame.right + 3, frame.bottom);
        const platform::PixelBuffer drawn = Capture(around);
        {
            NSHarrowen::CCanvas canvas(window);
            const CRect inner(frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1);
            canvas.FillRect(inner, NSHarrowen::CColor(0xFFFF, 0xFFFF, 0xE000));
            canvas.DrawStringCentered(CRect(inner.left + 1, inner.top, inner.right, inner.bottom), text.c_str(), font,
                                      NSHarrowen::CColor(0, 0, 0));
        }
        const platform::PixelBuffer alone = Capture(around);
        for (int y = 0; y < around.Height(); ++y) {
            for (int x = 0; x < around.Width(); ++x) {
                ASSERT_EQ(drawn.At(x, y), alone.At(x, y)) << "at " << x << "," << y;
            }
        }
    }
    void RemoveModule()
    {
        CMoleculePacket packet;
        packet.Append(std::make_unique<CMModuleDelete>(kArea, 1));
        patch->ApplyMoleculeList(packet);
    }
    // Widest first in the box's own font.
    std::vector<Values> ByWidth(const CRect& frame, const std::map<std::string, std::vector<uint8_t>>& valuesOf)
    {
        NSHarrowen::CCanvas canvas(window);
        const NSHarrowen::CFontSpec font("Arial", frame.Height() == 14 ? 11 : 12);
        std::vector<Values> texts;
        for (const auto& [text, values] : valuesOf) {
            texts.push_back({values, text, canvas.GetStringWidth(text.c_str(), font)});
        }
        std::stable_sort(texts.begin(), texts.end(),
                         [](const Values& a, const Values& b) { return a.width > b.width; });
        return texts;
    }
};

struct ShownValue {
    uint8_t type;
    uint8_t param;
    const char* text; // the value is the one that reads so
    bool narrowed;    // too wide for the box's own font
};

// "\xC2\xB1" is the plus-minus sign.
const ShownValue kShownValues[] = {
    {103, 1, "-13.5dB", true},  // EqMid's gain
    {103, 2, "1.00 Oct", true}, // and its bandwidth
    {103, 1, "0.0dB", false},   // a gain that fits
    {115, 1, "-18dB", true},    // NoteVelScal's left gain
    {115, 1, "-6dB", false},
    {72, 0,
     "\xC2\xB1"
     "24.0 (Oct)",
     true}, // NoteScaler's range
    {72, 0,
     "\xC2\xB1"
     "7.0 (5th)",
     false},
};

TEST_F(InfoTextFitTest, AValueFromTheSynthesizerIsDrawnWholeInsideItsBox)
{
    for (const ShownValue& row : kShownValues) {
        SCOPED_TRACE(row.text);
        CModule& module = AddModule(row.type, 1);
        int value = 0;
        while (value <= module.GetBuilder().GetParams()[row.param].max &&
               (SetValue(row.param, static_cast<uint8_t>(value)), module.GetParamDisplayText(row.param) != row.text)) {
            ++value;
        }
        ASSERT_EQ(module.GetParamDisplayText(row.param), row.text);
        const CPnlInfoTextABC* item = nullptr;
        for (CPnlInfoTextABC* text : InfoTexts(module)) {
            item = text->GetParams()[0] == row.param ? text : item;
        }
        ASSERT_NE(item, nullptr);
        Redraw();
        ASSERT_EQ(item->GetShownText(), row.text);
        const CRect frame = item->GetFrame();
        const NSHarrowen::CFontSpec own("Arial", frame.Height() == 14 ? 11 : 12);
        const NSHarrowen::CFontSpec font = item->GetLabel().GetFittedText().font;
        EXPECT_EQ(!(font == own), row.narrowed);
        // The whole text: no glyph missing, cut or reaching over the bevel.
        ExpectDrawnAlone(frame, row.text, font);
        RemoveModule();
    }
}

TEST_F(InfoTextFitTest, ATextNoFontFitsIsCutAfterAWholeCharacter)
{
    CModule& module = AddModule(103, 1);
    CTextView view(&module,
                   "Gain \xC2\xB1"
                   "18dB");
    view.SetFrame(CRect(module.GetFrame().left + 150, module.GetFrame().top + 15, module.GetFrame().left + 176,
                        module.GetFrame().top + 30));
    Redraw();
    const CFittedText fitted = view.GetFittedText();
    // The plus-minus sign is two bytes: the cut keeps it whole or drops it.
    EXPECT_EQ(fitted.font, NSHarrowen::CFontSpec("Liberation Sans Narrow", 9));
    EXPECT_TRUE(fitted.text == "Gain " || fitted.text == "Gain \xC2\xB1" ||
                fitted.text ==
                    "Gain \xC2\xB1"
                    "1")
        << fitted.text;
    ExpectDrawnAlone(view.GetFrame(), fitted.text, fitted.font);
}

TEST_F(InfoTextFitTest, EveryInfoTextReadsWholeAtItsWidestValues)
{
    size_t checked = 0;
    for (unsigned id = 0; id < CModuleCatalogue::kTypeSlots; ++id) {
        const CBuildModule* builder = catalogue->FindBuilder(static_cast<uint8_t>(id));
        if (builder == nullptr) {
            continue;
        }
        CModule& module = AddModule(static_cast<uint8_t>(id), 1);
        const auto params = builder->GetParams();
        for (CPnlInfoTextABC* item : InfoTexts(module)) {
            const std::vector<uint8_t>& entries = item->GetParams();
            for (uint8_t variant = 0; variant < item->GetVariantCount(); ++variant) {
                SCOPED_TRACE(std::string(builder->GetShortName()) + " text at " +
                             std::to_string(item->GetFrame().left) + "," + std::to_string(item->GetFrame().top) +
                             " variant " + std::to_string(variant));
                // The texts over every value of the first entry with the
                // second (a fine tune) at its ends and its middle.
                std::map<std::string, std::vector<uint8_t>> valuesOf;
                const int secondMax = entries.size() > 1 ? params[entries[1]].max : 0;
                for (const int second : {0, secondMax / 2, secondMax}) {
                    if (entries.size() > 1) {
                        SetValue(entries[1], static_cast<uint8_t>(second));
                    }
                    for (int first = 0; first <= params[entries[0]].max; ++first) {
                        SetValue(entries[0], static_cast<uint8_t>(first));
                        valuesOf.emplace(
                            item->GetText(),
                            std::vector<uint8_t>{static_cast<uint8_t>(first), static_cast<uint8_t>(second)});
                    }
                }
                const std::vector<Values> texts = ByWidth(item->GetFrame(), valuesOf);
                // The widest three as the panel shows them.
                for (size_t i = 0; i < std::min<size_t>(3, texts.size()); ++i) {
                    SetValue(entries[0], texts[i].values[0]);
                    if (entries.size() > 1) {
                        SetValue(entries[1], texts[i].values[1]);
                    }
                    Redraw();
                    const CFittedText fitted = item->GetLabel().GetFittedText();
                    EXPECT_EQ(item->GetShownText(), texts[i].text);
                    EXPECT_EQ(fitted.text, texts[i].text);
                    EXPECT_LT(fitted.width, item->GetFrame().Width() - 3) << texts[i].text;
                    ++checked;
                }
                if (item->GetVariantCount() > 1) {
                    // A click shows the next variant.
                    Wait(1000);
                    Click(NSHarrowen::CPoint(static_cast<int16_t>(item->GetFrame().left + 3),
                                             static_cast<int16_t>(item->GetFrame().top + 3)));
                    Redraw();
                    ASSERT_EQ(item->GetVariant(), (variant + 1) % item->GetVariantCount());
                }
            }
        }
        RemoveModule();
    }
    EXPECT_GT(checked, 100u);
}

} // namespace
