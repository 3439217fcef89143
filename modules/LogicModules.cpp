#include "modules/LogicModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

std::string ParamTextLogicType(uint8_t v)
{
    return v == 0 ? "AND" : v == 1 ? "OR" : "XOR";
}

namespace {

using namespace ModuleTableNames;

// The four time modules share one panel; only "Pulse" names its parameter
// otherwise.
constexpr ParamSpec kTimeParams[] = {
    {"Time", 127, 64, ParamTextTime},
};
constexpr ParamSpec kPulseParams[] = {
    {"Pulse wdth", 127, 64, ParamTextTime},
};
constexpr uint8_t kTimeOrder[] = {0};
constexpr JackSpec kLogicThroughJacks[] = {
    {kIn, kLogic, 200, 8},
    {kOut, kLogic, 238, 8},
};

constexpr ItemSpec kGatedlyItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 157, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 107, .y = 7, .size = 47, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kGatedlyType = {
    36,          "PosEdgeDly", "Positive edge delay", 454,          2, {{0, 8, 1, 0, 0, 0, 2, 2, 9, 22}},
    kTimeParams, kTimeOrder,   kLogicThroughJacks,    kGatedlyItems};
constexpr ItemSpec kGatenegItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 157, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 107, .y = 7, .size = 47, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kGatenegType = {
    64,          "NegEdgeDly", "Negative edge delay", 456,          2, {{0, 8, 1, 0, 0, 0, 2, 2, 9, 22}},
    kTimeParams, kTimeOrder,   kLogicThroughJacks,    kGatenegItems};
constexpr ItemSpec kPulseItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 157, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 107, .y = 7, .size = 47, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kPulseType = {38,           "Pulse",    "Pulse",
                                       420,          2,          {{0, 10, 1, 0, 0, 0, 3, 2, 11, 22}},
                                       kPulseParams, kTimeOrder, kLogicThroughJacks,
                                       kPulseItems};
constexpr ItemSpec kTrigdlyItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 157, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 107, .y = 7, .size = 47, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kTrigdlyType = {
    37,          "LogicDelay", "Logic delay",      503,          2, {{0, 19, 1, 0, 0, 0, 2, 4, 20, 22}},
    kTimeParams, kTimeOrder,   kLogicThroughJacks, kTrigdlyItems};

// "LogicInv"
constexpr ModuleTypeSpec kGateinvType = {70, "LogicInv", "Logic inverter",   455, 2, {{0, 5, 1, 0, 0, 0, 1, 0, 6, 18}},
                                         {}, {},         kLogicThroughJacks, {}};

// "LogicProc"
constexpr ParamSpec kLogicParams[] = {
    {"Type", 2, 0, ParamTextLogicType},
};
constexpr uint8_t kLogicOrder[] = {0};
constexpr JackSpec kLogicJacks[] = {
    {kIn, kLogic, 180, 8},
    {kIn, kLogic, 200, 8},
    {kOut, kLogic, 238, 8},
};
constexpr ItemSpec kLogicItems[] = {
    {.itemClass = ItemClass::HorizontalRadioButton, .x = 90, .y = 7, .count = 3, .size = 27, .text = "AND,OR,XOR"},
};
constexpr ModuleTypeSpec kLogicType = {
    73,           "LogicProc", "Logic processor", 468,        2, {{0, 8, 1, 0, 0, 0, 1, 0, 9, 22}},
    kLogicParams, kLogicOrder, kLogicJacks,       kLogicItems};

// "CompareLev"
constexpr ParamSpec kCompareParams[] = {
    {"Level", 127, 64, ParamTextBipolar},
};
constexpr uint8_t kCompareOrder[] = {0};
constexpr JackSpec kCompareJacks[] = {
    {kIn, kControl, 190, 8, "A"},
    {kOut, kLogic, 238, 8, "A>=C"},
};
constexpr ItemSpec kCompareItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 146, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 104, .y = 7, .size = 40, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kCompareType = {59,
                                         "CompareLev",
                                         "Compare to level",
                                         431,
                                         2,
                                         {{0, 5, 1, 0, 0, 0, 1, 1, 6, 22}},
                                         kCompareParams,
                                         kCompareOrder,
                                         kCompareJacks,
                                         kCompareItems};

// "CompareAB"
constexpr JackSpec kCompare2Jacks[] = {
    {kIn, kControl, 160, 8, "A"},
    {kIn, kControl, 190, 8, "B"},
    {kOut, kLogic, 238, 8, "A>=B"},
};
constexpr ModuleTypeSpec kCompare2Type = {89, "CompareAB", "Compare",      430, 2, {{0, 5, 1, 0, 0, 0, 0, 0, 6, 18}},
                                          {}, {},          kCompare2Jacks, {}};

// "ClkDiv"
constexpr ParamSpec kClkdivParams[] = {
    {"Cycles", 127, 0, ParamTextNumberPlusOne},
};
constexpr uint8_t kClkdivOrder[] = {0};
constexpr JackSpec kClkdivJacks[] = {
    {kIn, kLogic, 113, 8, "Clock"},
    {kIn, kLogic, 154, 8, "Rst"},
    {kOut, kLogic, 238, 8},
};
constexpr ItemSpec kClkdivItems[] = {
    {.itemClass = ItemClass::UpDownButton, .x = 213, .y = 6, .faceLabel = "Divider"},
    {.itemClass = ItemClass::DefaultText, .x = 180, .y = 12, .size = 26, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kClkdivType = {
    69,           "ClkDiv",     "Clock divider", 427, 2, {{0, 19, 1, 0, 0, 0, 7, 1, 20, 22}}, kClkdivParams,
    kClkdivOrder, kClkdivJacks, kClkdivItems};

// "ClkDivFix"
constexpr JackSpec kClkdivfJacks[] = {
    {kIn, kLogic, 118, 8, "Midi cl"}, {kIn, kLogic, 155, 8, "Rst"}, {kOut, kLogic, 238, 8, "16"},
    {kOut, kLogic, 211, 8, "T8"},     {kOut, kLogic, 182, 8, "8"},
};
constexpr ModuleTypeSpec kClkdivfType = {
    77, "ClkDivFix", "Clock divider, fixed", 428, 2, {{0, 26, 3, 0, 0, 0, 6, 1, 27, 18}}, {}, {}, kClkdivfJacks, {}};

} // namespace

CBModuleGatedly::CBModuleGatedly() : CBuildModuleOf(kGatedlyType) { }

CBModuleGateneg::CBModuleGateneg() : CBuildModuleOf(kGatenegType) { }

CBModulePulse::CBModulePulse() : CBuildModuleOf(kPulseType) { }

CBModuleTrigdly::CBModuleTrigdly() : CBuildModuleOf(kTrigdlyType) { }

CBModuleGateinv::CBModuleGateinv() : CBuildModuleOf(kGateinvType) { }

CBModuleLogic::CBModuleLogic() : CBuildModuleOf(kLogicType) { }

CBModuleCompare::CBModuleCompare() : CBuildModuleOf(kCompareType) { }

CBModuleCompare2::CBModuleCompare2() : CBuildModuleOf(kCompare2Type) { }

CBModuleClkdiv::CBModuleClkdiv() : CBuildModuleOf(kClkdivType) { }

CBModuleClkdivf::CBModuleClkdivf() : CBuildModuleOf(kClkdivfType) { }
