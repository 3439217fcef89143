#pragma once

#include <cstdint>
#include <string>

// MIDI continuous controllers: which may be assigned to a parameter, and
// their long (menus, dialogs) and short (panel labels) names.
inline constexpr uint8_t kNoMidiCtrl = 121;

bool IsAssignableMidiCtrl(uint8_t number);
bool HasMidiCtrlName(uint8_t number);
// The table's name, or "Ctrl " and the number.
std::string GetMidiCtrlName(uint8_t number);
// The table's short name, or "Ct " and the number.
std::string GetMidiCtrlShortName(uint8_t number);
std::string FormatCtrlNumber(uint8_t number);
