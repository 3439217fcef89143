#include "simulator/SimLossyCable.h"

#include <cmath>
#include <sstream>

namespace sim {

namespace {

// A share from 0 to 1 as the bound below which a 64-bit draw falls with
// that probability.
uint64_t Threshold(double share)
{
    constexpr double kSpan = 18446744073709551616.0; // 2^64
    if (share <= 0)
        return 0;
    if (share >= 1)
        return UINT64_MAX;
    return static_cast<uint64_t>(share * kSpan);
}

bool ReadShare(std::istringstream& in, double& share)
{
    return static_cast<bool>(in >> share) && std::isfinite(share) && share >= 0 && share <= 1;
}

} // namespace

std::optional<SimLossRates> ParseLossRates(const std::string& text)
{
    std::istringstream in(text);
    SimLossRates rates;
    char comma1 = 0, comma2 = 0;
    if (!ReadShare(in, rates.drop) || !(in >> comma1) || comma1 != ',' || !ReadShare(in, rates.spoil) ||
        !(in >> comma2) || comma2 != ',')
        return std::nullopt;
    // The seed: digits only (a stream would take "-1" as a huge number).
    std::string seed;
    in >> seed;
    if (seed.empty() || seed.size() > 19 || seed.find_first_not_of("0123456789") != std::string::npos ||
        in.peek() != EOF || rates.drop + rates.spoil > 1)
        return std::nullopt;
    rates.seed = std::stoull(seed);
    return rates;
}

CSimLossyCable::CSimLossyCable(const SimLossRates& rates, Direction direction)
    : dropBelow_(Threshold(rates.drop)), spoilBelow_(Threshold(rates.drop + rates.spoil)),
      state_(rates.seed ^ (direction == Direction::ToSynth ? 0 : 0x5DEECE66DULL << 20))
{ }

// SplitMix64: the same numbers on every machine and library.
uint64_t CSimLossyCable::Next()
{
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

CSimLossyCable::Fate CSimLossyCable::Carry(Bytes& message)
{
    const uint64_t draw = Next();
    if (draw < dropBelow_) {
        ++dropped_;
        return Fate::Dropped;
    }
    // A message without a byte between its ends has nothing to spoil.
    if (draw < spoilBelow_ && message.size() >= 3) {
        const uint64_t spot = Next();
        const size_t at = 1 + static_cast<size_t>(spot % (message.size() - 2));
        // 1 to 127: the byte changes and stays a data byte.
        const auto flip = static_cast<uint8_t>(1 + (spot >> 32) % 127);
        message[at] = static_cast<uint8_t>((message[at] ^ flip) & 0x7F);
        ++spoilt_;
        return Fate::Spoilt;
    }
    ++carried_;
    return Fate::Carried;
}

void CSimCable::Follow(const std::optional<SimLossRates>& rates)
{
    if (rates == rates_)
        return;
    rates_ = rates;
    in_.reset();
    out_.reset();
    if (rates) {
        in_.emplace(*rates, CSimLossyCable::Direction::ToSynth);
        out_.emplace(*rates, CSimLossyCable::Direction::FromSynth);
    }
}

CSimLossyCable::Fate CSimCable::Carry(std::optional<CSimLossyCable>& way, Bytes& message)
{
    return way ? way->Carry(message) : CSimLossyCable::Fate::Carried;
}

const char* CableFateText(CSimLossyCable::Fate fate)
{
    switch (fate) {
    case CSimLossyCable::Fate::Dropped:
        return "lost on the cable";
    case CSimLossyCable::Fate::Spoilt:
        return "spoilt on the cable";
    default:
        return "carried";
    }
}

} // namespace sim
