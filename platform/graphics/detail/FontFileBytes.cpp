#include "platform/graphics/detail/FontFileBytes.h"

#include "platform/system/MappedPages.h"

#include <fcntl.h>
#include <map>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::map<std::string, std::shared_ptr<const FontFileBytes>>& Mapped()
{
    static std::map<std::string, std::shared_ptr<const FontFileBytes>> mapped;
    return mapped;
}

} // namespace

FontFileBytes::FontFileBytes(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open font " + path);
    struct stat info { };
    void* mapped = MAP_FAILED;
    if (fstat(fd, &info) == 0 && info.st_size > 0)
        mapped = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (mapped == MAP_FAILED)
        throw std::runtime_error("cannot read font " + path);
    data_ = static_cast<const unsigned char*>(mapped);
    size_ = static_cast<size_t>(info.st_size);
}

FontFileBytes::~FontFileBytes()
{
    munmap(const_cast<unsigned char*>(data_), size_);
}

std::shared_ptr<const FontFileBytes> FontFileBytes::Of(const std::string& path)
{
    auto& mapped = Mapped();
    auto it = mapped.find(path);
    if (it == mapped.end())
        it = mapped.emplace(path, std::make_shared<const FontFileBytes>(path)).first;
    return it->second;
}

void FontFileBytes::ReleaseAllPages()
{
    for (const auto& [path, bytes] : Mapped())
        ReleaseReadOnlyMapping(bytes->Data(), bytes->Size());
}

} // namespace platform
