#include "modules/MixerModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

namespace {

// A fader's balance: the first side from 0 to 63, the second from 64 up,
// each as 0 .. 127.
std::string FadeText(uint8_t v, const char* first, const char* second)
{
    if (v < 64)
        return std::string(first) + (v == 0 ? "127" : IntToString((64 - v) * 2));
    return std::string(second) + (v == 127 ? "127" : IntToString(2 * v - 128));
}

} // namespace

std::string ParamTextFadeOut(uint8_t v)
{
    return FadeText(v, "Out1: ", "Out2: ");
}

std::string ParamTextFadeIn(uint8_t v)
{
    return FadeText(v, "In1: ", "In2: ");
}

std::string ParamTextGainByPolarity(uint8_t v, uint8_t polarity)
{
    if (polarity != 0)
        return ParamTextNumber(v);
    if (v == 0)
        return "-127";
    if (v == 127)
        return "127";
    return IntToString(2 * v - 128);
}

std::string ParamTextLevelShift(uint8_t v)
{
    return v == 0 ? "None" : "Up";
}

namespace {

using namespace ModuleTableNames;

// "Mixer"
constexpr ParamSpec kMixlParams[] = {
    {"Level 1", 127, 127},
    {"Level 2", 127, 127},
    {"Level 3", 127, 127},
};
constexpr uint8_t kMixlOrder[] = {0, 1, 2};
constexpr JackSpec kMixlJacks[] = {
    {kIn, kAudio, 91, 8},
    {kIn, kAudio, 142, 8},
    {kIn, kAudio, 193, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kMixlItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 109, .y = 5},
    {.itemClass = ItemClass::SmallKnob, .x = 160, .y = 5},
    {.itemClass = ItemClass::SmallKnob, .x = 211, .y = 5},
};
constexpr ModuleTypeSpec kMixlType = {
    19,          "Mixer",    "3 inputs mixer", 476,       2, {{7, 0, 1, 2, 1, 8, 0, 0, 0, 30}},
    kMixlParams, kMixlOrder, kMixlJacks,       kMixlItems};

// "Mixer"
constexpr ParamSpec kMixbigParams[] = {
    {"Level 1", 127, 100}, {"Level 2", 127, 100}, {"Level 3", 127, 100},
    {"Level 4", 127, 100}, {"Level 5", 127, 100}, {"Level 6", 127, 100},
    {"Level 7", 127, 100}, {"Level 8", 127, 100}, {"-6dB", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kMixbigOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
constexpr JackSpec kMixbigJacks[] = {
    {kIn, kAudio, 11, 16},  {kIn, kAudio, 38, 16},  {kIn, kAudio, 65, 16},
    {kIn, kAudio, 91, 16},  {kIn, kAudio, 119, 16}, {kIn, kAudio, 146, 16},
    {kIn, kAudio, 173, 16}, {kIn, kAudio, 200, 16}, {kOut, kAudio, 238, 42},
};
constexpr ItemSpec kMixbigItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 6, .y = 33},
    {.itemClass = ItemClass::SmallKnob, .x = 33, .y = 33},
    {.itemClass = ItemClass::SmallKnob, .x = 60, .y = 33},
    {.itemClass = ItemClass::SmallKnob, .x = 87, .y = 33},
    {.itemClass = ItemClass::SmallKnob, .x = 114, .y = 33},
    {.itemClass = ItemClass::SmallKnob, .x = 141, .y = 33},
    {.itemClass = ItemClass::SmallKnob, .x = 168, .y = 33},
    {.itemClass = ItemClass::SmallKnob, .x = 195, .y = 33},
    {.itemClass = ItemClass::CheckButton, .x = 226, .y = 15, .size = 25, .text = "-6dB"},
    {.itemClass = ItemClass::ClipLed, .x = 228, .y = 45, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kMixbigType = {
    40,           "Mixer",      "8 inputs mixer", 475, 4, {{17, 0, 1, 4, 5, 18, 0, 0, 0, 54}}, kMixbigParams,
    kMixbigOrder, kMixbigJacks, kMixbigItems};

// "GainControl"
constexpr ParamSpec kVcaParams[] = {
    {"Lvl Shift", 1, 0, ParamTextLevelShift},
};
constexpr uint8_t kVcaOrder[] = {0};
constexpr JackSpec kVcaJacks[] = {
    {kIn, kAudio, 134, 8},
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kVcaItems[] = {
    {.itemClass = ItemClass::CheckBitmapButton, .x = 159, .y = 7, .size = 25, .picture = 307},
};
constexpr ModuleTypeSpec kVcaType = {44,
                                     "GainControl",
                                     "Gain controller (multiply)",
                                     505,
                                     2,
                                     {{6, 0, 1, 1, 0, 7, 0, 0, 0, 22}},
                                     kVcaParams,
                                     kVcaOrder,
                                     kVcaJacks,
                                     kVcaItems};

// "X-Fade"
constexpr ParamSpec kMixsParams[] = {
    {"Balance MA", 127, 0},
    {"Balance", 127, 64, ParamTextBipolar},
};
constexpr uint8_t kMixsOrder[] = {1, 0};
constexpr JackSpec kMixsJacks[] = {
    {kIn, kAudio, 200, 7},
    {kIn, kAudio, 200, 25},
    {kIn, kAudio, 91, 20},
    {kOut, kAudio, 238, 16},
};
constexpr ItemSpec kMixsItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 109, .y = 17},
    {.itemClass = ItemClass::IndicatorKnob, .x = 146, .y = 8},
};
constexpr ModuleTypeSpec kMixsType = {18,          "X-Fade",   "X-fade with modulator",
                                      477,         3,          {{13, 0, 1, 1, 2, 14, 0, 0, 0, 26}},
                                      kMixsParams, kMixsOrder, kMixsJacks,
                                      kMixsItems};

// "Pan"
constexpr ParamSpec kPanParams[] = {
    {"Pan MA", 127, 0},
    {"Pan", 127, 64, ParamTextBipolar},
};
constexpr uint8_t kPanOrder[] = {1, 0};
constexpr JackSpec kPanJacks[] = {
    {kIn, kAudio, 200, 17},
    {kIn, kAudio, 91, 20},
    {kOut, kAudio, 238, 6},
    {kOut, kAudio, 238, 26},
};
constexpr ItemSpec kPanItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 109, .y = 17},
    {.itemClass = ItemClass::IndicatorKnob, .x = 146, .y = 6},
};
constexpr ModuleTypeSpec kPanType = {47,         "Pan",     "Pan",     419,      3, {{13, 0, 2, 1, 1, 14, 0, 0, 0, 26}},
                                     kPanParams, kPanOrder, kPanJacks, kPanItems};

