#include "modules/AudioModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

#include <cmath>

namespace {

std::string Decibels(int32_t db)
{
    return IntToString(db) + "dB";
}

} // namespace

std::string ParamTextBits(uint8_t v)
{
    return v < 12 ? IntToString(v + 1) : "Off";
}

std::string ParamTextDelayTime(uint8_t v)
{
    return FloatToString(v / 48.0, 2) + "ms";
}

std::string ParamTextDiodeType(uint8_t v)
{
    return v == 0 ? "Off" : v == 1 ? "Half" : "Full";
}

std::string ParamTextPhaserRate(uint8_t v)
{
    return ParamTextLfoRate(v, 1);
}

std::string ParamTextShift(uint8_t v)
{
    return v == 0 ? "No shift" : v == 1 ? "Shift down" : "Shift up";
}

std::string ParamTextInvert(uint8_t v)
{
    return v == 0 ? "No invert" : "Invert";
}

std::string ParamTextShaperCurve(uint8_t v)
{
    static const char* const kNames[] = {"Log2", "Log1", "Lin", "Exp1", "Exp2"};
    return kNames[v < 4 ? v : 4];
}

std::string ParamTextDynAttack(uint8_t v)
{
    if (v == 0)
        return "Fast";
    const double ms = 0.5 * std::pow(2.0, v / 12.0);
    return FloatToString(ms, ms < 10.0 ? 2 : ms < 100.0 ? 1 : 0) + "m";
}

std::string ParamTextDynRelease(uint8_t v)
{
    const double s = 0.125 * std::pow(2.0, v / 20.0);
    if (s >= 10.0)
        return FloatToString(s, 1) + "s";
    if (s >= 1.0)
        return FloatToString(s, 2) + "s";
    return FloatToString(s * 1000.0, 0) + "m";
}

std::string ParamTextCompThreshold(uint8_t v)
{
    return v == 42 ? "Off" : Decibels(v - 30);
}

std::string ParamTextDynRatio(uint8_t v)
{
    // Two decades of the same 35 steps: 1.0 .. 9.5, then 10 .. 80.
    const int32_t r = v % 35;
    const int32_t x = r < 10 ? r + 10 : r < 25 ? 2 * r : 5 * r - 75;
    return (v < 35 ? FloatToString(x / 10.0, 1) : IntToString(x)) + ":1";
}

std::string ParamTextRefLevel(uint8_t v)
{
    return Decibels(v - 30);
}

std::string ParamTextLimiter(uint8_t v)
{
    return v == 24 ? "Off" : Decibels(v - 12);
}

std::string ParamTextExpThreshold(uint8_t v)
{
    return v == 0 ? "Off" : Decibels(v - 84);
}

std::string ParamTextGateHold(uint8_t v)
{
    return v == 0 ? "Off" : IntToString(4 * v) + "m";
}

std::string ParamTextRingModDepth(uint8_t v)
{
    if (v == 0)
        return "None";
    if (v == 64)
        return "AM";
    if (v == 127)
        return "RM";
    return IntToString(v);
}

