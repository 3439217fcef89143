#include "modules/InOutModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

#include <iterator>

std::string ParamTextOut1Destination(uint8_t v)
{
    static const char* const kNames[] = {"Out1", "Out2", "Out3", "Out4", "CL", "CR"};
    return v < std::size(kNames) ? kNames[v] : "";
}

std::string ParamTextOut2Destination(uint8_t v)
{
    static const char* const kNames[] = {"1,2", "3,4", "CVA"};
    return v < std::size(kNames) ? kNames[v] : "";
}

namespace {

using namespace ModuleTableNames;

// "Keyboard"
constexpr JackSpec kMidiJacks[] = {
    {kOut, kControl, 124, 8},
    {kOut, kLogic, 162, 8},
    {kOut, kControl, 200, 8},
    {kOut, kControl, 238, 8},
};
constexpr ModuleTypeSpec kMidiType = {1,  "Keyboard", "Keyboard - voice", 472, 2, {{0, 0, 3, 0, 0, 0, 0, 0, 0, 18}},
                                      {}, {},         kMidiJacks,         {}};

// "KbdPatch"
constexpr JackSpec kMidibJacks[] = {
    {kOut, kControl, 42, 27},
    {kOut, kLogic, 104, 27},
    {kOut, kControl, 166, 27},
    {kOut, kControl, 228, 27},
};
constexpr ModuleTypeSpec kMidibType = {63, "KbdPatch", "Keyboard - Patch", 473, 3, {{0, 0, 4, 0, 0, 0, 0, 0, 0, 18}},
                                       {}, {},         kMidibJacks,        {}};

// "MIDIGlobal"
constexpr JackSpec kMidicJacks[] = {
    {kOut, kLogic, 120, 8},
    {kOut, kLogic, 179, 8},
    {kOut, kLogic, 238, 8},
};
constexpr ModuleTypeSpec kMidicType = {65, "MIDIGlobal", "MIDI - global", 474, 2, {{0, 4, 1, 0, 0, 0, 1, 0, 5, 18}},
                                       {}, {},           kMidicJacks,     {}};

// "AudioIn"
constexpr JackSpec kAudioJacks[] = {
    {kOut, kAudio, 222, 13},
    {kOut, kAudio, 238, 13},
};
constexpr ItemSpec kAudioItems[] = {
    {.itemClass = ItemClass::ClipVUMeter, .x = 116, .y = 3},
    {.itemClass = ItemClass::ClipVUMeter, .x = 116, .y = 20},
};
constexpr ModuleTypeSpec kAudioType = {2,  "AudioIn", "Audio In",  425,        2, {{17, 0, 2, 1, 1, 18, 0, 0, 0, 18}},
                                       {}, {},        kAudioJacks, kAudioItems};

// "PolyAreaIn"
constexpr ParamSpec kPolyinParams[] = {
    {"+6dB", 1, 0},
};
constexpr uint8_t kPolyinOrder[] = {0};
constexpr JackSpec kPolyinJacks[] = {
    {kOut, kAudio, 223, 13},
    {kOut, kAudio, 238, 13},
};
constexpr ItemSpec kPolyinItems[] = {
    {.itemClass = ItemClass::CheckButton, .x = 198, .y = 12, .size = 24, .text = "+6dB"},
    {.itemClass = ItemClass::ClipVUMeter, .x = 92, .y = 3},
    {.itemClass = ItemClass::ClipVUMeter, .x = 92, .y = 20},
};
constexpr ModuleTypeSpec kPolyinType = {
    127,           "PolyAreaIn", "Poly Area In", 509,         2, {{18, 0, 2, 2, 1, 19, 0, 0, 0, 22}},
    kPolyinParams, kPolyinOrder, kPolyinJacks,   kPolyinItems};

// "1 output"
constexpr ParamSpec kOut1Params[] = {
    {"Level", 127, 115},
    {"Dest", 5, 0, ParamTextOut1Destination},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOut1Order[] = {0, 1, 2};
constexpr JackSpec kOut1Jacks[] = {
    {kIn, kAudio, 200, 22},
};
constexpr ItemSpec kOut1Items[] = {
    {.itemClass = ItemClass::BigKnob, .x = 220, .y = 12},
    {.itemClass = ItemClass::HorizontalRadioButton, .x = 33, .y = 21, .count = 6, .size = 22, .text = "1,2,3,4,L,R"},
    {.itemClass = ItemClass::CheckButton, .x = 172, .y = 21, .size = 15, .text = "M"},
};
constexpr ModuleTypeSpec kOut1Type = {
    5,           "1 output", "1 output", 416,       3, {{10, 0, 0, 1, 1, 11, 0, 0, 0, 30}},
    kOut1Params, kOut1Order, kOut1Jacks, kOut1Items};

// "2 outputs"
constexpr ParamSpec kOut2Params[] = {
    {"Level", 127, 115},
    {"Dest", 2, 0, ParamTextOut2Destination},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOut2Order[] = {0, 1, 2};
constexpr JackSpec kOut2Jacks[] = {
    {kIn, kAudio, 173, 22},
    {kIn, kAudio, 200, 22},
};
constexpr ItemSpec kOut2Items[] = {
    {.itemClass = ItemClass::BigKnob, .x = 220, .y = 12},
    {.itemClass = ItemClass::HorizontalRadioButton, .x = 59, .y = 21, .count = 3, .size = 25, .text = "1/2,3/4,CVA"},
    {.itemClass = ItemClass::CheckButton, .x = 140, .y = 21, .size = 15, .text = "M"},
};
constexpr ModuleTypeSpec kOut2Type = {
    4,           "2 outputs", "2 outputs", 417,       3, {{11, 0, 0, 1, 1, 12, 0, 0, 0, 30}},
    kOut2Params, kOut2Order,  kOut2Jacks,  kOut2Items};

// "4 outputs"
constexpr ParamSpec kOut4Params[] = {
    {"Level", 127, 115},
};
constexpr uint8_t kOut4Order[] = {0};
constexpr JackSpec kOut4Jacks[] = {
    {kIn, kAudio, 110, 21},
    {kIn, kAudio, 140, 21},
    {kIn, kAudio, 170, 21},
    {kIn, kAudio, 200, 21},
};
constexpr ItemSpec kOut4Items[] = {
    {.itemClass = ItemClass::BigKnob, .x = 220, .y = 12},
};
constexpr ModuleTypeSpec kOut4Type = {
    3,           "4 outputs", "4 outputs", 418,       3, {{16, 0, 0, 1, 0, 17, 0, 0, 0, 22}},
    kOut4Params, kOut4Order,  kOut4Jacks,  kOut4Items};

// "NoteDetect"
constexpr ParamSpec kNotedetParams[] = {
    {"Note", 127, 60, ParamTextNoteName, kNoMorph},
};
constexpr uint8_t kNotedetOrder[] = {0};
constexpr JackSpec kNotedetJacks[] = {
    {kOut, kLogic, 182, 8},
    {kOut, kControl, 210, 8},
    {kOut, kControl, 238, 8},
};
constexpr ItemSpec kNotedetItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 133, .y = 5},
    {.itemClass = ItemClass::DefaultText, .x = 98, .y = 7, .size = 32, .params = BoundParams(0, 1)},
};
constexpr ModuleTypeSpec kNotedetType = {67,
                                         "NoteDetect",
                                         "Note detector",
                                         482,
                                         2,
                                         {{0, 0, 3, 0, 0, 0, 0, 0, 0, 22}},
                                         kNotedetParams,
                                         kNotedetOrder,
                                         kNotedetJacks,
                                         kNotedetItems};

// "KeybSplit"
constexpr ParamSpec kSplitParams[] = {
    {"Upper note", 127, 64, ParamTextNoteName},
    {"Lower note", 127, 64, ParamTextNoteName},
};
constexpr uint8_t kSplitOrder[] = {1, 0};
constexpr JackSpec kSplitJacks[] = {
    {kIn, kControl, 200, 2},  {kIn, kLogic, 200, 15},  {kIn, kControl, 200, 28},
    {kOut, kControl, 238, 2}, {kOut, kLogic, 238, 15}, {kOut, kControl, 238, 28},
};
constexpr ItemSpec kSplitItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 130, .y = 15},
    {.itemClass = ItemClass::MediumKnob, .x = 91, .y = 15},
    {.itemClass = ItemClass::DefaultText, .x = 157, .y = 18, .size = 32, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 55, .y = 18, .size = 32, .params = BoundParams(1, 1)},
};
constexpr ModuleTypeSpec kSplitType = {
    100,          "KeybSplit", "Keyboard Split", 500,        3, {{0, 25, 3, 0, 0, 0, 2, 2, 20, 26}},
    kSplitParams, kSplitOrder, kSplitJacks,      kSplitItems};

} // namespace

CBModuleMidi::CBModuleMidi() : CBuildModuleOf(kMidiType) { }

CBModuleMidib::CBModuleMidib() : CBuildModuleOf(kMidibType) { }

CBModuleMidic::CBModuleMidic() : CBuildModuleOf(kMidicType) { }

CBModuleAudio::CBModuleAudio() : CBuildModuleOf(kAudioType) { }

CBModulePolyin::CBModulePolyin() : CBuildModuleOf(kPolyinType) { }

CBModuleOut1::CBModuleOut1() : CBuildModuleOf(kOut1Type) { }

CBModuleOut2::CBModuleOut2() : CBuildModuleOf(kOut2Type) { }

CBModuleOut4::CBModuleOut4() : CBuildModuleOf(kOut4Type) { }

CBModuleNotedet::CBModuleNotedet() : CBuildModuleOf(kNotedetType) { }

CBModuleSplit::CBModuleSplit() : CBuildModuleOf(kSplitType) { }
