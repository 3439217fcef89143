#include "modules/SeqModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

namespace {

using namespace ModuleTableNames;

// "EventSeq"
constexpr ParamSpec kEventbParams[] = {
    {"Steps", 127, 15, ParamTextNumberPlusOne, kNoMorph},
    {"Loop", 1, 1, ParamTextOnOff, kNoMorph},
    {"Output A", 1, 0, ParamTextTrigGate, kNoMorph},
    {"Output B", 1, 0, ParamTextTrigGate, kNoMorph},
    {"Event A 1", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 2", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 3", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 4", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 5", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 6", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 7", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 8", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 9", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 10", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 11", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 12", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 13", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 14", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 15", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event A 16", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 1", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 2", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 3", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 4", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 5", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 6", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 7", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 8", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 9", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 10", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 11", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 12", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 13", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 14", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 15", 1, 0, ParamTextOnOff, kNoMorph},
    {"Event B 16", 1, 0, ParamTextOnOff, kNoMorph},
};
constexpr uint8_t kEventbOrder[] = {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 2, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 3, 1, 0};
constexpr JackSpec kEventbJacks[] = {
    {kIn, kLogic, 7, 15},
    {kIn, kLogic, 7, 37},
    {kOut, kLogic, 238, 44},
    {kOut, kLogic, 238, 58},
    {kOut, kLogic, 7, 59},
    {kOut, kLogic, 238, 4},
};
constexpr ModuleTypeSpec kEventbType = {17, "EventSeq", "Event sequencer", 448, 5, {{0, 52, 4, 0, 0, 0, 9, 21, 49, 162}}, kEventbParams, kEventbOrder, kEventbJacks};

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
    {kIn, kLogic, 7, 27},
    {kIn, kLogic, 7, 56},
    {kOut, kControl, 238, 87},
    {kOut, kLogic, 7, 87},
    {kOut, kLogic, 238, 43},
};
constexpr ModuleTypeSpec kSeqdType = {91, "CtrlSeq", "Control sequencer", 495, 7, {{0, 45, 3, 0, 0, 0, 8, 22, 42, 94}}, kSeqdParams, kSeqdOrder, kSeqdJacks};

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
    {kIn, kLogic, 7, 27},
    {kIn, kLogic, 7, 56},
    {kOut, kControl, 238, 87},
    {kOut, kLogic, 7, 87},
    {kOut, kLogic, 238, 57},
    {kOut, kLogic, 238, 72},
};
constexpr ModuleTypeSpec kSeqbType = {15, "NoteSeqA", "Note sequencer A", 493, 7, {{0, 45, 4, 0, 0, 0, 8, 21, 42, 102}}, kSeqbParams, kSeqbOrder, kSeqbJacks};

// "NoteSeqB"
// The parameter table and order of "NoteSeqA".
constexpr JackSpec kSeqcJacks[] = {
    {kIn, kLogic, 7, 26},
    {kIn, kLogic, 7, 53},
    {kOut, kControl, 237, 117},
    {kOut, kLogic, 7, 115},
    {kOut, kLogic, 237, 63},
    {kOut, kLogic, 237, 90},
};
constexpr ModuleTypeSpec kSeqcType = {90, "NoteSeqB", "Note sequencer B", 494, 9, {{0, 45, 516, 0, 0, 0, 8, 21, 42, 103}}, kSeqbParams, kSeqbOrder, kSeqcJacks};

} // namespace

CBModuleEventb::CBModuleEventb() : CBuildModule(kEventbType) {}

CBModuleSeqd::CBModuleSeqd() : CBuildModule(kSeqdType) {}

CBModuleSeqb::CBModuleSeqb() : CBuildModule(kSeqbType) {}

CBModuleSeqc::CBModuleSeqc() : CBuildModule(kSeqcType) {}
