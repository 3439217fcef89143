#include "modules/SeqModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

namespace {

using namespace ModuleTableNames;

// "EventSeq"
constexpr ParamSpec kEventbParams[] = {
    {"Steps", 127, 15, ParamTextNumberPlusOne, kNoMorph}, {"Loop", 1, 1, ParamTextOnOff, kNoMorph},
    {"Output A", 1, 0, ParamTextTrigGate, kNoMorph},      {"Output B", 1, 0, ParamTextTrigGate, kNoMorph},
    {"Event A 1", 1, 0, ParamTextOnOff, kNoMorph},        {"Event A 2", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 3", 1, 0, ParamTextOnOff, kNoMorph},        {"Event A 4", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 5", 1, 0, ParamTextOnOff, kNoMorph},        {"Event A 6", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 7", 1, 0, ParamTextOnOff, kNoMorph},        {"Event A 8", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 9", 1, 0, ParamTextOnOff, kNoMorph},        {"Event A 10", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 11", 1, 0, ParamTextOnOff, kNoMorph},       {"Event A 12", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 13", 1, 0, ParamTextOnOff, kNoMorph},       {"Event A 14", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 15", 1, 0, ParamTextOnOff, kNoMorph},       {"Event A 16", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 1", 1, 0, ParamTextOnOff, kNoMorph},        {"Event B 2", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 3", 1, 0, ParamTextOnOff, kNoMorph},        {"Event B 4", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 5", 1, 0, ParamTextOnOff, kNoMorph},        {"Event B 6", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 7", 1, 0, ParamTextOnOff, kNoMorph},        {"Event B 8", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 9", 1, 0, ParamTextOnOff, kNoMorph},        {"Event B 10", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 11", 1, 0, ParamTextOnOff, kNoMorph},       {"Event B 12", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 13", 1, 0, ParamTextOnOff, kNoMorph},       {"Event B 14", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 15", 1, 0, ParamTextOnOff, kNoMorph},       {"Event B 16", 1, 0, ParamTextOnOff, kNoMorph},
};
constexpr uint8_t kEventbOrder[] = {4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 2, 20,
                                    21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 3,  1, 0};
constexpr JackSpec kEventbJacks[] = {
    {kIn, kLogic, 7, 15, "Clk"},
    {kIn, kLogic, 7, 37, "Rst"},
    {kOut, kLogic, 238, 44, "Out (row A)"},
    {kOut, kLogic, 238, 58, "Out (row B)"},
    {kOut, kLogic, 7, 59, "Snc"},
    {kOut, kLogic, 238, 4, "Link"},
};
constexpr ItemSpec kEventbItems[] = {
    {.itemClass = ItemClass::UpDownButton, .x = 201, .y = 2},
    {.itemClass = ItemClass::CheckBitmapButton, .x = 114, .y = 4, .size = 25, .picture = 311},
    {.itemClass = ItemClass::CheckButton, .x = 220, .y = 43, .size = 15, .text = "G"},
    {.itemClass = ItemClass::CheckButton, .x = 220, .y = 57, .size = 15, .text = "G"},
    {.itemClass = ItemClass::CheckButton, .x = 27, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 39, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 51, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 63, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 75, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 87, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 99, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 111, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 123, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 135, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 147, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 159, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 171, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 183, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 195, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 207, .y = 43, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 27, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 39, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 51, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 63, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 75, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 87, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 99, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 111, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 123, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 135, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 147, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 159, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 171, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 183, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 195, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::CheckButton, .x = 207, .y = 57, .size = 11, .text = ""},
    {.itemClass = ItemClass::GreenLed, .x = 30, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 41, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 52, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 64, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 76, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 88, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 100, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 112, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 124, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 136, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 148, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 161, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 172, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 184, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 196, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 208, .y = 35, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::DefaultText, .x = 174, .y = 4, .size = 25, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::EventSeqClr, .x = 86, .y = 4, .params = BoundParams(4, 32)},
};
constexpr ModuleTypeSpec kEventbType = {
    17,           "EventSeq",   "Event sequencer", 448, 5, {{0, 52, 4, 0, 0, 0, 9, 21, 49, 162}}, kEventbParams,
    kEventbOrder, kEventbJacks, kEventbItems};

// "CtrlSeq"
constexpr ParamSpec kSeqdParams[] = {
    {"Level 1", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 2", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 3", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 4", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 5", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 6", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 7", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 8", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 9", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 10", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 11", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 12", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 13", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 14", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 15", 127, 64, {ParamTextByPolarity, 17}},
    {"Level 16", 127, 64, {ParamTextByPolarity, 17}},
    {"Steps", 127, 15, ParamTextNumberPlusOne, kNoMorph},
    {"Polarity", 1, 0, ParamTextPolarity, kNoMorph},
    {"Loop", 1, 1, {}, kNoMorph},
};
constexpr uint8_t kSeqdOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 16};
constexpr JackSpec kSeqdJacks[] = {
    {kIn, kLogic, 7, 27, "Clk"},  {kIn, kLogic, 7, 56, "Rst"},     {kOut, kControl, 238, 87, "Out"},
    {kOut, kLogic, 7, 87, "Snc"}, {kOut, kLogic, 238, 43, "Link"},
};
constexpr uint8_t kSeqdBound36[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17};
constexpr ItemSpec kSeqdItems[] = {
    {.itemClass = ItemClass::VerticalSlider, .x = 25, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 37, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 49, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 61, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 73, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 85, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 97, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 109, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 121, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 133, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 145, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 157, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 169, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 181, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 193, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 205, .y = 40},
    {.itemClass = ItemClass::LeftRightButton, .x = 195, .y = 6},
    {.itemClass = ItemClass::CheckButton, .x = 229, .y = 59, .size = 22, .text = "Uni"},
    {.itemClass = ItemClass::CheckBitmapButton, .x = 100, .y = 4, .size = 25, .picture = 311},
    {.itemClass = ItemClass::GreenLed, .x = 28, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 40, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 52, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 64, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 76, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 88, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 100, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 112, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 124, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 136, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 148, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 160, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 172, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 184, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 196, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 208, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::DefaultText, .x = 161, .y = 4, .size = 32, .params = BoundParams(16, 1)},
    {.itemClass = ItemClass::SeqClrRnd, .x = 227, .y = 3, .params = kSeqdBound36},
};
constexpr ModuleTypeSpec kSeqdType = {
    91,          "CtrlSeq",  "Control sequencer", 495,       7, {{0, 45, 3, 0, 0, 0, 8, 22, 42, 94}},
    kSeqdParams, kSeqdOrder, kSeqdJacks,          kSeqdItems};

// "NoteSeqA"
constexpr ParamSpec kSeqbParams[] = {
    {"Note 1", 127, 64, ParamTextSigned},
    {"Note 2", 127, 64, ParamTextSigned},
    {"Note 3", 127, 64, ParamTextSigned},
    {"Note 4", 127, 64, ParamTextSigned},
    {"Note 5", 127, 64, ParamTextSigned},
    {"Note 6", 127, 64, ParamTextSigned},
    {"Note 7", 127, 64, ParamTextSigned},
    {"Note 8", 127, 64, ParamTextSigned},
    {"Note 9", 127, 64, ParamTextSigned},
    {"Note 10", 127, 64, ParamTextSigned},
    {"Note 11", 127, 64, ParamTextSigned},
    {"Note 12", 127, 64, ParamTextSigned},
    {"Note 13", 127, 64, ParamTextSigned},
    {"Note 14", 127, 64, ParamTextSigned},
    {"Note 15", 127, 64, ParamTextSigned},
    {"Note 16", 127, 64, ParamTextSigned},
    {"Steps", 127, 15, ParamTextNumberPlusOne, kNoMorph},
    {"Rec step", 16, 0, ParamTextNumberPlusOne, kNoMorph},
    {"Record", 1, 0, {}, kNoMorph},
    {"Stop", 1, 0, ParamTextGoStop, kNoMorph},
    {"Loop", 1, 1, {}, kNoMorph},
};
constexpr uint8_t kSeqbOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 20, 16, 18, 19, 17};
constexpr JackSpec kSeqbJacks[] = {
    {kIn, kLogic, 7, 27, "Clk"},  {kIn, kLogic, 7, 56, "Rst"},     {kOut, kControl, 238, 87, "Out"},
    {kOut, kLogic, 7, 87, "Snc"}, {kOut, kLogic, 238, 57, "Link"}, {kOut, kLogic, 238, 72, "Gclk"},
};
constexpr ItemSpec kSeqbItems[] = {
    {.itemClass = ItemClass::VerticalSlider, .x = 23, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 35, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 47, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 59, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 71, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 83, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 95, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 107, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 119, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 131, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 143, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 155, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 167, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 179, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 191, .y = 40},
    {.itemClass = ItemClass::VerticalSlider, .x = 203, .y = 40},
    {.itemClass = ItemClass::LeftRightButton, .x = 202, .y = 5},
    {.itemClass = ItemClass::LeftRightButton, .x = 230, .y = 34},
    {.itemClass = ItemClass::CheckBitmapButton, .x = 230, .y = 3, .size = 21, .picture = 312},
    {.itemClass = ItemClass::CheckBitmapButton, .x = 230, .y = 18, .size = 21, .picture = 313},
    {.itemClass = ItemClass::CheckBitmapButton, .x = 116, .y = 3, .size = 25, .picture = 311},
    {.itemClass = ItemClass::GreenLed, .x = 25, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 37, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 49, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 61, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 73, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 85, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 97, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 109, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 121, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 133, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 145, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 157, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 169, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 181, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 193, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 205, .y = 32, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::DefaultText, .x = 168, .y = 3, .size = 32, .params = BoundParams(16, 1)},
    {.itemClass = ItemClass::SeqClr, .x = 89, .y = 3, .params = BoundParams(0, 16)},
};
constexpr ModuleTypeSpec kSeqbType = {
    15,          "NoteSeqA", "Note sequencer A", 493,       7, {{0, 45, 4, 0, 0, 0, 8, 21, 42, 102}},
    kSeqbParams, kSeqbOrder, kSeqbJacks,         kSeqbItems};

