#include "tests/fuzz/FuzzFile.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fuzzinput {

namespace {

// The process's folder, removed when it ends.
class CInputFolder {
public:
    CInputFolder() : path_(std::filesystem::temp_directory_path() / ("torvan-fuzz-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    ~CInputFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace

std::string WriteInputFile(const std::string& name, std::span<const uint8_t> bytes)
{
    static const CInputFolder folder;
    const std::filesystem::path path = folder.Path() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        std::abort();
    return path.string();
}

} // namespace fuzzinput
