#include "modules/OscModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

std::string ParamTextSpectralPartials(uint8_t v)
{
    return v == 0 ? "Odd" : "All";
}

std::string ParamTextFormantTimbre(uint8_t v)
{
    return v == 127 ? "Rnd" : IntToString(v + 1);
}

std::string ParamTextDrumFilterType(uint8_t v)
{
    return v == 0 ? "LP" : v == 1 ? "BP" : "HP";
}

namespace {

using namespace ModuleTableNames;

// "MasterOsc"
constexpr ParamSpec kMstoscParams[] = {
    {"Freq coars", 127, 64, ParamTextKeyNote},
    {"Freq fine", 127, 64, ParamTextSigned},
    {"KBT", 127, 1, ParamTextKeyOrOff},
    {"Pitch MA 1", 127, 0},
    {"Pitch MA 2", 127, 0},
};
constexpr uint8_t kMstoscOrder[] = {0, 1, 2, 3, 4};
constexpr JackSpec kMstoscJacks[] = {
    {kIn, kControl, 158, 22},
    {kIn, kControl, 200, 22},
    {kOut, kSlave, 5, 28},
};
constexpr ItemSpec kMstoscItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 90, .y = 12},
    {.itemClass = ItemClass::IndicatorKnob, .x = 124, .y = 12},
    {.itemClass = ItemClass::CheckButton, .x = 227, .y = 3, .size = 25, .text = "KBT"},
    {.itemClass = ItemClass::SmallKnob, .x = 176, .y = 20},
    {.itemClass = ItemClass::SmallKnob, .x = 218, .y = 20},
    {.itemClass = ItemClass::MasterOscText, .x = 31, .y = 20, .size = 55, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kMstoscType = {
    97,           "MasterOsc",  "Master Oscillator", 479, 3, {{0, 24, 257, 0, 0, 0, 3, 2, 25, 39}}, kMstoscParams,
    kMstoscOrder, kMstoscJacks, kMstoscItems};

// "OscA"
constexpr ParamSpec kOscParams[] = {
    {"Freq coars", 127, 64, ParamTextKeyNote},
    {"Freq fine", 127, 64, ParamTextSigned},
    {"KBT", 127, 64, ParamTextKeyTrack},
    {"Pulse wdth", 127, 64, ParamTextPercent},
    {"Waveform", 3, 0, ParamTextWave},
    {"Pitch MA 1", 127, 0},
    {"Pitch MA 2", 127, 0},
    {"FM amount", 127, 0},
    {"Pulse w MA", 127, 0},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOscOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr JackSpec kOscJacks[] = {
    {kIn, kAudio, 142, 68}, {kIn, kAudio, 92, 68},   {kIn, kAudio, 5, 68},  {kIn, kAudio, 47, 68},
    {kIn, kAudio, 175, 59}, {kOut, kAudio, 238, 72}, {kOut, kSlave, 9, 41},
};
constexpr ItemSpec kOscItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 68, .y = 25},
    {.itemClass = ItemClass::IndicatorKnob, .x = 104, .y = 25},
    {.itemClass = ItemClass::IndicatorKnob, .x = 137, .y = 25},
    {.itemClass = ItemClass::IndicatorKnob, .x = 182, .y = 22},
    {.itemClass = ItemClass::VerticalBitmapRadioButton, .x = 228, .y = 8, .count = 4, .size = 22, .picture = 301},
    {.itemClass = ItemClass::SmallKnob, .x = 23, .y = 65},
    {.itemClass = ItemClass::SmallKnob, .x = 65, .y = 65},
    {.itemClass = ItemClass::SmallKnob, .x = 110, .y = 65},
    {.itemClass = ItemClass::SmallKnob, .x = 193, .y = 56},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 71, .size = 15, .text = "M"},
    {.itemClass = ItemClass::MasterOscText, .x = 9, .y = 25, .size = 55, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kOscType = {
    7, "OscA", "OSC A", 406, 6, {{85, 0, 258, 12, 5, 240, 0, 0, 0, 59}}, kOscParams, kOscOrder, kOscJacks, kOscItems};

// "OscB"
constexpr ParamSpec kOscbParams[] = {
    {"Freq coars", 127, 64, ParamTextKeyNote},
    {"Freq fine", 127, 64, ParamTextSigned},
    {"KBT", 127, 64, ParamTextKeyTrack},
    {"Waveform", 3, 0, ParamTextWave},
    {"Pitch MA 1", 127, 0},
    {"Pitch MA 2", 127, 0},
    {"FM amount", 127, 0},
    {"Pulse w MA", 127, 0},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOscbOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
constexpr JackSpec kOscbJacks[] = {
    {kIn, kAudio, 92, 68},    {kIn, kControl, 5, 68},  {kIn, kControl, 47, 68},
    {kIn, kControl, 175, 32}, {kOut, kAudio, 238, 72}, {kOut, kSlave, 9, 41},
};
constexpr ItemSpec kOscbItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 68, .y = 25},
    {.itemClass = ItemClass::IndicatorKnob, .x = 104, .y = 25},
    {.itemClass = ItemClass::IndicatorKnob, .x = 137, .y = 25},
    {.itemClass = ItemClass::VerticalBitmapRadioButton, .x = 228, .y = 8, .count = 4, .size = 22, .picture = 301},
    {.itemClass = ItemClass::SmallKnob, .x = 23, .y = 65},
    {.itemClass = ItemClass::SmallKnob, .x = 65, .y = 65},
    {.itemClass = ItemClass::SmallKnob, .x = 110, .y = 65},
    {.itemClass = ItemClass::SmallKnob, .x = 193, .y = 29},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 71, .size = 15, .text = "M"},
    {.itemClass = ItemClass::MasterOscText, .x = 9, .y = 25, .size = 55, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kOscbType = {
    8,           "OscB",     "OSC B",    407,       6, {{59, 24, 258, 5, 3, 204, 5, 4, 25, 55}},
    kOscbParams, kOscbOrder, kOscbJacks, kOscbItems};

// "OscC"
constexpr ParamSpec kOsccParams[] = {
    {"Freq coars", 127, 64, ParamTextKeyNote},
    {"Freq fine", 127, 64, ParamTextSigned},
    {"KBT", 1, 1, ParamTextKeyOrOff},
    {"Pitch MA", 127, 0},
    {"FM amount", 127, 0},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOsccOrder[] = {0, 1, 2, 3, 5, 4};
constexpr JackSpec kOsccJacks[] = {
    {kIn, kAudio, 166, 37},  {kIn, kAudio, 43, 37}, {kIn, kAudio, 180, 6},
    {kOut, kAudio, 238, 42}, {kOut, kSlave, 7, 41},
};
constexpr ItemSpec kOsccItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 90, .y = 25},
    {.itemClass = ItemClass::IndicatorKnob, .x = 124, .y = 27},
    {.itemClass = ItemClass::CheckButton, .x = 200, .y = 13, .size = 25, .text = "KBT"},
    {.itemClass = ItemClass::SmallKnob, .x = 61, .y = 35},
    {.itemClass = ItemClass::SmallKnob, .x = 184, .y = 35},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 41, .size = 15, .text = "M"},
    {.itemClass = ItemClass::MasterOscText, .x = 31, .y = 17, .size = 55, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kOsccType = {
    9, "OscC", "OSC C", 408, 4, {{39, 0, 258, 8, 1, 40, 0, 0, 0, 43}}, kOsccParams, kOsccOrder, kOsccJacks, kOsccItems};

// "SpectralOsc"
constexpr ParamSpec kTiltoscParams[] = {
    {"Freq coars", 127, 64, ParamTextKeyNote},
    {"Freq fine", 127, 64, ParamTextSigned},
    {"S Shape", 127, 64},
    {"Partials", 1, 1, ParamTextSpectralPartials},
    {"Pitch MA 1", 127, 0},
    {"Pitch MA 2", 127, 0},
    {"FM amount", 127, 0},
    {"S Shape MA", 127, 0},
    {"KBT", 1, 1, ParamTextKeyOrOff},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kTiltoscOrder[] = {0, 1, 2, 3, 4, 5, 6, 8, 7, 9};
constexpr JackSpec kTiltoscJacks[] = {
    {kIn, kAudio, 97, 52},    {kIn, kControl, 6, 52},  {kIn, kControl, 51, 52},
    {kIn, kControl, 167, 51}, {kOut, kAudio, 238, 57}, {kOut, kSlave, 6, 27},
};
constexpr ItemSpec kTiltoscItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 95, .y = 12},
    {.itemClass = ItemClass::IndicatorKnob, .x = 133, .y = 12},
    {.itemClass = ItemClass::MediumKnob, .x = 176, .y = 24},
    {.itemClass = ItemClass::HorizontalRadioButton, .x = 211, .y = 36, .count = 2, .size = 20, .text = "Odd,All"},
    {.itemClass = ItemClass::SmallKnob, .x = 24, .y = 50},
    {.itemClass = ItemClass::SmallKnob, .x = 69, .y = 50},
    {.itemClass = ItemClass::SmallKnob, .x = 115, .y = 50},
    {.itemClass = ItemClass::SmallKnob, .x = 185, .y = 49},
    {.itemClass = ItemClass::CheckButton, .x = 139, .y = 52, .size = 22, .text = "KBT"},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 56, .size = 15, .text = "M"},
    {.itemClass = ItemClass::MasterOscText, .x = 34, .y = 24, .size = 55, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kTiltoscType = {
    107,           "SpectralOsc", "Spectral Osc", 502, 5, {{54, 32, 258, 3, 6, 55, 4, 5, 33, 59}}, kTiltoscParams,
    kTiltoscOrder, kTiltoscJacks, kTiltoscItems};

// "FormantOsc"
constexpr ParamSpec kNoisoscParams[] = {
    {"Freq coars", 127, 64, ParamTextKeyNote},
    {"Freq fine", 127, 64, ParamTextSigned},
    {"KBT", 1, 1, ParamTextKeyOrOff},
    {"Mute", 1, 0, ParamTextOnOff},
    {"Timbre", 127, 0, ParamTextFormantTimbre},
    {"Pitch MA 1", 127, 0},
    {"Pitch MA 2", 127, 0},
};
constexpr uint8_t kNoisoscOrder[] = {0, 1, 2, 4, 3, 5, 6};
constexpr JackSpec kNoisoscJacks[] = {
    {kIn, kControl, 7, 36},  {kIn, kControl, 48, 36}, {kIn, kControl, 156, 15},
    {kOut, kAudio, 238, 42}, {kOut, kSlave, 156, 42},
};
constexpr ItemSpec kNoisoscItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 94, .y = 25},
    {.itemClass = ItemClass::IndicatorKnob, .x = 127, .y = 27},
    {.itemClass = ItemClass::CheckButton, .x = 181, .y = 38, .size = 25, .text = "KBT"},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 41, .size = 15, .text = "M"},
    {.itemClass = ItemClass::MediumKnob, .x = 206, .y = 11},
    {.itemClass = ItemClass::SmallKnob, .x = 25, .y = 34},
    {.itemClass = ItemClass::SmallKnob, .x = 66, .y = 34},
    {.itemClass = ItemClass::MasterOscText, .x = 33, .y = 18, .size = 55, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::DefaultText, .x = 172, .y = 14, .size = 32, .params = BoundParams(4, 1)},
};
constexpr ModuleTypeSpec kNoisoscType = {96,
                                         "FormantOsc",
                                         "Formant Osc",
                                         481,
                                         4,
                                         {{65, 25, 258, 4, 4, 66, 4, 3, 26, 47}},
                                         kNoisoscParams,
                                         kNoisoscOrder,
                                         kNoisoscJacks,
                                         kNoisoscItems};