// "NoteSeqB"
// The parameter table and order of "NoteSeqA".
constexpr JackSpec kSeqcJacks[] = {
    {kIn, kLogic, 7, 26, "Clk"},   {kIn, kLogic, 7, 53, "Rst"},     {kOut, kControl, 237, 117, "Out"},
    {kOut, kLogic, 7, 115, "Snc"}, {kOut, kLogic, 237, 63, "Link"}, {kOut, kLogic, 237, 90, "Gclk"},
};
constexpr ItemSpec kSeqcItems[] = {
    {.itemClass = ItemClass::UpDownButton, .x = 23, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 35, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 47, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 59, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 71, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 83, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 95, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 107, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 119, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 131, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 143, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 155, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 167, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 179, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 191, .y = 40},
    {.itemClass = ItemClass::UpDownButton, .x = 203, .y = 40},
    {.itemClass = ItemClass::LeftRightButton, .x = 190, .y = 5},
    {.itemClass = ItemClass::LeftRightButton, .x = 232, .y = 34},
    {.itemClass = ItemClass::CheckBitmapButton, .x = 232, .y = 3, .size = 21, .picture = 312},
    {.itemClass = ItemClass::CheckBitmapButton, .x = 232, .y = 18, .size = 21, .picture = 313},
    {.itemClass = ItemClass::CheckBitmapButton, .x = 95, .y = 3, .size = 25, .picture = 311},
    {.itemClass = ItemClass::GreenLed, .x = 30, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 42, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 54, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 66, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 78, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 90, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 102, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 114, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 126, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 138, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 150, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 162, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 174, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 186, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 198, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::GreenLed, .x = 210, .y = 30, .role = ItemRole::StepLed},
    {.itemClass = ItemClass::DefaultText, .x = 156, .y = 3, .size = 32, .params = BoundParams(16, 1)},
    {.itemClass = ItemClass::SeqRangeClrRnd, .x = 4, .y = 69, .params = BoundParams(0, 16)},
    {.itemClass = ItemClass::NoteSeqGraph, .x = 27, .y = 38, .params = BoundParams(0, 16)},
};
constexpr ModuleTypeSpec kSeqcType = {
    90,          "NoteSeqB", "Note sequencer B", 494,       9, {{0, 45, 516, 0, 0, 0, 8, 21, 42, 103}},
    kSeqbParams, kSeqbOrder, kSeqcJacks,         kSeqcItems};

} // namespace

CBModuleEventb::CBModuleEventb() : CBuildModuleOf(kEventbType) { }

CBModuleSeqd::CBModuleSeqd() : CBuildModuleOf(kSeqdType) { }

CBModuleSeqb::CBModuleSeqb() : CBuildModuleOf(kSeqbType) { }

CBModuleSeqc::CBModuleSeqc() : CBuildModuleOf(kSeqcType) { }
