#include "framework/files/OpenFile.h"

#include "framework/base/Exceptions.h"
#include "framework/files/FileSpec.h"
#include "platform/system/AtomicFileWriter.h"

#include <exception>
#include <limits>

namespace NSHarrowen {

COpenFile::COpenFile(const CFileSpec& spec) : reader_(platform::CFileHandle::OpenForReading(spec.GetFullPath()))
{
    if (!reader_.IsOpen())
        throw XCreateFailed();
}

COpenFile::COpenFile(const CFileSpec& spec, uint32_t, uint32_t)
    : writer_(std::make_unique<platform::CAtomicFileWriter>(spec.GetFullPath())),
      pendingExceptions_(std::uncaught_exceptions())
{
    if (writer_->IsRefused())
        throw XWrite(); // a file the user may not write
    if (!writer_->IsOpen())
        throw XCreateFailed();
}

COpenFile::~COpenFile()
{
    if (!writer_)
        return;
    if (failed_ || std::uncaught_exceptions() > pendingExceptions_)
        writer_->Discard();
    else if (writer_->IsOpen())
        writer_->Commit();
}

platform::CFileHandle& COpenFile::Handle() const
{
    return writer_ ? writer_->File() : reader_;
}

void COpenFile::Read(uint32_t count, void* buffer)
{
    if (writer_ || !reader_.ReadFully(buffer, count))
        throw XRead();
}

void COpenFile::Write(uint32_t count, const void* buffer)
{
    if (!writer_ || !writer_->IsOpen())
        throw XWrite();
    if (!writer_->File().WriteFully(buffer, count)) {
        failed_ = true;
        throw XWrite();
    }
}

uint32_t COpenFile::GetPosition() const
{
    const auto position = Handle().Position();
    if (!position || *position > std::numeric_limits<uint32_t>::max())
        throw XFile();
    return static_cast<uint32_t>(*position);
}

void COpenFile::SetPosition(uint32_t position)
{
    if (!Handle().Seek(position)) {
        failed_ = writer_ != nullptr;
        throw XPosition();
    }
}

uint32_t COpenFile::GetSize() const
{
    const auto size = Handle().Size();
    if (!size || *size > std::numeric_limits<uint32_t>::max())
        throw XPosition();
    return static_cast<uint32_t>(*size);
}

void COpenFile::Commit()
{
    if (!writer_ || failed_ || !writer_->Commit()) {
        if (writer_)
            writer_->Discard();
        throw XWrite();
    }
}

} // namespace NSHarrowen
