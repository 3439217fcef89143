#include "platform/system/InstanceWakeListener.h"
#include "platform/system/detail/InstanceSocket.h"
#include "platform/system/SharedInstanceBlock.h"

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

namespace {

// Reads what the sender writes until it closes; a sender that stalls for
// a second, or sends more than a command line can hold, is cut off.
std::string ReadText(int client)
{
    const timeval timeout{1, 0};
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string text;
    char buffer[4096];
    while (text.size() < kInstanceTextMax) {
        const ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, static_cast<size_t>(n));
    }
    text.resize(std::min(text.size(), kInstanceTextMax));
    return text;
}

} // namespace

bool CInstanceWakeListener::TakeWake()
{
    bool woken = false;
    for (;;) {
        const int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return woken;
        woken = true;
        text_ = ReadText(client);
        close(client);
    }
}

std::optional<std::string> CInstanceWakeListener::TakeText()
{
    std::optional<std::string> text = std::move(text_);
    text_.reset();
    return text;
}

} // namespace platform
