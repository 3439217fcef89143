#include "synth/molecules/MoleculePacket.h"

void CMoleculePacket::Append(std::unique_ptr<CMolecule> molecule)
{
    if (!molecule)
        return;
    m_molecules.reserve(m_molecules.size() + 1);
    m_owned.push_back(std::move(molecule));
    m_molecules.push_back(m_owned.back().get());
}

void CMoleculePacket::Prepend(std::unique_ptr<CMolecule> molecule)
{
    if (!molecule)
        return;
    m_molecules.reserve(m_molecules.size() + 1);
    m_owned.push_back(std::move(molecule));
    m_molecules.insert(m_molecules.begin(), m_owned.back().get());
}

void CMoleculePacket::Clear()
{
    m_molecules.clear();
    m_owned.clear();
}
