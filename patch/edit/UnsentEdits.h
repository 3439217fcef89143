#pragma once

#include "synth/molecules/MoleculePacket.h"

#include <deque>
#include <functional>
#include <memory>

class CEditPair;
class CUndoHistory;

// The edits a linked document handed to its synthesizer whose last frame has
// not gone out yet, oldest first, each with how it is taken back: when the
// link fails before they go, the document drops them rather than keep what
// the synthesizer never received.
class CUnsentEdits {
public:
    // How the edit moved the undo history.
    enum class EHistory { kNone, kPushed, kUndone, kRedone };
    struct CTakeBack {
        EHistory history = EHistory::kNone;
        // The pair the history holds for the edit (compared, never read
        // once the history may have let it go).
        const CEditPair* pair = nullptr;
        // For an edit without a pair: what reverses it in the document.
        std::unique_ptr<CMoleculePacket> inverse;
    };

    // Noted before the edit is handed over, since it may go out at once.
    void Add(CTakeBack takeBack) { entries_.push_back(std::move(takeBack)); }
    // The oldest went out.
    void TakeSent();
    // The newest was never queued.
    void DropNewest();
    void Clear() { entries_.clear(); }
    bool IsEmpty() const { return entries_.empty(); }
    size_t GetCount() const { return entries_.size(); }
    // Takes back every edit, newest first: `apply` gets the packet that
    // reverses one in the document, and the history moves back with it.
    void TakeBack(CUndoHistory& history, const std::function<void(CMoleculePacket&)>& apply);

private:
    std::deque<CTakeBack> entries_;
};
