#include "platform/system/File.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

CFileHandle& CFileHandle::operator=(CFileHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = other.Release();
    }
    return *this;
}

CFileHandle CFileHandle::OpenForReading(const std::string& path)
{
    // Without O_NONBLOCK opening a named pipe waits for a writer for good;
    // only regular files are read, so nothing else is ever waited on.
    CFileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!file.IsOpen())
        return file;
    struct stat st { };
    if (fstat(file.fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        file.Close();
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return file;
    }
    const int flags = fcntl(file.fd_, F_GETFL);
    if (flags < 0 || fcntl(file.fd_, F_SETFL, flags & ~O_NONBLOCK) != 0)
        file.Close();
    return file;
}

int CFileHandle::Release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void CFileHandle::Close()
{
    if (fd_ >= 0)
        ::close(Release());
}

namespace {

// Repeats a read or write until all count bytes are moved, through
// interruptions; false on an error or an early end.
template <typename Byte, typename Transfer> bool TransferFully(Byte* p, size_t count, Transfer transfer)
{
    while (count > 0) {
        const ssize_t n = transfer(p, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        count -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

bool CFileHandle::ReadFully(void* buffer, size_t count)
{
    return TransferFully(static_cast<char*>(buffer), count, [this](char* p, size_t n) { return ::read(fd_, p, n); });
}

bool CFileHandle::WriteFully(const void* buffer, size_t count)
{
    return TransferFully(static_cast<const char*>(buffer), count,
                         [this](const char* p, size_t n) { return ::write(fd_, p, n); });
}

std::optional<uint64_t> CFileHandle::Position() const
{
    const off_t at = ::lseek(fd_, 0, SEEK_CUR);
    if (at < 0)
        return std::nullopt;
    return static_cast<uint64_t>(at);
}

bool CFileHandle::Seek(uint64_t position)
{
    return ::lseek(fd_, static_cast<off_t>(position), SEEK_SET) == static_cast<off_t>(position);
}

std::optional<uint64_t> CFileHandle::Size() const
{
    struct stat st { };
    if (fstat(fd_, &st) != 0)
        return std::nullopt;
    return static_cast<uint64_t>(st.st_size);
}

bool CFileHandle::Sync()
{
    return ::fsync(fd_) == 0;
}

} // namespace platform
