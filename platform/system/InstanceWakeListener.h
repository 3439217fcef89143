#pragma once

#include "platform/system/File.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The running copy's end of the wake: a Unix socket in the runtime folder.
// Each connection made to it is one wake once its sender has closed it; what
// the sender wrote before is its whole command line.
class CInstanceWakeListener {
public:
    // A connection silent this long is given up: its sender stalled or died.
    static constexpr uint64_t kSilentLimitMs = 5000;
    // Connections kept at once; a newer one pushes the oldest out.
    static constexpr size_t kPendingMax = 32;

    // Null when the socket cannot be made.
    static std::unique_ptr<CInstanceWakeListener> Listen(const std::string& key);
    ~CInstanceWakeListener();
    CInstanceWakeListener(const CInstanceWakeListener&) = delete;
    CInstanceWakeListener& operator=(const CInstanceWakeListener&) = delete;

    // Takes the new connections and what every sender wrote so far, never
    // waiting for one; true when a sender closed its connection since the
    // last call.
    bool TakeWake();
    // Whether a connection is open whose sender has not finished.
    bool HasPending() const { return !pending_.empty(); }
    // The text of the latest wake, once.
    std::optional<std::string> TakeText();
    int Descriptor() const { return fd_; }

private:
    struct Connection {
        CFileHandle socket;
        std::string text;
        uint64_t heardAt = 0;
    };
    enum class EProgress { Open, Finished, Broken };

    CInstanceWakeListener(int fd, std::string path) : fd_(fd), path_(std::move(path)) { }
    void AcceptWaiting(uint64_t now);
    static EProgress Read(Connection& connection, uint64_t now);

    int fd_;
    std::string path_;
    std::vector<Connection> pending_;
    std::optional<std::string> text_;
};

} // namespace platform
