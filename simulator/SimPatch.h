#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace sim {

// The patch settings record as the header dump carries it.
struct SimHeader {
    int kbMin = 0, kbMax = 127, velMin = 0, velMax = 127;
    int bendRange = 2, pmTime = 0, pmMode = 0;
    int pedalMode = 0; // 0 sustain, 1 on/off
    int voices = 1;
    int split = 600;
    int octShift = 0; // -2..2
    std::array<int, 7> cables{1, 1, 1, 1, 1, 1, 1};
    int commonRetrig = 1, retrig = 1;
    std::array<int, 4> morphs{1, 1, 1, 1};
    bool operator==(const SimHeader&) const = default;
};

struct SimModule {
    int type = 0, column = 0, row = 0;
    std::string name;
    std::vector<int> params;
    std::vector<uint8_t> custom;
    bool operator==(const SimModule&) const = default;
};

// A jack: module index, jack index, direction.
struct SimJack {
    int module = 0, jack = 0;
    bool output = false;
    bool operator==(const SimJack&) const = default;
};

// Kept as the dump carries it: the output end (when there is one) first.
struct SimCable {
    int colour = 0;
    SimJack a, b;
    bool operator==(const SimCable&) const = default;
    bool Joins(const SimJack& x, const SimJack& y) const { return (a == x && b == y) || (a == y && b == x); }
};

struct SimArea {
    std::map<int, SimModule> modules; // by module index, ascending
    std::vector<SimCable> cables;
    bool operator==(const SimArea&) const = default;
};

struct SimParamRef {
    int area = 0, module = 0, param = 0;
    bool operator==(const SimParamRef&) const = default;
};

constexpr int kKnobCount = 23;

struct SimKnob {
    bool assigned = false;
    SimParamRef ref;
    bool operator==(const SimKnob&) const = default;
};

struct SimCtrl {
    int controller = 0;
    SimParamRef ref;
    bool operator==(const SimCtrl&) const = default;
};

struct SimMorphAssign {
    SimParamRef ref;
    int group = 0, range = 0;
    bool operator==(const SimMorphAssign&) const = default;
};

struct SimMorphMap {
    std::array<int, 4> values{0, 0, 0, 0};
    std::array<int, 4> keyboard{0, 0, 0, 0};
    std::vector<SimMorphAssign> assigns;
    bool operator==(const SimMorphMap&) const = default;
};

using SimNote = std::array<int, 3>;

struct SimNotes {
    SimNote first{64, 0, 0};
    std::vector<SimNote> entries{{64, 0, 0}}; // 1 to 32
    bool operator==(const SimNotes&) const = default;
};

struct SimFocus {
    bool present = false;
    SimParamRef ref;
    bool operator==(const SimFocus&) const = default;
};

// One patch as the synthesizer holds it.
struct SimPatch {
    std::string name = "No name";
    SimHeader header;
    std::array<SimArea, 2> areas; // 0 common, 1 poly
    std::array<SimKnob, kKnobCount> knobs{};
    std::vector<SimCtrl> ctrls;
    SimMorphMap morph;
    SimNotes notes;
    SimFocus focus;
    std::string text; // the notes of a patch file; never sent

    bool operator==(const SimPatch&) const = default;

    SimModule* FindModule(int area, int index);
    // The value of a parameter, or -1 when there is none. Area 2 module 1 is
    // the four morph group knobs.
    int ParamValue(const SimParamRef& ref) const;
    bool SetParamValue(const SimParamRef& ref, int value);
    // Removes a module with its cables and assignments.
    void DeleteModule(int area, int index);
    void DeleteCable(int area, const SimJack& x, const SimJack& y);
    void AddCable(int area, SimCable cable);
    void SetMorph(const SimParamRef& ref, int group, int range);
};

// Area numbers as the editor's area bytes give them: 0, 1, 2; others read as 1.
inline int AreaFromByte(unsigned b)
{
    return b <= 2 ? static_cast<int>(b) : 1;
}

} // namespace sim
