#pragma once

#include "panels/ModuleTypeSpec.h"

// Short names for the module type tables of this folder.
namespace ModuleTableNames {
constexpr JackDirection kIn = JackDirection::Input;
constexpr JackDirection kOut = JackDirection::Output;
constexpr SignalKind kLogic = SignalKind::Logic;
constexpr SignalKind kAudio = SignalKind::Audio;
constexpr SignalKind kControl = SignalKind::Control;
constexpr SignalKind kSlave = SignalKind::Slave;
// The last column of a parameter row that cannot be morphed.
constexpr bool kNoMorph = false;
} // namespace ModuleTableNames