namespace {

using namespace ModuleTableNames;

// "Clip"
constexpr ParamSpec kDistaParams[] = {
    {"Clip MA", 127, 0},
    {"Clip", 127, 0},
    {"Symmetry", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kDistaOrder[] = {0, 1, 2};
constexpr JackSpec kDistaJacks[] = {
    {kIn, kAudio, 200, 27},
    {kIn, kAudio, 65, 21},
    {kOut, kAudio, 238, 27},
};
constexpr uint8_t kDistaBound3[] = {2, 1};
constexpr ItemSpec kDistaItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 83, .y = 19},
    {.itemClass = ItemClass::BigKnob, .x = 115, .y = 12},
    {.itemClass = ItemClass::CheckButton, .x = 31, .y = 20, .size = 25, .text = "Sym"},
    {.itemClass = ItemClass::DistAGraph, .x = 155, .y = 3, .params = kDistaBound3},
};
constexpr ModuleTypeSpec kDistaType = {
    61,           "Clip",      "Clip",      437,        3, {{12, 0, 1, 1, 2, 13, 0, 0, 0, 30}},
    kDistaParams, kDistaOrder, kDistaJacks, kDistaItems};

// "Overdrive"
constexpr ParamSpec kDistbParams[] = {
    {"Overdrv MA", 127, 0},
    {"Overdrive", 127, 0},
};
constexpr uint8_t kDistbOrder[] = {0, 1};
constexpr JackSpec kDistbJacks[] = {
    {kIn, kAudio, 200, 27},
    {kIn, kControl, 65, 22},
    {kOut, kAudio, 238, 27},
};
constexpr ItemSpec kDistbItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 83, .y = 19},
    {.itemClass = ItemClass::BigKnob, .x = 115, .y = 12},
    {.itemClass = ItemClass::DistBGraph, .x = 155, .y = 3, .params = BoundParams(1, 1)},
};
constexpr ModuleTypeSpec kDistbType = {
    62,           "Overdrive", "Overdrive", 438,        3, {{25, 25, 1, 0, 3, 26, 4, 2, 34, 26}},
    kDistbParams, kDistbOrder, kDistbJacks, kDistbItems};

// "WaveWrap"
constexpr ParamSpec kWraperParams[] = {
    {"Wrap MA", 127, 0},
    {"Wrap gain", 127, 0},
};
constexpr uint8_t kWraperOrder[] = {0, 1};
constexpr JackSpec kWraperJacks[] = {
    {kIn, kAudio, 200, 27},
    {kIn, kAudio, 65, 22},
    {kOut, kAudio, 238, 27},
};
constexpr ItemSpec kWraperItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 83, .y = 19},
    {.itemClass = ItemClass::BigKnob, .x = 115, .y = 12},
    {.itemClass = ItemClass::WrapGraph, .x = 155, .y = 3, .params = BoundParams(1, 1)},
};
constexpr ModuleTypeSpec kWraperType = {
    74,           "WaveWrap",   "Wave Wrapper", 508, 3, {{21, 0, 1, 1, 2, 22, 0, 0, 0, 26}}, kWraperParams,
    kWraperOrder, kWraperJacks, kWraperItems};

// "Quantizer"
constexpr ParamSpec kQuantParams[] = {
    {"Bits", 12, 12, ParamTextBits},
};
constexpr uint8_t kQuantOrder[] = {0};
constexpr JackSpec kQuantJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kQuantItems[] = {
    {.itemClass = ItemClass::UpDownButton, .x = 173, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 139, .y = 8, .size = 32, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kQuantType = {
    54,           "Quantizer", "Quantizer", 485,        2, {{4, 0, 1, 1, 0, 5, 0, 0, 0, 22}},
    kQuantParams, kQuantOrder, kQuantJacks, kQuantItems};

// "Delay"
constexpr ParamSpec kDelayParams[] = {
    {"Time MA", 127, 0},
    {"Time", 127, 64, ParamTextDelayTime},
};
constexpr uint8_t kDelayOrder[] = {0, 1};
constexpr JackSpec kDelayJacks[] = {
    {kIn, kAudio, 200, 27},
    {kIn, kControl, 68, 22},
    {kOut, kAudio, 238, 4},
    {kOut, kAudio, 238, 27},
};
constexpr ItemSpec kDelayItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 86, .y = 20},
    {.itemClass = ItemClass::MediumKnob, .x = 162, .y = 14},
    {.itemClass = ItemClass::DefaultText, .x = 113, .y = 16, .size = 47, .params = BoundParams(1, 1)},
};
constexpr ModuleTypeSpec kDelayType = {
    78,           "Delay",     "Delay line", 435,        3, {{60, 11, 2, 133, 131, 55, 3, 2, 12, 26}},
    kDelayParams, kDelayOrder, kDelayJacks,  kDelayItems};

