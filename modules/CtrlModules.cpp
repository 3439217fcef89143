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
    return std::string(kPlusMinusSign) + FloatToString((v + 1) * 0.5, 0) + (v > 64 ? "*" : "");
}

std::string ParamTextMixShape(uint8_t v)
{
    return v == 0 ? "Exp" : "Lin";
}

std::string ParamTextNoteVelGain(uint8_t v)
{
    return IntToString(v - 24) + "dB";
}

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
constexpr ItemSpec kConstItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 184, .y = 5},
    {.itemClass = ItemClass::CheckButton, .x = 100, .y = 8, .size = 27, .text = "Uni"},
    {.itemClass = ItemClass::DefaultText, .x = 141, .y = 8, .size = 40, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kConstType = {
    43,           "Constant",  "Constant",  433,        2, {{0, 0, 1, 0, 0, 0, 0, 0, 0, 26}},
    kConstParams, kConstOrder, kConstJacks, kConstItems};

// "Smooth"
constexpr ParamSpec kSmoothParams[] = {
    {"Time", 127, 64, ParamTextTime},
};
constexpr uint8_t kSmoothOrder[] = {0};
constexpr JackSpec kSmoothJacks[] = {
    {kIn, kControl, 200, 8},
    {kOut, kControl, 238, 8},
};
constexpr ItemSpec kSmoothItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 159, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 109, .y = 7, .size = 47, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kSmoothType = {
    39,           "Smooth",     "Smooth",    499, 2, {{0, 7, 1, 0, 0, 0, 1, 1, 8, 22}}, kSmoothParams,
    kSmoothOrder, kSmoothJacks, kSmoothItems};

// "PortamentoA"
constexpr ParamSpec kSlideParams[] = {
    {"Time", 127, 64, ParamTextEnvTime},
};
constexpr uint8_t kSlideOrder[] = {0};
constexpr JackSpec kSlideJacks[] = {
    {kIn, kControl, 200, 8},
    {kIn, kLogic, 178, 8, "On"},
    {kOut, kControl, 238, 8},
};
constexpr ItemSpec kSlideItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 121, .y = 5},
};
constexpr ModuleTypeSpec kSlideType = {
    48,           "PortamentoA", "PortamentoA", 497,        2, {{0, 14, 1, 0, 0, 0, 1, 3, 15, 22}},
    kSlideParams, kSlideOrder,   kSlideJacks,   kSlideItems};

// "PortamentoB"
constexpr ParamSpec kSlide2Params[] = {
    {"Time", 127, 64, ParamTextEnvTime},
};
constexpr uint8_t kSlide2Order[] = {0};
constexpr JackSpec kSlide2Jacks[] = {
    {kIn, kControl, 200, 8},
    {kIn, kLogic, 178, 8, "Jmp"},
    {kOut, kControl, 238, 8},
};
constexpr ItemSpec kSlide2Items[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 121, .y = 5},
};
constexpr ModuleTypeSpec kSlide2Type = {
    16,           "PortamentoB", "PortamentoB", 498, 2, {{0, 16, 1, 0, 0, 0, 2, 3, 17, 22}}, kSlide2Params,
    kSlide2Order, kSlide2Jacks,  kSlide2Items};

