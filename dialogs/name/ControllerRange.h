#pragma once

#include <cstdint>

// MIDI controller numbers above 121 are taken as 121.
uint8_t ClampToControllerRange(uint8_t controller);
