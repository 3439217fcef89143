#include "panels/items/CustomDataStream.h"

#include "patch/PatchError.h"

uint8_t CCustomDataStream::ReadByte()
{
    if (cursor_ >= bytes_.size()) {
        throw XPIncompleteData(PatchErrorCode::kIncompleteCustomData);
    }
    return bytes_[cursor_++];
}

void CCustomDataStream::Clear()
{
    bytes_.clear();
    cursor_ = 0;
}
