#pragma once

#include "framework/files/Media.h"
#include "platform/system/File.h"
#include "platform/system/AtomicFileWriter.h"

#include <memory>

namespace NSHarrowen {

class CFileSpec;

// A disk file as a media.
//
// Opened for reading, it reads an existing file. Opened for writing, it
// builds a new version of the file beside the old one, which stays as it was
// until Commit puts the new one in its place. A file that is destroyed
// without Commit is committed then, unless a write failed or an exception is
// on its way out (a failed save leaves the old file alone); call Commit to
// learn whether the save worked.
class COpenFile : public CMedia {
public:
    // For reading; throws XCreateFailed when the file cannot be opened.
    explicit COpenFile(const CFileSpec& spec);
    // For writing, starting empty; the creator and type codes are not used
    // here. Throws XCreateFailed when the file cannot be made.
    COpenFile(const CFileSpec& spec, uint32_t creator, uint32_t type);
    ~COpenFile() override;

    void Read(uint32_t count, void* buffer) override;
    void Write(uint32_t count, const void* buffer) override;
    uint32_t GetPosition() const override;
    void SetPosition(uint32_t position) override;
    uint32_t GetSize() const override;

    // Puts the written file in place; throws XWrite when that fails, and the
    // old file stays.
    void Commit();

private:
    platform::CFileHandle& Handle() const;

    mutable platform::CFileHandle reader_;
    std::unique_ptr<platform::CAtomicFileWriter> writer_;
    int pendingExceptions_ = 0;
    bool failed_ = false; // a write or seek failed: the new version is never put in place
};

} // namespace NSHarrowen
