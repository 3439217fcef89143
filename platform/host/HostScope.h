#pragma once

#include "platform/host/Host.h"

#include <memory>

namespace platform {

// Installs a host for the life of the scope. When the scope ends, every
// window of the layer goes and the host that was installed before comes back.
class CHostScope {
public:
    explicit CHostScope(std::unique_ptr<IHost> host);
    ~CHostScope();
    CHostScope(const CHostScope&) = delete;
    CHostScope& operator=(const CHostScope&) = delete;

    IHost& Get() const { return *host_; }

private:
    IHost* host_;
    std::unique_ptr<IHost> previous_;
};

} // namespace platform
