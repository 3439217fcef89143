#pragma once

#include "framework/files/Media.h"

#include <cstdint>
#include <memory>
#include <span>

namespace NSHarrowen {

// A media over a block of memory of fixed size. The block never grows: a Read
// or Write that would pass the end throws XRead or XWrite and changes
// nothing, and a position beyond the size throws XPosition.
class CMemoryMedia : public CMedia {
public:
    // An owned, zero-filled block of size bytes.
    explicit CMemoryMedia(uint32_t size);
    // An owned copy of the bytes.
    explicit CMemoryMedia(std::span<const uint8_t> bytes);
    // A media over memory that someone else owns and keeps alive.
    static std::unique_ptr<CMemoryMedia> Borrow(uint8_t* data, uint32_t size);

    void Read(uint32_t count, void* buffer) override;
    void Write(uint32_t count, const void* buffer) override;
    uint32_t GetPosition() const override { return position_; }
    void SetPosition(uint32_t position) override;
    uint32_t GetSize() const override { return size_; }

    uint8_t* GetData() { return data_; }
    const uint8_t* GetData() const { return data_; }
    std::span<const uint8_t> Bytes() const { return {data_, size_}; }

private:
    CMemoryMedia(uint8_t* data, uint32_t size);
    bool Fits(uint32_t count) const { return count <= size_ - position_; }

    uint32_t position_ = 0;
    uint32_t size_ = 0;
    std::unique_ptr<uint8_t[]> owned_;
    uint8_t* data_ = nullptr;
};

} // namespace NSHarrowen
