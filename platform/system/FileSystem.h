#pragma once

#include <cstdint>
#include <dirent.h>
#include <optional>
#include <string>

namespace platform {

// True when the path names a regular file that can be opened for reading.
bool IsReadableFile(const std::string& path);
bool IsDirectory(const std::string& path);
// Creates a folder and the folders above it; true when it exists afterwards.
bool MakeDirectories(const std::string& path);

// The name of an entry of folder as the file system spells it: the name itself
// when it exists, else the one entry that matches it ignoring letter case.
// Empty when there is none (or several that differ only in case).
std::optional<std::string> FindEntryName(const std::string& folder, const std::string& name);

// The running program's file, as an absolute path.
std::string ExecutablePath();

// The user's home folder ($HOME, else the password database).
std::string HomeDirectory();

// Times are nanoseconds since 1970-01-01 UTC.
struct DirectoryEntry {
    std::string name;
    int64_t creationTime = 0; // the birth time where the file system keeps one, else the change time
    int64_t writeTime = 0;
    uint64_t size = 0;
    bool hidden = false; // a name beginning with a dot
    bool directory = false;
};

} // namespace platform
