// Each type's parameters show the texts of their registered functions: the
// types' own texts and the shared ones, wired to the right parameters.
#include "modules/FilterModules.h"
#include "modules/InOutModules.h"
#include "modules/ModuleCatalogueContent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A module's current values: its defaults, with some changed.
class Values final : public CParamValueSourceInterface {
public:
    explicit Values(const CBuildModule& builder) : values_(builder.GetDefaults()) { }
    uint8_t GetParamValue(uint8_t index) const override { return index < values_.size() ? values_[index] : 0; }
    void Set(uint8_t index, uint8_t value) { values_.at(index) = value; }

private:
    std::vector<uint8_t> values_;
};

struct Case {
    uint8_t type;
    uint8_t param;
    uint8_t value;
    const char* text;
};

const std::string kPm = "\xC2\xB1"; // the plus-minus sign in UTF-8

std::string Text(uint8_t type, uint8_t param, uint8_t value)
{
    const CBuildModule& b = GetSharedModuleCatalogue().GetBuilder(type);
    return b.FormatParamValue(param, value, Values(b));
}

} // namespace

TEST(ModuleTypeText, EachTypeShowsItsParametersTexts)
{
    const Case cases[] = {
        {5, 1, 4, "CL"}, // "1 output" destination
        {5, 1, 0, "Out1"},
        {4, 1, 2, "CVA"},     // "2 outputs"
        {67, 0, 60, "C4"},    // note detector
        {7, 0, 64, "E4 KEY"}, // OscA defaults
        {7, 1, 64, "0"},
        {7, 2, 64, "Key"},
        {7, 3, 64, "50%"},
        {7, 4, 0, "Sine"},
        {7, 5, 64, "64"},    // no registered text
        {96, 4, 127, "Rnd"}, // FormantOsc timbre
        {96, 4, 0, "1"},
        {96, 4, 126, "127"},
        {107, 3, 0, "Odd"}, // SpectralOsc partials
        {107, 3, 1, "All"},
        {58, 10, 0, "LP"}, // DrumSynth filter type
        {58, 10, 1, "BP"},
        {58, 10, 2, "HP"},
        {95, 0, 64, "E4 KEY"}, // PercOsc
        {95, 5, 64, "64"},
        {68, 0, 0, "24 BPM"}, // ClkGen rate at its joints
        {68, 0, 31, "86 BPM"},
        {68, 0, 32, "88 BPM"},
        {68, 0, 64, "120 BPM"},
        {68, 0, 96, "152 BPM"},
        {68, 0, 97, "154 BPM"},
        {68, 0, 127, "214 BPM"},
        {99, 3, 0, "Off"}, // PatternGen step
        {99, 3, 1, "2"},
        {99, 3, 127, "128"},
        {99, 2, 0, "High"},
        {99, 2, 1, "Low"},
        {33, 1, 0, "White"}, // ClkRndGen colour
        {33, 1, 1, "Colored"},
        {24, 2, 0, "0"},    // LFOA waveform has no text
        {26, 2, 3, "SawN"}, // LFOC waveform
        {80, 0, 64, "1:1"}, // LFOSlvA rate multiplier
        {52, 9, 0, "--"},   // Multi-Env sustain place
        {52, 9, 3, "L3"},
        {52, 9, 4, "L4"},
        {52, 10, 0, "Bipolar"},
        {52, 10, 1, "Uni/Exp"},
        {52, 10, 2, "Uni/Lin"},
        {71, 0, 0, "Fast"}, // EnvFollower attack
        {71, 0, 1, "0.53m"},
        {71, 0, 127, "767m"},
        {71, 1, 0, "Fast"}, // EnvFollower release
        {71, 1, 20, "80.0m"},
        {71, 1, 127, "3.26s"},
        {23, 6, 64, "64"}, // Mod-Env "Sustain MA" has no text
        {23, 4, 64, "-64"},
        {46, 4, 64, "64"}, // AHD-Env "Hold MA"
        {51, 0, 3, "BR"},  // FilterE type
        {51, 7, 0, "12dB"},
        {51, 7, 1, "24dB"},
        {51, 1, 1, "1"},     // FilterE "Gain comp" has no text
        {50, 2, 1, "On"},    // FilterC "Gain comp"
        {92, 5, 1, "18 dB"}, // FilterF slope
        {92, 5, 2, "24 dB"},
        {45, 0, 0, "A"}, // VocalFilter vowels
        {45, 1, 1, "E"},
        {45, 2, 8, "OE"},
        {103, 2, 0, "2.00 Oct"}, // EqMid bandwidth
        {103, 2, 64, "1.00 Oct"},
        {103, 2, 127, "0.02 Oct"},
        {104, 2, 0, "Low"}, // EqShelving
        {104, 2, 1, "High"},
        {108, 0, 0, "Off"}, // Vocoder band
        {108, 15, 16, "16"},
        {113, 0, 0, "Out1: 127"}, // 1to2Fade
        {113, 0, 1, "Out1: 126"},
        {113, 0, 63, "Out1: 2"},
        {113, 0, 64, "Out2: 0"},
        {113, 0, 126, "Out2: 124"},
        {113, 0, 127, "Out2: 127"},
        {114, 0, 0, "In1: 127"}, // 2to1Fade
        {114, 0, 64, "In2: 0"},
        {114, 0, 127, "In2: 127"},
        {44, 0, 0, "None"}, // GainControl level shift
        {44, 0, 1, "Up"},
        {79, 0, 3, "4"},       // 4-1Switch
        {88, 0, 0, "1"},       // 1-4Switch
        {81, 0, 127, "x4.00"}, // Amplifier
        {54, 0, 12, "Off"},    // Quantizer
        {54, 0, 0, "1"},
        {54, 0, 11, "12"},
        {78, 1, 0, "0.00ms"}, // Delay time
        {78, 1, 1, "0.02ms"},
        {78, 1, 64, "1.33ms"},
        {78, 1, 127, "2.65ms"},
        {82, 0, 0, "Off"}, // Diode
        {82, 0, 1, "Half"},
        {82, 0, 2, "Full"},
        {102, 0, 0, "62.9s"}, // Phaser rate: the LFO rate at "Lo"
        {102, 6, 2, "3"},
        {57, 0, 0, "No shift"}, // InvLevShift
        {57, 0, 1, "Shift down"},
        {57, 0, 2, "Shift up"},
        {57, 1, 0, "No invert"},
        {57, 1, 1, "Invert"},
        {21, 0, 0, "Fast"}, // Compressor
        {21, 0, 1, "0.53m"},
        {21, 0, 12, "1.00m"},
        {21, 0, 127, "767m"},
        {21, 1, 0, "125m"},
        {21, 1, 20, "250m"},
        {21, 1, 60, "1.00s"},
        {21, 1, 127, "10.2s"},
        {21, 2, 18, "-12dB"},
        {21, 2, 0, "-30dB"},
        {21, 2, 41, "11dB"},
        {21, 2, 42, "Off"},
        {21, 3, 0, "1.0:1"},
        {21, 3, 10, "2.0:1"},
        {21, 3, 20, "4.0:1"},
        {21, 3, 25, "5.0:1"},
        {21, 3, 34, "9.5:1"},
        {21, 3, 35, "10:1"},
        {21, 3, 66, "80:1"},
        {21, 4, 30, "0dB"},
        {21, 4, 42, "12dB"},
        {21, 5, 12, "0dB"},
        {21, 5, 0, "-12dB"},
        {21, 5, 24, "Off"},
        {105, 2, 24, "-60dB"}, // Expander
        {105, 2, 0, "Off"},
        {105, 2, 84, "0dB"},
        {105, 4, 72, "-12dB"},
        {105, 5, 0, "Off"},
        {105, 5, 1, "4m"},
        {105, 5, 127, "508m"},
        {117, 1, 0, "None"}, // RingMod depth
        {117, 1, 63, "63"},
        {117, 1, 64, "AM"},
        {117, 1, 126, "126"},
        {117, 1, 127, "RM"},
        {118, 0, 11, "12"}, // Digitizer
        {118, 3, 0, "0"},
        {83, 0, 0, "Log2"}, // Shaper
        {83, 0, 2, "Lin"},
        {83, 0, 4, "Exp2"},
        {72, 0, 0, "0 (Oct)"}, // NoteScaler range
        {66, 4, 0, "Exp"},     // ControlMixer shape
        {66, 4, 1, "Lin"},
        {115, 1, 0, "-24dB"}, // NoteVelScal gains
        {115, 1, 24, "0dB"},
        {115, 3, 48, "24dB"},
        {115, 2, 64, "E4"},
        {115, 0, 5, "5"},
        {73, 0, 0, "AND"}, // LogicProc
        {73, 0, 1, "OR"},
        {73, 0, 2, "XOR"},
        {69, 0, 0, "1"},     // ClkDiv
        {36, 0, 0, "1.0ms"}, // PosEdgeDly
        {17, 0, 15, "16"},   // EventSeq
        {17, 2, 1, "Gate"},
        {15, 19, 1, "Stop"}, // NoteSeqA
        {15, 18, 1, "1"},
        {90, 17, 16, "17"}, // NoteSeqB rec step
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(c.type, c.param, c.value), c.text)
            << GetSharedModuleCatalogue().GetBuilder(c.type).GetShortName() << " param " << int(c.param) << " = "
            << int(c.value);
    }
}

