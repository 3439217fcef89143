#include "modules/AudioModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

#include <cmath>

namespace {

std::string Decibels(int32_t db) { return IntToString(db) + "dB"; }

} // namespace

std::string ParamTextBits(uint8_t v) { return v < 12 ? IntToString(v + 1) : "Off"; }

std::string ParamTextDelayTime(uint8_t v) { return FloatToString(v / 48.0, 2) + "ms"; }

std::string ParamTextDiodeType(uint8_t v) { return v == 0 ? "Off" : v == 1 ? "Half" : "Full"; }

std::string ParamTextPhaserRate(uint8_t v) { return ParamTextLfoRate(v, 1); }

std::string ParamTextShift(uint8_t v) { return v == 0 ? "No shift" : v == 1 ? "Shift down" : "Shift up"; }

std::string ParamTextInvert(uint8_t v) { return v == 0 ? "No invert" : "Invert"; }

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

std::string ParamTextCompThreshold(uint8_t v) { return v == 42 ? "Off" : Decibels(v - 30); }

std::string ParamTextDynRatio(uint8_t v)
{
    // Two decades of the same 35 steps: 1.0 .. 9.5, then 10 .. 80.
    const int32_t r = v % 35;
    const int32_t x = r < 10 ? r + 10 : r < 25 ? 2 * r : 5 * r - 75;
    return (v < 35 ? FloatToString(x / 10.0, 1) : IntToString(x)) + ":1";
}

std::string ParamTextRefLevel(uint8_t v) { return Decibels(v - 30); }

std::string ParamTextLimiter(uint8_t v) { return v == 24 ? "Off" : Decibels(v - 12); }

std::string ParamTextExpThreshold(uint8_t v) { return v == 0 ? "Off" : Decibels(v - 84); }

std::string ParamTextGateHold(uint8_t v) { return v == 0 ? "Off" : IntToString(4 * v) + "m"; }

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
constexpr ModuleTypeSpec kDistaType = {61, "Clip", "Clip", 437, 3, {{12, 0, 1, 1, 2, 13, 0, 0, 0, 30}}, kDistaParams, kDistaOrder, kDistaJacks};

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
constexpr ModuleTypeSpec kDistbType = {62, "Overdrive", "Overdrive", 438, 3, {{25, 25, 1, 0, 3, 26, 4, 2, 34, 26}}, kDistbParams, kDistbOrder, kDistbJacks};

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
constexpr ModuleTypeSpec kWraperType = {74, "WaveWrap", "Wave Wrapper", 508, 3, {{21, 0, 1, 1, 2, 22, 0, 0, 0, 26}}, kWraperParams, kWraperOrder, kWraperJacks};

// "Quantizer"
constexpr ParamSpec kQuantParams[] = {
    {"Bits", 12, 12, ParamTextBits},
};
constexpr uint8_t kQuantOrder[] = {0};
constexpr JackSpec kQuantJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ModuleTypeSpec kQuantType = {54, "Quantizer", "Quantizer", 485, 2, {{4, 0, 1, 1, 0, 5, 0, 0, 0, 22}}, kQuantParams, kQuantOrder, kQuantJacks};

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
constexpr ModuleTypeSpec kDelayType = {78, "Delay", "Delay line", 435, 3, {{60, 11, 2, 133, 131, 55, 3, 2, 12, 26}}, kDelayParams, kDelayOrder, kDelayJacks};

