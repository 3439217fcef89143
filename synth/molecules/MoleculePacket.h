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
    void AppendBorrowed(CMolecule& molecule) { molecules_.push_back(&molecule); }
    // Inserts at the front (an undo list replays in reverse building order).
    void Prepend(std::unique_ptr<CMolecule> molecule);
    // Deletes the molecules the packet owns and empties the list.
    void Clear();
    // Hands an owned molecule to the caller; the packet goes on listing it
    // as borrowed, so it must outlive the packet's use. Null when the packet
    // does not own it.
    std::unique_ptr<CMolecule> Release(const CMolecule& molecule);

    uint32_t GetCount() const { return static_cast<uint32_t>(molecules_.size()); }
    bool IsEmpty() const { return molecules_.empty(); }
    CMolecule& At(uint32_t index) const { return *molecules_.at(index); }
    auto begin() const { return molecules_.begin(); }
    auto end() const { return molecules_.end(); }

    // 0-3, or 4 = none; a larger value is stored as 4.
    void SetSlot(uint8_t slot) { slot_ = slot > kNoSlot ? kNoSlot : slot; }
    uint8_t GetSlot() const { return slot_; }
    // The slot a frame carries: none is sent as slot 3 at most.
    uint8_t GetFrameSlot() const { return slot_ > 3 ? 3 : slot_; }

    void SetSessionNumber(uint8_t number)
    {
        number_ = number;
        noNumber_ = false;
    }
    void ClearSessionNumber() { noNumber_ = true; }
    uint8_t GetSessionNumber() const { return number_; }
    bool HasNoNumber() const { return noNumber_; }

    void SetTarget(uint32_t target) { target_ = target; }
    uint32_t GetTarget() const { return target_; }

    // Marks a packet that lists borrowed molecules (a view of another
    // packet). Ownership itself goes by how each molecule was appended: a
    // borrowed one is never deleted, an appended one always is.
    void SetOwns(bool owns) { owns_ = owns; }

private:
    std::vector<CMolecule*> molecules_; // in frame order, owned or borrowed
    std::vector<std::unique_ptr<CMolecule>> owned_;
    uint8_t slot_ = kNoSlot;
    bool owns_ = true;
    uint32_t target_ = 0;
    uint8_t number_ = 0;
    bool noNumber_ = true;
};
