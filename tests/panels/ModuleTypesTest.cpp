// Every module type of the catalogue as a real panel in a voice area, and the
// types with behaviour of their own: the oscillator's texts, the dynamics'
// meters, the audio inputs' two levels and the sequencers' step lamps.
#include "tests/panels/PanelTestFixture.h"

#include "panels/BuildModule.h"
#include "panels/items/PnlButtonABC.h"
#include "panels/items/PnlControl.h"
#include "panels/jacks/PnlHole.h"
#include "panels/items/PnlInfoText.h"
#include "panels/items/PnlLed.h"
#include "panels/items/PnlVUMeterABC.h"
#include "panels/panel/LayoutModule.h"
#include "patch/area/PatchBackground.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"

#include <gtest/gtest.h>

#include <cxxabi.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

using NSHarrowen::CPoint;

constexpr uint8_t kAudioIn = 2;
constexpr uint8_t kOscA = 7;
constexpr uint8_t kCompressor = 21;
constexpr uint8_t kExpander = 105;
constexpr uint8_t kPolyAreaIn = 127;
constexpr uint8_t kSequencers[] = {17, 91, 15, 90};

class ModuleTypesTest : public paneltest::PanelTest {
protected:
    template <typename T> std::vector<T*> Items(CModule& module)
    {
        std::vector<T*> found;
        for (const auto& item : dynamic_cast<CLayoutModule&>(module).GetItems()) {
            if (auto* typed = dynamic_cast<T*>(item.get())) {
                found.push_back(typed);
            }
        }
        return found;
    }

    void DeleteModule(uint8_t index)
    {
        CMoleculePacket packet;
        packet.Append(std::make_unique<CMModuleDelete>(kArea, index));
        patch->ApplyMoleculeList(packet);
        Redraw();
    }

    static std::vector<std::string> Texts(const CModule& module)
    {
        std::vector<std::string> texts;
        for (uint8_t i = 0; i < module.GetControlCount(); ++i) {
            texts.push_back(module.FormatParamValue(i));
        }
        return texts;
    }
};

// The name of an object's class as written in the code.
template <typename T> std::string ClassName(const T& object)
{
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(typeid(object).name(), nullptr, nullptr, &status), std::free);
    return status == 0 ? name.get() : typeid(object).name();
}

// The tooltip the toolbar shows for a type.
std::string ToolbarTooltip(const CModuleCatalogue& catalogue, uint8_t typeId)
{
    for (size_t tab = 0; tab < catalogue.GetTabCount(); ++tab) {
        for (uint8_t place = 0; place < catalogue.GetTabSize(tab); ++place) {
            uint16_t type = 0;
            uint16_t word = 0;
            std::string text;
            if (catalogue.FindByTabPosition(tab, place, type, word, text) && type == typeId) {
                return text;
            }
        }
    }
    return "(not on the toolbar)";
}

