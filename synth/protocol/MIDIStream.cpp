#include "synth/protocol/MIDIStream.h"

#include "synth/protocol/ProtocolErrors.h"

#include <algorithm>
#include <cassert>

namespace {

uint32_t FieldMask(uint32_t n)
{
    return (1u << n) - 1;
}

// Shift that puts an n-bit field at bit position b into place within the
// 16-bit window of the current byte (high) and the next byte (low).
uint32_t WindowShift(uint32_t n, uint32_t b)
{
    return 16 - n - b;
}

} // namespace

void CMIDIStream::Advance(uint32_t bits)
{
    bytePos_ += bits / 8;
    bitPos_ += bits % 8;
    if (bitPos_ > 7) {
        bitPos_ -= 8;
        ++bytePos_;
    }
    if (bytePos_ >= end_)
        throw XMStreamOverflow();
}

void CMIDIStream::StepBack(uint32_t bits)
{
    const uint32_t position = bytePos_ * 8 + bitPos_;
    const uint32_t target = position > bits ? position - bits : 0;
    bytePos_ = target / 8;
    bitPos_ = target % 8;
}

void CMIDIStream::CheckField(uint32_t bits, uint32_t limit) const
{
    const uint64_t lastBit = uint64_t{bytePos_} * 8 + bitPos_ + bits - 1;
    if (bits == 0 || lastBit / 8 >= limit)
        throw XMStreamOverflow();
}

uint8_t CMIDIInStream::ReadMoleculeId()
{
    CheckField(8, ReadableLimit());
    Advance(8);
    return buffer_[0];
}

bool CMIDIInStream::ReadBit()
{
    return ReadBits(1) != 0;
}

uint8_t CMIDIInStream::ReadBits(uint32_t n)
{
    assert(n >= 1 && n <= 8);
    CheckField(n, ReadableLimit());
    uint32_t window = uint32_t{buffer_[bytePos_]} << 8;
    if (bitPos_ + n > 8)
        window |= buffer_[bytePos_ + 1];
    const auto value = static_cast<uint8_t>((window >> WindowShift(n, bitPos_)) & FieldMask(n));
    Advance(n);
    return value;
}

int8_t CMIDIInStream::ReadSignedBits(uint32_t n)
{
    const uint32_t value = ReadBits(n);
    const uint32_t sign = 1u << (n - 1);
    return static_cast<int8_t>(static_cast<int32_t>(value ^ sign) - static_cast<int32_t>(sign));
}

void CMIDIInStream::AlignToByte()
{
    if (bitPos_ != 0) {
        bitPos_ = 0;
        ++bytePos_;
    }
    if (bytePos_ >= end_)
        throw XMStreamOverflow();
}

uint8_t CMIDIInStream::ReadAlignedByte()
{
    AlignToByte();
    return ReadBits(8);
}

std::string CMIDIInStream::ReadString(uint32_t maxLength)
{
    AlignToByte();
    std::string text;
    for (uint32_t i = 0; i < maxLength; ++i) {
        const uint8_t c = ReadBits(8);
        if (c == 0)
            return text;
        text.push_back(static_cast<char>(c));
    }
    return text;
}

void CMIDIInStream::SkipBits(uint32_t n)
{
    while (n > 0) {
        const uint32_t step = std::min<uint32_t>(n, 8);
        ReadBits(step);
        n -= step;
    }
}

void CMIDIInStream::Unread(uint32_t n)
{
    StepBack(std::min<uint32_t>(n, 255));
}

void CMIDIOutStream::WriteMoleculeHeader(uint8_t id, uint32_t kind, uint32_t flag)
{
    headerKind_ = kind;
    headerFlag_ = flag;
    CheckField(8, end_);
    buffer_[0] = id;
    Advance(8);
}

void CMIDIOutStream::WriteBit(bool value)
{
    WriteBits(1, value ? 1 : 0);
}

void CMIDIOutStream::WriteBits(uint32_t n, uint32_t value)
{
    assert(n >= 1 && n <= 8);
    CheckField(n, end_);
    const uint32_t shift = WindowShift(n, bitPos_);
    const uint32_t mask = FieldMask(n) << shift;
    const uint32_t bits = (value & FieldMask(n)) << shift;
    uint8_t& high = buffer_[bytePos_];
    high = static_cast<uint8_t>((high & ~(mask >> 8)) | (bits >> 8));
    if (bitPos_ + n > 8) {
        uint8_t& low = buffer_[bytePos_ + 1];
        low = static_cast<uint8_t>((low & ~mask) | (bits & 0xFF));
    }
    Advance(n);
}

void CMIDIOutStream::WriteSignedBits(uint32_t n, int32_t value)
{
    WriteBits(n, static_cast<uint32_t>(value));
}

void CMIDIOutStream::WriteZeroBits(uint32_t n)
{
    while (n > 0) {
        const uint32_t step = std::min<uint32_t>(n, 8);
        WriteBits(step, 0);
        n -= step;
    }
}

void CMIDIOutStream::AlignToByte()
{
    if (bitPos_ != 0)
        WriteZeroBits(8 - bitPos_);
}

void CMIDIOutStream::WriteAlignedByte(uint8_t value)
{
    AlignToByte();
    WriteBits(8, value);
}

void CMIDIOutStream::WriteString(std::string_view text, uint32_t maxLength)
{
    AlignToByte();
    const size_t count = std::min<size_t>(text.size(), maxLength);
    for (size_t i = 0; i < count; ++i)
        WriteBits(8, static_cast<uint8_t>(text[i]));
    if (count < maxLength)
        WriteBits(8, 0);
}
