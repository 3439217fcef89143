#pragma once

#include "platform/host/HostScope.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/windows/Message.h"

#include <functional>

namespace testsupport {

// Installs an in-memory desktop for the life of the object and tears every
// window down at the end, so that each test starts from an empty screen.
class HeadlessDesktop {
public:
    explicit HeadlessDesktop(int width = 1024, int height = 768);
    ~HeadlessDesktop();
    HeadlessDesktop(const HeadlessDesktop&) = delete;
    HeadlessDesktop& operator=(const HeadlessDesktop&) = delete;

    platform::HeadlessHost& Host() { return *host_; }

    // Takes and dispatches messages until none is waiting (paints included);
    // returns how many were dispatched. Thread timer messages go to `onThreadTimer`.
    int Pump(int limit = 10000);
    // Lets time pass in steps, pumping after each.
    void Advance(uint64_t ms, uint64_t step = 10);
    std::function<void(const platform::Message&)> onThreadTimer;

private:
    explicit HeadlessDesktop(std::unique_ptr<platform::HeadlessHost> host);

    platform::HeadlessHost* host_;
    platform::CHostScope scope_;
};

} // namespace testsupport