// "Sample&Hold"
constexpr JackSpec kShJacks[] = {
    {kIn, kLogic, 164, 8},
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ModuleTypeSpec kShType = {
    53, "Sample&Hold", "Sample and hold", 496, 2, {{8, 0, 1, 0, 1, 9, 0, 0, 0, 18}}, {}, {}, kShJacks, {}};

// "Diode"
constexpr ParamSpec kDiodParams[] = {
    {"Type", 2, 0, ParamTextDiodeType},
};
constexpr uint8_t kDiodOrder[] = {0};
constexpr JackSpec kDiodJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kDiodItems[] = {
    {.itemClass = ItemClass::HorizontalBitmapRadioButton, .x = 105, .y = 7, .count = 3, .size = 25, .picture = 309},
};
constexpr ModuleTypeSpec kDiodType = {
    82,          "Diode",    "Diode processing", 436,       2, {{5, 0, 1, 0, 0, 6, 0, 0, 0, 22}},
    kDiodParams, kDiodOrder, kDiodJacks,         kDiodItems};

// "StChorus"
constexpr ParamSpec kUnisonParams[] = {
    {"Detune", 127, 64},
    {"Amount", 127, 64},
    {"Bypass", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kUnisonOrder[] = {0, 1, 2};
constexpr JackSpec kUnisonJacks[] = {
    {kIn, kAudio, 200, 15},
    {kOut, kAudio, 238, 4},
    {kOut, kAudio, 238, 27},
};
constexpr ItemSpec kUnisonItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 101, .y = 16},
    {.itemClass = ItemClass::MediumKnob, .x = 142, .y = 16},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 14, .size = 15, .text = "B"},
};
constexpr ModuleTypeSpec kUnisonType = {
    94,           "StChorus",   "Stereo chorus", 504, 3, {{60, 47, 2, 264, 145, 61, 2, 12, 48, 30}}, kUnisonParams,
    kUnisonOrder, kUnisonJacks, kUnisonItems};

// "Phaser"
constexpr ParamSpec kAllpassParams[] = {
    {"Phase Rate", 127, 60, ParamTextPhaserRate},
    {"Phaser LFO", 1, 1, ParamTextOnOff},
    {"C freq MA", 127, 0},
    {"Center frq", 127, 64, ParamTextFreq100To16k},
    {"Spread MA", 127, 0},
    {"Feedback", 127, 64, ParamTextBipolar},
    {"Peaks", 5, 2, ParamTextNumberPlusOne},
    {"Spread", 127, 64},
    {"Bypass", 1, 0, ParamTextOnOff},
    {"Depth", 127, 64},
    {"Input Lvl", 127, 127},
};
constexpr uint8_t kAllpassOrder[] = {0, 9, 3, 5, 7, 6, 10, 1, 2, 4, 8};
constexpr JackSpec kAllpassJacks[] = {
    {kIn, kAudio, 198, 86},
    {kIn, kControl, 89, 83},
    {kIn, kControl, 209, 55},
    {kOut, kAudio, 238, 86},
};
constexpr uint8_t kAllpassBound15[] = {7, 5, 6};
constexpr ItemSpec kAllpassItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 14, .y = 54},
    {.itemClass = ItemClass::CheckButton, .x = 53, .y = 78, .size = 25, .text = "LFO"},
    {.itemClass = ItemClass::SmallKnob, .x = 107, .y = 80},
    {.itemClass = ItemClass::BigKnob, .x = 93, .y = 40},
    {.itemClass = ItemClass::SmallKnob, .x = 226, .y = 53},
    {.itemClass = ItemClass::IndicatorKnob, .x = 148, .y = 24},
    {.itemClass = ItemClass::UpDownButton, .x = 157, .y = 75},
    {.itemClass = ItemClass::MediumKnob, .x = 182, .y = 51},
    {.itemClass = ItemClass::CheckButton, .x = 220, .y = 85, .size = 15, .text = "B"},
    {.itemClass = ItemClass::MediumKnob, .x = 55, .y = 38},
    {.itemClass = ItemClass::SmallKnob, .x = 172, .y = 81},
    {.itemClass = ItemClass::DefaultText, .x = 6, .y = 35, .size = 46, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 86, .y = 21, .size = 47, .params = BoundParams(3, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 142, .y = 78, .size = 13, .params = BoundParams(6, 1)},
    {.itemClass = ItemClass::ClipLed, .x = 241, .y = 78, .role = ItemRole::StateLed},
    {.itemClass = ItemClass::PhaserGraph, .x = 188, .y = 3, .params = kAllpassBound15},
};
constexpr ModuleTypeSpec kAllpassType = {
    102,           "Phaser",      "Phaser",     421, 7, {{86, 36, 1, 9, 12, 87, 8, 4, 37, 62}}, kAllpassParams,
    kAllpassOrder, kAllpassJacks, kAllpassItems};

