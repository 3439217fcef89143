#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Points XDG_CONFIG_HOME (and XDG_RUNTIME_DIR) at a temporary folder for the
// life of the object, so tests never touch the user's real configuration.
class ScopedConfigHome {
public:
    ScopedConfigHome();
    ~ScopedConfigHome();
    ScopedConfigHome(const ScopedConfigHome&) = delete;
    ScopedConfigHome& operator=(const ScopedConfigHome&) = delete;

    const std::filesystem::path& Path() const { return dir_.Path(); }

private:
    TempDir dir_;
    std::string oldConfig_;
    std::string oldRuntime_;
    bool hadConfig_ = false;
    bool hadRuntime_ = false;
};

// Reads a whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Writes bytes to a file, replacing it.
void WriteFileBytes(const std::string& path, const std::string& bytes);

} // namespace testsupport
