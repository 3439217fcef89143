#include "synth/protocol/SysexAssembler.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint8_t kStart = 0xF0;
constexpr uint8_t kEnd = 0xF7;
} // namespace

uint32_t CSysexAssembler::Feed(const uint8_t* bytes, uint32_t count)
{
    const uint8_t* const stop = bytes + count;
    const uint8_t* from = bytes;
    const uint8_t* search = bytes;
    uint32_t& length = lengths_[current_];
    if (!inMessage_) {
        from = std::find(bytes, stop, kStart);
        if (from == stop)
            return count;
        inMessage_ = true;
        length = 0;
        search = from + 1;
    }
    // A message ends at its first F7 (the bytes after it may hold further
    // messages). An F0 before it means the message was cut off: what was
    // gathered is dropped and the new message begins there.
    const uint8_t* end = stop;
    for (;;) {
        end = std::find_if(search, stop, [](uint8_t b) { return b == kEnd || b == kStart; });
        if (end == stop || *end == kEnd)
            break;
        length = 0;
        from = end;
        search = end + 1;
    }
    const bool ended = end != stop;
    const uint8_t* const last = ended ? end + 1 : stop;
    const auto take = static_cast<uint32_t>(last - from);
    const auto consumed = static_cast<uint32_t>(last - bytes);

    if (length + take >= kBufferSize) {
        inMessage_ = false;
        length = 0;
        return consumed;
    }
    std::memcpy(buffers_[current_].data() + length, from, take);
    length += take;
    if (ended) {
        inMessage_ = false;
        complete_ = true;
        current_ ^= 1;
        lengths_[current_] = 0;
    }
    return consumed;
}

std::span<const uint8_t> CSysexAssembler::TakeComplete()
{
    complete_ = false;
    const uint32_t finished = current_ ^ 1;
    return {buffers_[finished].data(), lengths_[finished]};
}
