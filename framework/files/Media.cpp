#include "framework/files/Media.h"

#include "framework/base/Exceptions.h"

namespace NSHarrowen {

void CMedia::Peek(uint32_t count, void* buffer)
{
    Read(count, buffer);
    Skip(-static_cast<int32_t>(count));
}

void CMedia::Skip(int32_t delta)
{
    if (delta == 0)
        return;
    const int64_t target = static_cast<int64_t>(GetPosition()) + delta;
    if (target < 0 || target > UINT32_MAX)
        throw XPosition();
    SetPosition(static_cast<uint32_t>(target));
}

void CMedia::WriteByte(uint8_t value)
{
    Write(1, &value);
}

uint8_t CMedia::ReadByte()
{
    uint8_t value = 0;
    Read(1, &value);
    return value;
}

uint8_t CMedia::PeekByte()
{
    const uint8_t value = ReadByte();
    Skip(-1);
    return value;
}

uint16_t CMedia::ReadWord16()
{
    uint8_t b[2];
    Read(2, b);
    return static_cast<uint16_t>(b[0] << 8 | b[1]);
}

void CMedia::WriteWord16(uint16_t value)
{
    const uint8_t b[2] = {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    Write(2, b);
}

uint32_t CMedia::ReadLong32()
{
    uint8_t b[4];
    Read(4, b);
    return static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 |
        b[3];
}

void CMedia::WriteLong32(uint32_t value)
{
    const uint8_t b[4] = {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                          static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    Write(4, b);
}

void CMedia::ReadAt(uint32_t position, uint32_t count, void* buffer)
{
    SetPosition(position);
    Read(count, buffer);
}

void CMedia::WriteAt(uint32_t position, uint32_t count, const void* buffer)
{
    if (GetPosition() != position)
        SetPosition(position);
    Write(count, buffer);
}

} // namespace NSHarrowen
