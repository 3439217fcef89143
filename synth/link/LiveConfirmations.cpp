#include "synth/link/LiveConfirmations.h"

#include "synth/molecules/ParamMolecules.h"

#include <algorithm>
#include <iterator>

namespace {

// The parameter a live molecule sets; molecules of other kinds (the focus)
// have one value per slot.
ParamAddress AddressOf(const CMolecule& molecule)
{
    if (const auto* change = dynamic_cast<const CMParamChange*>(&molecule))
        return change->address;
    if (const auto* morph = dynamic_cast<const CMMorphChange*>(&molecule))
        return morph->address;
    return {};
}

} // namespace

void CLiveConfirmations::Note(const CMolecule& molecule, uint8_t slot, Frames frames, uint64_t nowMs)
{
    const std::type_index type(typeid(molecule));
    const ParamAddress address = AddressOf(molecule);
    std::erase_if(entries_, [&](const CEntry& entry) {
        return entry.slot == slot && entry.type == type && entry.address == address;
    });
    entries_.push_back({slot, type, address, std::move(frames), nowMs});
}

CLiveConfirmations::Frames CLiveConfirmations::TakeDue(uint64_t nowMs, bool all)
{
    Frames due;
    const auto still = [&](const CEntry& entry) { return all || nowMs - entry.editedMs >= kStillMs; };
    for (CEntry& entry : entries_) {
        if (still(entry))
            std::move(entry.frames.begin(), entry.frames.end(), std::back_inserter(due));
    }
    std::erase_if(entries_, still);
    return due;
}