// "NoteScaler"
constexpr ParamSpec kScale3Params[] = {
    {"Range", 127, 0, ParamTextNoteScalerRange},
};
constexpr uint8_t kScale3Order[] = {0};
constexpr JackSpec kScale3Jacks[] = {
    {kIn, kControl, 200, 8},
    {kOut, kControl, 238, 8},
};
constexpr ItemSpec kScale3Items[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 158, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 96, .y = 7, .size = 58, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kScale3Type = {
    72,           "NoteScaler", "Note scaler", 491, 2, {{0, 4, 1, 0, 0, 0, 1, 1, 5, 22}}, kScale3Params,
    kScale3Order, kScale3Jacks, kScale3Items};

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
constexpr ItemSpec kNoteqItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 124, .y = 4, .faceLabel = "Range"},
    {.itemClass = ItemClass::UpDownButton, .x = 182, .y = 7, .faceLabel = "Notes"},
    {.itemClass = ItemClass::DefaultText, .x = 156, .y = 12, .size = 25, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 88, .y = 12, .size = 35, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kNoteqType = {
    75,           "NoteQuant", "Note quantizer", 483,        2, {{0, 13, 1, 0, 0, 0, 2, 1, 14, 26}},
    kNoteqParams, kNoteqOrder, kNoteqJacks,      kNoteqItems};

// "KeyQuant"
constexpr ParamSpec kScaleqntParams[] = {
    {"Range", 127, 127, ParamTextPlusMinus}, {"Cont mode", 1, 0, ParamTextOnOff}, {"Note E", 1, 0, ParamTextOnOff},
    {"Note F", 1, 0, ParamTextOnOff},        {"Note F#", 1, 0, ParamTextOnOff},   {"Note G", 1, 0, ParamTextOnOff},
    {"Note G#", 1, 0, ParamTextOnOff},       {"Note A", 1, 0, ParamTextOnOff},    {"Note Bb", 1, 0, ParamTextOnOff},
    {"Note B", 1, 0, ParamTextOnOff},        {"Note C", 1, 0, ParamTextOnOff},    {"Note C#", 1, 0, ParamTextOnOff},
    {"Note D", 1, 0, ParamTextOnOff},        {"Note D#", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kScaleqntOrder[] = {0, 10, 11, 12, 13, 2, 3, 4, 5, 6, 7, 8, 9, 1};
constexpr JackSpec kScaleqntJacks[] = {
    {kIn, kControl, 200, 42},
    {kOut, kControl, 238, 42},
};
constexpr ItemSpec kScaleqntItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 228, .y = 3},
    {.itemClass = ItemClass::CheckButton, .x = 196, .y = 23, .size = 28, .text = "Cont"},
    {.itemClass = ItemClass::CheckButton, .x = 63, .y = 35, .size = 20, .text = "E"},
    {.itemClass = ItemClass::CheckButton, .x = 85, .y = 35, .size = 20, .text = "F"},
    {.itemClass = ItemClass::CheckButton, .x = 96, .y = 20, .size = 20, .text = "F#"},
    {.itemClass = ItemClass::CheckButton, .x = 107, .y = 35, .size = 20, .text = "G"},
    {.itemClass = ItemClass::CheckButton, .x = 118, .y = 20, .size = 20, .text = "G#"},
    {.itemClass = ItemClass::CheckButton, .x = 129, .y = 35, .size = 20, .text = "A"},
    {.itemClass = ItemClass::CheckButton, .x = 140, .y = 20, .size = 20, .text = "Bb"},
    {.itemClass = ItemClass::CheckButton, .x = 151, .y = 35, .size = 20, .text = "B"},
    {.itemClass = ItemClass::CheckButton, .x = 19, .y = 35, .size = 20, .text = "C"},
    {.itemClass = ItemClass::CheckButton, .x = 29, .y = 20, .size = 20, .text = "C#"},
    {.itemClass = ItemClass::CheckButton, .x = 41, .y = 35, .size = 20, .text = "D"},
    {.itemClass = ItemClass::CheckButton, .x = 51, .y = 20, .size = 20, .text = "D#"},
    {.itemClass = ItemClass::DefaultText, .x = 192, .y = 6, .size = 35, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kScaleqntType = {98,
                                          "KeyQuant",
                                          "Key quantizer",
                                          492,
                                          4,
                                          {{0, 42, 1, 0, 0, 0, 15, 15, 43, 74}},
                                          kScaleqntParams,
                                          kScaleqntOrder,
                                          kScaleqntJacks,
                                          kScaleqntItems};

// "PartialGen"
constexpr ParamSpec kHarmqntParams[] = {
    {"Range", 127, 127, ParamTextPartialRange},
};
constexpr uint8_t kHarmqntOrder[] = {0};
constexpr JackSpec kHarmqntJacks[] = {
    {kIn, kControl, 200, 8},
    {kOut, kControl, 238, 8},
};
constexpr ItemSpec kHarmqntItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 164, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 115, .y = 7, .size = 45, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kHarmqntType = {22,
                                         "PartialGen",
                                         "Partial generator",
                                         457,
                                         2,
                                         {{0, 18, 1, 0, 0, 0, 4, 32, 19, 22}},
                                         kHarmqntParams,
                                         kHarmqntOrder,
                                         kHarmqntJacks,
                                         kHarmqntItems};

// "ControlMixer"
constexpr ParamSpec kCtrlmixParams[] = {
    {"Invert 1", 1, 0, ParamTextOnOff},           {"Level 1", 127, 127},
    {"Invert 2", 1, 0, ParamTextOnOff},           {"Level 2", 127, 127},
    {"Shape", 1, 0, ParamTextMixShape, kNoMorph},
};
constexpr uint8_t kCtrlmixOrder[] = {0, 1, 2, 3, 4};
constexpr JackSpec kCtrlmixJacks[] = {
    {kIn, kControl, 133, 8},
    {kIn, kControl, 197, 8},
    {kOut, kControl, 238, 8},
};
constexpr ItemSpec kCtrlmixItems[] = {
    {.itemClass = ItemClass::CheckButton, .x = 111, .y = 7, .size = 20, .text = "Inv"},
    {.itemClass = ItemClass::SmallKnob, .x = 148, .y = 5},
    {.itemClass = ItemClass::CheckButton, .x = 175, .y = 7, .size = 20, .text = "Inv"},
    {.itemClass = ItemClass::SmallKnob, .x = 212, .y = 5},
    {.itemClass = ItemClass::CheckButton, .x = 84, .y = 7, .size = 20, .text = "Lin"},
};
constexpr ModuleTypeSpec kCtrlmixType = {66,
                                         "ControlMixer",
                                         "Control signal mixer",
                                         434,
                                         2,
                                         {{0, 5, 1, 0, 0, 0, 1, 1, 6, 38}},
                                         kCtrlmixParams,
                                         kCtrlmixOrder,
                                         kCtrlmixJacks,
                                         kCtrlmixItems};

// "NoteVelScal"
constexpr ParamSpec kAmpProcParams[] = {
    {"Vel Sens", 127, 0},
    {"Left Gain", 48, 24, ParamTextNoteVelGain},
    {"Brk Point", 127, 64, ParamTextNoteName},
    {"Right Gain", 48, 24, ParamTextNoteVelGain},
};
constexpr uint8_t kAmpProcOrder[] = {0, 1, 2, 3};
constexpr JackSpec kAmpProcJacks[] = {
    {kIn, kControl, 5, 42, "Vel"},
    {kIn, kControl, 29, 42, "Note"},
    {kOut, kControl, 238, 42},
};
constexpr ItemSpec kAmpProcItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 53, .y = 31, .faceLabel = "Vel Sens"},
    {.itemClass = ItemClass::MediumKnob, .x = 95, .y = 31, .faceLabel = "L Gain"},
    {.itemClass = ItemClass::MediumKnob, .x = 130, .y = 31},
    {.itemClass = ItemClass::MediumKnob, .x = 165, .y = 31, .faceLabel = "R Gain"},
    {.itemClass = ItemClass::AmpProcGraph, .x = 196, .y = 2, .params = BoundParams(1, 3)},
    {.itemClass = ItemClass::DefaultText, .x = 90, .y = 12, .size = 32, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 125, .y = 12, .size = 32, .params = BoundParams(2, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 160, .y = 12, .size = 32, .params = BoundParams(3, 1)},
};
constexpr ModuleTypeSpec kAmpProcType = {
    115,           "NoteVelScal", "Note and Vel Scaler", 424, 4, {{0, 27, 1, 0, 0, 0, 5, 5, 28, 34}}, kAmpProcParams,
    kAmpProcOrder, kAmpProcJacks, kAmpProcItems};

} // namespace

CBModuleConst::CBModuleConst() : CBuildModuleOf(kConstType) { }

CBModuleSmooth::CBModuleSmooth() : CBuildModuleOf(kSmoothType) { }

CBModuleSlide::CBModuleSlide() : CBuildModuleOf(kSlideType) { }

CBModuleSlide2::CBModuleSlide2() : CBuildModuleOf(kSlide2Type) { }

CBModuleScale3::CBModuleScale3() : CBuildModuleOf(kScale3Type) { }

CBModuleNoteq::CBModuleNoteq() : CBuildModuleOf(kNoteqType) { }

CBModuleScaleqnt::CBModuleScaleqnt() : CBuildModuleOf(kScaleqntType) { }

CBModuleHarmqnt::CBModuleHarmqnt() : CBuildModuleOf(kHarmqntType) { }

CBModuleCtrlmix::CBModuleCtrlmix() : CBuildModuleOf(kCtrlmixType) { }

CBModuleAmpProc::CBModuleAmpProc() : CBuildModuleOf(kAmpProcType) { }
