#include "synth/protocol/ValueFrame.h"

#include "synth/protocol/ManufacturerId.h"
#include "synth/protocol/ParamValueBlock.h"
#include "synth/protocol/SysexFrame.h"

#include <algorithm>

namespace {

constexpr uint32_t kStatesPerFrame = 20;
constexpr uint32_t kValuesPerFrame = 5;
constexpr uint32_t kFirstEntryPos = 6;
constexpr uint32_t kDataPos = 7;

// The end of the data: the checksum and F7 are not part of it.
size_t DataEnd(std::span<const uint8_t> frame)
{
    return frame.size() >= 2 ? frame.size() - 2 : 0;
}

} // namespace

bool IsEditorFrame(std::span<const uint8_t> message)
{
    return message.size() >= 5 && message[1] == kManufacturerId && message[3] == SysexFrame::kFamily &&
        (message[2] & SysexFrame::kFlagEditor) != 0;
}

bool IsIdentifyReply(std::span<const uint8_t> message)
{
    return message.size() >= 5 && message[1] == kManufacturerId && message[2] == 0x00 &&
        message[3] == SysexFrame::kFamily && message[4] == 0x01;
}

bool IsValueFrame(std::span<const uint8_t> frame)
{
    return frame.size() > SysexFrame::kHeaderLength && (frame[2] & SysexFrame::kFlagPacked) == 0 &&
        (frame[5] == SysexFrame::kStatesFrameId || frame[5] == SysexFrame::kValuesFrameId);
}

bool HasValidChecksum(std::span<const uint8_t> frame)
{
    if (frame.size() < 4 || (frame[2] & SysexFrame::kFlagChecksum) == 0)
        return false;
    const uint32_t at = static_cast<uint32_t>(frame.size() - 2);
    return frame[at] == SysexChecksum(frame.data(), at);
}

void StoreValueFrame(std::span<const uint8_t> frame, CParamValueBlock& block)
{
    if (!IsValueFrame(frame) || frame.size() <= kFirstEntryPos)
        return;
    const size_t end = DataEnd(frame);
    const uint32_t first = frame[kFirstEntryPos];
    if (frame[5] == SysexFrame::kStatesFrameId) {
        const uint32_t stop = std::min(first + kStatesPerFrame, CParamValueBlock::kEntryCount);
        for (uint32_t entry = first; entry < stop; ++entry) {
            const uint32_t offset = entry - first;
            const size_t pos = kDataPos + offset / 3;
            if (pos >= end)
                return;
            block.SetState(entry, static_cast<uint8_t>((frame[pos] >> (2 * (offset % 3))) & 0x03));
        }
        return;
    }
    for (uint32_t j = 0; j < kValuesPerFrame && first + j < CParamValueBlock::kEntryCount; ++j) {
        const size_t low = kDataPos + 2 * j;
        if (low + 1 >= end)
            return;
        const uint16_t value = static_cast<uint16_t>((frame[low + 1] & 0x7F) << 7 | (frame[low] & 0x7F));
        block.SetValue(first + j, value);
    }
}
