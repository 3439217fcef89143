#include "framework/files/FileSpec.h"
#include "framework/files/DirSpec.h"

#include "framework/base/Exceptions.h"
#include "framework/files/OpenFile.h"
#include "platform/system/ConfigStore.h"
#include "platform/system/FileSystem.h"

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace NSHarrowen {

namespace {

constexpr size_t kMaxExtension = 8;

std::string CurrentDirectory()
{
    std::vector<char> buffer(256);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            throw XBase();
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

} // namespace

std::string WithTrailingSlash(std::string_view path)
{
    std::string result(path);
    if (result.empty() || result.back() != '/')
        result += '/';
    return result;
}

std::string LongPathForm(std::string_view path)
{
    if (path.empty())
        return {};
    std::string full =
        path.front() == '/' ? std::string(path) : WithTrailingSlash(CurrentDirectory()) + std::string(path);
    std::string result = "/";
    size_t at = 1;
    while (at < full.size()) {
        size_t slash = full.find('/', at);
        const bool last = slash == std::string::npos;
        if (last)
            slash = full.size();
        const std::string part = full.substr(at, slash - at);
        at = slash + 1;
        if (part.empty() || part == ".")
            continue;
        result += platform::FindEntryName(result, part).value_or(part);
        if (!last)
            result += '/';
    }
    if (full.back() == '/' && result.back() != '/')
        result += '/';
    return result;
}

std::string_view ExtensionOf(std::string_view fileName)
{
    size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    if (fileName.size() - dot > kMaxExtension)
        return {};
    return fileName.substr(dot);
}

CFileSpec::CFileSpec(std::string_view path)
{
    const std::string full = LongPathForm(path);
    const size_t slash = full.rfind('/');
    if (slash == std::string::npos)
        throw XBase();
    directory_ = full.substr(0, slash + 1);
    const std::string_view fileName = std::string_view(full).substr(slash + 1);
    extension_ = ExtensionOf(fileName);
    name_ = fileName.substr(0, fileName.size() - extension_.size());
}

CFileSpec::CFileSpec(std::string_view directory, std::string_view name, std::string_view extension)
    : directory_(LongPathForm(WithTrailingSlash(directory))), name_(name), extension_(extension)
{ }

std::unique_ptr<CMedia> CFileSpec::Open() const
{
    return std::make_unique<COpenFile>(*this);
}

std::unique_ptr<CABCMediaSpec> CFileSpec::Clone() const
{
    return std::make_unique<CFileSpec>(*this);
}

bool CFileSpec::Exists() const
{
    return platform::IsReadableFile(GetFullPath());
}

std::unique_ptr<CDirSpec> CFileSpec::MakeDirSpec() const
{
    return std::make_unique<CDirSpec>(directory_);
}

std::unique_ptr<CDirSpec> MakeWindowsDirSpec()
{
    const std::string folder = platform::UserConfigDirectory();
    if (folder.empty())
        throw XBase();
    return std::make_unique<CDirSpec>(folder);
}

} // namespace NSHarrowen
