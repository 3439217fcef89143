#pragma once

// libjpeg's decoding functions, from the library loaded for as long as this
// object lives: a program shows a few pictures of this kind (the splash, the
// voice areas' background, the About box) and keeps the library's pages
// mapped only while it decodes one.

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace NSHarrowen {

class CJPEGLibrary {
public:
    // Throws XJPegInternalError when the library cannot be loaded.
    CJPEGLibrary();
    ~CJPEGLibrary();
    CJPEGLibrary(const CJPEGLibrary&) = delete;
    CJPEGLibrary& operator=(const CJPEGLibrary&) = delete;

    jpeg_error_mgr* (*stdError)(jpeg_error_mgr*) = nullptr;
    void (*createDecompress)(j_decompress_ptr, int, size_t) = nullptr;
    int (*readHeader)(j_decompress_ptr, boolean) = nullptr;
    boolean (*startDecompress)(j_decompress_ptr) = nullptr;
    JDIMENSION (*readScanlines)(j_decompress_ptr, JSAMPARRAY, JDIMENSION) = nullptr;
    boolean (*finishDecompress)(j_decompress_ptr) = nullptr;
    void (*destroyDecompress)(j_decompress_ptr) = nullptr;
    boolean (*resyncToRestart)(j_decompress_ptr, int) = nullptr;

private:
    void* handle_ = nullptr;
};

} // namespace NSHarrowen
