#pragma once

#include "patch/edit/EditPair.h"

#include <deque>
#include <memory>

// The document's done and undone edits, newest first. At most 15 edits can
// be undone; the redo list only ever holds edits taken from the undo list.
class CUndoHistory {
public:
    static constexpr size_t kDepth = 15;

    // Takes the pair; an empty pair is dropped, since replaying it would
    // send nothing and leave the link waiting for an answer.
    void Push(std::unique_ptr<CEditPair> pair);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The packets that undo the newest done edit and redo the newest undone
    // one (owned by their pairs).
    CMoleculePacket& GetUndoPacket();
    CMoleculePacket& GetRedoPacket();
    // Once that packet went out and was applied: moves the edit to the other
    // list. An edit that could not be sent stays where it was.
    void MoveUndoToRedo();
    void MoveRedoToUndo();
    bool IsUndoLive() const { return CanUndo() && undo_.front()->IsLive(); }
    bool IsRedoLive() const { return CanRedo() && redo_.front()->IsLive(); }
    // The newest pair of each list, or null.
    const CEditPair* GetNewestUndo() const { return undo_.empty() ? nullptr : undo_.front().get(); }
    const CEditPair* GetNewestRedo() const { return redo_.empty() ? nullptr : redo_.front().get(); }
    // Forgets the newest done edit (one that never reached the synthesizer).
    void DropNewestUndo();
    size_t GetUndoCount() const { return undo_.size(); }
    size_t GetRedoCount() const { return redo_.size(); }
    void Clear();

private:
    std::deque<std::unique_ptr<CEditPair>> undo_;
    std::deque<std::unique_ptr<CEditPair>> redo_;
};
