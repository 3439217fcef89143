#pragma once

#include "framework/files/FileSpec.h"
#include "framework/files/DirSpec.h"
#include "platform/system/FileSystem.h"
#include "platform/system/DirectoryReader.h"

#include <cstdint>
#include <memory>
#include <string>

namespace NSHarrowen {

// One entry of a folder listing. Times are nanoseconds since 1970 (UTC).
struct CFileTypeEntry {
    std::string name;
    CUnknownFileType type; // the name's extension
    int64_t creationTime = 0;
    int64_t writeTime = 0;
    bool hidden = false;
    bool directory = false;
    uint64_t size = 0;
};

// Lists the entries of a folder, "." and ".." left out. A folder that cannot
// be read lists nothing.
class CDirIterator {
public:
    explicit CDirIterator(const CDirSpec& folder);
    // The next entry, or nullptr at the end.
    std::unique_ptr<CFileTypeEntry> Next();
    void Close() { reader_.Close(); }

private:
    platform::CDirectoryReader reader_;
};

} // namespace NSHarrowen
