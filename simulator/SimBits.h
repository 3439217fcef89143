#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace sim {

// A payload that the simulator cannot take apart. The code is the one the
// simulator reports back after 0x7E.
class XSimParse : public std::runtime_error {
public:
    XSimParse(uint8_t code, const std::string& what) : std::runtime_error(what), code_(code) { }
    uint8_t Code() const { return code_; }

private:
    uint8_t code_;
};

// Error codes after 0x7E.
constexpr uint8_t kErrorInSynth = 3; // a molecule id it does not know
constexpr uint8_t kErrorChecksum = 4;
constexpr uint8_t kErrorStream = 5; // fields that do not fit their molecule
constexpr uint8_t kErrorBubble = 6; // frames of a packet out of order

// Writes fields most significant bit first; bytes and texts sit on byte bounds.
class CSimBitWriter {
public:
    void Bits(unsigned width, unsigned value);
    void Byte(unsigned value);
    // At most 16 characters; a shorter text is closed by a zero byte.
    void Text16(const std::string& text);
    void Align();
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    unsigned bit_ = 0; // bits used in the last byte; 0 = on a byte bound
};

// Reads what CSimBitWriter writes; running past the end throws XSimParse.
class CSimBitReader {
public:
    CSimBitReader(const uint8_t* data, size_t size, size_t bytePos = 0)
        : data_(data), size_(size), pos_(bytePos * 8) { }

    unsigned Bits(unsigned width);
    unsigned Byte();
    std::string Text16();
    void Align() { pos_ = (pos_ + 7) / 8 * 8; }
    // The first byte not touched by what was read.
    size_t NextByte() const { return (pos_ + 7) / 8; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_; // in bits
};

} // namespace sim