// "InvLevShift"
constexpr ParamSpec kBalunParams[] = {
    {"Shift", 2, 2, ParamTextShift},
    {"Invert", 1, 0, ParamTextInvert},
};
constexpr uint8_t kBalunOrder[] = {1, 0};
constexpr JackSpec kBalunJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kBalunItems[] = {
    {.itemClass = ItemClass::HorizontalBitmapRadioButton, .x = 119, .y = 6, .count = 3, .size = 25, .picture = 308},
    {.itemClass = ItemClass::CheckButton, .x = 87, .y = 6, .size = 25, .text = "Inv"},
};
constexpr ModuleTypeSpec kBalunType = {57,
                                       "InvLevShift",
                                       "Level shifter / Inverter",
                                       426,
                                       2,
                                       {{4, 0, 1, 1, 1, 5, 0, 0, 0, 26}},
                                       kBalunParams,
                                       kBalunOrder,
                                       kBalunJacks,
                                       kBalunItems};

// "Shaper"
constexpr ParamSpec kVeldynParams[] = {
    {"Curve", 4, 2, ParamTextShaperCurve},
};
constexpr uint8_t kVeldynOrder[] = {0};
constexpr JackSpec kVeldynJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kVeldynItems[] = {
    {.itemClass = ItemClass::HorizontalBitmapRadioButton, .x = 85, .y = 7, .count = 5, .size = 22, .picture = 310},
};
constexpr ModuleTypeSpec kVeldynType = {
    83,           "Shaper",     "Signal shaper", 506, 2, {{15, 0, 1, 3, 1, 17, 0, 0, 0, 22}}, kVeldynParams,
    kVeldynOrder, kVeldynJacks, kVeldynItems};