// "OscSlvA"
constexpr ParamSpec kOschParams[] = {
    {"Detune", 127, 64, ParamTextSigned}, {"Dtune fine", 127, 64, ParamTextSigned},
    {"Waveform", 3, 0, ParamTextWave},    {"FM amount", 127, 0},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOschOrder[] = {0, 1, 2, 3, 4};
constexpr JackSpec kOschJacks[] = {
    {kIn, kSlave, 5, 42},  {kIn, kAudio, 167, 37},  {kIn, kAudio, 226, 23},
    {kIn, kAudio, 16, 26}, {kOut, kAudio, 238, 42},
};
constexpr ItemSpec kOschItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 100, .y = 20},
    {.itemClass = ItemClass::IndicatorKnob, .x = 134, .y = 20},
    {.itemClass = ItemClass::HorizontalBitmapRadioButton, .x = 162, .y = 3, .count = 4, .size = 22, .picture = 301},
    {.itemClass = ItemClass::SmallKnob, .x = 185, .y = 35},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 41, .size = 15, .text = "M"},
    {.itemClass = ItemClass::SlaveOscText, .x = 39, .y = 21, .size = 55, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::PartialLeftRight, .x = 73, .y = 38, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kOschType = {
    14,          "OscSlvA",  "OSC Slave A", 413,       4, {{60, 0, 257, 6, 4, 215, 0, 0, 0, 39}},
    kOschParams, kOschOrder, kOschJacks,    kOschItems};

// "OscSlvB"
constexpr ParamSpec kOscdParams[] = {
    {"Detune", 127, 64, ParamTextSigned},
    {"Dtune fine", 127, 64, ParamTextSigned},
    {"Pulse wdth", 127, 64, ParamTextPercent},
    {"Pulse w MA", 127, 0},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOscdOrder[] = {0, 1, 2, 3, 4};
constexpr JackSpec kOscdJacks[] = {
    {kIn, kSlave, 5, 28},
    {kIn, kAudio, 155, 20},
    {kOut, kAudio, 238, 27},
};
constexpr ItemSpec kOscdItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 90, .y = 12},
    {.itemClass = ItemClass::IndicatorKnob, .x = 124, .y = 12},
    {.itemClass = ItemClass::IndicatorKnob, .x = 195, .y = 9},
    {.itemClass = ItemClass::SmallKnob, .x = 173, .y = 17},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 26, .size = 15, .text = "M"},
    {.itemClass = ItemClass::SlaveOscText, .x = 31, .y = 15, .size = 55, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::PartialLeftRight, .x = 64, .y = 31, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kOscdType = {
    10,          "OscSlvB",  "OSC Slave B", 409,       3, {{56, 0, 257, 3, 5, 79, 0, 0, 0, 39}},
    kOscdParams, kOscdOrder, kOscdJacks,    kOscdItems};

// "OscSlvC"
constexpr ParamSpec kOsceParams[] = {
    {"Detune", 127, 64, ParamTextSigned},
    {"Dtune fine", 127, 64, ParamTextSigned},
    {"FM amount", 127, 0},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOsceOrder[] = {0, 1, 2, 3};
constexpr JackSpec kOsceJacks[] = {
    {kIn, kSlave, 5, 28},
    {kIn, kAudio, 166, 18},
    {kOut, kAudio, 238, 27},
};
constexpr ItemSpec kOsceItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 90, .y = 12},
    {.itemClass = ItemClass::IndicatorKnob, .x = 124, .y = 12},
    {.itemClass = ItemClass::SmallKnob, .x = 184, .y = 16},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 26, .size = 15, .text = "M"},
    {.itemClass = ItemClass::SlaveOscText, .x = 31, .y = 15, .size = 55, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::PartialLeftRight, .x = 64, .y = 31, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kOsceType = {
    11,          "OscSlvC",  "OSC Slave C", 410,       3, {{47, 0, 257, 2, 3, 64, 0, 0, 0, 35}},
    kOsceParams, kOsceOrder, kOsceJacks,    kOsceItems};

// "OscSlvD"
// The panel and tables of "OscSlvC".
constexpr ModuleTypeSpec kOscfType = {
    12,          "OscSlvD",  "OSC Slave D", 411,       3, {{46, 0, 257, 2, 3, 47, 0, 0, 0, 35}},
    kOsceParams, kOsceOrder, kOsceJacks,    kOsceItems};

// "OscSlvE"
constexpr ParamSpec kOscgParams[] = {
    {"Detune", 127, 64, ParamTextSigned},
    {"Dtune fine", 127, 64, ParamTextSigned},
    {"FM amount", 127, 0},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOscgOrder[] = {0, 1, 2, 3};
constexpr JackSpec kOscgJacks[] = {
    {kIn, kSlave, 5, 28},
    {kIn, kAudio, 157, 19},
    {kIn, kAudio, 202, 19},
    {kOut, kAudio, 238, 27},
};
constexpr ItemSpec kOscgItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 90, .y = 12},
    {.itemClass = ItemClass::IndicatorKnob, .x = 124, .y = 12},
    {.itemClass = ItemClass::SmallKnob, .x = 175, .y = 17},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 26, .size = 15, .text = "M"},
    {.itemClass = ItemClass::SlaveOscText, .x = 31, .y = 15, .size = 55, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::PartialLeftRight, .x = 64, .y = 31, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kOscgType = {
    13,          "OscSlvE",  "OSC Slave E", 412,       3, {{24, 0, 257, 5, 2, 25, 0, 0, 0, 35}},
    kOscgParams, kOscgOrder, kOscgJacks,    kOscgItems};

// "OscSineBank"
constexpr ParamSpec kOscjParams[] = {
    {"Detune 1", 127, 64, ParamTextSigned},
    {"Fine t 1", 127, 64, ParamTextSigned},
    {"Level 1", 127, 100},
    {"Detune 2", 127, 64, ParamTextSigned},
    {"Fine t 2", 127, 64, ParamTextSigned},
    {"Level 2", 127, 100},
    {"Detune 3", 127, 64, ParamTextSigned},
    {"Fine t 3", 127, 64, ParamTextSigned},
    {"Level 3", 127, 100},
    {"Detune 4", 127, 64, ParamTextSigned},
    {"Fine t 4", 127, 64, ParamTextSigned},
    {"Level 4", 127, 100},
    {"Detune 5", 127, 64, ParamTextSigned},
    {"Fine t 5", 127, 64, ParamTextSigned},
    {"Level 5", 127, 100},
    {"Detune 6", 127, 64, ParamTextSigned},
    {"Fine t 6", 127, 64, ParamTextSigned},
    {"Level 6", 127, 100},
    {"Mute 1", 1, 0, ParamTextOnOff, kNoMorph},
    {"Mute 2", 1, 1, ParamTextOnOff, kNoMorph},
    {"Mute 3", 1, 1, ParamTextOnOff, kNoMorph},
    {"Mute 4", 1, 1, ParamTextOnOff, kNoMorph},
    {"Mute 5", 1, 1, ParamTextOnOff, kNoMorph},
    {"Mute 6", 1, 1, ParamTextOnOff, kNoMorph},
};
constexpr uint8_t kOscjOrder[] = {0, 3, 6, 9, 12, 15, 1, 4, 7, 10, 13, 16, 18, 19, 20, 21, 22, 23, 2, 5, 8, 11, 14, 17};
constexpr JackSpec kOscjJacks[] = {
    {kIn, kSlave, 43, 133},  {kIn, kAudio, 145, 133},  {kIn, kAudio, 95, 133},  {kIn, kAudio, 7, 115},
    {kIn, kAudio, 48, 115},  {kIn, kAudio, 89, 115},   {kIn, kAudio, 130, 115}, {kIn, kAudio, 171, 115},
    {kIn, kAudio, 212, 115}, {kOut, kAudio, 238, 133},
};
constexpr ItemSpec kOscjItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 21, .y = 46},
    {.itemClass = ItemClass::IndicatorKnob, .x = 21, .y = 70},
    {.itemClass = ItemClass::MediumKnob, .x = 21, .y = 108},
    {.itemClass = ItemClass::MediumKnob, .x = 62, .y = 46},
    {.itemClass = ItemClass::IndicatorKnob, .x = 62, .y = 70},
    {.itemClass = ItemClass::MediumKnob, .x = 62, .y = 108},
    {.itemClass = ItemClass::MediumKnob, .x = 103, .y = 46},
    {.itemClass = ItemClass::IndicatorKnob, .x = 103, .y = 70},
    {.itemClass = ItemClass::MediumKnob, .x = 103, .y = 108},
    {.itemClass = ItemClass::MediumKnob, .x = 144, .y = 46},
    {.itemClass = ItemClass::IndicatorKnob, .x = 144, .y = 70},
    {.itemClass = ItemClass::MediumKnob, .x = 144, .y = 108},
    {.itemClass = ItemClass::MediumKnob, .x = 185, .y = 46},
    {.itemClass = ItemClass::IndicatorKnob, .x = 185, .y = 70},
    {.itemClass = ItemClass::MediumKnob, .x = 185, .y = 108},
    {.itemClass = ItemClass::MediumKnob, .x = 226, .y = 46},
    {.itemClass = ItemClass::IndicatorKnob, .x = 226, .y = 70},
    {.itemClass = ItemClass::MediumKnob, .x = 226, .y = 108},
    {.itemClass = ItemClass::CheckButton, .x = 6, .y = 79, .size = 15, .text = "M"},
    {.itemClass = ItemClass::CheckButton, .x = 47, .y = 79, .size = 15, .text = "M"},
    {.itemClass = ItemClass::CheckButton, .x = 88, .y = 79, .size = 15, .text = "M"},
    {.itemClass = ItemClass::CheckButton, .x = 129, .y = 79, .size = 15, .text = "M"},
    {.itemClass = ItemClass::CheckButton, .x = 170, .y = 79, .size = 15, .text = "M"},
    {.itemClass = ItemClass::CheckButton, .x = 211, .y = 79, .size = 15, .text = "M"},
    {.itemClass = ItemClass::SmallSlaveOscText, .x = 5, .y = 22, .size = 40, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::SmallSlaveOscText, .x = 46, .y = 22, .size = 40, .params = BoundParams(3, 2)},
    {.itemClass = ItemClass::SmallSlaveOscText, .x = 87, .y = 22, .size = 40, .params = BoundParams(6, 2)},
    {.itemClass = ItemClass::SmallSlaveOscText, .x = 128, .y = 22, .size = 40, .params = BoundParams(9, 2)},
    {.itemClass = ItemClass::SmallSlaveOscText, .x = 169, .y = 22, .size = 40, .params = BoundParams(12, 2)},
    {.itemClass = ItemClass::SmallSlaveOscText, .x = 210, .y = 22, .size = 40, .params = BoundParams(15, 2)},
    {.itemClass = ItemClass::PartialUpDown, .x = 7, .y = 48, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::PartialUpDown, .x = 48, .y = 48, .params = BoundParams(3, 2)},
    {.itemClass = ItemClass::PartialUpDown, .x = 89, .y = 48, .params = BoundParams(6, 2)},
    {.itemClass = ItemClass::PartialUpDown, .x = 130, .y = 48, .params = BoundParams(9, 2)},
    {.itemClass = ItemClass::PartialUpDown, .x = 171, .y = 48, .params = BoundParams(12, 2)},
    {.itemClass = ItemClass::PartialUpDown, .x = 212, .y = 48, .params = BoundParams(15, 2)},
};
constexpr ModuleTypeSpec kOscjType = {
    106,         "OscSineBank", "OSC Sine Bank", 414,       10, {{132, 0, 1, 12, 33, 130, 0, 0, 0, 114}},
    kOscjParams, kOscjOrder,    kOscjJacks,      kOscjItems};

