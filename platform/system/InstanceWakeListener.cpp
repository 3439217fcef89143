#include "platform/system/InstanceWakeListener.h"
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

bool CInstanceWakeListener::TakeWake()
{
    bool woken = false;
    for (;;) {
        const int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return woken;
        woken = true;
        close(client);
    }
}

} // namespace platform
