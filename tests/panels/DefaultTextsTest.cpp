// Every module type's value texts at its defaults, as a new module shows
// them in its value box: the texts each type's parameters read with their
// registered functions, and parameters without one as plain numbers.
#include "tests/panels/PanelTestFixture.h"

#include "panels/BuildModule.h"
#include "panels/panel/Module.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct DefaultTexts {
    uint8_t type;
    const char* shortName;
    std::vector<std::string> texts; // by parameter index
};

// "\xC2\xB1" is the plus-minus sign.
const DefaultTexts kDefaultTexts[] = {
    {1, "Keyboard", {}},
    {2, "AudioIn", {}},
    {3, "4 outputs", {"115"}},
    {4, "2 outputs", {"115", "1,2", "Off"}},
    {5, "1 output", {"115", "Out1", "Off"}},
    {7, "OscA", {"E4 KEY", "0", "Key", "50%", "Sine", "0", "0", "0", "0", "Off"}},
    {8, "OscB", {"E4 KEY", "0", "Key", "Sine", "0", "0", "0", "0", "Off"}},
    {9, "OscC", {"E4 KEY", "0", "Key", "0", "0", "Off"}},
    {10, "OscSlvB", {"0", "0", "50%", "0", "Off"}},
    {11, "OscSlvC", {"0", "0", "0", "Off"}},
    {12, "OscSlvD", {"0", "0", "0", "Off"}},
    {13, "OscSlvE", {"0", "0", "0", "Off"}},
    {14, "OscSlvA", {"0", "0", "Sine", "0", "Off"}},
    {15, "NoteSeqA", {"0", "0", "0", "0", "0", "0",  "0", "0", "0",  "0", "0",
                      "0", "0", "0", "0", "0", "16", "1", "0", "Go", "1"}},
    {16, "PortamentoB", {"170m"}},
    {17, "EventSeq", {"16",  "On",  "Trig", "Trig", "Off", "Off", "Off", "Off", "Off", "Off", "Off", "Off",
                      "Off", "Off", "Off",  "Off",  "Off", "Off", "Off", "Off", "Off", "Off", "Off", "Off",
                      "Off", "Off", "Off",  "Off",  "Off", "Off", "Off", "Off", "Off", "Off", "Off", "Off"}},
    {18, "X-Fade", {"0", "0"}},
    {19, "Mixer", {"127", "127", "127"}},
    {20, "ADSR-Env", {"Log", "0.5m", "520m", "64", "0.5m", "Off"}},
    {21, "Compressor", {"Fast", "250m", "-12dB", "4.0:1", "0dB", "0dB", "Off", "Off", "Off"}},
    {22,
     "PartialGen",
     {"\xC2\xB1"
      "64*"}},
    {23, "Mod-Env", {"0.5m", "520m", "64", "0.5m", "0", "0", "0", "0", "Off"}},
    {24, "LFOA", {"0.64Hz", "Lo", "0", "0", "Off", "Off", "0", "Off"}},
    {25, "LFOB", {"0.64Hz", "Lo", "0", "0", "Off", "Off", "0", "50%"}},
    {26, "LFOC", {"0.64Hz", "Lo", "Sine", "0", "Off", "Off"}},
    {27, "LFOSlvB", {"1:1"}},
    {28, "LFOSlvC", {"1:1"}},
    {29, "LFOSlvD", {"1:1"}},
    {30, "LFOSlvE", {"1:1"}},
    {31, "Noise", {"0"}},
    {32,
     "Filter Bank",
     {"127", "127", "127", "127", "127", "127", "127", "127", "127", "127", "127", "127", "127", "127", "Off"}},
    {33, "ClkRndGen", {"Off", "White"}},
    {34, "RndStepGen", {"1:1"}},
    {35, "RndPulsGen", {"64"}},
    {36, "PosEdgeDly", {"138ms"}},
    {37, "LogicDelay", {"138ms"}},
    {38, "Pulse", {"138ms"}},
    {39, "Smooth", {"138ms"}},
    {40, "Mixer", {"100", "100", "100", "100", "100", "100", "100", "100", "Off"}},
    {43, "Constant", {"0", "Bipolar"}},
    {44, "GainControl", {"None"}},
    {45, "VocalFilter", {"A", "E", "I", "100", "64", "0", "0", "0", "0"}},
    {46, "AHD-Env", {"0.5m", "15m", "520m", "0", "0", "0"}},
    {47, "Pan", {"0", "0"}},
    {48, "PortamentoA", {"170m"}},
    {49, "FilterD", {"330Hz", "Key", "0", "0"}},
    {50, "FilterC", {"330Hz", "0", "On"}},
    {51, "FilterE", {"LP", "1", "0", "330Hz", "Key", "0", "0", "24dB", "0", "Off"}},
    {52, "Multi-Env", {"64", "22.5", "32", "0", "0.5m", "13m", "13m", "13m", "0.5m", "L3", "Uni/Lin"}},
    {53, "Sample&Hold", {}},
    {54, "Quantizer", {"Off"}},
    {57, "InvLevShift", {"Shift up", "No invert"}},
    {58,
     "DrumSynth",
     {"20.0Hz", "1:1", "9.7m", "9.7m", "25", "25", "44Hz", "25", "25", "9.7m", "LP", "25", "9.7m", "25", "25", "Off"}},
    {59, "CompareLev", {"0"}},
    {61, "Clip", {"0", "0", "Off"}},
    {62, "Overdrive", {"0", "0"}},
    {63, "KbdPatch", {}},
    {64, "NegEdgeDly", {"138ms"}},
    {65, "MIDIGlobal", {}},
    {66, "ControlMixer", {"Off", "127", "Off", "127", "Exp"}},
    {67, "NoteDetect", {"C4"}},
    {68, "ClkGen", {"120 BPM", "On"}},
    {69, "ClkDiv", {"1"}},
    {70, "LogicInv", {}},
    {71, "EnvFollower", {"Fast", "80.0m"}},
    {72, "NoteScaler", {"0 (Oct)"}},
    {73, "LogicProc", {"AND"}},
    {74, "WaveWrap", {"0", "0"}},
    {75,
     "NoteQuant",
     {"\xC2\xB1"
      "64",
      "Off"}},
    {76, "OnOff", {"On"}},
    {77, "ClkDivFix", {}},
    {78, "Delay", {"0", "1.33ms"}},
    {79, "4-1Switch", {"1", "127", "127", "127", "127", "Off"}},
    {80, "LFOSlvA", {"1:1", "0", "Sine", "Off", "Off"}},
    {81, "Amplifier", {"x1.00"}},
    {82, "Diode", {"Off"}},
    {83, "Shaper", {"Lin"}},
    {84, "AD-Env", {"0.5m", "520m", "Trig"}},
    {85, "OscSlvFM", {"0", "0", "Off", "0", "Off"}},
    {86, "FilterA", {"504Hz"}},
    {87, "FilterB", {"504Hz"}},
    {88, "1-4Switch", {"1", "127", "Off"}},
    {89, "CompareAB", {}},
    {90, "NoteSeqB", {"0", "0", "0", "0", "0", "0",  "0", "0", "0",  "0", "0",
                      "0", "0", "0", "0", "0", "16", "1", "0", "Go", "1"}},
    {91,
     "CtrlSeq",
     {"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "16", "Bipolar", "1"}},
    {92, "FilterF", {"330Hz", "Key", "0", "0", "0", "24 dB", "Off"}},
    {94, "StChorus", {"64", "64", "Off"}},
    {95, "PercOsc", {"E4 KEY", "64", "64", "Off", "0", "64", "Off"}},
    {96, "FormantOsc", {"E4 KEY", "0", "Key", "Off", "1", "0", "0"}},
    {97, "MasterOsc", {"E4 KEY", "0", "Key", "0", "0"}},
    {98,
     "KeyQuant",
     {"\xC2\xB1"
      "64",
      "Off", "Off", "Off", "Off", "Off", "Off", "Off", "Off", "Off", "Off", "Off", "Off", "Off"}},
    {99, "PatternGen", {"0", "0", "High", "16", "Off"}},
    {100, "KeybSplit", {"E4", "E4"}},
    {102, "Phaser", {"0.51Hz", "On", "0", "1.29kHz", "0", "0", "3", "64", "Off", "64", "127"}},
    {103, "EqMid", {"471Hz", "0.0dB", "1.00 Oct", "Off", "127"}},
    {104, "EqShelving", {"471Hz", "0.0dB", "Low", "Off", "127"}},
    {105, "Expander", {"Fast", "250m", "-60dB", "4.0:1", "Off", "Off", "Off", "Off", "Off"}},
    {106, "OscSineBank", {"0", "0", "100", "0", "0", "100", "0",   "0",  "100", "0",  "0",  "100",
                          "0", "0", "100", "0", "0", "100", "Off", "On", "On",  "On", "On", "On"}},
    {107, "SpectralOsc", {"E4 KEY", "0", "64", "All", "0", "0", "0", "0", "Key", "Off"}},
    {108,
     "Vocoder",
     {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "x1.00", "Off", "Off"}},
    {110, "RandomGen", {"1:1"}},
    {111, "LevMult", {"64", "Unipolar"}},
    {112, "LevAdd", {"32", "Unipolar"}},
    {113, "1to2Fade", {"Out2: 0"}},
    {114, "2to1Fade", {"In2: 0"}},
    {115, "NoteVelScal", {"0", "0dB", "E4", "0dB"}},
    {117, "RingMod", {"0", "AM"}},
    {118, "Digitizer", {"12", "1.319kHz", "0", "0", "0"}},
    {127, "PolyAreaIn", {"0"}},
};

class DefaultTextsTest : public paneltest::PanelTest { };

TEST_F(DefaultTextsTest, EveryTypeShowsItsTextsAtItsDefaults)
{
    std::set<uint8_t> covered;
    for (const DefaultTexts& row : kDefaultTexts) {
        SCOPED_TRACE(row.shortName);
        CModule& module = AddModule(row.type, 1);
        EXPECT_EQ(module.GetBuilder().GetShortName(), std::string(row.shortName));
        std::vector<std::string> shown;
        for (uint8_t i = 0; i < module.GetControlCount(); ++i) {
            shown.push_back(module.GetParamDisplayText(i));
        }
        EXPECT_EQ(shown, row.texts);
        covered.insert(row.type);
        CMoleculePacket packet;
        packet.Append(std::make_unique<CMModuleDelete>(kArea, 1));
        patch->ApplyMoleculeList(packet);
    }
    size_t types = 0;
    for (unsigned id = 0; id < CModuleCatalogue::kTypeSlots; ++id) {
        if (catalogue->FindBuilder(static_cast<uint8_t>(id)) != nullptr) {
            ++types;
            EXPECT_TRUE(covered.count(static_cast<uint8_t>(id))) << "type " << id << " has no row";
        }
    }
    EXPECT_EQ(types, covered.size());
}

} // namespace
