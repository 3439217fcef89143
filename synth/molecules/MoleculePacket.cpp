#include "synth/molecules/MoleculePacket.h"

void CMoleculePacket::Append(std::unique_ptr<CMolecule> molecule)
{
    if (!molecule)
        return;
    m_molecules.reserve(m_molecules.size() + 1);
    m_molecules.push_back(molecule.release());
}

void CMoleculePacket::Prepend(std::unique_ptr<CMolecule> molecule)
{
    if (!molecule)
        return;
    m_molecules.reserve(m_molecules.size() + 1);
    m_molecules.insert(m_molecules.begin(), molecule.release());
}

void CMoleculePacket::Clear()
{
    if (m_owns) {
        for (CMolecule* molecule : m_molecules)
            delete molecule;
    }
    m_molecules.clear();
}
