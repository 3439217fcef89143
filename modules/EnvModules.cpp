#include "modules/EnvModules.h"

#include "modules/AudioModules.h"
#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

#include <cmath>

std::string ParamTextSustainPlace(uint8_t v)
{
    static const char* const kNames[] = {"--", "L1", "L2", "L3", "L4"};
    return kNames[v < 4 ? v : 4];
}

std::string ParamTextEnvPolarity(uint8_t v)
{
    return v == 0 ? "Bipolar" : v == 1 ? "Uni/Exp" : "Uni/Lin";
}

std::string ParamTextFollowerRelease(uint8_t v)
{
    if (v == 0)
        return "Fast";
    const double s = 0.04 * std::pow(2.0, v * 0.05);
    if (s < 0.1)
        return FloatToString(s * 1000.0, 1) + "m";
    if (s < 1.0)
        return FloatToString(s * 1000.0, 0) + "m";
    return FloatToString(s, 2) + "s";
}

namespace {

using namespace ModuleTableNames;

// "ADSR-Env"
constexpr ParamSpec kEnvcParams[] = {
    {"Atk type", 2, 0, ParamTextCurve, kNoMorph}, {"Attack", 127, 0, ParamTextEnvTime},
    {"Decay", 127, 77, ParamTextEnvTime},         {"Sustain", 127, 127, ParamTextUnipolarHalf},
    {"Release", 127, 0, ParamTextEnvTime},        {"Invert", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kEnvcOrder[] = {0, 1, 2, 3, 4, 5};
constexpr JackSpec kEnvcJacks[] = {
    {kIn, kAudio, 200, 57}, {kIn, kLogic, 7, 24},      {kIn, kLogic, 7, 41},
    {kIn, kControl, 7, 57}, {kOut, kControl, 238, 37}, {kOut, kAudio, 238, 57},
};
constexpr uint8_t kEnvcBound10[] = {1, 2, 3, 4, 0, 5};
constexpr ItemSpec kEnvcItems[] = {
    {.itemClass = ItemClass::HorizontalBitmapRadioButton, .x = 55, .y = 15, .count = 3, .size = 22, .picture = 304},
    {.itemClass = ItemClass::MediumKnob, .x = 60, .y = 48},
    {.itemClass = ItemClass::MediumKnob, .x = 97, .y = 48},
    {.itemClass = ItemClass::MediumKnob, .x = 134, .y = 48},
    {.itemClass = ItemClass::MediumKnob, .x = 171, .y = 48},
    {.itemClass = ItemClass::CheckBitmapButton, .x = 150, .y = 15, .size = 25, .picture = 305},
    {.itemClass = ItemClass::DefaultText, .x = 54, .y = 32, .size = 35, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 91, .y = 32, .size = 35, .params = BoundParams(2, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 128, .y = 32, .size = 35, .params = BoundParams(3, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 165, .y = 32, .size = 35, .params = BoundParams(4, 1)},
    {.itemClass = ItemClass::ADSRGraph, .x = 182, .y = 2, .params = kEnvcBound10},
    {.itemClass = ItemClass::GreenLed, .x = 10, .y = 15, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kEnvcType = {
    20,          "ADSR-Env", "ADSR envelope", 442,       5, {{5, 31, 2, 0, 0, 6, 15, 3, 32, 42}},
    kEnvcParams, kEnvcOrder, kEnvcJacks,      kEnvcItems};

// "AD-Env"
constexpr ParamSpec kEnvdParams[] = {
    {"Attack", 127, 0, ParamTextEnvTime},
    {"Decay", 127, 77, ParamTextEnvTime},
    {"Env type", 1, 0, ParamTextTrigGate},
};
constexpr uint8_t kEnvdOrder[] = {0, 1, 2};
constexpr JackSpec kEnvdJacks[] = {
    {kIn, kLogic, 8, 28},      {kIn, kAudio, 200, 28},  {kIn, kControl, 41, 28},
    {kOut, kControl, 238, 10}, {kOut, kAudio, 238, 28},
};
constexpr ItemSpec kEnvdItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 100, .y = 19},
    {.itemClass = ItemClass::MediumKnob, .x = 152, .y = 19},
    {.itemClass = ItemClass::CheckButton, .x = 6, .y = 13, .size = 25, .text = "Gate"},
    {.itemClass = ItemClass::DefaultText, .x = 93, .y = 3, .size = 35, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 146, .y = 3, .size = 35, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::ADEnvGraph, .x = 194, .y = 2, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::GreenLed, .x = 23, .y = 31, .role = ItemRole::StateLed},
    {.itemClass = ItemClass::TrigArrow, .x = 3, .y = 29, .params = BoundParams(2, 1)},
};
constexpr ModuleTypeSpec kEnvdType = {84,          "AD-Env",   "Attack decay envelope",
                                      443,         3,          {{5, 25, 2, 0, 0, 6, 11, 3, 26, 30}},
                                      kEnvdParams, kEnvdOrder, kEnvdJacks,
                                      kEnvdItems};

// "Mod-Env"
constexpr ParamSpec kEnvmodParams[] = {
    {"Attack", 127, 0, ParamTextEnvTime},
    {"Decay", 127, 77, ParamTextEnvTime},
    {"Sustain", 127, 127, ParamTextUnipolarHalf},
    {"Release", 127, 0, ParamTextEnvTime},
    {"Attack MA", 127, 0, ParamTextNegated},
    {"Decay MA", 127, 0, ParamTextNegated},
    {"Sustain MA", 127, 0},
    {"Release MA", 127, 0, ParamTextNegated},
    {"Invert", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kEnvmodOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
constexpr JackSpec kEnvmodJacks[] = {
    {kIn, kLogic, 7, 49},      {kIn, kLogic, 7, 73},     {kIn, kControl, 34, 67}, {kIn, kControl, 74, 67},
    {kIn, kControl, 114, 67},  {kIn, kControl, 154, 67}, {kIn, kAudio, 200, 72},  {kIn, kControl, 8, 25},
    {kOut, kControl, 238, 51}, {kOut, kAudio, 238, 72},
};
constexpr uint8_t kEnvmodBound13[] = {0, 1, 2, 3, 8};
constexpr ItemSpec kEnvmodItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 42, .y = 34},
    {.itemClass = ItemClass::MediumKnob, .x = 79, .y = 34},
    {.itemClass = ItemClass::MediumKnob, .x = 115, .y = 34},
    {.itemClass = ItemClass::MediumKnob, .x = 152, .y = 34},
    {.itemClass = ItemClass::SmallKnob, .x = 52, .y = 64},
    {.itemClass = ItemClass::SmallKnob, .x = 92, .y = 64},
    {.itemClass = ItemClass::SmallKnob, .x = 132, .y = 64},
    {.itemClass = ItemClass::SmallKnob, .x = 172, .y = 64},
    {.itemClass = ItemClass::CheckBitmapButton, .x = 181, .y = 37, .size = 25, .picture = 305},
    {.itemClass = ItemClass::DefaultText, .x = 33, .y = 17, .size = 35, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 70, .y = 17, .size = 35, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 106, .y = 17, .size = 35, .params = BoundParams(2, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 142, .y = 17, .size = 35, .params = BoundParams(3, 1)},
    {.itemClass = ItemClass::ModEnvGraph, .x = 181, .y = 4, .params = kEnvmodBound13},
    {.itemClass = ItemClass::GreenLed, .x = 22, .y = 52, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kEnvmodType = {23,
                                        "Mod-Env",
                                        "ADSR env. with modulation",
                                        445,
                                        6,
                                        {{5, 85, 2, 0, 0, 6, 38, 2, 86, 54}},
                                        kEnvmodParams,
                                        kEnvmodOrder,
                                        kEnvmodJacks,
                                        kEnvmodItems};

// "AHD-Env"
constexpr ParamSpec kEnvahdParams[] = {
    {"Attack", 127, 0, ParamTextEnvTime},
    {"Hold", 127, 32, ParamTextEnvTime},
    {"Decay", 127, 77, ParamTextEnvTime},
    {"Attack MA", 127, 0, ParamTextNegated},
    {"Hold MA", 127, 0},
    {"Decay MA", 127, 0, ParamTextNegated},
};
constexpr uint8_t kEnvahdOrder[] = {0, 1, 2, 3, 4, 5};
constexpr JackSpec kEnvahdJacks[] = {
    {kIn, kLogic, 7, 27},   {kIn, kControl, 53, 54}, {kIn, kControl, 101, 54},  {kIn, kControl, 149, 54},
    {kIn, kAudio, 200, 57}, {kIn, kControl, 8, 57},  {kOut, kControl, 238, 36}, {kOut, kAudio, 238, 57},
};
constexpr ItemSpec kEnvahdItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 49, .y = 30},
    {.itemClass = ItemClass::MediumKnob, .x = 96, .y = 30},
    {.itemClass = ItemClass::MediumKnob, .x = 144, .y = 30},
    {.itemClass = ItemClass::SmallKnob, .x = 71, .y = 51},
    {.itemClass = ItemClass::SmallKnob, .x = 119, .y = 51},
    {.itemClass = ItemClass::SmallKnob, .x = 167, .y = 51},
    {.itemClass = ItemClass::DefaultText, .x = 39, .y = 14, .size = 35, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 87, .y = 14, .size = 35, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 136, .y = 14, .size = 35, .params = BoundParams(2, 1)},
    {.itemClass = ItemClass::AHDEnvGraph, .x = 181, .y = 3, .params = BoundParams(0, 3)},
    {.itemClass = ItemClass::GreenLed, .x = 22, .y = 30, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kEnvahdType = {46,
                                        "AHD-Env",
                                        "AHD env. with modulation",
                                        440,
                                        5,
                                        {{5, 57, 2, 0, 0, 6, 19, 3, 58, 42}},
                                        kEnvahdParams,
                                        kEnvahdOrder,
                                        kEnvahdJacks,
                                        kEnvahdItems};

// "Multi-Env"
constexpr ParamSpec kEnvbiParams[] = {
    {"Level 1", 127, 127, {ParamTextByPolarity, 10}},
    {"Level 2", 127, 45, {ParamTextByPolarity, 10}},
    {"Level 3", 127, 64, {ParamTextByPolarity, 10}},
    {"Level 4", 127, 0, {ParamTextByPolarity, 10}},
    {"Time 1", 127, 0, ParamTextEnvTime},
    {"Time 2", 127, 30, ParamTextEnvTime},
    {"Time 3", 127, 30, ParamTextEnvTime},
    {"Time 4", 127, 30, ParamTextEnvTime},
    {"Time 5", 127, 0, ParamTextEnvTime},
    {"Sus place", 4, 3, ParamTextSustainPlace},
    {"Pol/Wave", 2, 2, ParamTextEnvPolarity, kNoMorph},
};
constexpr uint8_t kEnvbiOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 9};
constexpr JackSpec kEnvbiJacks[] = {
    {kIn, kLogic, 6, 32},      {kIn, kAudio, 200, 86},  {kIn, kControl, 6, 80},
    {kOut, kControl, 238, 66}, {kOut, kAudio, 238, 86},
};
constexpr ItemSpec kEnvbiItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 34, .y = 37},
    {.itemClass = ItemClass::MediumKnob, .x = 69, .y = 37},
    {.itemClass = ItemClass::MediumKnob, .x = 104, .y = 37},
    {.itemClass = ItemClass::MediumKnob, .x = 139, .y = 37},
    {.itemClass = ItemClass::MediumKnob, .x = 34, .y = 77},
    {.itemClass = ItemClass::MediumKnob, .x = 69, .y = 77},
    {.itemClass = ItemClass::MediumKnob, .x = 104, .y = 77},
    {.itemClass = ItemClass::MediumKnob, .x = 139, .y = 77},
    {.itemClass = ItemClass::MediumKnob, .x = 174, .y = 77},
    {.itemClass = ItemClass::UpDownButton, .x = 216, .y = 42},
    {.itemClass = ItemClass::HorizontalBitmapRadioButton, .x = 96, .y = 3, .count = 3, .size = 22, .picture = 303},
    {.itemClass = ItemClass::DefaultText, .x = 24, .y = 21, .size = 35, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 59, .y = 21, .size = 35, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 94, .y = 21, .size = 35, .params = BoundParams(2, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 129, .y = 21, .size = 35, .params = BoundParams(3, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 24, .y = 62, .size = 35, .params = BoundParams(4, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 59, .y = 62, .size = 35, .params = BoundParams(5, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 94, .y = 62, .size = 35, .params = BoundParams(6, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 129, .y = 62, .size = 35, .params = BoundParams(7, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 164, .y = 62, .size = 35, .params = BoundParams(8, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 196, .y = 44, .size = 19, .params = BoundParams(9, 1)},
    {.itemClass = ItemClass::MultiEnvGraph, .x = 169, .y = 3, .params = BoundParams(0, 11)},
    {.itemClass = ItemClass::GreenLed, .x = 9, .y = 46, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kEnvbiType = {
    52,           "Multi-Env", "Multistage Envelope", 441,        7, {{4, 45, 2, 1, 0, 5, 36, 6, 46, 62}},
    kEnvbiParams, kEnvbiOrder, kEnvbiJacks,           kEnvbiItems};

// "EnvFollower"
constexpr ParamSpec kEnvfol2Params[] = {
    {"Attack", 127, 0, ParamTextDynAttack},
    {"Release", 127, 20, ParamTextFollowerRelease},
};
constexpr uint8_t kEnvfol2Order[] = {0, 1};
constexpr JackSpec kEnvfol2Jacks[] = {
    {kIn, kAudio, 200, 27},
    {kOut, kControl, 238, 27},
};
constexpr ItemSpec kEnvfol2Items[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 107, .y = 19},
    {.itemClass = ItemClass::MediumKnob, .x = 162, .y = 19},
    {.itemClass = ItemClass::DefaultText, .x = 99, .y = 3, .size = 38, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 154, .y = 3, .size = 38, .params = BoundParams(1, 1)},
};
constexpr ModuleTypeSpec kEnvfol2Type = {71,
                                         "EnvFollower",
                                         "Envelope Follower",
                                         444,
                                         3,
                                         {{18, 0, 1, 3, 2, 18, 0, 0, 0, 26}},
                                         kEnvfol2Params,
                                         kEnvfol2Order,
                                         kEnvfol2Jacks,
                                         kEnvfol2Items};

} // namespace

CBModuleEnvc::CBModuleEnvc() : CBuildModuleOf(kEnvcType) { }

CBModuleEnvd::CBModuleEnvd() : CBuildModuleOf(kEnvdType) { }

CBModuleEnvmod::CBModuleEnvmod() : CBuildModuleOf(kEnvmodType) { }

CBModuleEnvahd::CBModuleEnvahd() : CBuildModuleOf(kEnvahdType) { }

CBModuleEnvbi::CBModuleEnvbi() : CBuildModuleOf(kEnvbiType) { }

CBModuleEnvfol2::CBModuleEnvfol2() : CBuildModuleOf(kEnvfol2Type) { }