// "1to2Fade"
constexpr ParamSpec kFade1t2Params[] = {
    {"Out:Level", 127, 64, ParamTextFadeOut},
};
constexpr uint8_t kFade1t2Order[] = {0};
constexpr JackSpec kFade1t2Jacks[] = {
    {kIn, kAudio, 164, 8},
    {kOut, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kFade1t2Items[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 108, .y = 5},
};
constexpr ModuleTypeSpec kFade1t2Type = {
    113,           "1to2Fade",    "1 in to 2 out fader", 450, 2, {{6, 0, 2, 1, 1, 7, 0, 0, 0, 22}}, kFade1t2Params,
    kFade1t2Order, kFade1t2Jacks, kFade1t2Items};

// "2to1Fade"
constexpr ParamSpec kFade2t1Params[] = {
    {"In:Level", 127, 64, ParamTextFadeIn},
};
constexpr uint8_t kFade2t1Order[] = {0};
constexpr JackSpec kFade2t1Jacks[] = {
    {kIn, kAudio, 164, 8},
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kFade2t1Items[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 108, .y = 5},
};
constexpr ModuleTypeSpec kFade2t1Type = {
    114,           "2to1Fade",    "2 in to 1 out fader", 451, 2, {{6, 0, 1, 1, 0, 7, 0, 0, 0, 22}}, kFade2t1Params,
    kFade2t1Order, kFade2t1Jacks, kFade2t1Items};

// "LevMult"
constexpr ParamSpec kLvlmultParams[] = {
    {"Gain", 127, 64, {ParamTextGainByPolarity, 1}},
    {"Polarity", 1, 1, ParamTextPolarity},
};
constexpr uint8_t kLvlmultOrder[] = {0, 1};
constexpr JackSpec kLvlmultJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kLvlmultItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 136, .y = 5},
    {.itemClass = ItemClass::CheckButton, .x = 101, .y = 7, .size = 25, .text = "Uni"},
    {.itemClass = ItemClass::DefaultText, .x = 161, .y = 8, .size = 30, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kLvlmultType = {111,
                                         "LevMult",
                                         "Adjustable gain control",
                                         471,
                                         2,
                                         {{4, 0, 1, 1, 0, 5, 0, 0, 0, 26}},
                                         kLvlmultParams,
                                         kLvlmultOrder,
                                         kLvlmultJacks,
                                         kLvlmultItems};

// "LevAdd"
constexpr ParamSpec kLvladdParams[] = {
    {"Offset", 127, 64, {ParamTextByPolarity, 1}},
    {"Polarity", 1, 1, ParamTextPolarity},
};
constexpr uint8_t kLvladdOrder[] = {0, 1};
constexpr JackSpec kLvladdJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kLvladdItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 136, .y = 5},
    {.itemClass = ItemClass::CheckButton, .x = 101, .y = 7, .size = 25, .text = "Uni"},
    {.itemClass = ItemClass::DefaultText, .x = 161, .y = 7, .size = 30, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kLvladdType = {
    112,           "LevAdd",     "Adjustable offset", 470,         2, {{4, 0, 1, 1, 0, 5, 0, 0, 0, 26}},
    kLvladdParams, kLvladdOrder, kLvladdJacks,        kLvladdItems};

// "OnOff"
constexpr ParamSpec kOnoffParams[] = {
    {"Switch", 1, 1, ParamTextOnOff},
};
constexpr uint8_t kOnoffOrder[] = {0};
constexpr JackSpec kOnoffJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kOnoffItems[] = {
    {.itemClass = ItemClass::CheckButton, .x = 160, .y = 7, .size = 22, .text = "On"},
};
constexpr ModuleTypeSpec kOnoffType = {
    76,           "OnOff",     "On/off switch", 484,        2, {{3, 0, 1, 0, 0, 4, 0, 0, 0, 22}},
    kOnoffParams, kOnoffOrder, kOnoffJacks,     kOnoffItems};

// "4-1Switch"
constexpr ParamSpec kKnobmuxParams[] = {
    {"Input sel", 3, 0, ParamTextNumberPlusOne},
    {"Level 1", 127, 127},
    {"Level 2", 127, 127},
    {"Level 3", 127, 127},
    {"Level 4", 127, 127},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kKnobmuxOrder[] = {0, 1, 2, 3, 4, 5};
constexpr JackSpec kKnobmuxJacks[] = {
    {kIn, kAudio, 38, 26},  {kIn, kAudio, 89, 26},   {kIn, kAudio, 140, 26},
    {kIn, kAudio, 191, 26}, {kOut, kAudio, 238, 26},
};
constexpr ItemSpec kKnobmuxItems[] = {
    {.itemClass = ItemClass::HorizontalRadioButton, .x = 171, .y = 3, .count = 4, .size = 20, .text = "1,2,3,4"},
    {.itemClass = ItemClass::SmallKnob, .x = 12, .y = 21},
    {.itemClass = ItemClass::SmallKnob, .x = 63, .y = 21},
    {.itemClass = ItemClass::SmallKnob, .x = 114, .y = 21},
    {.itemClass = ItemClass::SmallKnob, .x = 165, .y = 21},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 25, .size = 15, .text = "M"},
};
constexpr ModuleTypeSpec kKnobmuxType = {79,
                                         "4-1Switch",
                                         "4-1 Switch",
                                         459,
                                         3,
                                         {{8, 0, 1, 4, 2, 8, 0, 0, 0, 42}},
                                         kKnobmuxParams,
                                         kKnobmuxOrder,
                                         kKnobmuxJacks,
                                         kKnobmuxItems};

// "1-4Switch"
constexpr ParamSpec kKnobdemuxParams[] = {
    {"Output sel", 3, 0, ParamTextNumberPlusOne},
    {"Input levl", 127, 127},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kKnobdemuxOrder[] = {0, 1, 2};
constexpr JackSpec kKnobdemuxJacks[] = {
    {kIn, kAudio, 121, 25},  {kOut, kAudio, 178, 25}, {kOut, kAudio, 198, 25},
    {kOut, kAudio, 218, 25}, {kOut, kAudio, 238, 25},
};
constexpr ItemSpec kKnobdemuxItems[] = {
    {.itemClass = ItemClass::HorizontalRadioButton, .x = 171, .y = 7, .count = 4, .size = 20, .text = "1,2,3,4,"},
    {.itemClass = ItemClass::SmallKnob, .x = 94, .y = 21},
    {.itemClass = ItemClass::CheckButton, .x = 158, .y = 24, .size = 15, .text = "M"},
};
constexpr ModuleTypeSpec kKnobdemuxType = {88,
                                           "1-4Switch",
                                           "1-4 Switch",
                                           458,
                                           3,
                                           {{7, 0, 4, 1, 0, 8, 0, 0, 0, 30}},
                                           kKnobdemuxParams,
                                           kKnobdemuxOrder,
                                           kKnobdemuxJacks,
                                           kKnobdemuxItems};

// "Amplifier"
constexpr ParamSpec kAmpParams[] = {
    {"Gain", 127, 64, ParamTextFactor},
};
constexpr uint8_t kAmpOrder[] = {0};
constexpr JackSpec kAmpJacks[] = {
    {kIn, kAudio, 200, 8},
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kAmpItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 112, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 137, .y = 7, .size = 40, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kAmpType = {
    81,         "Amplifier", "Amplifier", 423,      2, {{5, 0, 1, 1, 0, 6, 0, 0, 0, 22}},
    kAmpParams, kAmpOrder,   kAmpJacks,   kAmpItems};

} // namespace

CBModuleMixl::CBModuleMixl() : CBuildModuleOf(kMixlType) { }

CBModuleMixbig::CBModuleMixbig() : CBuildModuleOf(kMixbigType) { }

CBModuleVca::CBModuleVca() : CBuildModuleOf(kVcaType) { }

CBModuleMixs::CBModuleMixs() : CBuildModuleOf(kMixsType) { }

CBModulePan::CBModulePan() : CBuildModuleOf(kPanType) { }

CBModuleFade1t2::CBModuleFade1t2() : CBuildModuleOf(kFade1t2Type) { }

CBModuleFade2t1::CBModuleFade2t1() : CBuildModuleOf(kFade2t1Type) { }

CBModuleLvlmult::CBModuleLvlmult() : CBuildModuleOf(kLvlmultType) { }

CBModuleLvladd::CBModuleLvladd() : CBuildModuleOf(kLvladdType) { }

CBModuleOnoff::CBModuleOnoff() : CBuildModuleOf(kOnoffType) { }

CBModuleKnobmux::CBModuleKnobmux() : CBuildModuleOf(kKnobmuxType) { }

CBModuleKnobdemux::CBModuleKnobdemux() : CBuildModuleOf(kKnobdemuxType) { }

CBModuleAmp::CBModuleAmp() : CBuildModuleOf(kAmpType) { }
