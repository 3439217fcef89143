#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The bytes in which a module's custom items write and read their custom
// data, in the order of the module's custom items.
class CCustomDataStream {
public:
    CCustomDataStream() = default;
    explicit CCustomDataStream(std::span<const uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) { }

    void Rewind() { cursor_ = 0; }
    // XPIncompleteData "Incomplete custom data" past the written bytes: short
    // data from a file or the synthesizer never reads beyond its end.
    uint8_t ReadByte();
    void WriteByte(uint8_t value) { bytes_.push_back(value); }
    // Forgets the bytes and rewinds.
    void Clear();

    const std::vector<uint8_t>& GetBytes() const { return bytes_; }
    size_t GetReadPosition() const { return cursor_; }

private:
    std::vector<uint8_t> bytes_;
    size_t cursor_ = 0;
};
