#include "platform/system/AtomicFileWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

// Writing through a symbolic link replaces what it points at, not the link.
std::string ResolveLink(const std::string& path)
{
    struct stat st { };
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved))
            return resolved;
    }
    return path;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool InGroup(gid_t group)
{
    if (group == getegid())
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int got = getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.begin() + got;
}

// The user's right to write an existing file as its mode bits give it: the
// owner's bits for its owner, the group's for the group, the others' for
// the rest. The superuser, whom the system lets write anything, is held to
// them too: a file its user made read-only stays as it is.
bool MayWrite(const std::string& path)
{
    struct stat st { };
    if (stat(path.c_str(), &st) != 0)
        return true; // a new file: the folder decides
    if (st.st_uid == geteuid())
        return (st.st_mode & S_IWUSR) != 0;
    if (InGroup(st.st_gid))
        return (st.st_mode & S_IWGRP) != 0;
    return (st.st_mode & S_IWOTH) != 0;
}

// A new file gets the mode an ordinary create gives it (the umask applies);
// a replaced one keeps its own.
CFileHandle CreateBeside(const std::string& target, std::string& temporary)
{
    const size_t slash = target.rfind('/');
    const size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
    // Hidden, so that a listing of the folder does not show a half-written
    // file; a long name is cut so that the temporary one stays within the
    // name limit (the random part keeps it apart).
    constexpr size_t kKeptNameBytes = 200;
    const std::string stem =
        target.substr(0, nameAt) + "." + target.substr(nameAt, std::min(kKeptNameBytes, target.size() - nameAt)) + ".";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "%08x", random());
        temporary = stem + suffix;
        CFileHandle file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (file.IsOpen()) {
            struct stat st { };
            if (stat(target.c_str(), &st) == 0)
                fchmod(file.Descriptor(), st.st_mode & 07777);
            return file;
        }
        if (errno != EEXIST)
            break;
    }
    temporary.clear();
    return CFileHandle();
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

CAtomicFileWriter::CAtomicFileWriter(const std::string& target) : target_(ResolveLink(target))
{
    refused_ = !MayWrite(target_);
    if (!refused_)
        file_ = CreateBeside(target_, temporary_);
}

bool CAtomicFileWriter::Commit()
{
    if (committed_)
        return true;
    if (!file_.IsOpen())
        return false;
    const bool ok = file_.Sync() && ::close(file_.Release()) == 0 && ::rename(temporary_.c_str(), target_.c_str()) == 0;
    if (!ok) {
        Discard();
        return false;
    }
    temporary_.clear();
    committed_ = true;
    SyncFolder(FolderOf(target_));
    return true;
}

void CAtomicFileWriter::Discard()
{
    file_.Close();
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

bool WriteFileAtomically(const std::string& path, const void* data, size_t size)
{
    CAtomicFileWriter writer(path);
    return writer.IsOpen() && writer.File().WriteFully(data, size) && writer.Commit();
}

} // namespace platform