TEST_F(ModuleTypesTest, EveryTypeIsBuiltDrawnClonedAndKeepsItsCustomData)
{
    size_t types = 0;
    for (unsigned id = 0; id < CModuleCatalogue::kTypeSlots; ++id) {
        const CBuildModule* builder = catalogue->FindBuilder(static_cast<uint8_t>(id));
        if (builder == nullptr) {
            continue;
        }
        ++types;
        const uint8_t typeId = static_cast<uint8_t>(id);
        SCOPED_TRACE(builder->GetShortName());

        // Made by the patch from a module dump, shown in the window.
        CModule& module = AddModule(typeId, 1, 0, 0);
        EXPECT_EQ(module.GetTypeId(), typeId);
        // Each type's builder CBModuleX makes panels of its own class CModuleX.
        const std::string builderClass = ClassName(*builder);
        ASSERT_EQ(builderClass.rfind("CBModule", 0), 0u) << builderClass;
        EXPECT_EQ(ClassName(module), "CModule" + builderClass.substr(8));
        EXPECT_EQ(module.GetControlCount(), builder->GetParamCount());
        EXPECT_EQ(module.GetInputs().size(), builder->GetJackCount(JackDirection::Input));
        EXPECT_EQ(module.GetOutputs().size(), builder->GetJackCount(JackDirection::Output));
        EXPECT_EQ(module.GetFrame().left, 0);
        EXPECT_GT(module.GetFrame().bottom, module.GetFrame().top);
        EXPECT_EQ(ToolbarTooltip(*catalogue, typeId), builder->FormatLoadText());

        // Defaults, and plain numbers for parameters without a text of their own.
        const std::span<const ParamSpec> params = builder->GetParams();
        for (uint8_t i = 0; i < module.GetControlCount(); ++i) {
            EXPECT_EQ(module.GetValue(i), builder->GetDefault(i)) << "parameter " << int(i);
            if (params[i].text.single == nullptr && params[i].text.dual == nullptr) {
                EXPECT_EQ(module.FormatParamValue(i), std::to_string(module.GetValue(i))) << "parameter " << int(i);
            } else {
                EXPECT_FALSE(module.FormatParamValue(i).empty()) << "parameter " << int(i);
            }
            EXPECT_EQ(module.IsMorphable(i), params[i].morphable) << "parameter " << int(i);
        }

        // The bytes the items write for a new module are the type's count.
        const std::vector<uint8_t> fresh = module.GetCustomData();
        EXPECT_EQ(fresh.size(), catalogue->GetCustomValueCount(typeId));
        EXPECT_EQ(module.GetCustomValueCount(), catalogue->GetCustomValueCount(typeId));

        // Edited values, name and custom data survive a clone.
        for (uint8_t i = 0; i < module.GetControlCount(); ++i) {
            module.SetParamValue(i, static_cast<uint8_t>(module.GetMax(i) - module.GetValue(i)));
        }
        module.SetName("Probe");
        std::vector<uint8_t> custom = fresh;
        for (uint8_t& byte : custom) {
            byte = byte == 0 ? 1 : 0;
        }
        module.ReadCustomData(std::span<const uint8_t>(custom));
        const std::vector<uint8_t> kept = module.GetCustomData();
        ASSERT_EQ(kept.size(), fresh.size());
        module.ReadCustomData(std::span<const uint8_t>(kept));
        EXPECT_EQ(module.GetCustomData(), kept) << "custom data reads back as written";
        Redraw();

        const std::unique_ptr<CModuleInterface> copy = module.Clone();
        EXPECT_EQ(copy->GetTypeId(), typeId);
        EXPECT_EQ(copy->GetName(), "Probe");
        EXPECT_EQ(copy->GetCustomData(), kept);
        ASSERT_EQ(copy->GetParamCount(), module.GetControlCount());
        for (uint8_t i = 0; i < module.GetControlCount(); ++i) {
            EXPECT_EQ(copy->GetParamValue(i), module.GetValue(i)) << "parameter " << int(i);
            EXPECT_EQ(copy->GetParamDisplayText(i), module.GetParamDisplayText(i)) << "parameter " << int(i);
        }
        DeleteModule(1);
    }
    EXPECT_EQ(types, 109u);
}

TEST_F(ModuleTypesTest, TheOscillatorShowsItsTextsAndPitchPair)
{
    CModule& osc = AddModule(kOscA, 1);
    EXPECT_EQ(Texts(osc), (std::vector<std::string>{"E4 KEY", "0", "Key", "50%", "Sine", "0", "0", "0", "0", "Off"}));
    const std::vector<Infos::CMasterOscText*> info = Items<Infos::CMasterOscText>(osc);
    ASSERT_EQ(info.size(), 1u);
    EXPECT_EQ(info[0]->GetText(), "329.6Hz");
    const CPnlControl* coarse = osc.GetControl(0);
    ASSERT_NE(coarse, nullptr);
    const ParamAddress partner = osc.GetPairedParamAddress(*coarse);
    EXPECT_EQ(partner.param, 1);
    const CPnlControl* fine = osc.GetControl(1);
    ASSERT_NE(fine, nullptr);
    EXPECT_EQ(MakeParamAddress(*fine), (ParamAddress{osc.GetLocation(), osc.GetModuleIndex(), 1}));
}

