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
    uint32_t& length = m_lengths[m_current];
    if (!m_inMessage) {
        from = std::find(bytes, stop, kStart);
        if (from == stop)
            return count;
        m_inMessage = true;
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
        m_inMessage = false;
        length = 0;
        return consumed;
    }
    std::memcpy(m_buffers[m_current].data() + length, from, take);
    length += take;
    if (ended) {
        m_inMessage = false;
        m_complete = true;
        m_current ^= 1;
        m_lengths[m_current] = 0;
    }
    return consumed;
}

std::span<const uint8_t> CSysexAssembler::TakeComplete()
{
    m_complete = false;
    const uint32_t finished = m_current ^ 1;
    return {m_buffers[finished].data(), m_lengths[finished]};
}