// "OscSlvFM"
constexpr ParamSpec kOscopParams[] = {
    {"Detune", 127, 64, ParamTextSigned},
    {"Detun Fine", 127, 64, ParamTextSigned},
    {"-3 Oct", 1, 0, ParamTextOnOff, kNoMorph},
    {"FM Amount", 127, 0},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOscopOrder[] = {0, 1, 2, 3, 4};
constexpr JackSpec kOscopJacks[] = {
    {kIn, kSlave, 5, 28},
    {kIn, kAudio, 181, 13},
    {kIn, kAudio, 157, 13},
    {kOut, kAudio, 238, 27},
};
constexpr ItemSpec kOscopItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 90, .y = 12},
    {.itemClass = ItemClass::IndicatorKnob, .x = 124, .y = 12},
    {.itemClass = ItemClass::CheckButton, .x = 156, .y = 27, .size = 32, .text = "-3 Oct"},
    {.itemClass = ItemClass::SmallKnob, .x = 199, .y = 11},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 26, .size = 15, .text = "M"},
    {.itemClass = ItemClass::SlaveOscText, .x = 31, .y = 15, .size = 55, .params = BoundParams(0, 2)},
    {.itemClass = ItemClass::PartialLeftRight, .x = 64, .y = 31, .params = BoundParams(0, 2)},
};
constexpr ModuleTypeSpec kOscopType = {
    85,           "OscSlvFM",  "Osc Slave FM", 415,        3, {{25, 0, 257, 6, 4, 26, 0, 0, 0, 39}},
    kOscopParams, kOscopOrder, kOscopJacks,    kOscopItems};

