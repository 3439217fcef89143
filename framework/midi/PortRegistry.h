#pragma once

#include "framework/midi/RegisteredMIDIPort.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace NSHarrowen {

// A list of MIDI devices of one direction, in the order they were added.
template <class Entry> class CPortRegistry {
public:
    uint16_t GetCount() const { return static_cast<uint16_t>(entries_.size()); }

    // The entry at `index`, or null past the end.
    Entry* GetAt(uint16_t index) const { return index < entries_.size() ? entries_[index].get() : nullptr; }

    // The first entry whose device name equals `name` exactly.
    bool FindByName(const std::string& name, uint16_t& index) const
    {
        for (size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i]->GetName() == name) {
                index = static_cast<uint16_t>(i);
                return true;
            }
        }
        return false;
    }

    // Adds at the end; a full registry (65,535 entries) drops the entry.
    void Append(std::unique_ptr<Entry> entry)
    {
        if (entries_.size() < UINT16_MAX)
            entries_.push_back(std::move(entry));
    }

    void DeleteAll() { entries_.clear(); }

private:
    std::vector<std::unique_ptr<Entry>> entries_;
};

using CInputPortRegistry = CPortRegistry<CRegisteredMIDIInput>;
using COutputPortRegistry = CPortRegistry<CRegisteredMIDIOutput>;

// Lists the machine's MIDI devices: every output that is a MIDI port (not a
// built-in or software synthesizer, not a mapper), then every input. An
// entry's device id is the device's number among all devices of its
// direction. Names cut to the kept length are made unique with a " #2"
// (" #3", ...) ending, so a stored name finds its own device again.
void RegisterMMEPorts(CInputPortRegistry& inputs, COutputPortRegistry& outputs);

} // namespace NSHarrowen