// "Compressor"
constexpr ParamSpec kCompresParams[] = {
    {"Attack", 127, 0, ParamTextDynAttack, kNoMorph},
    {"Release", 127, 20, ParamTextDynRelease, kNoMorph},
    {"Threshold", 42, 18, ParamTextCompThreshold, kNoMorph},
    {"Ratio", 66, 20, ParamTextDynRatio, kNoMorph},
    {"Ref Level", 42, 30, ParamTextRefLevel, kNoMorph},
    {"Limiter", 24, 12, ParamTextLimiter, kNoMorph},
    {"SC Active", 1, 0, ParamTextOnOff, kNoMorph},
    {"SC Monitor", 1, 0, ParamTextOnOff, kNoMorph},
    {"Bypass", 1, 0, ParamTextOnOff, kNoMorph},
};
constexpr uint8_t kCompresOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
constexpr JackSpec kCompresJacks[] = {
    {kIn, kAudio, 4, 16}, {kIn, kAudio, 4, 33}, {kIn, kAudio, 29, 16}, {kOut, kAudio, 238, 69}, {kOut, kAudio, 238, 87},
};
constexpr ItemSpec kCompresItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 9, .y = 78},
    {.itemClass = ItemClass::MediumKnob, .x = 48, .y = 78},
    {.itemClass = ItemClass::MediumKnob, .x = 86, .y = 78},
    {.itemClass = ItemClass::MediumKnob, .x = 121, .y = 78},
    {.itemClass = ItemClass::MediumKnob, .x = 157, .y = 78},
    {.itemClass = ItemClass::MediumKnob, .x = 199, .y = 78},
    {.itemClass = ItemClass::CheckButton, .x = 32, .y = 33, .size = 27, .text = "Act"},
    {.itemClass = ItemClass::CheckButton, .x = 66, .y = 33, .size = 27, .text = "Mon"},
    {.itemClass = ItemClass::CheckButton, .x = 237, .y = 52, .size = 15, .text = "B"},
    {.itemClass = ItemClass::DefaultText, .x = 2, .y = 61, .size = 38, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 42, .y = 61, .size = 35, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 79, .y = 61, .size = 37, .params = BoundParams(2, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 118, .y = 61, .size = 30, .params = BoundParams(3, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 150, .y = 61, .size = 37, .params = BoundParams(4, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 192, .y = 61, .size = 37, .params = BoundParams(5, 1)},
    {.itemClass = ItemClass::CompressorGraph, .x = 97, .y = 3, .params = BoundParams(0, 9)},
    {.itemClass = ItemClass::CompMeter, .x = 150, .y = 14},
    {.itemClass = ItemClass::GreenLed, .x = 217, .y = 35},
};
constexpr ModuleTypeSpec kCompresType = {21,
                                         "Compressor",
                                         "Compressor",
                                         432,
                                         7,
                                         {{65, 0, 2, 8, 8, 66, 0, 0, 0, 54}},
                                         kCompresParams,
                                         kCompresOrder,
                                         kCompresJacks,
                                         kCompresItems};

// "Expander"
constexpr ParamSpec kExpandParams[] = {
    {"Attack", 127, 0, ParamTextDynAttack, kNoMorph},
    {"Release", 127, 20, ParamTextDynRelease, kNoMorph},
    {"Threshold", 84, 24, ParamTextExpThreshold, kNoMorph},
    {"Ratio", 66, 20, ParamTextDynRatio, kNoMorph},
    {"Gate", 72, 0, ParamTextExpThreshold, kNoMorph},
    {"Gate Hold", 127, 0, ParamTextGateHold, kNoMorph},
    {"SC Active", 1, 0, ParamTextOnOff, kNoMorph},
    {"SC Monitor", 1, 0, ParamTextOnOff, kNoMorph},
    {"Bypass", 1, 0, ParamTextOnOff, kNoMorph},
};
constexpr uint8_t kExpandOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
constexpr JackSpec kExpandJacks[] = {
    {kIn, kAudio, 4, 18}, {kIn, kAudio, 4, 35}, {kIn, kAudio, 30, 18}, {kOut, kAudio, 238, 68}, {kOut, kAudio, 238, 87},
};
constexpr ItemSpec kExpandItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 9, .y = 78},
    {.itemClass = ItemClass::MediumKnob, .x = 48, .y = 78},
    {.itemClass = ItemClass::MediumKnob, .x = 86, .y = 78},
    {.itemClass = ItemClass::MediumKnob, .x = 121, .y = 78},
    {.itemClass = ItemClass::MediumKnob, .x = 161, .y = 78},
    {.itemClass = ItemClass::MediumKnob, .x = 200, .y = 78},
    {.itemClass = ItemClass::CheckButton, .x = 31, .y = 35, .size = 25, .text = "Act"},
    {.itemClass = ItemClass::CheckButton, .x = 66, .y = 35, .size = 25, .text = "Mon"},
    {.itemClass = ItemClass::CheckButton, .x = 237, .y = 52, .size = 15, .text = "B"},
    {.itemClass = ItemClass::DefaultText, .x = 2, .y = 62, .size = 38, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 42, .y = 62, .size = 35, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 79, .y = 62, .size = 37, .params = BoundParams(2, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 118, .y = 62, .size = 30, .params = BoundParams(3, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 154, .y = 62, .size = 37, .params = BoundParams(4, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 193, .y = 62, .size = 37, .params = BoundParams(5, 1)},
    {.itemClass = ItemClass::ExpanderGraph, .x = 96, .y = 3, .params = BoundParams(0, 9)},
    {.itemClass = ItemClass::ExpanderMeter, .x = 150, .y = 15},
    {.itemClass = ItemClass::GreenLed, .x = 220, .y = 36},
};
constexpr ModuleTypeSpec kExpandType = {
    105,           "Expander",   "Expander",   449,         7, {{65, 0, 2, 10, 9, 66, 0, 0, 0, 54}},
    kExpandParams, kExpandOrder, kExpandJacks, kExpandItems};

// "RingMod"
constexpr ParamSpec kAmParams[] = {
    {"Depth MA", 127, 0},
    {"Depth", 127, 64, ParamTextRingModDepth},
};
constexpr uint8_t kAmOrder[] = {0, 1};
constexpr JackSpec kAmJacks[] = {
    {kIn, kAudio, 200, 27},
    {kIn, kAudio, 219, 4},
    {kIn, kAudio, 93, 22},
    {kOut, kAudio, 238, 27},
};
constexpr ItemSpec kAmItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 111, .y = 20},
    {.itemClass = ItemClass::IndicatorKnob, .x = 150, .y = 12},
};
constexpr ModuleTypeSpec kAmType = {117,       "RingMod", "Ring and amplitude modulator",
                                    422,       3,         {{15, 0, 1, 1, 2, 16, 0, 0, 0, 26}},
                                    kAmParams, kAmOrder,  kAmJacks,
                                    kAmItems};

// "Digitizer"
constexpr ParamSpec kResampParams[] = {
    {"Bits", 11, 11, ParamTextNumberPlusOne},
    {"SampleRate", 127, 64, ParamTextFreqHigh},
    {"SRate MA", 127, 0},
    {"Bits OnOff", 1, 0},
    {"Rate OnOff", 1, 0},
};
constexpr uint8_t kResampOrder[] = {0, 1, 2, 3, 4};
constexpr JackSpec kResampJacks[] = {
    {kIn, kAudio, 200, 27},
    {kIn, kControl, 128, 23},
    {kOut, kAudio, 238, 27},
};
constexpr ItemSpec kResampItems[] = {
    {.itemClass = ItemClass::UpDownButton, .x = 69, .y = 18},
    {.itemClass = ItemClass::MediumKnob, .x = 174, .y = 15},
    {.itemClass = ItemClass::SmallKnob, .x = 146, .y = 20},
    {.itemClass = ItemClass::CheckButton, .x = 7, .y = 26, .size = 25, .text = "Off"},
    {.itemClass = ItemClass::CheckButton, .x = 91, .y = 19, .size = 25, .text = "Off"},
    {.itemClass = ItemClass::DefaultText, .x = 36, .y = 26, .size = 32, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 119, .y = 4, .size = 56, .params = BoundParams(1, 1)},
};
constexpr ModuleTypeSpec kResampType = {
    118,           "Digitizer",  "Digitizer",  490,         3, {{27, 0, 1, 4, 3, 28, 0, 0, 0, 38}},
    kResampParams, kResampOrder, kResampJacks, kResampItems};

} // namespace

