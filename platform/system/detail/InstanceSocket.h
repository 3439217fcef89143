#pragma once

#include <string>
#include <sys/un.h>

// The Unix socket through which a second start wakes the running copy.
namespace platform::detail {

std::string SocketPath(const std::string& key);
// False when the path does not fit an address.
bool FillSocketAddress(const std::string& path, sockaddr_un& address);

} // namespace platform::detail
