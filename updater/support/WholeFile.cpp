#include "updater/support/WholeFile.h"

#include "framework/base/Exceptions.h"
#include "framework/files/FileSpec.h"
#include "platform/system/File.h"

namespace NSBootwren {

namespace {

platform::CFileHandle Open(const NSHarrowen::CFileSpec& file)
{
    platform::CFileHandle handle = platform::CFileHandle::OpenForReading(file.GetFullPath());
    if (!handle.IsOpen())
        throw NSHarrowen::XFileNotFound();
    return handle;
}

} // namespace

uint64_t GetFileSize(const NSHarrowen::CFileSpec& file)
{
    const auto size = Open(file).Size();
    if (!size)
        throw NSHarrowen::XRead();
    return *size;
}

void ReadWholeFile(const NSHarrowen::CFileSpec& file, uint8_t* buffer, size_t size)
{
    platform::CFileHandle handle = Open(file);
    if (!handle.ReadFully(buffer, size))
        throw NSHarrowen::XRead();
}

} // namespace NSBootwren
