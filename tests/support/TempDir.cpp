#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace testsupport {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "torvan-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

namespace {
void SetOrUnset(const char* name, bool had, const std::string& value)
{
    if (had)
        setenv(name, value.c_str(), 1);
    else
        unsetenv(name);
}
} // namespace

ScopedConfigHome::ScopedConfigHome()
{
    if (const char* v = getenv("XDG_CONFIG_HOME")) {
        hadConfig_ = true;
        oldConfig_ = v;
    }
    if (const char* v = getenv("XDG_RUNTIME_DIR")) {
        hadRuntime_ = true;
        oldRuntime_ = v;
    }
    std::filesystem::create_directories(dir_.Path() / "config");
    std::filesystem::create_directories(dir_.Path() / "runtime");
    setenv("XDG_CONFIG_HOME", (dir_.Path() / "config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (dir_.Path() / "runtime").c_str(), 1);
}

ScopedConfigHome::~ScopedConfigHome()
{
    SetOrUnset("XDG_CONFIG_HOME", hadConfig_, oldConfig_);
    SetOrUnset("XDG_RUNTIME_DIR", hadRuntime_, oldRuntime_);
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace testsupport
