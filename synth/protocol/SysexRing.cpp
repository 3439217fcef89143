#include "synth/protocol/SysexRing.h"

#include "synth/protocol/RawSysex.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint8_t kEnd = 0xF7;
}

uint32_t CSysexRing::GetHeldBytes() const
{
    return totalWritten_.load(std::memory_order_acquire) - totalRead_.load(std::memory_order_acquire);
}

bool CSysexRing::Push(std::span<const uint8_t> message)
{
    if (overflow_.load(std::memory_order_acquire))
        return false;
    const auto length = static_cast<uint32_t>(message.size());
    const uint32_t held = totalWritten_.load(std::memory_order_relaxed) - totalRead_.load(std::memory_order_acquire);
    if (uint64_t{held} + length > kSize) {
        overflow_.store(true, std::memory_order_release);
        return false;
    }
    const uint32_t first = std::min(length, kSize - writePosition_);
    std::memcpy(data_.data() + writePosition_, message.data(), first);
    std::memcpy(data_.data(), message.data() + first, length - first);
    writePosition_ = (writePosition_ + length) % kSize;
    totalWritten_.fetch_add(length, std::memory_order_release);
    return true;
}

bool CSysexRing::HasMessage() const
{
    return GetHeldBytes() > 0;
}

void CSysexRing::EndDrainedOverflow()
{
    if (IsOverflowed() && GetHeldBytes() == 0)
        overflow_.store(false, std::memory_order_release);
}

std::unique_ptr<CRawSysex> CSysexRing::Take()
{
    EndDrainedOverflow();
    if (!HasMessage())
        return nullptr;
    const uint32_t held = GetHeldBytes();
    uint32_t length = 0;
    while (length < held && data_[(readPosition_ + length) % kSize] != kEnd)
        ++length;
    length = std::min(length + 1, held); // the F7 belongs to the message

    auto message = std::make_unique<CRawSysex>(length);
    const uint32_t first = std::min(length, kSize - readPosition_);
    std::memcpy(message->GetBuffer(), data_.data() + readPosition_, first);
    std::memcpy(message->GetBuffer() + first, data_.data(), length - first);
    message->SetLength(length);
    readPosition_ = (readPosition_ + length) % kSize;
    totalRead_.fetch_add(length, std::memory_order_release);
    EndDrainedOverflow();
    return message;
}

void CSysexRing::Drain()
{
    const uint32_t held = GetHeldBytes();
    readPosition_ = (readPosition_ + held) % kSize;
    totalRead_.fetch_add(held, std::memory_order_release);
    EndDrainedOverflow();
}

void CSysexRing::Reset()
{
    writePosition_ = 0;
    readPosition_ = 0;
    totalWritten_.store(0, std::memory_order_release);
    totalRead_.store(0, std::memory_order_release);
    overflow_.store(false, std::memory_order_release);
}
