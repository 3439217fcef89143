#pragma once

#include <cstdint>
#include <memory>
#include <span>

// One received SysEx message, F0 to F7, taken from an input's queue.
class CRawSysex {
public:
    explicit CRawSysex(uint32_t capacity) : bytes_(std::make_unique<uint8_t[]>(capacity)), capacity_(capacity) { }
    virtual ~CRawSysex() = default;
    CRawSysex(const CRawSysex&) = delete;
    CRawSysex& operator=(const CRawSysex&) = delete;

    // At most the capacity.
    virtual void SetLength(uint32_t length) { length_ = length < capacity_ ? length : capacity_; }

    uint8_t* GetBuffer() { return bytes_.get(); }
    const uint8_t* GetBytes() const { return bytes_.get(); }
    uint32_t GetLength() const { return length_; }
    uint32_t GetCapacity() const { return capacity_; }
    std::span<const uint8_t> View() const { return {bytes_.get(), length_}; }

private:
    std::unique_ptr<uint8_t[]> bytes_;
    uint32_t capacity_;
    uint32_t length_ = 0;
};
