#pragma once

#include <cstdint>
#include <vector>

namespace NSHarrowen {

// One MIDI short message as an input receives it.
struct CMIDIShortMessage {
    uint32_t time = 0; // milliseconds
    uint8_t status = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

// Records an input keeps for short messages; made with each input.
struct CMIDIShortMessageTable {
    explicit CMIDIShortMessageTable(uint32_t count) : records(count) { }
    std::vector<CMIDIShortMessage> records;
};

} // namespace NSHarrowen
