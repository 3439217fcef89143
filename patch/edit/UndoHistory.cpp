#include "patch/edit/UndoHistory.h"

#include <stdexcept>

void CUndoHistory::Push(std::unique_ptr<CEditPair> pair)
{
    if (pair == nullptr || pair->GetDo().IsEmpty() || pair->GetUndo().IsEmpty()) {
        return;
    }
    redo_.clear();
    undo_.push_front(std::move(pair));
    if (undo_.size() > kDepth) {
        undo_.pop_back();
    }
}

CMoleculePacket& CUndoHistory::GetUndoPacket()
{
    if (undo_.empty()) {
        throw std::logic_error("nothing to undo");
    }
    return undo_.front()->GetUndo();
}

CMoleculePacket& CUndoHistory::GetRedoPacket()
{
    if (redo_.empty()) {
        throw std::logic_error("nothing to redo");
    }
    return redo_.front()->GetDo();
}

void CUndoHistory::MoveUndoToRedo()
{
    if (!undo_.empty()) {
        redo_.push_front(std::move(undo_.front()));
        undo_.pop_front();
    }
}

void CUndoHistory::MoveRedoToUndo()
{
    if (!redo_.empty()) {
        undo_.push_front(std::move(redo_.front()));
        redo_.pop_front();
    }
}

void CUndoHistory::DropNewestUndo()
{
    if (!undo_.empty()) {
        undo_.pop_front();
    }
}

void CUndoHistory::Clear()
{
    undo_.clear();
    redo_.clear();
}
