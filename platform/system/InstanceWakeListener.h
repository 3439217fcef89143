#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

// The running copy's end of the wake: a Unix socket in the runtime folder.
// Every connection made to it counts as one wake.
class CInstanceWakeListener {
public:
    // Null when the socket cannot be made.
    static std::unique_ptr<CInstanceWakeListener> Listen(const std::string& key);
    ~CInstanceWakeListener();
    CInstanceWakeListener(const CInstanceWakeListener&) = delete;
    CInstanceWakeListener& operator=(const CInstanceWakeListener&) = delete;

    // Takes every waiting wake without blocking; true when there was one.
    bool TakeWake();
    int Descriptor() const { return fd_; }

private:
    CInstanceWakeListener(int fd, std::string path) : fd_(fd), path_(std::move(path)) { }
    int fd_;
    std::string path_;
};

} // namespace platform