CBModuleDista::CBModuleDista() : CBuildModuleOf(kDistaType) { }

CBModuleDistb::CBModuleDistb() : CBuildModuleOf(kDistbType) { }

CBModuleWraper::CBModuleWraper() : CBuildModuleOf(kWraperType) { }

CBModuleQuant::CBModuleQuant() : CBuildModuleOf(kQuantType) { }

CBModuleDelay::CBModuleDelay() : CBuildModuleOf(kDelayType) { }

CBModuleSh::CBModuleSh() : CBuildModuleOf(kShType) { }

CBModuleDiod::CBModuleDiod() : CBuildModuleOf(kDiodType) { }

CBModuleUnison::CBModuleUnison() : CBuildModuleOf(kUnisonType) { }

CBModuleAllpass::CBModuleAllpass() : CBuildModuleOf(kAllpassType) { }

CBModuleBalun::CBModuleBalun() : CBuildModuleOf(kBalunType) { }

CBModuleVeldyn::CBModuleVeldyn() : CBuildModuleOf(kVeldynType) { }

CBModuleCompres::CBModuleCompres() : CBuildModuleOf(kCompresType) { }

CBModuleExpand::CBModuleExpand() : CBuildModuleOf(kExpandType) { }

CBModuleAm::CBModuleAm() : CBuildModuleOf(kAmType) { }

CBModuleResamp::CBModuleResamp() : CBuildModuleOf(kResampType) { }
