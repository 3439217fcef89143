#include "platform/system/FileSystem.h"
#include "platform/system/DirectoryReader.h"

#include "platform/system/File.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool IsReadableFile(const std::string& path)
{
    return CFileHandle::OpenForReading(path).IsOpen();
}

bool IsDirectory(const std::string& path)
{
    struct stat st { };
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeDirectories(const std::string& path)
{
    if (path.empty())
        return false;
    for (size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
        const std::string part = path.substr(0, at);
        if (!part.empty() && ::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
            return false;
        if (at == std::string::npos)
            break;
    }
    return IsDirectory(path);
}

std::optional<std::string> FindEntryName(const std::string& folder, const std::string& name)
{
    const std::string where = folder.empty() ? "." : folder;
    struct stat st { };
    if (lstat((where + "/" + name).c_str(), &st) == 0)
        return name;
    CDirectoryReader reader(where);
    std::optional<std::string> found;
    while (auto entry = reader.Next()) {
        if (strcasecmp(entry->name.c_str(), name.c_str()) != 0)
            continue;
        if (found)
            return std::nullopt; // ambiguous: keep what was written
        found = entry->name;
    }
    return found;
}

std::string ExecutablePath()
{
    char buffer[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return {};
    return std::string(buffer, static_cast<size_t>(n));
}

std::string HomeDirectory()
{
    if (const char* home = getenv("HOME"); home && *home)
        return home;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
        return pw->pw_dir;
    return "/";
}

} // namespace platform
