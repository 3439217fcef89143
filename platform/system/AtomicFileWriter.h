#pragma once

#include "platform/system/File.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Writes a new version of a file beside it and puts it in place only when it
// is complete: until Commit succeeds the old file stays as it was, and a
// writer that is given up (or fails) removes its temporary file.
class CAtomicFileWriter {
public:
    explicit CAtomicFileWriter(const std::string& target);
    ~CAtomicFileWriter() { Discard(); }
    CAtomicFileWriter(const CAtomicFileWriter&) = delete;
    CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

    // False when the temporary file could not be made, or the target is a
    // file the user may not write (refused).
    bool IsOpen() const { return file_.IsOpen(); }
    bool IsRefused() const { return refused_; }
    CFileHandle& File() { return file_; }

    // Syncs the data, renames it over the target and syncs the folder. On
    // failure the temporary file is removed and the target left alone.
    // Committing again answers as the first time did.
    bool Commit();
    void Discard();

private:
    std::string target_;
    std::string temporary_;
    CFileHandle file_;
    bool refused_ = false;
    bool committed_ = false;
};

// Replaces a file's content in one step (through CAtomicFileWriter).
bool WriteFileAtomically(const std::string& path, const void* data, size_t size);

} // namespace platform
