#include "patch/edit/UnsentEdits.h"

#include "patch/edit/EditPair.h"
#include "patch/edit/UndoHistory.h"

#include <utility>

void CUnsentEdits::TakeSent()
{
    if (!entries_.empty()) {
        entries_.pop_front();
    }
}

void CUnsentEdits::DropNewest()
{
    if (!entries_.empty()) {
        entries_.pop_back();
    }
}

void CUnsentEdits::TakeBack(CUndoHistory& history, const std::function<void(CMoleculePacket&)>& apply)
{
    // Taken out first: applying may lead to more edits being noted.
    std::deque<CTakeBack> entries = std::exchange(entries_, {});
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        switch (entry->history) {
        case EHistory::kPushed:
        case EHistory::kRedone:
            if (history.GetNewestUndo() == entry->pair) {
                apply(history.GetUndoPacket());
                if (entry->history == EHistory::kPushed) {
                    history.DropNewestUndo();
                } else {
                    history.MoveUndoToRedo();
                }
            }
            break;
        case EHistory::kUndone:
            if (history.GetNewestRedo() == entry->pair) {
                apply(history.GetRedoPacket());
                history.MoveRedoToUndo();
            }
            break;
        case EHistory::kNone:
            if (entry->inverse != nullptr) {
                apply(*entry->inverse);
            }
            break;
        }
    }
}
