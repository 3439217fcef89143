#pragma once

#include "synth/molecules/MoleculePacket.h"

#include <memory>

// One undoable edit: the molecules that do it and those that undo it. The
// undo list is built at its front, so it replays in reverse building order.
class CEditPair {
public:
    explicit CEditPair(bool live = false) : live_(live) { }
    CEditPair(const CEditPair&) = delete;
    CEditPair& operator=(const CEditPair&) = delete;

    void AddDo(std::unique_ptr<CMolecule> molecule) { do_.Append(std::move(molecule)); }
    void AddUndo(std::unique_ptr<CMolecule> molecule) { undo_.Prepend(std::move(molecule)); }
    // Both in one step: the usual shape of a builder's line.
    void Add(std::unique_ptr<CMolecule> doMolecule, std::unique_ptr<CMolecule> undoMolecule)
    {
        AddDo(std::move(doMolecule));
        AddUndo(std::move(undoMolecule));
    }
    // Deletes every molecule of both lists.
    void Clear()
    {
        do_.Clear();
        undo_.Clear();
    }

    CMoleculePacket& GetDo() { return do_; }
    CMoleculePacket& GetUndo() { return undo_; }
    const CMoleculePacket& GetDo() const { return do_; }
    const CMoleculePacket& GetUndo() const { return undo_; }
    bool IsLive() const { return live_; }
    bool IsEmpty() const { return do_.IsEmpty(); }

private:
    CMoleculePacket undo_;
    CMoleculePacket do_;
    bool live_;
};
