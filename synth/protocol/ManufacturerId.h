#pragma once

#include <cstdint>

// The manufacturer id byte of every SysEx frame of the link (below 0x80).
// The editor, the simulated synthesizer and the identify check all use this
// one constant; the updater keeps its own copy because it links only the
// framework.
inline constexpr uint8_t kManufacturerId = 0x7D;
