#include "synth/protocol/SysexRing.h"

#include "synth/protocol/RawSysex.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr uint8_t kEnd = 0xF7;
}

uint32_t CSysexRing::GetHeldBytes() const
{
    return m_totalWritten.load(std::memory_order_acquire) - m_totalRead.load(std::memory_order_acquire);
}

bool CSysexRing::Push(std::span<const uint8_t> message)
{
    if (m_overflow.load(std::memory_order_acquire))
        return false;
    const auto length = static_cast<uint32_t>(message.size());
    const uint32_t held = m_totalWritten.load(std::memory_order_relaxed) - m_totalRead.load(std::memory_order_acquire);
    if (uint64_t{held} + length > kSize) {
        m_overflow.store(true, std::memory_order_release);
        return false;
    }
    const uint32_t first = std::min(length, kSize - m_writePosition);
    std::memcpy(m_data.data() + m_writePosition, message.data(), first);
    std::memcpy(m_data.data(), message.data() + first, length - first);
    m_writePosition = (m_writePosition + length) % kSize;
    m_totalWritten.fetch_add(length, std::memory_order_release);
    return true;
}

bool CSysexRing::HasMessage() const
{
    return GetHeldBytes() > 0;
}

void CSysexRing::EndDrainedOverflow()
{
    if (IsOverflowed() && GetHeldBytes() == 0)
        m_overflow.store(false, std::memory_order_release);
}

std::unique_ptr<CRawSysex> CSysexRing::Take()
{
    EndDrainedOverflow();
    if (!HasMessage())
        return nullptr;
    const uint32_t held = GetHeldBytes();
    uint32_t length = 0;
    while (length < held && m_data[(m_readPosition + length) % kSize] != kEnd)
        ++length;
    length = std::min(length + 1, held); // the F7 belongs to the message

    auto message = std::make_unique<CRawSysex>(length);
    const uint32_t first = std::min(length, kSize - m_readPosition);
    std::memcpy(message->GetBuffer(), m_data.data() + m_readPosition, first);
    std::memcpy(message->GetBuffer() + first, m_data.data(), length - first);
    message->SetLength(length);
    m_readPosition = (m_readPosition + length) % kSize;
    m_totalRead.fetch_add(length, std::memory_order_release);
    EndDrainedOverflow();
    return message;
}

void CSysexRing::Drain()
{
    const uint32_t held = GetHeldBytes();
    m_readPosition = (m_readPosition + held) % kSize;
    m_totalRead.fetch_add(held, std::memory_order_release);
    EndDrainedOverflow();
}

void CSysexRing::Reset()
{
    m_writePosition = 0;
    m_readPosition = 0;
    m_totalWritten.store(0, std::memory_order_release);
    m_totalRead.store(0, std::memory_order_release);
    m_overflow.store(false, std::memory_order_release);
}
