#include "platform/system/detail/InstanceSocket.h"

#include "platform/system/SharedInstanceBlock.h"

#include <cstring>
#include <sys/socket.h>

namespace platform::detail {

std::string SocketPath(const std::string& key)
{
    return InstanceRuntimeDirectory() + "torvan-" + key + ".sock";
}

bool FillSocketAddress(const std::string& path, sockaddr_un& address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

} // namespace platform::detail
