#pragma once

#include <mutex>

namespace platform {

// A lock that the thread holding it may take again (the desktop's critical
// section behaves so), held for a scope by LockGuard.
using Lock = std::recursive_mutex;
using LockGuard = std::lock_guard<Lock>;

} // namespace platform
