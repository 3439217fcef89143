#include "modules/LfoModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

std::string ParamTextClockBpm(uint8_t v)
{
    // Three linear pieces: 24 .. 86, 88 .. 152, 154 .. 214 BPM.
    const int32_t bpm = v <= 31 ? 2 * v + 24 : v <= 96 ? v + 56 : 2 * v - 40;
    return IntToString(bpm) + " BPM";
}

std::string ParamTextPatternStep(uint8_t v)
{
    return v == 0 ? "Off" : IntToString(v + 1);
}

std::string ParamTextPatternDelta(uint8_t v)
{
    return v == 0 ? "High" : "Low";
}

std::string ParamTextRandomColor(uint8_t v)
{
    return v == 0 ? "White" : "Colored";
}

namespace {

using namespace ModuleTableNames;

// "LFOA"
constexpr ParamSpec kLfoaParams[] = {
    {"Rate", 127, 64, {ParamTextLfoRate, 1}},
    {"Range", 2, 1, ParamTextLfoRange, kNoMorph},
    {"Waveform", 4, 0},
    {"Rate MA", 127, 0},
    {"Mono", 1, 0, ParamTextOnOff, kNoMorph},
    {"KBT", 127, 0, ParamTextKeyTrack},
    {"Phase", 127, 64, ParamTextPhase},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kLfoaOrder[] = {0, 1, 2, 3, 4, 5, 6, 7};
constexpr JackSpec kLfoaJacks[] = {
    {kIn, kControl, 24, 50},
    {kIn, kLogic, 7, 27},
    {kOut, kSlave, 7, 57},
    {kOut, kControl, 238, 57},
};
constexpr uint8_t kLfoaBound10[] = {6, 2};
constexpr ItemSpec kLfoaItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 66, .y = 37},
    {.itemClass = ItemClass::VerticalRadioButton, .x = 100, .y = 23, .count = 3, .size = 20, .text = "Sub,Lo,Hi"},
    {.itemClass = ItemClass::HorizontalBitmapRadioButton, .x = 156, .y = 32, .count = 5, .size = 19, .picture = 302},
    {.itemClass = ItemClass::SmallKnob, .x = 42, .y = 47},
    {.itemClass = ItemClass::CheckButton, .x = 96, .y = 4, .size = 28, .text = "Mono"},
    {.itemClass = ItemClass::IndicatorKnob, .x = 126, .y = 40},
    {.itemClass = ItemClass::MediumKnob, .x = 172, .y = 5},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 56, .size = 15, .text = "M"},
    {.itemClass = ItemClass::DefaultText, .x = 46, .y = 18, .size = 47, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::GreenLed, .x = 241, .y = 49, .role = ItemRole::StateLed},
    {.itemClass = ItemClass::LFOAGraph, .x = 200, .y = 5, .params = kLfoaBound10},
    {.itemClass = ItemClass::DefaultText, .x = 136, .y = 11, .size = 33, .params = BoundParams(6, 1)},
};
constexpr ModuleTypeSpec kLfoaType = {
    24, "LFOA", "LFO A", 460, 5, {{0, 56, 2, 0, 0, 0, 8, 3, 87, 50}}, kLfoaParams, kLfoaOrder, kLfoaJacks, kLfoaItems};

// "LFOB"
constexpr ParamSpec kLfobParams[] = {
    {"Rate", 127, 64, {ParamTextLfoRate, 1}},
    {"Range", 2, 1, ParamTextLfoRange, kNoMorph},
    {"Phase", 127, 64, ParamTextPhase},
    {"Rate MA", 127, 0},
    {"Mono", 1, 0, ParamTextOnOff, kNoMorph},
    {"KBT", 127, 0, ParamTextKeyTrack},
    {"Pulse w MA", 127, 0},
    {"Pulse wdth", 127, 64, ParamTextPercent},
};
constexpr uint8_t kLfobOrder[] = {0, 1, 2, 3, 4, 5, 6, 7};
constexpr JackSpec kLfobJacks[] = {
    {kIn, kControl, 24, 50},   {kIn, kLogic, 7, 28},  {kIn, kControl, 162, 48},
    {kOut, kControl, 238, 58}, {kOut, kSlave, 7, 58},
};
constexpr uint8_t kLfobBound10[] = {2, 7};
constexpr ItemSpec kLfobItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 66, .y = 38},
    {.itemClass = ItemClass::VerticalRadioButton, .x = 101, .y = 24, .count = 3, .size = 20, .text = "Sub,Lo,Hi"},
    {.itemClass = ItemClass::MediumKnob, .x = 172, .y = 5},
    {.itemClass = ItemClass::SmallKnob, .x = 42, .y = 48},
    {.itemClass = ItemClass::CheckButton, .x = 97, .y = 5, .size = 28, .text = "Mono"},
    {.itemClass = ItemClass::IndicatorKnob, .x = 127, .y = 42},
    {.itemClass = ItemClass::SmallKnob, .x = 180, .y = 45},
    {.itemClass = ItemClass::IndicatorKnob, .x = 204, .y = 37},
    {.itemClass = ItemClass::DefaultText, .x = 46, .y = 17, .size = 47, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::GreenLed, .x = 241, .y = 49, .role = ItemRole::StateLed},
    {.itemClass = ItemClass::LFOBGraph, .x = 200, .y = 5, .params = kLfobBound10},
    {.itemClass = ItemClass::DefaultText, .x = 136, .y = 11, .size = 32, .params = BoundParams(2, 1)},
};
constexpr ModuleTypeSpec kLfobType = {
    25, "LFOB", "LFO B", 461, 5, {{0, 37, 2, 0, 0, 0, 7, 4, 38, 50}}, kLfobParams, kLfobOrder, kLfobJacks, kLfobItems};

