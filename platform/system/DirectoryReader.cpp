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

namespace {
int64_t Nanoseconds(const statx_timestamp& t)
{
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}
} // namespace

CDirectoryReader::CDirectoryReader(const std::string& folder) : dir_(::opendir(folder.empty() ? "." : folder.c_str()))
{ }

std::optional<DirectoryEntry> CDirectoryReader::Next()
{
    if (!dir_)
        return std::nullopt;
    while (const dirent* d = ::readdir(dir_)) {
        const std::string name = d->d_name;
        if (name == "." || name == "..")
            continue;
        DirectoryEntry entry;
        entry.name = name;
        entry.hidden = name[0] == '.';
        struct statx sx { };
        if (::statx(dirfd(dir_), d->d_name, 0, STATX_BASIC_STATS | STATX_BTIME, &sx) == 0) {
            // Pipes, devices and sockets are no files to open: opening a pipe
            // could wait for good.
            if (!S_ISDIR(sx.stx_mode) && !S_ISREG(sx.stx_mode))
                continue;
            entry.directory = S_ISDIR(sx.stx_mode);
            entry.size = sx.stx_size;
            entry.writeTime = Nanoseconds(sx.stx_mtime);
            entry.creationTime = Nanoseconds((sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_ctime);
        } else {
            if (d->d_type != DT_DIR && d->d_type != DT_REG && d->d_type != DT_LNK && d->d_type != DT_UNKNOWN)
                continue;
            entry.directory = d->d_type == DT_DIR;
        }
        return entry;
    }
    return std::nullopt;
}

void CDirectoryReader::Close()
{
    if (dir_) {
        ::closedir(dir_);
        dir_ = nullptr;
    }
}

} // namespace platform
