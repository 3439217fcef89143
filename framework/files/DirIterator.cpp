#include "framework/files/DirIterator.h"
#include "framework/files/DirSpec.h"

namespace NSHarrowen {

CDirIterator::CDirIterator(const CDirSpec& folder) : reader_(folder.GetPath()) { }

std::unique_ptr<CFileTypeEntry> CDirIterator::Next()
{
    auto found = reader_.Next();
    if (!found)
        return nullptr;
    auto entry = std::make_unique<CFileTypeEntry>();
    entry->name = found->name;
    entry->type = CUnknownFileType(std::string(ExtensionOf(found->name)));
    entry->creationTime = found->creationTime;
    entry->writeTime = found->writeTime;
    entry->hidden = found->hidden;
    entry->directory = found->directory;
    entry->size = found->size;
    return entry;
}

} // namespace NSHarrowen
