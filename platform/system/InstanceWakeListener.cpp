#include "platform/system/InstanceWakeListener.h"
#include "platform/system/detail/InstanceSocket.h"
#include "platform/system/SharedInstanceBlock.h"
#include "platform/system/Clock.h"

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

std::unique_ptr<CInstanceWakeListener> CInstanceWakeListener::Listen(const std::string& key)
{
    const std::string path = SocketPath(key);
    sockaddr_un address;
    if (!FillSocketAddress(path, address))
        return nullptr;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return nullptr;
    unlink(path.c_str()); // left by a copy that died; only the running copy gets here
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(fd, 8) != 0) {
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<CInstanceWakeListener>(new CInstanceWakeListener(fd, path));
}

CInstanceWakeListener::~CInstanceWakeListener()
{
    close(fd_);
    unlink(path_.c_str());
}

void CInstanceWakeListener::AcceptWaiting(uint64_t now)
{
    for (;;) {
        CFileHandle client(accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (!client.IsOpen())
            return;
        if (pending_.size() >= kPendingMax)
            pending_.erase(pending_.begin());
        pending_.push_back({std::move(client), {}, now});
    }
}

// Reads what has come, without waiting; more than a command line can hold
// is dropped.
CInstanceWakeListener::EProgress CInstanceWakeListener::Read(Connection& connection, uint64_t now)
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = recv(connection.socket.Descriptor(), buffer, sizeof buffer, 0);
        if (n == 0)
            return EProgress::Finished;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno == EAGAIN || errno == EWOULDBLOCK ? EProgress::Open : EProgress::Broken;
        }
        connection.heardAt = now;
        const size_t room = kInstanceTextMax - std::min(connection.text.size(), kInstanceTextMax);
        connection.text.append(buffer, std::min(static_cast<size_t>(n), room));
    }
}

bool CInstanceWakeListener::TakeWake()
{
    const uint64_t now = NowMilliseconds();
    AcceptWaiting(now);
    bool woken = false;
    for (auto it = pending_.begin(); it != pending_.end();) {
        const EProgress progress = Read(*it, now);
        if (progress == EProgress::Finished) {
            woken = true;
            text_ = std::move(it->text);
        }
        if (progress != EProgress::Open || now - it->heardAt >= kSilentLimitMs)
            it = pending_.erase(it);
        else
            ++it;
    }
    return woken;
}

std::optional<std::string> CInstanceWakeListener::TakeText()
{
    std::optional<std::string> text = std::move(text_);
    text_.reset();
    return text;
}

} // namespace platform
