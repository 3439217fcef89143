#include "framework/files/MemoryMedia.h"

#include "framework/base/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace NSHarrowen {

namespace {
std::unique_ptr<uint8_t[]> Allocate(size_t size)
{
    // One extra byte keeps the pointer valid for an empty block.
    try {
        return std::make_unique<uint8_t[]>(size + 1);
    } catch (const std::bad_alloc&) {
        throw XOutOfMemory();
    }
}

uint32_t CheckedSize(size_t size)
{
    if (size > std::numeric_limits<uint32_t>::max())
        throw XOutOfMemory();
    return static_cast<uint32_t>(size);
}
} // namespace

CMemoryMedia::CMemoryMedia(uint32_t size) : size_(size), owned_(Allocate(size)), data_(owned_.get()) { }

CMemoryMedia::CMemoryMedia(std::span<const uint8_t> bytes)
    : size_(CheckedSize(bytes.size())), owned_(Allocate(bytes.size())), data_(owned_.get())
{
    std::copy(bytes.begin(), bytes.end(), data_);
}

CMemoryMedia::CMemoryMedia(uint8_t* data, uint32_t size) : size_(size), data_(data) { }

std::unique_ptr<CMemoryMedia> CMemoryMedia::Borrow(uint8_t* data, uint32_t size)
{
    return std::unique_ptr<CMemoryMedia>(new CMemoryMedia(data, size));
}

void CMemoryMedia::Read(uint32_t count, void* buffer)
{
    if (!Fits(count))
        throw XRead();
    if (count > 0)
        std::memcpy(buffer, data_ + position_, count);
    position_ += count;
}

void CMemoryMedia::Write(uint32_t count, const void* buffer)
{
    if (!Fits(count))
        throw XWrite();
    if (count > 0)
        std::memcpy(data_ + position_, buffer, count);
    position_ += count;
}

void CMemoryMedia::SetPosition(uint32_t position)
{
    if (position > size_)
        throw XPosition();
    position_ = position;
}

} // namespace NSHarrowen
