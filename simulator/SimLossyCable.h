#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "simulator/SimFrame.h"

namespace sim {

// How bad a cable is: the share of messages lost and the share that arrive
// with one byte spoilt, each from 0 to 1, and the seed that makes the same
// cable lose and spoil the same messages every time.
struct SimLossRates {
    double drop = 0;
    double spoil = 0;
    uint64_t seed = 0;
    bool operator==(const SimLossRates&) const = default;
};

// "DROP,SPOIL,SEED" ("0.02,0.01,7": 2 % lost, 1 % spoilt, seed 7); nothing
// when the text is not of that form or the two shares add up to more than 1.
std::optional<SimLossRates> ParseLossRates(const std::string& text);

// The messages one way along a bad MIDI cable. Each message is lost, spoilt
// or carried as it is, at the cable's rates, from a sequence of numbers that
// only the seed and the count of messages decide. A spoilt message keeps its
// length and its F0 and F7: one byte between them arrives as another data
// byte, as a bit misread on the wire would leave it, so only a receiver's
// own checks (a checksum, a sum) can find it. Each direction of a cable is
// one object, so the fates of one direction never depend on how the
// messages of the two interleave.
class CSimLossyCable {
public:
    enum class Fate { Carried, Dropped, Spoilt };
    // The two directions of one cable draw from sequences of their own.
    enum class Direction { ToSynth, FromSynth };

    CSimLossyCable(const SimLossRates& rates, Direction direction);

    // What becomes of one whole message; a spoilt one is changed in place.
    Fate Carry(Bytes& message);

    unsigned Dropped() const { return dropped_; }
    unsigned Spoilt() const { return spoilt_; }
    unsigned Carried() const { return carried_; }

private:
    uint64_t Next();

    uint64_t dropBelow_;
    uint64_t spoilBelow_;
    uint64_t state_;
    unsigned dropped_ = 0;
    unsigned spoilt_ = 0;
    unsigned carried_ = 0;
};

// Both directions of the cable a simulator hangs on, laid anew whenever its
// configuration names other rates (none: every message is carried).
class CSimCable {
public:
    void Follow(const std::optional<SimLossRates>& rates);
    CSimLossyCable::Fate ToSynth(Bytes& message) { return Carry(in_, message); }
    CSimLossyCable::Fate FromSynth(Bytes& message) { return Carry(out_, message); }
    const std::optional<CSimLossyCable>& In() const { return in_; }
    const std::optional<CSimLossyCable>& Out() const { return out_; }

private:
    static CSimLossyCable::Fate Carry(std::optional<CSimLossyCable>& way, Bytes& message);

    std::optional<SimLossRates> rates_;
    std::optional<CSimLossyCable> in_;
    std::optional<CSimLossyCable> out_;
};

// A cable's fate, as the simulator's log names it.
const char* CableFateText(CSimLossyCable::Fate fate);

} // namespace sim
