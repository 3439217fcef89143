#include "updater/link/UpdateSysexInput.h"

#include <algorithm>
#include <cstring>

namespace NSBootwren {

void CSysexMIDIInput::AddData(const uint8_t* bytes, uint32_t count)
{
    // A block may end one message and hold whole others: each is taken in turn.
    uint32_t taken = 0;
    while (taken < count) {
        taken += Scan(bytes + taken, count - taken);
        if (complete_) {
            const int finished = 1 - current_;
            if (AcceptMessage(buffers_[finished].data(), lengths_[finished]))
                ring_.Push(buffers_[finished].data(), lengths_[finished]);
            complete_ = false;
        }
    }
}

uint32_t CSysexMIDIInput::Scan(const uint8_t* bytes, uint32_t count)
{
    const uint8_t* end = bytes + count;
    const uint8_t* start = bytes;
    if (!inMessage_) {
        start = std::find(bytes, end, uint8_t{0xF0});
        if (start == end)
            return count;
        inMessage_ = true;
    }
    const uint8_t* f7 = std::find(start, end, uint8_t{0xF7});
    const bool complete = f7 != end;
    const uint8_t* copyEnd = complete ? f7 + 1 : end;
    const auto length = static_cast<uint32_t>(copyEnd - start);
    uint32_t& held = lengths_[current_];
    if (held + length > kMaxMessage) {
        // Too long: the message is dropped whole, and what follows it is read on.
        held = 0;
        inMessage_ = false;
        return static_cast<uint32_t>(copyEnd - bytes);
    }
    std::memcpy(buffers_[current_].data() + held, start, length);
    held += length;
    if (complete) {
        current_ = 1 - current_;
        lengths_[current_] = 0;
        inMessage_ = false;
        complete_ = true;
    }
    return static_cast<uint32_t>(copyEnd - bytes);
}

} // namespace NSBootwren
