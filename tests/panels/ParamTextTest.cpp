// The shared value texts: what each function prints at the values that
// show its formula, its joints and its ends.
#include "panels/ModuleTypeSpec.h"
#include "panels/ParamTextFunctions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    ParamTextFunction function;
    const char* name;
    uint8_t value;
    const char* text;
};

const std::string kPm = "\xC2\xB1"; // the plus-minus sign in UTF-8

} // namespace

TEST(ParamText, OneValueTexts)
{
    const Case cases[] = {
        {ParamTextOnOff, "OnOff", 0, "Off"},
        {ParamTextOnOff, "OnOff", 5, "On"},
        {ParamTextPhase, "Phase", 0, "-180"},
        {ParamTextPhase, "Phase", 64, "0"},
        {ParamTextPhase, "Phase", 127, "177"},
        {ParamTextPhase, "Phase", 1, "-177"},
        {ParamTextNumberOrOff, "NumberOrOff", 0, "Off"},
        {ParamTextNumberOrOff, "NumberOrOff", 16, "16"},
        {ParamTextNoteName, "NoteName", 0, "C-1"},
        {ParamTextNoteName, "NoteName", 60, "C4"},
        {ParamTextNoteName, "NoteName", 69, "A4"},
        {ParamTextNoteName, "NoteName", 70, "Bb4"},
        {ParamTextNoteName, "NoteName", 61, "C#4"},
        {ParamTextNoteName, "NoteName", 127, "G9"},
        {ParamTextKeyNote, "KeyNote", 64, "E4 KEY"},
        {ParamTextKeyNote, "KeyNote", 65, "F4"},
        {ParamTextKeyNoteShifted, "KeyNoteShifted", 60, "E4 KEY"},
        {ParamTextKeyNoteShifted, "KeyNoteShifted", 64, "G#4"},
        {ParamTextNumberPlusOne, "NumberPlusOne", 0, "1"},
        {ParamTextNumber, "Number", 64, "64"},
        {ParamTextNegated, "Negated", 0, "0"},
        {ParamTextNegated, "Negated", 64, "-64"},
        {ParamTextUnipolarHalf, "UnipolarHalf", 126, "63"},
        {ParamTextUnipolarHalf, "UnipolarHalf", 125, "62.5"},
        {ParamTextUnipolarHalf, "UnipolarHalf", 127, "64"},
        {ParamTextUnipolarHalf, "UnipolarHalf", 1, "0.5"},
        {ParamTextBipolar, "Bipolar", 127, "+64"},
        {ParamTextBipolar, "Bipolar", 126, "+62"},
        {ParamTextBipolar, "Bipolar", 64, "0"},
        {ParamTextBipolar, "Bipolar", 0, "-64"},
        {ParamTextSigned, "Signed", 127, "+63"},
        {ParamTextSigned, "Signed", 64, "0"},
        {ParamTextSigned, "Signed", 0, "-64"},
        {ParamTextTime, "Time", 0, "1.0ms"},
        {ParamTextTime, "Time", 30, "10ms"},
        {ParamTextTime, "Time", 90, "1.0s"},
        {ParamTextTime, "Time", 127, "18s"},
        {ParamTextEnvTime, "EnvTime", 0, "0.5m"},
        {ParamTextEnvTime, "EnvTime", 127, "45.0s"},
        {ParamTextFreq, "Freq", 65, "440Hz"},
        {ParamTextFreq, "Freq", 127, "15.8kHz"},
        {ParamTextFreq, "Freq", 95, "2.49kHz"},
        {ParamTextFreqQuarterTone, "FreqQuarterTone", 0, "20.0Hz"},
        {ParamTextFreqQuarterTone, "FreqQuarterTone", 107, "440Hz"},
        {ParamTextFreq12To20k, "Freq12To20k", 127, "20.0kHz"},
        {ParamTextFreq12To20k, "Freq12To20k", 0, "12Hz"},
        {ParamTextFreq20To16k, "Freq20To16k", 0, "20Hz"},
        {ParamTextFreq20To16k, "Freq20To16k", 127, "16.0kHz"},
        {ParamTextFreq100To16k, "Freq100To16k", 0, "100Hz"},
        {ParamTextFreq100To16k, "Freq100To16k", 127, "16.0kHz"},
        {ParamTextFreqHigh, "FreqHigh", 69, "1.760kHz"},
        {ParamTextFreqHigh, "FreqHigh", 127, "50.18kHz"},
        {ParamTextFreqHigh, "FreqHigh", 0, "32.70Hz"},
        {ParamTextPartialRatio, "PartialRatio", 0, "1:1"},
        {ParamTextPartialRatio, "PartialRatio", 1, "x1.01"},
        {ParamTextPartialRatio, "PartialRatio", 48, "2:1"},
        {ParamTextPartialRatio, "PartialRatio", 76, "x3.00"},
        {ParamTextPartialRatio, "PartialRatio", 96, "4:1"},
        {ParamTextCentred, "Centred", 64, "1:1"},
        {ParamTextCentred, "Centred", 65, "x1.059"},
        {ParamTextCentred, "Centred", 76, "2:1"},
        {ParamTextCentred, "Centred", 52, "1:2"},
        {ParamTextCentred, "Centred", 40, "1:4"},
        {ParamTextCentred, "Centred", 0, "x0.025"},
        {ParamTextKeyTrack, "KeyTrack", 0, "Off"},
        {ParamTextKeyTrack, "KeyTrack", 64, "Key"},
        {ParamTextKeyTrack, "KeyTrack", 127, "x2"},
        {ParamTextKeyTrack, "KeyTrack", 32, "x0.50"},
        {ParamTextKeyOrOff, "KeyOrOff", 0, "Off"},
        {ParamTextKeyOrOff, "KeyOrOff", 1, "Key"},
        {ParamTextPercent, "Percent", 0, "1%"},
        {ParamTextPercent, "Percent", 64, "50%"},
        {ParamTextPercent, "Percent", 127, "99%"},
        {ParamTextCurve, "Curve", 0, "Log"},
        {ParamTextCurve, "Curve", 1, "Lin"},
        {ParamTextCurve, "Curve", 2, "Exp"},
        {ParamTextLfoRange, "LfoRange", 0, "Sub"},
        {ParamTextLfoRange, "LfoRange", 1, "Lo"},
        {ParamTextLfoRange, "LfoRange", 9, "Hi"},
        {ParamTextWave, "Wave", 2, "Saw"},
        {ParamTextWave, "Wave", 3, "Sqr"},
        {ParamTextWave, "Wave", 9, "Sqr"},
        {ParamTextWaveSawN, "WaveSawN", 3, "SawN"},
        {ParamTextWaveSawN, "WaveSawN", 4, "Sqr"},
        {ParamTextGainDb, "GainDb", 127, "18.0dB"},
        {ParamTextGainDb, "GainDb", 64, "0.0dB"},
        {ParamTextGainDb, "GainDb", 0, "-18.0dB"},
        {ParamTextFactor, "Factor", 0, "x0.25"},
        {ParamTextFactor, "Factor", 64, "x1.00"},
        {ParamTextFactor, "Factor", 127, "x4.00"},
        {ParamTextPolarity, "Polarity", 0, "Bipolar"},
        {ParamTextPolarity, "Polarity", 1, "Unipolar"},
        {ParamTextTrigGate, "TrigGate", 0, "Trig"},
        {ParamTextTrigGate, "TrigGate", 1, "Gate"},
        {ParamTextGoStop, "GoStop", 0, "Go"},
        {ParamTextGoStop, "GoStop", 1, "Stop"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.function(c.value), c.text) << c.name << "(" << int(c.value) << ")";
}

TEST(ParamText, PlusMinusIsTheUtf8Sign)
{
    EXPECT_EQ(ParamTextPlusMinus(0), "0");
    EXPECT_EQ(ParamTextPlusMinus(127), kPm + "64");
    EXPECT_EQ(ParamTextPlusMinus(1), kPm + "0.5");
    EXPECT_EQ(ParamTextPlusMinus(24), kPm + "12.0");
    EXPECT_EQ(ParamTextPlusMinus(24).size(), 6u) << "two bytes for the sign";
}

TEST(ParamText, TwoValueTexts)
{
    // LFO rate with its range: a slow rate reads as a period.
    EXPECT_EQ(ParamTextLfoRate(0, 1), "62.9s");
    EXPECT_EQ(ParamTextLfoRate(127, 2), "392Hz");
    EXPECT_EQ(ParamTextLfoRate(0, 0), "699s");
    EXPECT_EQ(ParamTextLfoRate(127, 0), "5.46s");
    EXPECT_EQ(ParamTextLfoRate(64, 1), "0.64Hz");
    EXPECT_EQ(ParamTextLfoRate(64, 2), "10.3Hz");

    EXPECT_EQ(ParamTextByPolarity(125, 1), "62.5");
    EXPECT_EQ(ParamTextByPolarity(125, 0), "+61");
    EXPECT_EQ(ParamTextByPolarity(64, 0), "0");

    EXPECT_EQ(ParamTextFreqFine(69, 64), "440.0Hz");
    EXPECT_EQ(ParamTextFreqFine(21, 64), "27.50Hz");
    EXPECT_EQ(ParamTextFreqFine(127, 127), "12.91kHz");
}

TEST(ParamText, RatiosPreferWholeNumbersOnlyWhereTheFineStepAllowsIt)
{
    EXPECT_EQ(ParamTextRatio(24, 0, 1), "4:1");
    EXPECT_EQ(ParamTextRatio(-24, 0, 1), "1:4");
    EXPECT_EQ(ParamTextRatio(19, 0, 2), "x2.997") << "2^(19/12) is not the fine step nearest to 3";
    EXPECT_EQ(ParamTextRatio(46, 0, 1), "x14.3") << "from 10 up one decimal less";
    EXPECT_EQ(ParamTextRatioPlain(1, 0, 2), "1.059");
    EXPECT_EQ(ParamTextRatioPlain(0, 0, 2), "1:1");
}
