#include "updater/link/SysexMessageRing.h"

namespace NSBootwren {

void CSysexMessageRing::Push(const uint8_t* bytes, uint32_t length)
{
    if (overflow_)
        return;
    if (length + GetHeldBytes() > kSize) {
        overflow_ = true;
        return;
    }
    for (uint32_t i = 0; i < length; ++i) {
        data_[writePosition_] = bytes[i];
        writePosition_ = (writePosition_ + 1) % kSize;
    }
    written_ += length;
}

} // namespace NSBootwren
