#pragma once

#include "synth/protocol/ParamAddress.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class COneToOneMap;
class CMorphMap;

// Walks one assignment map in key order: a controller or knob map gives
// each entry's value, the morph map each entry's group and range.
class AssignMapIterator {
public:
    void Begin(const COneToOneMap& map);
    void Begin(const CMorphMap& map);
    void Next() { ++position_; }
    void NextCtrl() { Next(); }
    void NextKnob() { Next(); }
    void NextMorph() { Next(); }
    bool AtEnd() const { return position_ >= entries_.size(); }

    ParamAddress GetKey() const { return entries_[position_].key; }
    uint8_t GetValue() const { return entries_[position_].value; }
    uint8_t GetGroup() const { return entries_[position_].value; }
    int32_t GetRange() const { return entries_[position_].range; }

private:
    struct Item {
        ParamAddress key;
        uint8_t value;
        int32_t range;
    };
    std::vector<Item> entries_;
    size_t position_ = 0;
};