TEST_F(ModuleTypesTest, TheCompressorsTextsAndNoMorph)
{
    CModule& comp = AddModule(kCompressor, 1);
    const std::vector<std::string> texts = Texts(comp);
    ASSERT_GE(texts.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 6),
              (std::vector<std::string>{"Fast", "250m", "-12dB", "4.0:1", "0dB", "0dB"}));
    for (const uint8_t type : {kCompressor, kExpander}) {
        CModule& dynamics = type == kCompressor ? comp : AddModule(type, 2, 0, 8);
        EXPECT_EQ(dynamics.GetControlCount(), 9);
        for (uint8_t i = 0; i < dynamics.GetControlCount(); ++i) {
            EXPECT_FALSE(dynamics.IsMorphable(i)) << int(type) << " parameter " << int(i);
        }
    }
}

TEST_F(ModuleTypesTest, TheDynamicsMeterTakesTheSixLowBitsAndTheLampBitSix)
{
    for (const uint8_t type : {kCompressor, kExpander}) {
        CModule& dynamics = AddModule(type, 1);
        const std::vector<CPnlGainMeterABC*> meters = Items<CPnlGainMeterABC>(dynamics);
        const std::vector<CPnlGreenLed*> lamps = Items<CPnlGreenLed>(dynamics);
        ASSERT_EQ(meters.size(), 1u);
        ASSERT_EQ(lamps.size(), 1u);
        const struct {
            uint16_t value;
            int16_t level;
            bool lit;
        } cases[] = {{0, 0, false},    {63, 819, false}, {64, 0, true},
                     {127, 819, true}, {128, 0, false},  {129 + 64, 13, true}};
        for (const auto& c : cases) {
            dynamics.SetMeterValue(c.value);
            EXPECT_EQ(meters[0]->GetLevel(), c.level) << int(type) << " value " << c.value;
            EXPECT_EQ(lamps[0]->IsLit(), c.lit) << int(type) << " value " << c.value;
        }
        DeleteModule(1);
    }
}

TEST_F(ModuleTypesTest, TheAudioInputsSplitTheValueBetweenTheirMeters)
{
    for (const uint8_t type : {kAudioIn, kPolyAreaIn}) {
        CModule& in = AddModule(type, 1);
        const std::vector<CPnlClipVUMeter*> meters = Items<CPnlClipVUMeter>(in);
        ASSERT_EQ(meters.size(), 2u);
        ASSERT_LT(meters[0]->GetFrame().top, meters[1]->GetFrame().top);
        in.SetMeterValue(static_cast<uint16_t>((100 << 7) | 27));
        EXPECT_EQ(meters[0]->GetLevel(), 100);
        EXPECT_EQ(meters[1]->GetLevel(), 27);
        in.SetMeterValue(127);
        EXPECT_EQ(meters[0]->GetLevel(), 0);
        EXPECT_EQ(meters[1]->GetLevel(), 127);
        DeleteModule(1);
    }
}

TEST_F(ModuleTypesTest, TheSequencersLightOneStepLampAtATime)
{
    for (const uint8_t type : kSequencers) {
        CModule& seq = AddModule(type, 1);
        std::vector<CPnlGreenLed*> lamps = Items<CPnlGreenLed>(seq);
        ASSERT_EQ(lamps.size(), 16u) << int(type);
        const auto lit = [&] {
            std::vector<int> on;
            for (size_t i = 0; i < lamps.size(); ++i) {
                if (lamps[i]->IsLit()) {
                    on.push_back(static_cast<int>(i));
                }
            }
            return on;
        };
        EXPECT_EQ(lit(), std::vector<int>{}) << "dark at creation";
        const struct {
            uint32_t value;
            std::vector<int> on;
        } cases[] = {{0, {0}}, {15, {15}}, {16, {}}, {3, {3}}, {255, {}}, {65'535, {}}, {65'541, {5}}};
        for (const auto& c : cases) {
            seq.SetMeterValue(static_cast<uint16_t>(c.value)); // the low 16 bits count
            EXPECT_EQ(lit(), c.on) << int(type) << " value " << c.value;
        }
        // No parameter value lights a lamp.
        seq.SetMeterValue(16);
        seq.SetParamValue(0, 1);
        EXPECT_EQ(lit(), std::vector<int>{});
        DeleteModule(1);
    }
}

