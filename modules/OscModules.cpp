#include "modules/OscModules.h"

#include "modules/ModuleTableNames.h"
#include "panels/ParamTextFunctions.h"
#include "synth/protocol/TextFunctions.h"

std::string ParamTextSpectralPartials(uint8_t v) { return v == 0 ? "Odd" : "All"; }

std::string ParamTextFormantTimbre(uint8_t v) { return v == 127 ? "Rnd" : IntToString(v + 1); }

std::string ParamTextDrumFilterType(uint8_t v) { return v == 0 ? "LP" : v == 1 ? "BP" : "HP"; }

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
constexpr ModuleTypeSpec kMstoscType = {97, "MasterOsc", "Master Oscillator", 479, 3, {{0, 24, 257, 0, 0, 0, 3, 2, 25, 39}}, kMstoscParams, kMstoscOrder, kMstoscJacks};

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
    {kIn, kAudio, 142, 68},
    {kIn, kAudio, 92, 68},
    {kIn, kAudio, 5, 68},
    {kIn, kAudio, 47, 68},
    {kIn, kAudio, 175, 59},
    {kOut, kAudio, 238, 72},
    {kOut, kSlave, 9, 41},
};
constexpr ModuleTypeSpec kOscType = {7, "OscA", "OSC A", 406, 6, {{85, 0, 258, 12, 5, 240, 0, 0, 0, 59}}, kOscParams, kOscOrder, kOscJacks};

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
    {kIn, kAudio, 92, 68},
    {kIn, kControl, 5, 68},
    {kIn, kControl, 47, 68},
    {kIn, kControl, 175, 32},
    {kOut, kAudio, 238, 72},
    {kOut, kSlave, 9, 41},
};
constexpr ModuleTypeSpec kOscbType = {8, "OscB", "OSC B", 407, 6, {{59, 24, 258, 5, 3, 204, 5, 4, 25, 55}}, kOscbParams, kOscbOrder, kOscbJacks};

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
    {kIn, kAudio, 166, 37},
    {kIn, kAudio, 43, 37},
    {kIn, kAudio, 180, 6},
    {kOut, kAudio, 238, 42},
    {kOut, kSlave, 7, 41},
};
constexpr ModuleTypeSpec kOsccType = {9, "OscC", "OSC C", 408, 4, {{39, 0, 258, 8, 1, 40, 0, 0, 0, 43}}, kOsccParams, kOsccOrder, kOsccJacks};

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
    {kIn, kAudio, 97, 52},
    {kIn, kControl, 6, 52},
    {kIn, kControl, 51, 52},
    {kIn, kControl, 167, 51},
    {kOut, kAudio, 238, 57},
    {kOut, kSlave, 6, 27},
};
constexpr ModuleTypeSpec kTiltoscType = {107, "SpectralOsc", "Spectral Osc", 502, 5, {{54, 32, 258, 3, 6, 55, 4, 5, 33, 59}}, kTiltoscParams, kTiltoscOrder, kTiltoscJacks};

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
    {kIn, kControl, 7, 36},
    {kIn, kControl, 48, 36},
    {kIn, kControl, 156, 15},
    {kOut, kAudio, 238, 42},
    {kOut, kSlave, 156, 42},
};
constexpr ModuleTypeSpec kNoisoscType = {96, "FormantOsc", "Formant Osc", 481, 4, {{65, 25, 258, 4, 4, 66, 4, 3, 26, 47}}, kNoisoscParams, kNoisoscOrder, kNoisoscJacks};

