#include "synth/molecules/MoleculePacket.h"

#include <algorithm>

void CMoleculePacket::Append(std::unique_ptr<CMolecule> molecule)
{
    if (!molecule)
        return;
    molecules_.reserve(molecules_.size() + 1);
    owned_.push_back(std::move(molecule));
    molecules_.push_back(owned_.back().get());
}

void CMoleculePacket::Prepend(std::unique_ptr<CMolecule> molecule)
{
    if (!molecule)
        return;
    molecules_.reserve(molecules_.size() + 1);
    owned_.push_back(std::move(molecule));
    molecules_.insert(molecules_.begin(), owned_.back().get());
}

void CMoleculePacket::Clear()
{
    molecules_.clear();
    owned_.clear();
}

std::unique_ptr<CMolecule> CMoleculePacket::Release(const CMolecule& molecule)
{
    const auto owned = std::find_if(owned_.begin(), owned_.end(),
                                    [&](const std::unique_ptr<CMolecule>& m) { return m.get() == &molecule; });
    if (owned == owned_.end())
        return nullptr;
    std::unique_ptr<CMolecule> taken = std::move(*owned);
    owned_.erase(owned);
    return taken;
}