// "Noise"
constexpr ParamSpec kNoiseaParams[] = {
    {"Color", 127, 0},
};
constexpr uint8_t kNoiseaOrder[] = {0};
constexpr JackSpec kNoiseaJacks[] = {
    {kOut, kAudio, 238, 8},
};
constexpr ItemSpec kNoiseaItems[] = {
    {.itemClass = ItemClass::SmallKnob, .x = 145, .y = 4},
};
constexpr ModuleTypeSpec kNoiseaType = {
    31,           "Noise",      "Noise generator", 480, 2, {{13, 0, 1, 4, 2, 14, 0, 0, 0, 22}}, kNoiseaParams,
    kNoiseaOrder, kNoiseaJacks, kNoiseaItems};

// "PercOsc"
constexpr ParamSpec kTfilterParams[] = {
    {"Pitch", 127, 64, ParamTextKeyNote}, {"Click", 127, 64},   {"Decay", 127, 64},
    {"Punch", 1, 0, ParamTextOnOff},      {"Pitch MA", 127, 0}, {"Pitch fine", 127, 64},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kTfilterOrder[] = {1, 2, 4, 0, 5, 3, 6};
constexpr JackSpec kTfilterJacks[] = {
    {kIn, kAudio, 7, 42},
    {kIn, kAudio, 7, 26},
    {kIn, kControl, 106, 34},
    {kOut, kAudio, 238, 42},
};
constexpr uint8_t kTfilterBound7[] = {0, 5};
constexpr ItemSpec kTfilterItems[] = {
    {.itemClass = ItemClass::BigKnob, .x = 157, .y = 18},
    {.itemClass = ItemClass::MediumKnob, .x = 45, .y = 27},
    {.itemClass = ItemClass::MediumKnob, .x = 71, .y = 27},
    {.itemClass = ItemClass::CheckButton, .x = 221, .y = 23, .size = 30, .text = "Punch"},
    {.itemClass = ItemClass::SmallKnob, .x = 124, .y = 31},
    {.itemClass = ItemClass::IndicatorKnob, .x = 190, .y = 17},
    {.itemClass = ItemClass::CheckButton, .x = 221, .y = 41, .size = 15, .text = "M"},
    {.itemClass = ItemClass::MasterOscText, .x = 100, .y = 11, .size = 55, .params = kTfilterBound7},
};
constexpr ModuleTypeSpec kTfilterType = {95,
                                         "PercOsc",
                                         "Percussion OSC",
                                         501,
                                         4,
                                         {{33, 21, 257, 5, 5, 34, 2, 2, 22, 47}},
                                         kTfilterParams,
                                         kTfilterOrder,
                                         kTfilterJacks,
                                         kTfilterItems};

// "DrumSynth"
constexpr ParamSpec kDrumParams[] = {
    {"Osc1 Pitch", 127, 0, ParamTextFreqQuarterTone},
    {"Osc2 Dtune", 127, 0, ParamTextPartialRatio},
    {"Osc1 Decay", 127, 25, ParamTextEnvTime},
    {"Osc2 Decay", 127, 25, ParamTextEnvTime},
    {"Osc1 Level", 127, 25},
    {"Osc2 Level", 127, 25},
    {"Filt. Freq", 127, 25, ParamTextFreq},
    {"Filt. Res", 127, 25},
    {"Filt. Swp", 127, 25},
    {"Filt. Dcy", 127, 25, ParamTextEnvTime},
    {"Filt. Type", 2, 0, ParamTextDrumFilterType},
    {"Bend Amt", 127, 25},
    {"Bend Decay", 127, 25, ParamTextEnvTime},
    {"Click", 127, 25},
    {"Noise", 127, 25},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kDrumOrder[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr JackSpec kDrumJacks[] = {
    {kIn, kLogic, 7, 33},
    {kIn, kControl, 7, 73},
    {kIn, kControl, 7, 114},
    {kOut, kAudio, 238, 117},
};
constexpr ItemSpec kDrumItems[] = {
    {.itemClass = ItemClass::MediumKnob, .x = 34, .y = 54},
    {.itemClass = ItemClass::MediumKnob, .x = 89, .y = 54},
    {.itemClass = ItemClass::MediumKnob, .x = 34, .y = 79},
    {.itemClass = ItemClass::MediumKnob, .x = 89, .y = 79},
    {.itemClass = ItemClass::MediumKnob, .x = 34, .y = 106},
    {.itemClass = ItemClass::MediumKnob, .x = 89, .y = 106},
    {.itemClass = ItemClass::MediumKnob, .x = 124, .y = 27},
    {.itemClass = ItemClass::MediumKnob, .x = 149, .y = 27},
    {.itemClass = ItemClass::MediumKnob, .x = 174, .y = 27},
    {.itemClass = ItemClass::MediumKnob, .x = 200, .y = 27},
    {.itemClass = ItemClass::VerticalRadioButton, .x = 227, .y = 6, .count = 3, .size = 22, .text = "LP,BP,HP"},
    {.itemClass = ItemClass::MediumKnob, .x = 134, .y = 67},
    {.itemClass = ItemClass::MediumKnob, .x = 158, .y = 67},
    {.itemClass = ItemClass::MediumKnob, .x = 195, .y = 67},
    {.itemClass = ItemClass::MediumKnob, .x = 226, .y = 67},
    {.itemClass = ItemClass::CheckButton, .x = 222, .y = 116, .size = 15, .text = "M"},
    {.itemClass = ItemClass::DefaultText, .x = 28, .y = 35, .size = 45, .params = BoundParams(0, 1)},
    {.itemClass = ItemClass::DefaultText, .x = 74, .y = 35, .size = 43, .params = BoundParams(1, 1)},
    {.itemClass = ItemClass::DrumPresetSelector, .x = 146, .y = 105, .params = BoundParams(0, 15)},
    {.itemClass = ItemClass::GreenLed, .x = 10, .y = 48, .role = ItemRole::StateLed},
};
constexpr ModuleTypeSpec kDrumType = {58,          "DrumSynth", "Drumsound synthesizer",
                                      439,         9,           {{71, 100, 1, 14, 13, 72, 18, 14, 101, 82}},
                                      kDrumParams, kDrumOrder,  kDrumJacks,
                                      kDrumItems};

} // namespace

CBModuleMstosc::CBModuleMstosc() : CBuildModuleOf(kMstoscType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleOsc::CBModuleOsc() : CBuildModuleOf(kOscType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleOscb::CBModuleOscb() : CBuildModuleOf(kOscbType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleOscc::CBModuleOscc() : CBuildModuleOf(kOsccType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleTiltosc::CBModuleTiltosc() : CBuildModuleOf(kTiltoscType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleNoisosc::CBModuleNoisosc() : CBuildModuleOf(kNoisoscType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleOsch::CBModuleOsch() : CBuildModuleOf(kOschType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleOscd::CBModuleOscd() : CBuildModuleOf(kOscdType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleOsce::CBModuleOsce() : CBuildModuleOf(kOsceType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleOscf::CBModuleOscf() : CBuildModuleOf(kOscfType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleOscg::CBModuleOscg() : CBuildModuleOf(kOscgType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleOscj::CBModuleOscj() : CBuildModuleOf(kOscjType)
{
    SetPanelPairs({{0, 1}, {3, 4}, {6, 7}, {9, 10}, {12, 13}, {15, 16}});
}

CBModuleOscop::CBModuleOscop() : CBuildModuleOf(kOscopType)
{
    SetPanelPairs({{0, 1}});
}

CBModuleNoisea::CBModuleNoisea() : CBuildModuleOf(kNoiseaType) { }

CBModuleTfilter::CBModuleTfilter() : CBuildModuleOf(kTfilterType)
{
    SetPanelPairs({{0, 5}});
}

CBModuleDrum::CBModuleDrum() : CBuildModuleOf(kDrumType) { }
