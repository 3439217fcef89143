#pragma once

#include "synth/molecules/Molecule.h"

#include <cstdint>
#include <memory>
#include <vector>

// The molecules of one message in frame order, with the frame's slot and
// session number and the target of its first received molecule.
class CMoleculePacket {
public:
    static constexpr uint8_t kNoSlot = 4;

    CMoleculePacket() = default;
    CMoleculePacket(const CMoleculePacket&) = delete;
    CMoleculePacket& operator=(const CMoleculePacket&) = delete;

    // The packet owns what is appended, whatever SetOwns says.
    void Append(std::unique_ptr<CMolecule> molecule);
    // Lists a molecule the caller keeps alive; the packet never deletes it.
    void AppendBorrowed(CMolecule& molecule) { m_molecules.push_back(&molecule); }
    // Inserts at the front (an undo list replays in reverse building order).
    void Prepend(std::unique_ptr<CMolecule> molecule);
    // Deletes the molecules the packet owns and empties the list.
    void Clear();

    uint32_t GetCount() const { return static_cast<uint32_t>(m_molecules.size()); }
    bool IsEmpty() const { return m_molecules.empty(); }
    CMolecule& At(uint32_t index) const { return *m_molecules.at(index); }
    auto begin() const { return m_molecules.begin(); }
    auto end() const { return m_molecules.end(); }

    // 0-3, or 4 = none; a larger value is stored as 4.
    void SetSlot(uint8_t slot) { m_slot = slot > kNoSlot ? kNoSlot : slot; }
    uint8_t GetSlot() const { return m_slot; }
    // The slot a frame carries: none is sent as slot 3 at most.
    uint8_t GetFrameSlot() const { return m_slot > 3 ? 3 : m_slot; }

    void SetSessionNumber(uint8_t number)
    {
        m_number = number;
        m_noNumber = false;
    }
    void ClearSessionNumber() { m_noNumber = true; }
    uint8_t GetSessionNumber() const { return m_number; }
    bool HasNoNumber() const { return m_noNumber; }

    void SetTarget(uint32_t target) { m_target = target; }
    uint32_t GetTarget() const { return m_target; }

    // Marks a packet that lists borrowed molecules (a view of another
    // packet). Ownership itself goes by how each molecule was appended: a
    // borrowed one is never deleted, an appended one always is.
    void SetOwns(bool owns) { m_owns = owns; }
    bool Owns() const { return m_owns; }

private:
    std::vector<CMolecule*> m_molecules; // in frame order, owned or borrowed
    std::vector<std::unique_ptr<CMolecule>> m_owned;
    uint8_t m_slot = kNoSlot;
    bool m_owns = true;
    uint32_t m_target = 0;
    uint8_t m_number = 0;
    bool m_noNumber = true;
};