TEST(ModuleTypeText, PlusMinusTextsOfTheCtrlTypes)
{
    EXPECT_EQ(Text(72, 0, 24), kPm + "12.0 (Oct)");
    EXPECT_EQ(Text(72, 0, 14), kPm + "7.0 (5th)");
    EXPECT_EQ(Text(72, 0, 20), kPm + "10.0 (7th)");
    EXPECT_EQ(Text(72, 0, 1), kPm + "0.5");
    EXPECT_EQ(Text(75, 0, 127), kPm + "64"); // NoteQuant range

    // Partial generator range: halves round up, "*" beyond 64.
    EXPECT_EQ(Text(22, 0, 0), "0");
    EXPECT_EQ(Text(22, 0, 1), kPm + "1");
    EXPECT_EQ(Text(22, 0, 2), kPm + "2");
    EXPECT_EQ(Text(22, 0, 3), kPm + "2");
    EXPECT_EQ(Text(22, 0, 4), kPm + "3");
    EXPECT_EQ(Text(22, 0, 64), kPm + "33");
    EXPECT_EQ(Text(22, 0, 65), kPm + "33*");
    EXPECT_EQ(Text(22, 0, 127), kPm + "64*");
}

TEST(ModuleTypeText, TwoValueTextsFollowTheirSecondParameter)
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    struct Dual {
        uint8_t type, param, value, second, secondValue;
        const char* text;
    };
    const Dual cases[] = {
        {24, 0, 0, 1, 1, "62.9s"},   // LFOA rate with range "Lo"
        {24, 0, 0, 1, 0, "699s"},    // ... "Sub"
        {24, 0, 127, 1, 2, "392Hz"}, // ... "Hi"
        {52, 0, 127, 10, 2, "64"},   // Multi-Env level, unipolar
        {52, 0, 127, 10, 0, "+64"},  // ... bipolar
        {111, 0, 0, 1, 0, "-127"},   // LevMult gain, bipolar
        {111, 0, 64, 1, 0, "0"},     {111, 0, 127, 1, 0, "127"},
        {111, 0, 64, 1, 1, "64"},                                // ... unipolar: the plain value
        {112, 0, 64, 1, 1, "32"},                                // LevAdd offset
        {112, 0, 64, 1, 0, "0"},     {43, 0, 64, 1, 0, "0"},     // Constant level
        {43, 0, 64, 1, 1, "32"},     {91, 0, 127, 17, 0, "+64"}, // CtrlSeq level with polarity
        {91, 0, 127, 17, 1, "64"},
    };
    for (const Dual& c : cases) {
        const CBuildModule& b = catalogue.GetBuilder(c.type);
        Values values(b);
        values.Set(c.second, c.secondValue);
        EXPECT_EQ(b.FormatParamValue(c.param, c.value, values), c.text) << b.GetShortName();
    }
}

TEST(ModuleTypeText, NamesPastTheLastChoiceAreEmpty)
{
    EXPECT_EQ(ParamTextOut1Destination(5), "CR");
    EXPECT_EQ(ParamTextOut1Destination(6), "");
    EXPECT_EQ(ParamTextOut2Destination(3), "");
    EXPECT_EQ(ParamTextVowel(9), "") << "no vowel is read past the table";
    EXPECT_EQ(ParamTextVowel(127), "");
}
