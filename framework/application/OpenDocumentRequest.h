#pragma once

#include "framework/files/FileSpec.h"
#include "framework/files/DirSpec.h"

#include <memory>

namespace NSHarrowen {

// A request to open a file, a folder or an untitled document.
struct COpenDocumentRequest {
    enum EKind : int { kUntitled = 23, kFile = 24, kFolder = 25 };

    std::unique_ptr<CFileSpec> file;
    std::unique_ptr<CDirSpec> folder;

    EKind Kind() const { return file ? kFile : folder ? kFolder : kUntitled; }
};

} // namespace NSHarrowen