TEST_F(ModuleTypesTest, TheLitStepLampIsDrawn)
{
    CModule& seq = AddModule(kSequencers[0], 1);
    const std::vector<CPnlGreenLed*> lamps = Items<CPnlGreenLed>(seq);
    ASSERT_EQ(lamps.size(), 16u);
    const CPoint centre(static_cast<int16_t>(lamps[4]->GetFrame().left + 3),
                        static_cast<int16_t>(lamps[4]->GetFrame().top + 3));
    const uint32_t dark = PixelAt(centre);
    seq.SetMeterValue(4);
    const uint32_t lit = PixelAt(centre);
    EXPECT_NE(lit, dark);
    seq.SetMeterValue(5);
    EXPECT_EQ(PixelAt(centre), dark);
}

TEST_F(ModuleTypesTest, PanelsKeepTheQuirksOfTheirTypes)
{
    // "FilterC" numbers its outputs from the bottom up, "ClkDivFix" from right to left.
    CModule& filter = AddModule(50, 1);
    const std::vector<CPnlHole*>& filterOuts = filter.GetOutputs();
    ASSERT_EQ(filterOuts.size(), 3u);
    EXPECT_GT(filterOuts[0]->GetFrame().top, filterOuts[1]->GetFrame().top);
    EXPECT_GT(filterOuts[1]->GetFrame().top, filterOuts[2]->GetFrame().top);
    DeleteModule(1);

    CModule& divider = AddModule(77, 1);
    const std::vector<CPnlHole*>& dividerOuts = divider.GetOutputs();
    ASSERT_GE(dividerOuts.size(), 2u);
    for (size_t i = 1; i < dividerOuts.size(); ++i) {
        EXPECT_GT(dividerOuts[i - 1]->GetFrame().left, dividerOuts[i]->GetFrame().left) << i;
    }
    DeleteModule(1);

    // The master oscillator's "KBT" is a check button with 128 steps.
    CModule& master = AddModule(97, 1);
    bool found = false;
    for (uint8_t i = 0; i < master.GetControlCount(); ++i) {
        if (catalogue->GetBuilder(97).GetParamName(i) == "KBT") {
            found = true;
            EXPECT_NE(dynamic_cast<CPnlCheckButton*>(master.GetControl(i)), nullptr);
            EXPECT_EQ(master.GetMax(i), 127);
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(ModuleTypesTest, OnlyTheSequencersStepValuesCanBeMorphed)
{
    // Type, parameter count, and the morphable run (first, count).
    const struct {
        uint8_t type;
        uint8_t params;
        uint8_t firstMorphable;
        uint8_t morphable;
    } cases[] = {{17, 36, 0, 0}, {91, 0, 0, 16}, {15, 0, 0, 16}, {90, 0, 0, 16}};
    for (const auto& c : cases) {
        CModule& seq = AddModule(c.type, 1);
        if (c.params != 0) {
            EXPECT_EQ(seq.GetControlCount(), c.params);
        }
        size_t morphable = 0;
        for (uint8_t i = 0; i < seq.GetControlCount(); ++i) {
            if (seq.IsMorphable(i)) {
                ++morphable;
                EXPECT_GE(i, c.firstMorphable) << int(c.type);
                EXPECT_LT(i, c.firstMorphable + c.morphable) << int(c.type) << " parameter " << int(i);
            }
        }
        EXPECT_EQ(morphable, c.morphable) << int(c.type);
        DeleteModule(1);
    }
}

TEST_F(ModuleTypesTest, EachTypeHasItsNoMorphListAndPitchPairs)
{
    // Parameters that cannot be morphed, and the coarse/fine pairs; every
    // type not listed has neither.
    const auto run = [](uint8_t first, uint8_t last) {
        std::vector<uint8_t> params;
        for (unsigned p = first; p <= last; ++p) {
            params.push_back(static_cast<uint8_t>(p));
        }
        return params;
    };
    std::vector<uint8_t> vocoder = run(0, 15);
    vocoder.insert(vocoder.end(), {17, 18});
    const std::map<std::string, std::vector<uint8_t>> noMorph = {
        {"NoteDetect", {0}},        {"OscSineBank", run(18, 23)},
        {"OscSlvFM", {2}},          {"ClkGen", {1}},
        {"LFOA", {1, 4}},           {"LFOB", {1, 4}},
        {"LFOC", {1, 4}},           {"LFOSlvA", {3}},
        {"ClkRndGen", {0}},         {"ADSR-Env", {0}},
        {"Multi-Env", {10}},        {"FilterE", {0}},
        {"VocalFilter", run(0, 2)}, {"Vocoder", vocoder},
        {"Compressor", run(0, 8)},  {"Expander", run(0, 8)},
        {"ControlMixer", {4}},      {"EventSeq", run(0, 35)},
        {"CtrlSeq", run(16, 18)},   {"NoteSeqA", run(16, 20)},
        {"NoteSeqB", run(16, 20)}};
    using Pairs = std::vector<std::pair<uint8_t, uint8_t>>;
    const Pairs coarseFine = {{0, 1}};
    const std::map<std::string, Pairs> pairs = {
        {"MasterOsc", coarseFine}, {"FormantOsc", coarseFine},
        {"OscA", coarseFine},      {"OscB", coarseFine},
        {"OscC", coarseFine},      {"SpectralOsc", coarseFine},
        {"OscSlvA", coarseFine},   {"OscSlvB", coarseFine},
        {"OscSlvC", coarseFine},   {"OscSlvD", coarseFine},
        {"OscSlvE", coarseFine},   {"OscSlvFM", coarseFine},
        {"PercOsc", {{0, 5}}},     {"OscSineBank", {{0, 1}, {3, 4}, {6, 7}, {9, 10}, {12, 13}, {15, 16}}}};

    size_t listed = 0;
    for (unsigned id = 0; id < CModuleCatalogue::kTypeSlots; ++id) {
        const CBuildModule* builder = catalogue->FindBuilder(static_cast<uint8_t>(id));
        if (builder == nullptr) {
            continue;
        }
        const std::string name = builder->GetShortName();
        SCOPED_TRACE(name);
        CModule& module = AddModule(static_cast<uint8_t>(id), 1);
        const auto fixed = noMorph.find(name);
        const auto paired = pairs.find(name);
        listed += (fixed != noMorph.end()) + (paired != pairs.end());
        for (uint8_t i = 0; i < module.GetControlCount(); ++i) {
            const bool wanted = fixed == noMorph.end() ||
                std::find(fixed->second.begin(), fixed->second.end(), i) == fixed->second.end();
            EXPECT_EQ(module.IsMorphable(i), wanted) << "parameter " << int(i);

            uint8_t partner = 0xFF;
            if (paired != pairs.end()) {
                for (const auto& [a, b] : paired->second) {
                    partner = a == i ? b : b == i ? a : partner;
                }
            }
            const ParamAddress address = module.GetPairedParamAddress(*module.GetControl(i));
            if (partner == 0xFF) {
                EXPECT_EQ(address, (ParamAddress{1, 0, 0})) << "parameter " << int(i) << " has no partner";
            } else {
                EXPECT_EQ(address.module, 1) << "parameter " << int(i);
                EXPECT_EQ(address.param, partner) << "parameter " << int(i);
            }
        }
        DeleteModule(1);
    }
    EXPECT_EQ(listed, noMorph.size() + pairs.size()) << "every listed type exists";
}

} // namespace
