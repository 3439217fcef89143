#include "platform/system/SharedInstanceBlock.h"
#include "platform/system/detail/InstanceSocket.h"
#include "platform/system/FileSystem.h"

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

// A folder for the user's own runtime files: owned by the user, a real
// folder (no link) and open to nobody else. One that another user made or
// can write to is refused.
bool IsPrivateFolder(const std::string& folder)
{
    struct stat st { };
    return lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
        (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Makes the folder with mode 0700 where it is missing; true when it is private.
bool MakePrivateFolder(const std::string& folder)
{
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    return IsPrivateFolder(folder);
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
    if (xdg && xdg[0] == '/' && IsPrivateFolder(xdg))
        return std::string(xdg) + "/";
    const std::string uid = std::to_string(getuid());
    const std::string shared = "/tmp/torvan-" + uid;
    if (MakePrivateFolder(shared))
        return shared + "/";
    // Somebody else holds that name: a folder under the user's home instead.
    const std::string home = HomeDirectory();
    if (!home.empty() && home[0] == '/') {
        const std::string cache = home + "/.cache";
        mkdir(cache.c_str(), 0700);
        const std::string own = cache + "/torvan-run-" + uid;
        if (MakePrivateFolder(own))
            return own + "/";
    }
    return {};
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

namespace {

std::string BlockPath(const std::string& key)
{
    const std::string folder = InstanceRuntimeDirectory();
    return folder.empty() ? std::string() : folder + "torvan-" + key + ".block";
}

// Opens the block's file: made anew (mode 0600) or an existing one that is a
// regular file of this user, open to nobody else. -1 with a reason otherwise.
int OpenBlockFile(const std::string& path, std::string& why)
{
    if (path.empty()) {
        why = "no private runtime folder (XDG_RUNTIME_DIR or /tmp/torvan-UID) can be had";
        return -1;
    }
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST)
        fd = open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = path + ": " + std::strerror(errno);
        return -1;
    }
    struct stat st { };
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != getuid() || (st.st_mode & 077) != 0) {
        close(fd);
        why = path + " is not a private file of this user";
        return -1;
    }
    return fd;
}

SharedInstanceData* MapBlockFile(int fd, ino_t* inode)
{
    struct stat info { };
    // A new block has size 0; growing it fills it with zeros.
    if (fstat(fd, &info) != 0 ||
        (info.st_size < static_cast<off_t>(sizeof(SharedInstanceData)) &&
         ftruncate(fd, sizeof(SharedInstanceData)) != 0))
        return nullptr;
    *inode = info.st_ino;
    void* memory = mmap(nullptr, sizeof(SharedInstanceData), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    return memory == MAP_FAILED ? nullptr : static_cast<SharedInstanceData*>(memory);
}

thread_local std::string lastOpenFailure;

} // namespace

std::unique_ptr<CSharedInstanceBlock> CSharedInstanceBlock::Open(const std::string& key)
{
    const int fd = OpenBlockFile(BlockPath(key), lastOpenFailure);
    if (fd < 0)
        return nullptr;
    ino_t inode = 0;
    SharedInstanceData* data = MapBlockFile(fd, &inode);
    if (!data)
        lastOpenFailure = BlockPath(key) + ": " + std::strerror(errno);
    close(fd);
    if (!data)
        return nullptr;
    auto block = std::unique_ptr<CSharedInstanceBlock>(new CSharedInstanceBlock(key, data));
    block->inode_ = inode;
    return block;
}

std::string CSharedInstanceBlock::LastOpenFailure()
{
    return lastOpenFailure;
}

bool CSharedInstanceBlock::RemapCurrentFile()
{
    std::string why;
    const int fd = OpenBlockFile(BlockPath(key_), why);
    if (fd < 0)
        return false;
    struct stat info { };
    if (fstat(fd, &info) == 0 && info.st_ino == inode_) {
        close(fd);
        return true;
    }
    ino_t inode = 0;
    SharedInstanceData* data = MapBlockFile(fd, &inode);
    close(fd);
    if (!data)
        return false;
    munmap(data_, sizeof(SharedInstanceData));
    data_ = data;
    inode_ = inode;
    return true;
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
    const int fd = open(LockPath().c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) // no lock to be had: the flag alone decides
        return data_->running.exchange(1) == 0;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    // The copy before may have removed the block after this one mapped it:
    // the running copy works on the block that is there now.
    if (!RemapCurrentFile()) {
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
        // Still under the lock: the block goes with the last copy, and the
        // next first copy makes a new one.
        unlink(BlockPath(key_).c_str());
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
    unlink(BlockPath(key).c_str());
    unlink((InstanceRuntimeDirectory() + "torvan-" + key + ".lock").c_str());
    unlink(SocketPath(key).c_str());
}

bool SendInstanceWake(const std::string& key, std::string_view text)
{
    sockaddr_un address;
    if (!FillSocketAddress(SocketPath(key), address))
        return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool sent = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    // The running copy reads at its next poll; it gives up on a stalled
    // sender, so this one must not wait for ever either.
    const timeval timeout{5, 0};
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    text = text.substr(0, kInstanceTextMax);
    while (sent && !text.empty()) {
        const ssize_t n = send(fd, text.data(), text.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            sent = false;
        else
            text.remove_prefix(static_cast<size_t>(n));
    }
    close(fd);
    return sent;
}

} // namespace platform
