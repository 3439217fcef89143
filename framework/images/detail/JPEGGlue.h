#pragma once

// The framework's source and error managers for libjpeg.

#include "framework/images/detail/JPEGLibrary.h"

#include <csetjmp>
#include <cstdio>

#include <jerror.h>

namespace NSHarrowen {

class CMedia;

// libjpeg's error manager followed by what the framework needs to leave a
// failed call: error_exit jumps back to the frame that set `jump`.
struct CJPEGErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int code = 0;
};

void InitJPEGErrorManager(CJPEGErrorManager& manager, const CJPEGLibrary& library);
// Reads the compressed data from the media in blocks of 4,096 bytes.
void SetJPEGMediaSource(j_decompress_ptr decompressor, CMedia* media, const CJPEGLibrary& library);
// Throws the framework exception for one of libjpeg's message codes.
[[noreturn]] void ThrowJPEGError(int code);

} // namespace NSHarrowen
