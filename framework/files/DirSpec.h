#pragma once

#include "framework/files/Media.h"

#include <list>
#include <memory>
#include <string>
#include <string_view>

namespace NSHarrowen {

class CFileSpec;

class CDirSpec;

// A folder; its path always ends in "/" and is kept in the long form.
class CDirSpec {
public:
    explicit CDirSpec(std::string_view path);
    const std::string& GetPath() const { return path_; }
    // The file of that name in this folder (a name may hold subfolders).
    std::unique_ptr<CFileSpec> MakeFileSpec(std::string_view fileName) const;

private:
    std::string path_;
};

} // namespace NSHarrowen
