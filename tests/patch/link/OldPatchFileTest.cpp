// A patch file of the older version 2.10 given to the simulated synthesizer
// (as `simsynthd --slot A=FILE` reads it) holds what the editor opens from
// the same file.
#include "framework/files/FileSpec.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "patch/maps/MorphMap.h"
#include "simulator/SimPatchFile.h"
#include "tests/support/TempDir.h"
#include "tests/support/patch/ModuleDouble.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

constexpr uint8_t kOscA = 7;
constexpr uint8_t kMixer = 19;

// A 2.10 file: a morph module, an oscillator whose waveform range the newer
// layout splits in two, a mixer fed from the oscillator's output, a
// controller on the oscillator, notes.
std::string OldFile()
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    const auto& oscDefaults = catalogue.GetBuilder(kOscA).GetDefaults();
    const auto& mixerDefaults = catalogue.GetBuilder(kMixer).GetDefaults();
    std::string text = "Version=Vesk Kandrel patch 2.10\r\nVoices=6\r\nRetrig=0\r\nMorph2=0\r\n";
    text += "[Module 3]\r\nType=6\r\nName=Morph\r\nCol=0\r\nRow=0\r\nP0=10\r\nP1=20\r\nP2=30\r\nP3=40\r\n";
    text += "[Module 1]\r\nType=7\r\nName=Osc One\r\nCol=0\r\nRow=2\r\n";
    // The older layout held one value fewer; its fifth one, 1, splits into 0
    // and a new last value 0.
    for (size_t p = 0; p + 1 < oscDefaults.size(); ++p)
        text += "P" + std::to_string(p) + "=" + std::to_string(p == 4 ? 1 : oscDefaults[p]) + "\r\n";
    text += "[Module 2]\r\nType=19\r\nName=Mix\r\nCol=1\r\nRow=3\r\n";
    for (size_t p = 0; p < mixerDefaults.size(); ++p)
        text += "P" + std::to_string(p) + "=" + std::to_string(mixerDefaults[p]) + "\r\n";
    // Input 0 of the mixer from output 0 (65 is output 1) of the oscillator.
    text += "In0=1\r\nJack=64\r\nColour=0\r\n";
    text += "[Controllers]\r\nM7=1\r\nP=2\r\nM9=3\r\nP=1\r\n";
    text += "[Notes]\r\nCount=2\r\nL=first\r\nL=second\r\n";
    return text;
}

} // namespace

TEST(OldPatchFile, TheSimulatorHoldsWhatTheEditorOpensFromAVersion210File)
{
    const testsupport::CModuleServicesDouble services;
    const CModuleTypeInfoInterface* previous = GetModuleTypeInfo();
    SetModuleTypeInfo(&GetSharedModuleCatalogue());
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir.File("Old.pch"), OldFile());

    sim::SimPatch synth;
    ASSERT_NO_THROW(synth = sim::ReadPatchFile(dir.File("Old.pch")));
    CPatch document;
    document.Open(NSHarrowen::CFileSpec(dir.File("Old.pch")));

    const sim::SimArea& poly = synth.areas[1];
    const CPatchBackground& area = *document.GetArea(1);
    ASSERT_EQ(poly.modules.size(), 2u); // the morph module became the morph groups
    ASSERT_EQ(area.GetModules().GetCount(), 2u);
    for (const auto& [index, module] : poly.modules) {
        const CModuleInterface* mine = area.FindModule(static_cast<uint8_t>(index));
        ASSERT_NE(mine, nullptr) << "module " << index;
        EXPECT_EQ(mine->GetTypeId(), module.type);
        EXPECT_EQ(mine->GetColumn(), module.column);
        EXPECT_EQ(mine->GetRow(), module.row);
        EXPECT_EQ(mine->GetName(), module.name);
        ASSERT_EQ(mine->GetParamCount(), module.params.size()) << "module " << index;
        for (size_t p = 0; p < module.params.size(); ++p)
            EXPECT_EQ(mine->GetParamValue(static_cast<uint8_t>(p)), module.params[p])
                << "module " << index << " parameter " << p;
    }
    EXPECT_EQ(poly.modules.at(1).row, 4);
    EXPECT_EQ(poly.modules.at(1).params[4], 0);
    EXPECT_EQ(poly.modules.at(1).params.back(), 0);
    ASSERT_EQ(poly.cables.size(), 1u);
    const std::vector<CableEntry> cables = area.GetStore().GetCables();
    ASSERT_EQ(cables.size(), 1u);
    const auto jack = [](const sim::SimJack& j) {
        return JackAddress{uint8_t(j.module), uint8_t(j.jack), uint8_t(j.output ? 1 : 0)};
    };
    const sim::SimCable& cable = poly.cables[0];
    EXPECT_TRUE((cables[0].from == jack(cable.a) && cables[0].to == jack(cable.b)) ||
                (cables[0].from == jack(cable.b) && cables[0].to == jack(cable.a)));
    EXPECT_EQ(cable.a, (sim::SimJack{1, 0, true}));

    for (uint8_t group = 0; group < 4; ++group)
        EXPECT_EQ(document.GetMorphMap().GetGroupValue(group), synth.morph.values[group]);
    EXPECT_EQ(synth.morph.values, (std::array<int, 4>{10, 20, 30, 40}));
    ASSERT_EQ(synth.ctrls.size(), 2u);
    EXPECT_EQ(synth.ctrls[0].controller, 7);
    EXPECT_EQ(synth.ctrls[0].ref, (sim::SimParamRef{1, 1, 2}));
    EXPECT_EQ(synth.ctrls[1].ref, (sim::SimParamRef{2, 1, 1})); // on the morph module: a morph group
    EXPECT_EQ(synth.header.voices, document.GetReceivedHeader().GetVoices());
    EXPECT_EQ(synth.header.split, 4000);
    EXPECT_EQ(synth.header.commonRetrig, 0);
    EXPECT_EQ(synth.header.retrig, 0);
    EXPECT_EQ(synth.header.morphs, (std::array<int, 4>{1, 1, 0, 1}));
    EXPECT_EQ(synth.text, "first\rsecond\r");
    SetModuleTypeInfo(previous);
}
