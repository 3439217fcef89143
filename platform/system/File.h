#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// An open file descriptor, closed with the object. Failures are answered with
// false or an empty value; errno tells why.
class CFileHandle {
public:
    CFileHandle() = default;
    explicit CFileHandle(int fd) : fd_(fd) { }
    ~CFileHandle() { Close(); }
    CFileHandle(CFileHandle&& other) noexcept : fd_(other.Release()) { }
    CFileHandle& operator=(CFileHandle&& other) noexcept;
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    // An existing regular file, for reading.
    static CFileHandle OpenForReading(const std::string& path);

    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    int Release();
    void Close();

    // Both retry interrupted and partial transfers; false unless every byte moved.
    bool ReadFully(void* buffer, size_t count);
    bool WriteFully(const void* buffer, size_t count);
    std::optional<uint64_t> Position() const;
    bool Seek(uint64_t position);
    std::optional<uint64_t> Size() const;
    bool Sync();

private:
    int fd_ = -1;
};

} // namespace platform
