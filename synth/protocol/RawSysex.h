#pragma once

#include <cstdint>
#include <memory>
#include <span>

// One received SysEx message, F0 to F7, taken from an input's queue.
class CRawSysex {
public:
    explicit CRawSysex(uint32_t capacity) : m_bytes(std::make_unique<uint8_t[]>(capacity)), m_capacity(capacity) { }
    virtual ~CRawSysex() = default;
    CRawSysex(const CRawSysex&) = delete;
    CRawSysex& operator=(const CRawSysex&) = delete;

    // At most the capacity.
    virtual void SetLength(uint32_t length) { m_length = length < m_capacity ? length : m_capacity; }

    uint8_t* GetBuffer() { return m_bytes.get(); }
    const uint8_t* GetBytes() const { return m_bytes.get(); }
    uint32_t GetLength() const { return m_length; }
    uint32_t GetCapacity() const { return m_capacity; }
    std::span<const uint8_t> View() const { return {m_bytes.get(), m_length}; }

private:
    std::unique_ptr<uint8_t[]> m_bytes;
    uint32_t m_capacity;
    uint32_t m_length = 0;
};
