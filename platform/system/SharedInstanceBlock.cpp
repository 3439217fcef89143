#include "platform/system/SharedInstanceBlock.h"
#include "platform/system/detail/InstanceSocket.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

using detail::FillSocketAddress;
using detail::SocketPath;

namespace {

std::string ShmName(const std::string& key)
{
    return "/torvan-" + std::to_string(getuid()) + "-" + key;
}

uint64_t Fnv1a(std::string_view text)
{
    uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
    return h;
}

} // namespace

std::string InstanceRuntimeDirectory()
{
    const char* xdg = getenv("XDG_RUNTIME_DIR");
    if (xdg && xdg[0] == '/')
        return std::string(xdg) + "/";
    const std::string folder = "/tmp/torvan-" + std::to_string(getuid());
    mkdir(folder.c_str(), 0700); // an existing folder is fine
    return folder + "/";
}

std::string InstanceKeyForExecutable(std::string_view executablePath)
{
    char* resolved = realpath(std::string(executablePath).c_str(), nullptr);
    std::string path = resolved ? resolved : std::string(executablePath);
    free(resolved);
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx",
                  static_cast<unsigned long long>(Fnv1a(InstanceRuntimeDirectory() + "\n" + path)));
    return hex;
}

std::unique_ptr<CSharedInstanceBlock> CSharedInstanceBlock::Open(const std::string& key)
{
    const int fd = shm_open(ShmName(key).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return nullptr;
    struct stat info { };
    // A new block has size 0; growing it fills it with zeros.
    if (fstat(fd, &info) != 0 ||
        (info.st_size < static_cast<off_t>(sizeof(SharedInstanceData)) &&
         ftruncate(fd, sizeof(SharedInstanceData)) != 0)) {
        close(fd);
        return nullptr;
    }
    void* memory = mmap(nullptr, sizeof(SharedInstanceData), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    if (memory == MAP_FAILED)
        return nullptr;
    return std::unique_ptr<CSharedInstanceBlock>(
        new CSharedInstanceBlock(key, static_cast<SharedInstanceData*>(memory)));
}

CSharedInstanceBlock::CSharedInstanceBlock(std::string key, SharedInstanceData* data)
    : key_(std::move(key)), data_(data)
{ }

CSharedInstanceBlock::~CSharedInstanceBlock()
{
    if (HoldsFirstInstance())
        ReleaseFirstInstance();
    munmap(data_, sizeof(SharedInstanceData));
}

std::string CSharedInstanceBlock::LockPath() const
{
    return InstanceRuntimeDirectory() + "torvan-" + key_ + ".lock";
}

bool CSharedInstanceBlock::ClaimFirstInstance()
{
    if (HoldsFirstInstance())
        return false;
    const int fd = open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) // no lock to be had: the flag alone decides
        return data_->running.exchange(1) == 0;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    lockFd_ = fd;
    // Whatever a copy that died left behind is void now.
    data_->frame.store(0);
    data_->handOverLock.exchange(0);
    std::memset(data_->commandLine, 0, sizeof data_->commandLine);
    data_->running.exchange(1);
    return true;
}

void CSharedInstanceBlock::ReleaseFirstInstance()
{
    data_->frame.store(0);
    data_->running.exchange(0);
    if (lockFd_ >= 0) {
        close(lockFd_); // frees the lock
        lockFd_ = -1;
    }
}

bool CSharedInstanceBlock::IsRunningCopyAlive() const
{
    if (HoldsFirstInstance())
        return true;
    const int fd = open(LockPath().c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return data_->running.load() != 0;
    const bool held = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return held;
}

void CSharedInstanceBlock::WriteCommandLine(std::string_view text)
{
    const size_t n = std::min(text.size(), kSharedCommandLineMax);
    std::memcpy(data_->commandLine, text.data(), n);
    data_->commandLine[n] = '\0';
}

std::string CSharedInstanceBlock::TakeCommandLine()
{
    const std::string text(data_->commandLine, strnlen(data_->commandLine, kSharedCommandLineMax));
    data_->commandLine[0] = '\0'; // taken once
    UnlockHandOver();
    return text;
}

void CSharedInstanceBlock::Remove(const std::string& key)
{
    shm_unlink(ShmName(key).c_str());
    unlink((InstanceRuntimeDirectory() + "torvan-" + key + ".lock").c_str());
    unlink(SocketPath(key).c_str());
}

bool SendInstanceWake(const std::string& key)
{
    sockaddr_un address;
    if (!FillSocketAddress(SocketPath(key), address))
        return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool sent = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return sent;
}

} // namespace platform
