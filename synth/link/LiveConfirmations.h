#pragma once

#include "synth/protocol/ParamAddress.h"
#include "synth/protocol/SysexFrame.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <typeindex>

class CMolecule;

// The last live edit of each parameter, framed to be sent once more as an
// answered frame. Live frames are never answered, so one lost on the cable
// would leave the synthesizer with another value than the editor shows; the
// last value of a gesture is sent again once its parameter has been still
// for a moment, or before any other edit goes out.
class CLiveConfirmations {
public:
    using Frames = std::deque<std::unique_ptr<CSysexFrame>>;
    // A parameter this long without a live edit has ended its gesture.
    static constexpr uint64_t kStillMs = 500;

    // The frames that confirm a molecule sent live on a slot; they replace
    // those of an earlier live edit of the same parameter.
    void Note(const CMolecule& molecule, uint8_t slot, Frames frames, uint64_t nowMs);
    // The frames of every parameter still for kStillMs (of every one with
    // `all`), in the order of their last live edits.
    Frames TakeDue(uint64_t nowMs, bool all);
    bool IsEmpty() const { return entries_.empty(); }

private:
    struct CEntry {
        uint8_t slot;
        std::type_index type;
        ParamAddress address;
        Frames frames;
        uint64_t editedMs;
    };

    std::deque<CEntry> entries_;
};
