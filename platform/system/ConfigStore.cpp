#include "platform/system/ConfigStore.h"

#include "platform/system/AtomicFileWriter.h"
#include "platform/system/File.h"
#include "platform/system/FileSystem.h"

#include <cstdlib>
#include <mutex>
#include <unistd.h>

namespace platform {

namespace {

std::mutex nameLock;
std::string applicationName;

std::string ConfigHome()
{
    const char* xdg = getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    return HomeDirectory() + "/.config";
}

// A value name becomes a file name: nothing that could leave the folder.
bool IsValidName(std::string_view name)
{
    return !name.empty() && name.front() != '.' && name.find('/') == std::string_view::npos &&
        name.find('\0') == std::string_view::npos;
}

} // namespace

std::string ApplicationName()
{
    std::lock_guard lock(nameLock);
    if (applicationName.empty()) {
        const std::string exe = ExecutablePath();
        applicationName = exe.substr(exe.rfind('/') + 1);
        if (applicationName.empty())
            applicationName = "Torvan";
    }
    return applicationName;
}

void SetApplicationName(std::string name)
{
    std::lock_guard lock(nameLock);
    applicationName = std::move(name);
}

std::string UserConfigDirectory(const std::string& applicationName)
{
    const std::string folder = ConfigHome() + "/Torvan/" + applicationName;
    return MakeDirectories(folder) ? folder + "/" : std::string();
}

CConfigStore::CConfigStore(std::string applicationName) : application_(std::move(applicationName)) { }

std::optional<std::string> CConfigStore::PathOf(std::string_view name) const
{
    if (!IsValidName(name))
        return std::nullopt;
    const std::string folder = UserConfigDirectory(application_);
    if (folder.empty())
        return std::nullopt;
    return folder + std::string(name) + ".value";
}

std::optional<std::vector<uint8_t>> CConfigStore::Read(std::string_view name) const
{
    const auto path = PathOf(name);
    if (!path)
        return std::nullopt;
    CFileHandle file = CFileHandle::OpenForReading(*path);
    const auto size = file.IsOpen() ? file.Size() : std::nullopt;
    // No value of ours comes near the limit: a larger file is not ours.
    if (!size || *size > kMaxValueBytes)
        return std::nullopt;
    std::vector<uint8_t> bytes(*size);
    if (!file.ReadFully(bytes.data(), bytes.size()))
        return std::nullopt;
    return bytes;
}

bool CConfigStore::Write(std::string_view name, std::span<const uint8_t> bytes)
{
    const auto path = PathOf(name);
    return path && WriteFileAtomically(*path, bytes.data(), bytes.size());
}

bool CConfigStore::Remove(std::string_view name)
{
    const auto path = PathOf(name);
    return path && (::unlink(path->c_str()) == 0 || !IsReadableFile(*path));
}

} // namespace platform
