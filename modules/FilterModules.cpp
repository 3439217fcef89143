#include "modules/FilterModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

#include <iterator>

std::string ParamTextFilterType(uint8_t v)
{
    static const char* const kNames[] = {"LP", "BP", "HP", "BR"};
    return kNames[v < 3 ? v : 3];
}

std::string ParamTextFilterSlope(uint8_t v)
{
    return v == 0 ? "12dB" : "24dB";
}

std::string ParamTextClassicSlope(uint8_t v)
{
    return v == 0 ? "12 dB" : v == 1 ? "18 dB" : "24 dB";
}

std::string ParamTextVowel(uint8_t v)
{
    static const char* const kNames[] = {"A", "E", "I", "O", "U", "Y", "AA", "AE", "OE"};
    // A value past the last vowel has no name (it cannot reach a module).
    return v < std::size(kNames) ? kNames[v] : "";
}

std::string ParamTextEqBandwidth(uint8_t v)
{
    return FloatToString((128 - v) * 0.015625, 2) + " Oct";
}

std::string ParamTextShelving(uint8_t v)
{
    return v == 0 ? "Low" : "High";
}

namespace {

using namespace ModuleTableNames;

// "FilterA"
constexpr ParamSpec kFilterfParams[] = {
    {"Frequency", 127, 64, ParamTextFreq12To20k},
};
constexpr uint8_t kFilterfOrder[] = {0};
constexpr JackSpec kFilterfJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kFilterfItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 164, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 110, .y = 7, .size = 50, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kFilterfType = {86,
                                         "FilterA",
                                         "Filter A, 6dB static LP filter",
                                         403,
                                         2,
                                         {{5, 0, 1, 1, 1, 6, 0, 0, 0, 22}},
                                         kFilterfParams,
                                         kFilterfOrder,
                                         kFilterfJacks,
                                         kFilterfItems};

// "FilterB"
// The panel and tables of "FilterA".
constexpr ModuleTypeSpec kFiltergType = {87,
                                         "FilterB",
                                         "Filter B, 6dB static HP filter",
                                         404,
                                         2,
                                         {{8, 0, 1, 1, 2, 9, 0, 0, 0, 22}},
                                         kFilterfParams,
                                         kFilterfOrder,
                                         kFilterfJacks,
                                         kFilterfItems};

// "FilterC"
constexpr ParamSpec kFilterbParams[] = {
    {"Frequency", 127, 60, ParamTextFreq},
    {"Resonance", 127, 0},
    {"Gain comp", 1, 1, ParamTextOnOff},
};
constexpr uint8_t kFilterbOrder[] = {0, 1, 2};
constexpr JackSpec kFilterbJacks[] = {
    {kIn, kAudio, 200, 28},
    {kOut, kAudio, 238, 43},
    {kOut, kAudio, 238, 28},
    {kOut, kAudio, 238, 13},
};
constexpr ItemSpec kFilterbItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 64, .y = 23},
    {.itemClass = ItemClass::BigKnob, .x = 149, .y = 23},
    {.itemClass = ItemClass::CheckButton, .x = 111, .y = 40, .size = 25, .text = "GC"},
    {.itemClass = ItemClass::FilterText, .x = 10, .y = 31, .size = 48, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 111, .y = 23, .size = 25, .params = BoundParams(1, 1)},
};
constexpr ModuleTypeSpec kFilterbType = {50,
                                         "FilterC",
                                         "Filter C, 12dB static multimode filter",
                                         401,
                                         4,
                                         {{14, 0, 259, 3, 2, 15, 0, 0, 0, 31}},
                                         kFilterbParams,
                                         kFilterbOrder,
                                         kFilterbJacks,
                                         kFilterbItems};

// "FilterD"
constexpr ParamSpec kFilteraParams[] = {
    {"Frequency", 127, 60, ParamTextFreq},
    {"KBT", 127, 64, ParamTextKeyTrack},
    {"Resonance", 127, 0},
    {"Freq MA", 127, 0},
};
constexpr uint8_t kFilteraOrder[] = {0, 1, 2, 3};
constexpr JackSpec kFilteraJacks[] = {
    {kIn, kControl, 20, 49}, {kIn, kAudio, 200, 41},  {kOut, kAudio, 238, 24},
    {kOut, kAudio, 238, 41}, {kOut, kAudio, 238, 57},
};
constexpr ItemSpec kFilteraItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 70, .y = 34},
    {.itemClass = ItemClass::IndicatorKnob, .x = 108, .y = 28},
    {.itemClass = ItemClass::BigKnob, .x = 154, .y = 41},
    {.itemClass = ItemClass::SmallKnob, .x = 38, .y = 47},
    {.itemClass = ItemClass::FilterText, .x = 9, .y = 28, .size = 48, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 156, .y = 24, .size = 25, .params = BoundParams(2, 1)},
};
constexpr ModuleTypeSpec kFilteraType = {49,
                                         "FilterD",
                                         "Filter D, 12dB multimode filter",
                                         400,
                                         5,
                                         {{24, 30, 259, 4, 2, 25, 4, 4, 31, 35}},
                                         kFilteraParams,
                                         kFilteraOrder,
                                         kFilteraJacks,
                                         kFilteraItems};

