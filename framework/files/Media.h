#pragma once

#include <cstdint>

namespace NSHarrowen {

// A byte stream with a size and a position: disk files, memory blocks and
// resources copied into memory. Every multi-byte value that passes through a
// media is big-endian, whatever the machine's order.
//
// Subclasses provide Read, Write, GetPosition, SetPosition and GetSize; the
// rest is written once here on top of them. Failures throw XRead, XWrite,
// XPosition or XFile (framework/base/Exceptions.h).
class CMedia {
public:
    CMedia() = default;
    virtual ~CMedia() = default;
    CMedia(const CMedia&) = delete;
    CMedia& operator=(const CMedia&) = delete;

    // Reads exactly count bytes at the position and advances it.
    virtual void Read(uint32_t count, void* buffer) = 0;
    // Writes count bytes at the position and advances it.
    virtual void Write(uint32_t count, const void* buffer) = 0;
    virtual uint32_t GetPosition() const = 0;
    virtual void SetPosition(uint32_t position) = 0;
    virtual uint32_t GetSize() const = 0;

    // Read, then back to where it started.
    void Peek(uint32_t count, void* buffer);
    // Moves the position by delta; a position before the start throws XPosition.
    void Skip(int32_t delta);

    void WriteByte(uint8_t value);
    uint8_t ReadByte();
    uint8_t PeekByte();
    uint16_t ReadWord16();
    void WriteWord16(uint16_t value);
    uint32_t ReadLong32();
    void WriteLong32(uint32_t value);

    // Always seeks, then reads.
    void ReadAt(uint32_t position, uint32_t count, void* buffer);
    // Seeks only when the position differs, then writes.
    void WriteAt(uint32_t position, uint32_t count, const void* buffer);
};

} // namespace NSHarrowen
