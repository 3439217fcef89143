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

std::string ParamTextEnvPolarity(uint8_t v) { return v == 0 ? "Bipolar" : v == 1 ? "Uni/Exp" : "Uni/Lin"; }

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
    {"Atk type", 2, 0, ParamTextCurve, kNoMorph},
    {"Attack", 127, 0, ParamTextEnvTime},
    {"Decay", 127, 77, ParamTextEnvTime},
    {"Sustain", 127, 127, ParamTextUnipolarHalf},
    {"Release", 127, 0, ParamTextEnvTime},
    {"Invert", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kEnvcOrder[] = {0, 1, 2, 3, 4, 5};
constexpr JackSpec kEnvcJacks[] = {
    {kIn, kAudio, 200, 57},
    {kIn, kLogic, 7, 24},
    {kIn, kLogic, 7, 41},
    {kIn, kControl, 7, 57},
    {kOut, kControl, 238, 37},
    {kOut, kAudio, 238, 57},
};
constexpr ModuleTypeSpec kEnvcType = {20, "ADSR-Env", "ADSR envelope", 442, 5, {{5, 31, 2, 0, 0, 6, 15, 3, 32, 42}}, kEnvcParams, kEnvcOrder, kEnvcJacks};

// "AD-Env"
constexpr ParamSpec kEnvdParams[] = {
    {"Attack", 127, 0, ParamTextEnvTime},
    {"Decay", 127, 77, ParamTextEnvTime},
    {"Env type", 1, 0, ParamTextTrigGate},
};
constexpr uint8_t kEnvdOrder[] = {0, 1, 2};
constexpr JackSpec kEnvdJacks[] = {
    {kIn, kLogic, 8, 28},
    {kIn, kAudio, 200, 28},
    {kIn, kControl, 41, 28},
    {kOut, kControl, 238, 10},
    {kOut, kAudio, 238, 28},
};
constexpr ModuleTypeSpec kEnvdType = {84, "AD-Env", "Attack decay envelope", 443, 3, {{5, 25, 2, 0, 0, 6, 11, 3, 26, 30}}, kEnvdParams, kEnvdOrder, kEnvdJacks};

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
    {kIn, kLogic, 7, 49},
    {kIn, kLogic, 7, 73},
    {kIn, kControl, 34, 67},
    {kIn, kControl, 74, 67},
    {kIn, kControl, 114, 67},
    {kIn, kControl, 154, 67},
    {kIn, kAudio, 200, 72},
    {kIn, kControl, 8, 25},
    {kOut, kControl, 238, 51},
    {kOut, kAudio, 238, 72},
};
constexpr ModuleTypeSpec kEnvmodType = {23, "Mod-Env", "ADSR env. with modulation", 445, 6, {{5, 85, 2, 0, 0, 6, 38, 2, 86, 54}}, kEnvmodParams, kEnvmodOrder, kEnvmodJacks};

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
    {kIn, kLogic, 7, 27},
    {kIn, kControl, 53, 54},
    {kIn, kControl, 101, 54},
    {kIn, kControl, 149, 54},
    {kIn, kAudio, 200, 57},
    {kIn, kControl, 8, 57},
    {kOut, kControl, 238, 36},
    {kOut, kAudio, 238, 57},
};
constexpr ModuleTypeSpec kEnvahdType = {46, "AHD-Env", "AHD env. with modulation", 440, 5, {{5, 57, 2, 0, 0, 6, 19, 3, 58, 42}}, kEnvahdParams, kEnvahdOrder, kEnvahdJacks};

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
    {kIn, kLogic, 6, 32},
    {kIn, kAudio, 200, 86},
    {kIn, kControl, 6, 80},
    {kOut, kControl, 238, 66},
    {kOut, kAudio, 238, 86},
};
constexpr ModuleTypeSpec kEnvbiType = {52, "Multi-Env", "Multistage Envelope", 441, 7, {{4, 45, 2, 1, 0, 5, 36, 6, 46, 62}}, kEnvbiParams, kEnvbiOrder, kEnvbiJacks};

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
constexpr ModuleTypeSpec kEnvfol2Type = {71, "EnvFollower", "Envelope Follower", 444, 3, {{18, 0, 1, 3, 2, 18, 0, 0, 0, 26}}, kEnvfol2Params, kEnvfol2Order, kEnvfol2Jacks};

} // namespace

CBModuleEnvc::CBModuleEnvc() : CBuildModule(kEnvcType) {}

CBModuleEnvd::CBModuleEnvd() : CBuildModule(kEnvdType) {}

CBModuleEnvmod::CBModuleEnvmod() : CBuildModule(kEnvmodType) {}

CBModuleEnvahd::CBModuleEnvahd() : CBuildModule(kEnvahdType) {}

CBModuleEnvbi::CBModuleEnvbi() : CBuildModule(kEnvbiType) {}

CBModuleEnvfol2::CBModuleEnvfol2() : CBuildModule(kEnvfol2Type) {}