// "OscSlvA"
constexpr ParamSpec kOschParams[] = {
    {"Detune", 127, 64, ParamTextSigned},
    {"Dtune fine", 127, 64, ParamTextSigned},
    {"Waveform", 3, 0, ParamTextWave},
    {"FM amount", 127, 0},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOschOrder[] = {0, 1, 2, 3, 4};
constexpr JackSpec kOschJacks[] = {
    {kIn, kSlave, 5, 42},
    {kIn, kAudio, 167, 37},
    {kIn, kAudio, 226, 23},
    {kIn, kAudio, 16, 26},
    {kOut, kAudio, 238, 42},
};
constexpr ModuleTypeSpec kOschType = {14, "OscSlvA", "OSC Slave A", 413, 4, {{60, 0, 257, 6, 4, 215, 0, 0, 0, 39}}, kOschParams, kOschOrder, kOschJacks};

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
constexpr ModuleTypeSpec kOscdType = {10, "OscSlvB", "OSC Slave B", 409, 3, {{56, 0, 257, 3, 5, 79, 0, 0, 0, 39}}, kOscdParams, kOscdOrder, kOscdJacks};

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
constexpr ModuleTypeSpec kOsceType = {11, "OscSlvC", "OSC Slave C", 410, 3, {{47, 0, 257, 2, 3, 64, 0, 0, 0, 35}}, kOsceParams, kOsceOrder, kOsceJacks};

// "OscSlvD"
// The panel and tables of "OscSlvC".
constexpr ModuleTypeSpec kOscfType = {12, "OscSlvD", "OSC Slave D", 411, 3, {{46, 0, 257, 2, 3, 47, 0, 0, 0, 35}}, kOsceParams, kOsceOrder, kOsceJacks};

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
constexpr ModuleTypeSpec kOscgType = {13, "OscSlvE", "OSC Slave E", 412, 3, {{24, 0, 257, 5, 2, 25, 0, 0, 0, 35}}, kOscgParams, kOscgOrder, kOscgJacks};

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
    {kIn, kSlave, 43, 133},
    {kIn, kAudio, 145, 133},
    {kIn, kAudio, 95, 133},
    {kIn, kAudio, 7, 115},
    {kIn, kAudio, 48, 115},
    {kIn, kAudio, 89, 115},
    {kIn, kAudio, 130, 115},
    {kIn, kAudio, 171, 115},
    {kIn, kAudio, 212, 115},
    {kOut, kAudio, 238, 133},
};
constexpr ModuleTypeSpec kOscjType = {106, "OscSineBank", "OSC Sine Bank", 414, 10, {{132, 0, 1, 12, 33, 130, 0, 0, 0, 114}}, kOscjParams, kOscjOrder, kOscjJacks};

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
constexpr ModuleTypeSpec kOscopType = {85, "OscSlvFM", "Osc Slave FM", 415, 3, {{25, 0, 257, 6, 4, 26, 0, 0, 0, 39}}, kOscopParams, kOscopOrder, kOscopJacks};

// "Noise"
constexpr ParamSpec kNoiseaParams[] = {
    {"Color", 127, 0},
};
constexpr uint8_t kNoiseaOrder[] = {0};
constexpr JackSpec kNoiseaJacks[] = {
    {kOut, kAudio, 238, 8},
};
constexpr ModuleTypeSpec kNoiseaType = {31, "Noise", "Noise generator", 480, 2, {{13, 0, 1, 4, 2, 14, 0, 0, 0, 22}}, kNoiseaParams, kNoiseaOrder, kNoiseaJacks};

// "PercOsc"
constexpr ParamSpec kTfilterParams[] = {
    {"Pitch", 127, 64, ParamTextKeyNote},
    {"Click", 127, 64},
    {"Decay", 127, 64},
    {"Punch", 1, 0, ParamTextOnOff},
    {"Pitch MA", 127, 0},
    {"Pitch fine", 127, 64},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kTfilterOrder[] = {1, 2, 4, 0, 5, 3, 6};
constexpr JackSpec kTfilterJacks[] = {
    {kIn, kAudio, 7, 42},
    {kIn, kAudio, 7, 26},
    {kIn, kControl, 106, 34},
    {kOut, kAudio, 238, 42},
};
constexpr ModuleTypeSpec kTfilterType = {95, "PercOsc", "Percussion OSC", 501, 4, {{33, 21, 257, 5, 5, 34, 2, 2, 22, 47}}, kTfilterParams, kTfilterOrder, kTfilterJacks};

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
constexpr ModuleTypeSpec kDrumType = {58, "DrumSynth", "Drumsound synthesizer", 439, 9, {{71, 100, 1, 14, 13, 72, 18, 14, 101, 82}}, kDrumParams, kDrumOrder, kDrumJacks};

} // namespace

CBModuleMstosc::CBModuleMstosc() : CBuildModule(kMstoscType) {}

CBModuleOsc::CBModuleOsc() : CBuildModule(kOscType) {}

CBModuleOscb::CBModuleOscb() : CBuildModule(kOscbType) {}

CBModuleOscc::CBModuleOscc() : CBuildModule(kOsccType) {}

CBModuleTiltosc::CBModuleTiltosc() : CBuildModule(kTiltoscType) {}

CBModuleNoisosc::CBModuleNoisosc() : CBuildModule(kNoisoscType) {}

CBModuleOsch::CBModuleOsch() : CBuildModule(kOschType) {}

CBModuleOscd::CBModuleOscd() : CBuildModule(kOscdType) {}

CBModuleOsce::CBModuleOsce() : CBuildModule(kOsceType) {}

CBModuleOscf::CBModuleOscf() : CBuildModule(kOscfType) {}

CBModuleOscg::CBModuleOscg() : CBuildModule(kOscgType) {}

CBModuleOscj::CBModuleOscj() : CBuildModule(kOscjType) {}

CBModuleOscop::CBModuleOscop() : CBuildModule(kOscopType) {}

CBModuleNoisea::CBModuleNoisea() : CBuildModule(kNoiseaType) {}

CBModuleTfilter::CBModuleTfilter() : CBuildModule(kTfilterType) {}

CBModuleDrum::CBModuleDrum() : CBuildModule(kDrumType) {}