// "LFOC"
constexpr ParamSpec kLfocParams[] = {
    {"Rate", 127, 64, {ParamTextLfoRate, 1}}, {"Range", 2, 1, ParamTextLfoRange, kNoMorph},
    {"Waveform", 4, 0, ParamTextWaveSawN},    {"Rate MA", 127, 0},
    {"Mono", 1, 0, ParamTextOnOff, kNoMorph}, {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kLfocOrder[] = {0, 1, 2, 3, 4, 5};
constexpr JackSpec kLfocJacks[] = {
    {kIn, kControl, 29, 38},
    {kOut, kControl, 238, 42},
    {kOut, kSlave, 4, 42},
};
constexpr ItemSpec kLfocItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 98, .y = 20},
    {.itemClass = ItemClass::VerticalRadioButton, .x = 131, .y = 9, .count = 3, .size = 20, .text = "Sub,Lo,Hi"},
    {.itemClass = ItemClass::HorizontalBitmapRadioButton, .x = 156, .y = 5, .count = 5, .size = 19, .picture = 302},
    {.itemClass = ItemClass::SmallKnob, .x = 47, .y = 35},
    {.itemClass = ItemClass::CheckButton, .x = 178, .y = 31, .size = 28, .text = "Mono"},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 41, .size = 15, .text = "M"},
    {.itemClass = ItemClass::DefaultText, .x = 49, .y = 17, .size = 47, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::GreenLed, .x = 241, .y = 33, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kLfocType = {
    26, "LFOC", "LFO C", 462, 4, {{0, 46, 2, 0, 0, 0, 7, 2, 66, 42}}, kLfocParams, kLfocOrder, kLfocJacks, kLfocItems};

// "LFOSlvA"
constexpr ParamSpec kLfohParams[] = {
    {"Rate mul", 127, 64, ParamTextCentred},  {"Phase", 127, 64, ParamTextPhase}, {"Waveform", 4, 0, ParamTextWaveSawN},
    {"Mono", 1, 0, ParamTextOnOff, kNoMorph}, {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kLfohOrder[] = {0, 1, 2, 3, 4};
constexpr JackSpec kLfohJacks[] = {
    {kIn, kSlave, 7, 21},
    {kIn, kLogic, 7, 42},
    {kOut, kControl, 238, 42},
};
constexpr ItemSpec kLfohItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 88, .y = 22},
    {.itemClass = ItemClass::MediumKnob, .x = 172, .y = 5},
    {.itemClass = ItemClass::HorizontalBitmapRadioButton, .x = 122, .y = 37, .count = 5, .size = 19, .picture = 302},
    {.itemClass = ItemClass::CheckButton, .x = 48, .y = 40, .size = 28, .text = "Mono"},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 41, .size = 15, .text = "M"},
    {.itemClass = ItemClass::SlaveLfoText, .x = 40, .y = 18, .size = 47, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::GreenLed, .x = 241, .y = 33, .role = ItemRole::StateLed},
    {.itemClass = ItemClass::SlaveLFOAGraph, .x = 200, .y = 5, .params = BoundParams(0, 3)},
    {.itemClass = ItemClass::DefaultText, .x = 139, .y = 12, .size = 31, .params = BoundParams(1, 1)},
};
constexpr ModuleTypeSpec kLfohType = {
    80,          "LFOSlvA",  "LFO Slave A", 467,       4, {{0, 38, 257, 0, 0, 0, 6, 3, 69, 39}},
    kLfohParams, kLfohOrder, kLfohJacks,    kLfohItems};

