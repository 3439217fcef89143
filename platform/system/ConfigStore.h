#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The running program's name for its settings ("Patchora", "Bootwren").
// Until a program sets it, the executable's file name stands in.
std::string ApplicationName();
void SetApplicationName(std::string name);

// The user's settings folder of a program:
// $XDG_CONFIG_HOME/Torvan/<name>/ (~/.config when the variable is unset or
// not absolute), ending in "/". Created when missing; empty when it cannot be.
std::string UserConfigDirectory(const std::string& applicationName = ApplicationName());

// Named values of raw bytes kept for one program across runs, each in a file
// "<name>.value" of the program's settings folder. Every write replaces the
// value in one step, so a crash leaves the old value or the new one.
class CConfigStore {
public:
    explicit CConfigStore(std::string applicationName = ApplicationName());

    // A value file larger than this is taken as absent.
    static constexpr uint64_t kMaxValueBytes = 64 * 1024;

    // Empty when the value was never written (or the name is not a valid one,
    // or its file is not a regular file of at most kMaxValueBytes).
    std::optional<std::vector<uint8_t>> Read(std::string_view name) const;
    bool Write(std::string_view name, std::span<const uint8_t> bytes);
    bool Remove(std::string_view name);

private:
    std::optional<std::string> PathOf(std::string_view name) const;
    std::string application_;
};

} // namespace platform
