#pragma once

#include "platform/system/FileSystem.h"
#include <cstdint>
#include <dirent.h>
#include <optional>
#include <string>

namespace platform {

// The entries of one folder, "." and ".." left out, in the file system's
// order. Only files and folders: pipes, devices and sockets are left out.
class CDirectoryReader {
public:
    explicit CDirectoryReader(const std::string& folder);
    ~CDirectoryReader() { Close(); }
    CDirectoryReader(const CDirectoryReader&) = delete;
    CDirectoryReader& operator=(const CDirectoryReader&) = delete;

    bool IsOpen() const { return dir_ != nullptr; }
    std::optional<DirectoryEntry> Next();
    void Close();

private:
    DIR* dir_ = nullptr;
};

} // namespace platform