// "FilterE"
constexpr ParamSpec kFiltercParams[] = {
    {"Type", 3, 0, ParamTextFilterType, kNoMorph},
    {"Gain comp", 1, 1},
    {"Freq MA 1", 127, 0},
    {"Frequency", 127, 60, ParamTextFreq},
    {"KBT", 127, 64, ParamTextKeyTrack},
    {"Res MA", 127, 0},
    {"Resonance", 127, 0},
    {"Slope", 1, 1, ParamTextFilterSlope},
    {"Freq MA 2", 127, 0},
    {"Bypass", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kFiltercOrder[] = {3, 4, 1, 5, 6, 0, 7, 2, 8, 9};
constexpr JackSpec kFiltercJacks[] = {
    {kIn, kAudio, 8, 65}, {kIn, kAudio, 148, 67}, {kIn, kAudio, 200, 73}, {kIn, kAudio, 8, 41}, {kOut, kAudio, 238, 73},
};
constexpr uint8_t kFiltercBound12[] = {3, 6, 0, 1, 7, 9};
constexpr ItemSpec kFiltercItems[] = {
    {.itemClass = ItemClass::VerticalRadioButton, .x = 115, .y = 21, .count = 4, .size = 20, .text = "LP,BP,HP,BR,"},
    {.itemClass = ItemClass::CheckButton, .x = 142, .y = 15, .size = 22, .text = "GC"},
    {.itemClass = ItemClass::SmallKnob, .x = 26, .y = 63},
    {.itemClass = ItemClass::BigKnob, .x = 54, .y = 35},
    {.itemClass = ItemClass::IndicatorKnob, .x = 86, .y = 52},
    {.itemClass = ItemClass::SmallKnob, .x = 166, .y = 64},
    {.itemClass = ItemClass::BigKnob, .x = 153, .y = 31},
    {.itemClass = ItemClass::HorizontalRadioButton, .x = 202, .y = 50, .count = 2, .size = 20, .text = "12,24,"},
    {.itemClass = ItemClass::SmallKnob, .x = 26, .y = 38},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 72, .size = 15, .text = "B"},
    {.itemClass = ItemClass::FilterText, .x = 45, .y = 19, .size = 48, .params = BoundParams(3, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 165, .y = 15, .size = 25, .params = BoundParams(6, 1)},
    {.itemClass = ItemClass::NormalFilterGraph, .x = 195, .y = 3, .params = kFiltercBound12},
};
constexpr ModuleTypeSpec kFiltercType = {51,
                                         "FilterE",
                                         "Filter E, 24dB filter",
                                         402,
                                         6,
                                         {{52, 0, 257, 8, 9, 53, 0, 0, 0, 59}},
                                         kFiltercParams,
                                         kFiltercOrder,
                                         kFiltercJacks,
                                         kFiltercItems};

// "FilterF"
constexpr ParamSpec kFilterhParams[] = {
    {"Frequency", 127, 60, ParamTextFreq},
    {"KBT", 127, 64, ParamTextKeyTrack},
    {"Resonance", 127, 0},
    {"Freq MA 1", 127, 0},
    {"Freq MA 2", 127, 0},
    {"Slope", 2, 2, ParamTextClassicSlope},
    {"Bypass", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kFilterhOrder[] = {0, 1, 2, 3, 4, 5, 6};
constexpr JackSpec kFilterhJacks[] = {
    {kIn, kControl, 8, 32},
    {kIn, kControl, 8, 60},
    {kIn, kAudio, 200, 71},
    {kOut, kAudio, 238, 71},
};
constexpr uint8_t kFilterhBound9[] = {0, 2, 5, 6};
constexpr ItemSpec kFilterhItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 60, .y = 47},
    {.itemClass = ItemClass::IndicatorKnob, .x = 104, .y = 41},
    {.itemClass = ItemClass::BigKnob, .x = 146, .y = 47},
    {.itemClass = ItemClass::SmallKnob, .x = 26, .y = 30},
    {.itemClass = ItemClass::SmallKnob, .x = 26, .y = 57},
    {.itemClass = ItemClass::HorizontalRadioButton, .x = 189, .y = 50, .count = 3, .size = 20, .text = "12,18,24,"},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 70, .size = 15, .text = "B"},
    {.itemClass = ItemClass::FilterText, .x = 51, .y = 29, .size = 48, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 148, .y = 29, .size = 25, .params = BoundParams(2, 1)},
    {.itemClass = ItemClass::ClassicFilterGraph, .x = 191, .y = 3, .params = kFilterhBound9},
};
constexpr ModuleTypeSpec kFilterhType = {92,
                                         "FilterF",
                                         "Filter F, 24dB classic LP filter",
                                         405,
                                         6,
                                         {{34, 38, 257, 6, 4, 34, 4, 6, 39, 47}},
                                         kFilterhParams,
                                         kFilterhOrder,
                                         kFilterhJacks,
                                         kFilterhItems};

// "VocalFilter"
constexpr ParamSpec kFormfltParams[] = {
    {"Vowel 1", 8, 0, ParamTextVowel, kNoMorph},
    {"Vowel 2", 8, 1, ParamTextVowel, kNoMorph},
    {"Vowel 3", 8, 2, ParamTextVowel, kNoMorph},
    {"Level", 127, 100},
    {"Navigator", 127, 64},
    {"Nav. MA", 127, 0},
    {"Frequency", 127, 64, ParamTextBipolar},
    {"Freq MA", 127, 0},
    {"Resonance", 127, 64, ParamTextBipolar},
};
constexpr uint8_t kFormfltOrder[] = {3, 0, 1, 2, 4, 5, 6, 7, 8};
constexpr JackSpec kFormfltJacks[] = {
    {kIn, kAudio, 200, 56},
    {kIn, kControl, 91, 51},
    {kIn, kControl, 41, 51},
    {kOut, kAudio, 238, 56},
};
constexpr ItemSpec kFormfltItems[] = {
    {.itemClass = ItemClass::UpDownButton, .x = 117, .y = 19},
    {.itemClass = ItemClass::UpDownButton, .x = 159, .y = 13},
    {.itemClass = ItemClass::UpDownButton, .x = 201, .y = 19},
    {.itemClass = ItemClass::SmallKnob, .x = 174, .y = 51},
    {.itemClass = ItemClass::BigKnob, .x = 134, .y = 39},
    {.itemClass = ItemClass::SmallKnob, .x = 109, .y = 48},
    {.itemClass = ItemClass::IndicatorKnob, .x = 57, .y = 17},
    {.itemClass = ItemClass::SmallKnob, .x = 59, .y = 48},
    {.itemClass = ItemClass::IndicatorKnob, .x = 5, .y = 33},
    {.itemClass = ItemClass::DefaultText, .x = 88, .y = 22, .size = 28, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 130, .y = 16, .size = 28, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 172, .y = 22, .size = 28, .params = BoundParams(2, 1)},
};
constexpr ModuleTypeSpec kFormfltType = {45,
                                         "VocalFilter",
                                         "Vocal filter",
                                         453,
                                         5,
                                         {{43, 67, 1, 12, 8, 44, 14, 22, 68, 54}},
                                         kFormfltParams,
                                         kFormfltOrder,
                                         kFormfltJacks,
                                         kFormfltItems};

// "Vocoder"
constexpr ParamSpec kVocoderParams[] = {
    {"Band 1", 16, 1, ParamTextNumberOrOff, kNoMorph},
    {"Band 2", 16, 2, ParamTextNumberOrOff, kNoMorph},
    {"Band 3", 16, 3, ParamTextNumberOrOff, kNoMorph},
    {"Band 4", 16, 4, ParamTextNumberOrOff, kNoMorph},
    {"Band 5", 16, 5, ParamTextNumberOrOff, kNoMorph},
    {"Band 6", 16, 6, ParamTextNumberOrOff, kNoMorph},
    {"Band 7", 16, 7, ParamTextNumberOrOff, kNoMorph},
    {"Band 8", 16, 8, ParamTextNumberOrOff, kNoMorph},
    {"Band 9", 16, 9, ParamTextNumberOrOff, kNoMorph},
    {"Band 10", 16, 10, ParamTextNumberOrOff, kNoMorph},
    {"Band 11", 16, 11, ParamTextNumberOrOff, kNoMorph},
    {"Band 12", 16, 12, ParamTextNumberOrOff, kNoMorph},
    {"Band 13", 16, 13, ParamTextNumberOrOff, kNoMorph},
    {"Band 14", 16, 14, ParamTextNumberOrOff, kNoMorph},
    {"Band 15", 16, 15, ParamTextNumberOrOff, kNoMorph},
    {"Band 16", 16, 16, ParamTextNumberOrOff, kNoMorph},
    {"Level", 127, 64, ParamTextFactor},
    {"Voice", 1, 0, ParamTextOnOff, kNoMorph},
    {"Monitor", 1, 0, ParamTextOnOff, kNoMorph},
};
constexpr uint8_t kVocoderOrder[] = {17, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 18, 16};
constexpr JackSpec kVocoderJacks[] = {
    {kIn, kAudio, 8, 25},
    {kIn, kAudio, 200, 102},
    {kOut, kAudio, 238, 102},
};
constexpr ItemSpec kVocoderItems[] = {
    {.itemClass = ItemClass::UpDownButton, .x = 30, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 42, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 54, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 66, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 78, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 90, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 102, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 114, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 126, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 138, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 150, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 162, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 174, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 186, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 198, .y = 75},
    {.itemClass = ItemClass::UpDownButton, .x = 210, .y = 75},
    {.itemClass = ItemClass::IndicatorKnob, .x = 226, .y = 51},
    {.itemClass = ItemClass::CheckBitmapButton, .x = 4, .y = 40, .size = 22, .picture = 306},
    {.itemClass = ItemClass::CheckButton, .x = 4, .y = 55, .size = 22, .text = "Mon"},
    {.itemClass = ItemClass::VocoderGraph, .x = 28, .y = 28, .params = BoundParams(0, 16)},
    {.itemClass = ItemClass::VocoderPreset, .x = 28, .y = 101, .params = BoundParams(0, 16)},
};
constexpr ModuleTypeSpec kVocoderType = {108,
                                         "Vocoder",
                                         "Vocoder",
                                         507,
                                         8,
                                         {{96, 1156, 17, 19, 44, 97, 331, 349, 1157, 94}},
                                         kVocoderParams,
                                         kVocoderOrder,
                                         kVocoderJacks,
                                         kVocoderItems};

// "Filter Bank"
constexpr ParamSpec kFilterBankParams[] = {
    {"LP", 127, 127},      {"Band 1", 127, 127},  {"Band 2", 127, 127},
    {"Band 3", 127, 127},  {"Band 4", 127, 127},  {"Band 5", 127, 127},
    {"Band 6", 127, 127},  {"Band 7", 127, 127},  {"Band 8", 127, 127},
    {"Band 9", 127, 127},  {"Band 10", 127, 127}, {"Band 11", 127, 127},
    {"Band 12", 127, 127}, {"HP", 127, 127},      {"Bypass", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kFilterBankOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
constexpr JackSpec kFilterBankJacks[] = {
    {kIn, kAudio, 200, 87},
    {kOut, kAudio, 238, 87},
};
constexpr ItemSpec kFilterBankItems[] = {
    {.itemClass = ItemClass::VerticalSlider, .x = 13, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 30, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 47, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 64, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 81, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 98, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 115, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 132, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 149, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 166, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 183, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 200, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 217, .y = 25},
    {.itemClass = ItemClass::VerticalSlider, .x = 234, .y = 25},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 86, .size = 15, .text = "B"},
    {.itemClass = ItemClass::FltBankPreset, .x = 106, .y = 87, .params = BoundParams(0, 14)},
};
constexpr ModuleTypeSpec kFilterBankType = {32,
                                            "Filter Bank",
                                            "FilterBank",
                                            452,
                                            7,
                                            {{79, 248, 1, 15, 36, 80, 67, 114, 249, 78}},
                                            kFilterBankParams,
                                            kFilterBankOrder,
                                            kFilterBankJacks,
                                            kFilterBankItems};

// "EqMid"
constexpr ParamSpec kEqpeakParams[] = {
    {"Mid freq", 127, 60, ParamTextFreq20To16k},
    {"Gain", 127, 64, ParamTextGainDb},
    {"Bandwidth", 127, 64, ParamTextEqBandwidth},
    {"Bypass", 1, 0, ParamTextOnOff},
    {"Input Lvl", 127, 127},
};
constexpr uint8_t kEqpeakOrder[] = {0, 1, 2, 3, 4};
constexpr JackSpec kEqpeakJacks[] = {
    {kIn, kAudio, 200, 41},
    {kOut, kAudio, 238, 41},
};
constexpr ItemSpec kEqpeakItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 7, .y = 22},
    {.itemClass = ItemClass::MediumKnob, .x = 100, .y = 30},
    {.itemClass = ItemClass::MediumKnob, .x = 143, .y = 30},
    {.itemClass = ItemClass::CheckButton, .x = 221, .y = 40, .size = 15, .text = "B"},
    {.itemClass = ItemClass::SmallKnob, .x = 174, .y = 36},
    {.itemClass = ItemClass::SmallDefaultText, .x = 40, .y = 29, .size = 45, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::SmallDefaultText, .x = 91, .y = 13, .size = 40, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::EqMidGraph, .x = 195, .y = 2, .params = BoundParams(0, 3)},
    {.itemClass = ItemClass::SmallDefaultText, .x = 135, .y = 13, .size = 40, .params = BoundParams(2, 1)},
    {.itemClass = ItemClass::ClipLed, .x = 241, .y = 33, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kEqpeakType = {
    103,           "EqMid",      "Parametric Eq", 446,         4, {{23, 13, 1, 3, 4, 24, 2, 4, 14, 38}},
    kEqpeakParams, kEqpeakOrder, kEqpeakJacks,    kEqpeakItems};

// "EqShelving"
constexpr ParamSpec kEqshelvParams[] = {
    {"Freq", 127, 60, ParamTextFreq20To16k},
    {"Gain", 127, 64, ParamTextGainDb},
    {"Shelving", 1, 0, ParamTextShelving},
    {"Bypass", 1, 0, ParamTextOnOff},
    {"Input Lvl", 127, 127},
};
constexpr uint8_t kEqshelvOrder[] = {0, 1, 2, 3, 4};
constexpr JackSpec kEqshelvJacks[] = {
    {kIn, kAudio, 200, 41},
    {kOut, kAudio, 238, 41},
};
constexpr ItemSpec kEqshelvItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 6, .y = 23},
    {.itemClass = ItemClass::MediumKnob, .x = 113, .y = 31},
    {.itemClass = ItemClass::VerticalRadioButton, .x = 159, .y = 4, .count = 2, .size = 20, .text = "Lo,Hi"},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 40, .size = 15, .text = "B"},
    {.itemClass = ItemClass::SmallKnob, .x = 174, .y = 36},
    {.itemClass = ItemClass::SmallDefaultText, .x = 40, .y = 30, .size = 45, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::SmallDefaultText, .x = 100, .y = 14, .size = 47, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::EqHiLoGraph, .x = 195, .y = 2, .params = BoundParams(0, 3)},
    {.itemClass = ItemClass::ClipLed, .x = 241, .y = 33, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kEqshelvType = {104,
                                         "EqShelving",
                                         "Hi and lo shelving eq",
                                         447,
                                         4,
                                         {{19, 0, 1, 3, 2, 20, 0, 0, 0, 38}},
                                         kEqshelvParams,
                                         kEqshelvOrder,
                                         kEqshelvJacks,
                                         kEqshelvItems};

} // namespace

CBModuleFilterf::CBModuleFilterf() : CBuildModuleOf(kFilterfType) { }

CBModuleFilterg::CBModuleFilterg() : CBuildModuleOf(kFiltergType) { }

CBModuleFilterb::CBModuleFilterb() : CBuildModuleOf(kFilterbType) { }

CBModuleFiltera::CBModuleFiltera() : CBuildModuleOf(kFilteraType) { }

CBModuleFilterc::CBModuleFilterc() : CBuildModuleOf(kFiltercType) { }

CBModuleFilterh::CBModuleFilterh() : CBuildModuleOf(kFilterhType) { }

CBModuleFormflt::CBModuleFormflt() : CBuildModuleOf(kFormfltType) { }

CBModuleVocoder::CBModuleVocoder() : CBuildModuleOf(kVocoderType) { }

CBModuleFilterBank::CBModuleFilterBank() : CBuildModuleOf(kFilterBankType) { }

CBModuleEqpeak::CBModuleEqpeak() : CBuildModuleOf(kEqpeakType) { }

CBModuleEqshelv::CBModuleEqshelv() : CBuildModuleOf(kEqshelvType) { }
