#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The running copy's end of the wake: a Unix socket in the runtime folder.
// Every connection made to it counts as one wake; what the second start
// writes before it closes the connection is its whole command line.
class CInstanceWakeListener {
public:
    // Null when the socket cannot be made.
    static std::unique_ptr<CInstanceWakeListener> Listen(const std::string& key);
    ~CInstanceWakeListener();
    CInstanceWakeListener(const CInstanceWakeListener&) = delete;
    CInstanceWakeListener& operator=(const CInstanceWakeListener&) = delete;

    // Takes every waiting wake; true when there was one. The texts sent are
    // read at once (a sender that stalls is given up after a moment).
    bool TakeWake();
    // The text of the latest wake, once.
    std::optional<std::string> TakeText();
    int Descriptor() const { return fd_; }

private:
    CInstanceWakeListener(int fd, std::string path) : fd_(fd), path_(std::move(path)) { }
    int fd_;
    std::string path_;
    std::optional<std::string> text_;
};

} // namespace platform