// "Sample&Hold"
constexpr JackSpec kShJacks[] = {
    {kIn, kLogic, 164, 8},
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ModuleTypeSpec kShType = {53, "Sample&Hold", "Sample and hold", 496, 2, {{8, 0, 1, 0, 1, 9, 0, 0, 0, 18}}, {}, {}, kShJacks};

// "Diode"
constexpr ParamSpec kDiodParams[] = {
    {"Type", 2, 0, ParamTextDiodeType},
};
constexpr uint8_t kDiodOrder[] = {0};
constexpr JackSpec kDiodJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ModuleTypeSpec kDiodType = {82, "Diode", "Diode processing", 436, 2, {{5, 0, 1, 0, 0, 6, 0, 0, 0, 22}}, kDiodParams, kDiodOrder, kDiodJacks};

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
constexpr ModuleTypeSpec kUnisonType = {94, "StChorus", "Stereo chorus", 504, 3, {{60, 47, 2, 264, 145, 61, 2, 12, 48, 30}}, kUnisonParams, kUnisonOrder, kUnisonJacks};

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
constexpr ModuleTypeSpec kAllpassType = {102, "Phaser", "Phaser", 421, 7, {{86, 36, 1, 9, 12, 87, 8, 4, 37, 62}}, kAllpassParams, kAllpassOrder, kAllpassJacks};

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
constexpr ModuleTypeSpec kBalunType = {57, "InvLevShift", "Level shifter / Inverter", 426, 2, {{4, 0, 1, 1, 1, 5, 0, 0, 0, 26}}, kBalunParams, kBalunOrder, kBalunJacks};

// "Shaper"
constexpr ParamSpec kVeldynParams[] = {
    {"Curve", 4, 2, ParamTextShaperCurve},
};
constexpr uint8_t kVeldynOrder[] = {0};
constexpr JackSpec kVeldynJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ModuleTypeSpec kVeldynType = {83, "Shaper", "Signal shaper", 506, 2, {{15, 0, 1, 3, 1, 17, 0, 0, 0, 22}}, kVeldynParams, kVeldynOrder, kVeldynJacks};

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
    {kIn, kAudio, 4, 16},
    {kIn, kAudio, 4, 33},
    {kIn, kAudio, 29, 16},
    {kOut, kAudio, 238, 69},
    {kOut, kAudio, 238, 87},
};
constexpr ModuleTypeSpec kCompresType = {21, "Compressor", "Compressor", 432, 7, {{65, 0, 2, 8, 8, 66, 0, 0, 0, 54}}, kCompresParams, kCompresOrder, kCompresJacks};

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
    {kIn, kAudio, 4, 18},
    {kIn, kAudio, 4, 35},
    {kIn, kAudio, 30, 18},
    {kOut, kAudio, 238, 68},
    {kOut, kAudio, 238, 87},
};
constexpr ModuleTypeSpec kExpandType = {105, "Expander", "Expander", 449, 7, {{65, 0, 2, 10, 9, 66, 0, 0, 0, 54}}, kExpandParams, kExpandOrder, kExpandJacks};

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
constexpr ModuleTypeSpec kAmType = {117, "RingMod", "Ring and amplitude modulator", 422, 3, {{15, 0, 1, 1, 2, 16, 0, 0, 0, 26}}, kAmParams, kAmOrder, kAmJacks};

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
constexpr ModuleTypeSpec kResampType = {118, "Digitizer", "Digitizer", 490, 3, {{27, 0, 1, 4, 3, 28, 0, 0, 0, 38}}, kResampParams, kResampOrder, kResampJacks};

} // namespace

CBModuleDista::CBModuleDista() : CBuildModule(kDistaType) {}

CBModuleDistb::CBModuleDistb() : CBuildModule(kDistbType) {}

CBModuleWraper::CBModuleWraper() : CBuildModule(kWraperType) {}

CBModuleQuant::CBModuleQuant() : CBuildModule(kQuantType) {}

CBModuleDelay::CBModuleDelay() : CBuildModule(kDelayType) {}

CBModuleSh::CBModuleSh() : CBuildModule(kShType) {}

CBModuleDiod::CBModuleDiod() : CBuildModule(kDiodType) {}

CBModuleUnison::CBModuleUnison() : CBuildModule(kUnisonType) {}

CBModuleAllpass::CBModuleAllpass() : CBuildModule(kAllpassType) {}

CBModuleBalun::CBModuleBalun() : CBuildModule(kBalunType) {}

CBModuleVeldyn::CBModuleVeldyn() : CBuildModule(kVeldynType) {}

CBModuleCompres::CBModuleCompres() : CBuildModule(kCompresType) {}

CBModuleExpand::CBModuleExpand() : CBuildModule(kExpandType) {}

CBModuleAm::CBModuleAm() : CBuildModule(kAmType) {}

CBModuleResamp::CBModuleResamp() : CBuildModule(kResampType) {}
