#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Bit-level views of a molecule's bytes: fields are packed most significant
// bit first, with byte-aligned bytes and texts in between. A stream never
// owns its buffer. Running past the bound throws XMStreamOverflow.
class CMIDIStream {
public:
    virtual ~CMIDIStream() = default;

    // Moves the position on by `bits`; throws XMStreamOverflow when the byte
    // position reaches the bound, so a stream with end E holds fewer than E
    // whole bytes.
    void Advance(uint32_t bits);
    // Moves the position back by `bits` (never before the start).
    void StepBack(uint32_t bits);
    // Bytes touched so far: whole bytes plus a started one.
    uint32_t GetByteLength() const { return bytePos_ + (bitPos_ != 0 ? 1 : 0); }

protected:
    explicit CMIDIStream(uint32_t end) : end_(end) { }
    // Throws XMStreamOverflow unless a field of `bits` bits from the position
    // lies wholly in bytes below `limit`.
    void CheckField(uint32_t bits, uint32_t limit) const;

    uint32_t bitPos_ = 0; // 0-7, 0 = most significant bit
    uint32_t bytePos_ = 0;
    uint32_t end_;
};

// Reads a received molecule. Only the bytes below end - 1 are readable: the
// byte at the bound is never part of the data (a decoded frame keeps one
// spare byte after its payload), so a truncated molecule throws instead of
// reading what lies behind it.
class CMIDIInStream : public CMIDIStream {
public:
    CMIDIInStream(uint32_t end, const uint8_t* buffer) : CMIDIStream(end), buffer_(buffer) { }

    uint8_t ReadMoleculeId();
    bool ReadBit();
    // n from 1 to 8.
    uint8_t ReadBits(uint32_t n);
    int8_t ReadSignedBits(uint32_t n);
    void AlignToByte();
    uint8_t ReadAlignedByte();
    // The bytes up to the first zero byte or up to `maxLength` bytes.
    std::string ReadString(uint32_t maxLength);
    void SkipBits(uint32_t n);
    // Steps back up to 255 bits, to peek at a field read just before.
    void Unread(uint32_t n);

private:
    uint32_t ReadableLimit() const { return end_ == 0 ? 0 : end_ - 1; }

    const uint8_t* buffer_;
};

// Writes one molecule into a send buffer of at least `end` bytes and keeps
// the molecule's header kind and packing flag for the framing.
class CMIDIOutStream : public CMIDIStream {
public:
    enum : uint32_t { kKindPlain = 0, kKindLive = 1, kKindRequest = 2 };

    CMIDIOutStream(uint32_t end, uint8_t* buffer) : CMIDIStream(end), buffer_(buffer) { }

    // flag 1: the bytes may travel unpacked; 0: they need 7-bit packing.
    void WriteMoleculeHeader(uint8_t id, uint32_t kind, uint32_t flag);
    void WriteBit(bool value);
    // Writes the low n bits (1 to 8) of value; other bits of the bytes
    // touched are kept.
    void WriteBits(uint32_t n, uint32_t value);
    void WriteSignedBits(uint32_t n, int32_t value);
    void WriteZeroBits(uint32_t n);
    void AlignToByte();
    void WriteAlignedByte(uint8_t value);
    void WriteByte(uint8_t value) { WriteAlignedByte(value); }
    // At most maxLength characters; a shorter text gets a closing zero byte.
    void WriteString(std::string_view text, uint32_t maxLength);

    uint32_t GetHeaderKind() const { return headerKind_; }
    uint32_t GetHeaderFlag() const { return headerFlag_; }

private:
    uint32_t headerKind_ = kKindPlain;
    uint32_t headerFlag_ = 1;
    uint8_t* buffer_;
};
