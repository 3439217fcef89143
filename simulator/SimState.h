#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "simulator/SimLossyCable.h"
#include "simulator/SimPatch.h"

namespace sim {

enum class SimModel { Kandrel, KandrelR, Pebix, Unknown };

struct SimConfig {
    SimModel model = SimModel::Kandrel;
    // Bytes 5 to 9 of the identify reply; 3, 3 suits an editor of version 3.0.x.
    std::array<uint8_t, 5> version{3, 3, 0, 0, 0};
    bool updateMode = false; // the identify reply says so (byte 7 = 0x7F)
    bool memoryProtect = false;
    uint32_t latencyMs = 0;      // between a frame's arrival and its answer
    bool paceAtWireRate = false; // 31,250 baud: 320 µs per byte
    // A bad cable between it and the editor, both ways.
    std::optional<SimLossRates> lossy;
};

int SlotCount(SimModel model);
int BankCount(SimModel model);
uint8_t ModelByte(SimModel model); // byte 10 of the identify reply
const char* ModelName(SimModel model);

constexpr int kLocations = 99;
constexpr int kSessionNumbers = 64;

struct SimSlotSettings {
    int channel = 0;
    bool active = false;
    std::array<int, 4> values{0, 1, 2, 3};
    bool operator==(const SimSlotSettings&) const = default;
};

// The synthesizer's global settings as its settings dump carries them.
struct SimSettings {
    int internalClock = 1;
    int velMin = 0, velMax = 127;
    int ledsActive = 1;
    int clockRate = 128;
    int localOn = 1;
    int keyboardMode = 0;
    int pedalPolarity = 0;
    int globalSync = 4;
    int masterTune = 0;
    int progChangeReceive = 1, progChangeSend = 1;
    int knobMode = 1;
    std::string name = "Simulator";
    std::array<SimSlotSettings, 4> slots{};
    bool operator==(const SimSettings&) const = default;
};

struct SimSlot {
    SimPatch patch;
    uint8_t session = 0; // 0..63
    int voices = 1;
    std::array<uint16_t, 40> values{}; // meter and LED values for frames 0x39/0x3A
    std::array<uint8_t, 40> states{};
};

} // namespace sim
