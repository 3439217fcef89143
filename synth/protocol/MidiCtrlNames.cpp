#include "synth/protocol/MidiCtrlNames.h"

#include "synth/protocol/TextFunctions.h"

#include <array>

namespace {

struct CtrlName {
    uint8_t number;
    const char* name;
    const char* shortName;
};

constexpr std::array<CtrlName, 21> kNames{{
    {1, "Mod. wheel", "Wheel"},     {2, "Breath", "Breath"},
    {4, "Foot ctrl", "Foot"},       {5, "Port. time", "P.Time"},
    {6, "Data MSB", "D MSB"},       {7, "Volume", "Vol."},
    {8, "Balance", "Bal."},         {10, "Pan", "Pan"},
    {11, "Expression", "Exp."},     {65, "Portamento", "Port."},
    {66, "Sostenuto", "Sost."},     {67, "Soft pedal", "Soft"},
    {69, "Hold 2", "Hld 2"},        {91, "Ext eff depth", "Ex eff"},
    {92, "Tremolo depth", "Trem."}, {93, "Chorus depth", "Chor."},
    {94, "Celeste depth", "Cel."},  {95, "Phaser depth", "Pha."},
    {96, "Data inc", "D inc"},      {97, "Data dec", "D dec"},
    {kNoMidiCtrl, "None", "None"},
}};

const CtrlName* Find(uint8_t number)
{
    for (const CtrlName& entry : kNames) {
        if (entry.number == number)
            return &entry;
    }
    return nullptr;
}

} // namespace

bool IsAssignableMidiCtrl(uint8_t number)
{
    // 32 (bank select LSB) and 64 (sustain pedal) keep their fixed meanings.
    return number < kNoMidiCtrl && number != 32 && number != 64;
}

bool HasMidiCtrlName(uint8_t number)
{
    return Find(number) != nullptr;
}

std::string GetMidiCtrlName(uint8_t number)
{
    const CtrlName* entry = Find(number);
    return entry ? entry->name : FormatCtrlNumber(number);
}

std::string GetMidiCtrlShortName(uint8_t number)
{
    const CtrlName* entry = Find(number);
    return entry ? entry->shortName : "Ct " + IntToString(number);
}

std::string FormatCtrlNumber(uint8_t number)
{
    return "Ctrl " + IntToString(number);
}
