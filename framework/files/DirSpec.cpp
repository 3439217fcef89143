#include "framework/files/DirSpec.h"
#include "framework/files/FileSpec.h"

#include "framework/base/Exceptions.h"
#include "framework/files/OpenFile.h"
#include "platform/system/ConfigStore.h"
#include "platform/system/FileSystem.h"
#include <cerrno>
#include <unistd.h>
#include <vector>

namespace NSHarrowen {

CDirSpec::CDirSpec(std::string_view path) : path_(LongPathForm(WithTrailingSlash(path))) { }

std::unique_ptr<CFileSpec> CDirSpec::MakeFileSpec(std::string_view fileName) const
{
    return std::make_unique<CFileSpec>(path_ + std::string(fileName));
}

} // namespace NSHarrowen