// "LFOSlvB"
constexpr ParamSpec kLfodParams[] = {
    {"Rate mul", 127, 64, ParamTextCentred},
};
constexpr uint8_t kLfodOrder[] = {0};
constexpr JackSpec kLfodJacks[] = {
    {kIn, kSlave, 112, 8},
    {kOut, kControl, 238, 12},
};
constexpr ItemSpec kLfodItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 181, .y = 5},
    {.itemClass = ItemClass::SlaveLfoText, .x = 131, .y = 7, .size = 47, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::GreenLed, .x = 241, .y = 3, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kLfodType = {
    27,          "LFOSlvB",  "LFO Slave B", 463,       2, {{0, 11, 257, 0, 0, 0, 1, 2, 12, 23}},
    kLfodParams, kLfodOrder, kLfodJacks,    kLfodItems};

// "LFOSlvC"
// The panel and tables of "LFOSlvB".
constexpr ModuleTypeSpec kLfoeType = {
    28,          "LFOSlvC",  "LFO Slave C", 464,       2, {{0, 24, 257, 0, 0, 0, 5, 2, 25, 23}},
    kLfodParams, kLfodOrder, kLfodJacks,    kLfodItems};

// "LFOSlvD"
// The panel and tables of "LFOSlvB".
constexpr ModuleTypeSpec kLfofType = {
    29,          "LFOSlvD",  "LFO Slave D", 465,       2, {{0, 11, 257, 0, 0, 0, 2, 2, 12, 23}},
    kLfodParams, kLfodOrder, kLfodJacks,    kLfodItems};

// "LFOSlvE"
// The panel and tables of "LFOSlvB".
constexpr ModuleTypeSpec kLfogType = {
    30,          "LFOSlvE",  "LFO Slave E", 466,       2, {{0, 10, 257, 0, 0, 0, 2, 2, 11, 23}},
    kLfodParams, kLfodOrder, kLfodJacks,    kLfodItems};

// "ClkGen"
constexpr ParamSpec kClkgenParams[] = {
    {"Rate", 127, 64, ParamTextClockBpm},
    {"Active", 1, 1, ParamTextOnOff, kNoMorph},
};
constexpr uint8_t kClkgenOrder[] = {0, 1};
constexpr JackSpec kClkgenJacks[] = {
    {kIn, kLogic, 7, 15},  {kOut, kLogic, 238, 3},  {kOut, kLogic, 238, 16},
    {kOut, kSlave, 7, 29}, {kOut, kLogic, 238, 29},
};
constexpr ItemSpec kClkgenItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 128, .y = 17},
    {.itemClass = ItemClass::CheckButton, .x = 154, .y = 19, .size = 25, .text = "On"},
    {.itemClass = ItemClass::DefaultText, .x = 70, .y = 19, .size = 55, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kClkgenType = {
    68,           "ClkGen",     "Clock generator", 429, 3, {{0, 31, 4, 0, 0, 0, 6, 4, 28, 26}}, kClkgenParams,
    kClkgenOrder, kClkgenJacks, kClkgenItems};

// "ClkRndGen"
constexpr ParamSpec kRandomaParams[] = {
    {"Mono", 1, 0, ParamTextOnOff, kNoMorph},
    {"Color", 1, 0, ParamTextRandomColor},
};
constexpr uint8_t kRandomaOrder[] = {0, 1};
constexpr JackSpec kRandomaJacks[] = {
    {kIn, kLogic, 200, 8},
    {kOut, kControl, 238, 8},
};
constexpr ItemSpec kRandomaItems[] = {
    {.itemClass = ItemClass::CheckButton, .x = 108, .y = 7, .size = 28, .text = "Mono"},
    {.itemClass = ItemClass::CheckButton, .x = 138, .y = 7, .size = 28, .text = "Col"},
};
constexpr ModuleTypeSpec kRandomaType = {33,
                                         "ClkRndGen",
                                         "Clocked random step generator",
                                         486,
                                         2,
                                         {{0, 19, 1, 0, 0, 0, 3, 4, 22, 26}},
                                         kRandomaParams,
                                         kRandomaOrder,
                                         kRandomaJacks,
                                         kRandomaItems};

// "RndStepGen"
// The slave LFO layout of "LFOSlvB".
constexpr ItemSpec kRandombItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 181, .y = 5},
    {.itemClass = ItemClass::SlaveLfoText, .x = 131, .y = 7, .size = 47, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::GreenLed, .x = 241, .y = 3, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kRandombType = {34,
                                         "RndStepGen",
                                         "Random step generator",
                                         487,
                                         2,
                                         {{0, 19, 257, 0, 0, 0, 3, 5, 23, 23}},
                                         kLfodParams,
                                         kLfodOrder,
                                         kLfodJacks,
                                         kRandombItems};

// "RandomGen"
constexpr ParamSpec kRandomdParams[] = {
    {"Rate mul", 127, 64, ParamTextCentred},
};
constexpr uint8_t kRandomdOrder[] = {0};
constexpr JackSpec kRandomdJacks[] = {
    {kIn, kSlave, 104, 8},
    {kOut, kControl, 238, 12},
};
constexpr ItemSpec kRandomdItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 181, .y = 5},
    {.itemClass = ItemClass::SlaveLfoText, .x = 123, .y = 7, .size = 55, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::GreenLed, .x = 241, .y = 3, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kRandomdType = {
    110,           "RandomGen",   "Random generator", 489, 2, {{0, 45, 257, 0, 0, 0, 7, 5, 43, 23}}, kRandomdParams,
    kRandomdOrder, kRandomdJacks, kRandomdItems};

// "RndPulsGen"
constexpr ParamSpec kRandomcParams[] = {
    {"Density", 127, 64},
};
constexpr uint8_t kRandomcOrder[] = {0};
constexpr JackSpec kRandomcJacks[] = {
    {kOut, kLogic, 238, 12},
};
constexpr ItemSpec kRandomcItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 181, .y = 5},
    {.itemClass = ItemClass::GreenLed, .x = 241, .y = 3, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kRandomcType = {35,
                                         "RndPulsGen",
                                         "Random puls generator",
                                         488,
                                         2,
                                         {{0, 10, 1, 0, 0, 0, 3, 2, 11, 22}},
                                         kRandomcParams,
                                         kRandomcOrder,
                                         kRandomcJacks,
                                         kRandomcItems};

// "PatternGen"
constexpr ParamSpec kLooprndParams[] = {
    {"Pattern", 127, 0},
    {"Bank", 127, 0},
    {"Delta", 1, 0, ParamTextPatternDelta},
    {"Step", 127, 15, ParamTextPatternStep},
    {"Mono", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kLooprndOrder[] = {0, 1, 3, 2, 4};
constexpr JackSpec kLooprndJacks[] = {
    {kIn, kLogic, 8, 41},
    {kIn, kLogic, 35, 41},
    {kIn, kControl, 73, 25},
    {kOut, kControl, 238, 42},
};
constexpr ItemSpec kLooprndItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 102, .y = 31},
    {.itemClass = ItemClass::MediumKnob, .x = 141, .y = 31},
    {.itemClass = ItemClass::CheckButton, .x = 227, .y = 14, .size = 25, .text = "Low"},
    {.itemClass = ItemClass::UpDownButton, .x = 203, .y = 16},
    {.itemClass = ItemClass::CheckButton, .x = 181, .y = 41, .size = 28, .text = "Mono"},
    {.itemClass = ItemClass::DefaultText, .x = 177, .y = 19, .size = 25, .params = BoundParams(3, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 101, .y = 14, .size = 25, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 140, .y = 14, .size = 25, .params = BoundParams(1, 1)},
};
constexpr ModuleTypeSpec kLooprndType = {99,
                                         "PatternGen",
                                         "Clocked pattern generator",
                                         469,
                                         4,
                                         {{0, 73, 1, 0, 0, 0, 7, 5, 56, 38}},
                                         kLooprndParams,
                                         kLooprndOrder,
                                         kLooprndJacks,
                                         kLooprndItems};

} // namespace

CBModuleLfoa::CBModuleLfoa() : CBuildModuleOf(kLfoaType) { }

CBModuleLfob::CBModuleLfob() : CBuildModuleOf(kLfobType) { }

CBModuleLfoc::CBModuleLfoc() : CBuildModuleOf(kLfocType) { }

CBModuleLfoh::CBModuleLfoh() : CBuildModuleOf(kLfohType) { }

CBModuleLfod::CBModuleLfod() : CBuildModuleOf(kLfodType) { }

CBModuleLfoe::CBModuleLfoe() : CBuildModuleOf(kLfoeType) { }

CBModuleLfof::CBModuleLfof() : CBuildModuleOf(kLfofType) { }

CBModuleLfog::CBModuleLfog() : CBuildModuleOf(kLfogType) { }

CBModuleClkgen::CBModuleClkgen() : CBuildModuleOf(kClkgenType) { }

CBModuleRandoma::CBModuleRandoma() : CBuildModuleOf(kRandomaType) { }

CBModuleRandomb::CBModuleRandomb() : CBuildModuleOf(kRandombType) { }

CBModuleRandomd::CBModuleRandomd() : CBuildModuleOf(kRandomdType) { }

CBModuleRandomc::CBModuleRandomc() : CBuildModuleOf(kRandomcType) { }

CBModuleLooprnd::CBModuleLooprnd() : CBuildModuleOf(kLooprndType) { }
