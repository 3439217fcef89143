#include "modules/CtrlModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

std::string ParamTextNoteScalerRange(uint8_t v)
{
    const int32_t step = v % 24;
    const char* interval = step == 0 ? " (Oct)" : step == 14 ? " (5th)" : step == 20 ? " (7th)" : "";
    return ParamTextPlusMinus(v) + interval;
}

std::string ParamTextPartialRange(uint8_t v)
{
    if (v == 0)
        return "0";
    return kPlusMinusSign + FloatToString((v + 1) * 0.5, 0) + (v > 64 ? "*" : "");
}

std::string ParamTextMixShape(uint8_t v) { return v == 0 ? "Exp" : "Lin"; }

std::string ParamTextNoteVelGain(uint8_t v) { return IntToString(v - 24) + "dB"; }

namespace {

using namespace ModuleTableNames;

// "Constant"
constexpr ParamSpec kConstParams[] = {
    {"Level", 127, 64, {ParamTextByPolarity, 1}},
    {"Polarity", 1, 0, ParamTextPolarity},
};
constexpr uint8_t kConstOrder[] = {0, 1};
constexpr JackSpec kConstJacks[] = {
    {kOut, kControl, 238, 8},
};
constexpr ModuleTypeSpec kConstType = {43, "Constant", "Constant", 433, 2, {{0, 0, 1, 0, 0, 0, 0, 0, 0, 26}}, kConstParams, kConstOrder, kConstJacks};

// "Smooth"
constexpr ParamSpec kSmoothParams[] = {
    {"Time", 127, 64, ParamTextTime},
};
constexpr uint8_t kSmoothOrder[] = {0};
constexpr JackSpec kSmoothJacks[] = {
    {kIn, kControl, 200, 8},
    {kOut, kControl, 238, 8},
};
constexpr ModuleTypeSpec kSmoothType = {39, "Smooth", "Smooth", 499, 2, {{0, 7, 1, 0, 0, 0, 1, 1, 8, 22}}, kSmoothParams, kSmoothOrder, kSmoothJacks};

// "PortamentoA"
constexpr ParamSpec kSlideParams[] = {
    {"Time", 127, 64, ParamTextEnvTime},
};
constexpr uint8_t kSlideOrder[] = {0};
constexpr JackSpec kSlideJacks[] = {
    {kIn, kControl, 200, 8},
    {kIn, kLogic, 178, 8},
    {kOut, kControl, 238, 8},
};
constexpr ModuleTypeSpec kSlideType = {48, "PortamentoA", "PortamentoA", 497, 2, {{0, 14, 1, 0, 0, 0, 1, 3, 15, 22}}, kSlideParams, kSlideOrder, kSlideJacks};

// "PortamentoB"
constexpr ParamSpec kSlide2Params[] = {
    {"Time", 127, 64, ParamTextEnvTime},
};
constexpr uint8_t kSlide2Order[] = {0};
constexpr JackSpec kSlide2Jacks[] = {
    {kIn, kControl, 200, 8},
    {kIn, kLogic, 178, 8},
    {kOut, kControl, 238, 8},
};
constexpr ModuleTypeSpec kSlide2Type = {16, "PortamentoB", "PortamentoB", 498, 2, {{0, 16, 1, 0, 0, 0, 2, 3, 17, 22}}, kSlide2Params, kSlide2Order, kSlide2Jacks};

// "NoteScaler"
constexpr ParamSpec kScale3Params[] = {
    {"Range", 127, 0, ParamTextNoteScalerRange},
};
constexpr uint8_t kScale3Order[] = {0};
constexpr JackSpec kScale3Jacks[] = {
    {kIn, kControl, 200, 8},
    {kOut, kControl, 238, 8},
};
constexpr ModuleTypeSpec kScale3Type = {72, "NoteScaler", "Note scaler", 491, 2, {{0, 4, 1, 0, 0, 0, 1, 1, 5, 22}}, kScale3Params, kScale3Order, kScale3Jacks};

// "NoteQuant"
constexpr ParamSpec kNoteqParams[] = {
    {"Range", 127, 127, ParamTextPlusMinus},
    {"Semitones", 127, 0, ParamTextNumberOrOff},
};
constexpr uint8_t kNoteqOrder[] = {0, 1};
constexpr JackSpec kNoteqJacks[] = {
    {kIn, kControl, 200, 8},
    {kOut, kControl, 238, 8},
};
constexpr ModuleTypeSpec kNoteqType = {75, "NoteQuant", "Note quantizer", 483, 2, {{0, 13, 1, 0, 0, 0, 2, 1, 14, 26}}, kNoteqParams, kNoteqOrder, kNoteqJacks};

// "KeyQuant"
constexpr ParamSpec kScaleqntParams[] = {
    {"Range", 127, 127, ParamTextPlusMinus},
    {"Cont mode", 1, 0, ParamTextOnOff},
    {"Note E", 1, 0, ParamTextOnOff},
    {"Note F", 1, 0, ParamTextOnOff},
    {"Note F#", 1, 0, ParamTextOnOff},
    {"Note G", 1, 0, ParamTextOnOff},
    {"Note G#", 1, 0, ParamTextOnOff},
    {"Note A", 1, 0, ParamTextOnOff},
    {"Note Bb", 1, 0, ParamTextOnOff},
    {"Note B", 1, 0, ParamTextOnOff},
    {"Note C", 1, 0, ParamTextOnOff},
    {"Note C#", 1, 0, ParamTextOnOff},
    {"Note D", 1, 0, ParamTextOnOff},
    {"Note D#", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kScaleqntOrder[] = {0, 10, 11, 12, 13, 2, 3, 4, 5, 6, 7, 8, 9, 1};
constexpr JackSpec kScaleqntJacks[] = {
    {kIn, kControl, 200, 42},
    {kOut, kControl, 238, 42},
};
constexpr ModuleTypeSpec kScaleqntType = {98, "KeyQuant", "Key quantizer", 492, 4, {{0, 42, 1, 0, 0, 0, 15, 15, 43, 74}}, kScaleqntParams, kScaleqntOrder, kScaleqntJacks};

// "PartialGen"
constexpr ParamSpec kHarmqntParams[] = {
    {"Range", 127, 127, ParamTextPartialRange},
};
constexpr uint8_t kHarmqntOrder[] = {0};
constexpr JackSpec kHarmqntJacks[] = {
    {kIn, kControl, 200, 8},
    {kOut, kControl, 238, 8},
};
constexpr ModuleTypeSpec kHarmqntType = {22, "PartialGen", "Partial generator", 457, 2, {{0, 18, 1, 0, 0, 0, 4, 32, 19, 22}}, kHarmqntParams, kHarmqntOrder, kHarmqntJacks};

// "ControlMixer"
constexpr ParamSpec kCtrlmixParams[] = {
    {"Invert 1", 1, 0, ParamTextOnOff},
    {"Level 1", 127, 127},
    {"Invert 2", 1, 0, ParamTextOnOff},
    {"Level 2", 127, 127},
    {"Shape", 1, 0, ParamTextMixShape, kNoMorph},
};
constexpr uint8_t kCtrlmixOrder[] = {0, 1, 2, 3, 4};
constexpr JackSpec kCtrlmixJacks[] = {
    {kIn, kControl, 133, 8},
    {kIn, kControl, 197, 8},
    {kOut, kControl, 238, 8},
};
constexpr ModuleTypeSpec kCtrlmixType = {66, "ControlMixer", "Control signal mixer", 434, 2, {{0, 5, 1, 0, 0, 0, 1, 1, 6, 38}}, kCtrlmixParams, kCtrlmixOrder, kCtrlmixJacks};

// "NoteVelScal"
constexpr ParamSpec kAmpProcParams[] = {
    {"Vel Sens", 127, 0},
    {"Left Gain", 48, 24, ParamTextNoteVelGain},
    {"Brk Point", 127, 64, ParamTextNoteName},
    {"Right Gain", 48, 24, ParamTextNoteVelGain},
};
constexpr uint8_t kAmpProcOrder[] = {0, 1, 2, 3};
constexpr JackSpec kAmpProcJacks[] = {
    {kIn, kControl, 5, 42},
    {kIn, kControl, 29, 42},
    {kOut, kControl, 238, 42},
};
constexpr ModuleTypeSpec kAmpProcType = {115, "NoteVelScal", "Note and Vel Scaler", 424, 4, {{0, 27, 1, 0, 0, 0, 5, 5, 28, 34}}, kAmpProcParams, kAmpProcOrder, kAmpProcJacks};

} // namespace

CBModuleConst::CBModuleConst() : CBuildModule(kConstType) {}

CBModuleSmooth::CBModuleSmooth() : CBuildModule(kSmoothType) {}

CBModuleSlide::CBModuleSlide() : CBuildModule(kSlideType) {}

CBModuleSlide2::CBModuleSlide2() : CBuildModule(kSlide2Type) {}

CBModuleScale3::CBModuleScale3() : CBuildModule(kScale3Type) {}

CBModuleNoteq::CBModuleNoteq() : CBuildModule(kNoteqType) {}

CBModuleScaleqnt::CBModuleScaleqnt() : CBuildModule(kScaleqntType) {}

CBModuleHarmqnt::CBModuleHarmqnt() : CBuildModule(kHarmqntType) {}

CBModuleCtrlmix::CBModuleCtrlmix() : CBuildModule(kCtrlmixType) {}

CBModuleAmpProc::CBModuleAmpProc() : CBuildModule(kAmpProcType) {}
