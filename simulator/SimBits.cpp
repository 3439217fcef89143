#include "simulator/SimBits.h"

namespace sim {

void CSimBitWriter::Bits(unsigned width, unsigned value)
{
    for (unsigned i = width; i-- > 0;) {
        if (bit_ == 0)
            bytes_.push_back(0);
        if ((value >> i) & 1u)
            bytes_.back() |= static_cast<uint8_t>(0x80u >> bit_);
        bit_ = (bit_ + 1) % 8;
    }
}

void CSimBitWriter::Align()
{
    bit_ = 0;
}

void CSimBitWriter::Byte(unsigned value)
{
    Align();
    bytes_.push_back(static_cast<uint8_t>(value));
}

void CSimBitWriter::Text16(const std::string& text)
{
    Align();
    const size_t n = text.size() < 16 ? text.size() : 16;
    bytes_.insert(bytes_.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n));
    if (n < 16)
        bytes_.push_back(0);
}

unsigned CSimBitReader::Bits(unsigned width)
{
    if (pos_ + width > size_ * 8)
        throw XSimParse(kErrorStream, "molecule runs past the end of the packet");
    unsigned value = 0;
    for (unsigned i = 0; i < width; ++i, ++pos_)
        value = (value << 1) | ((data_[pos_ / 8] >> (7 - pos_ % 8)) & 1u);
    return value;
}

unsigned CSimBitReader::Byte()
{
    Align();
    return Bits(8);
}

std::string CSimBitReader::Text16()
{
    Align();
    std::string text;
    while (text.size() < 16) {
        const unsigned c = Byte();
        if (c == 0)
            break;
        text.push_back(static_cast<char>(c));
    }
    return text;
}

} // namespace sim
