#include "synth/molecules/MoleculePacket.h"

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
