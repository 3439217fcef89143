#include "framework/images/detail/JPEGLibrary.h"

#include "framework/base/Exceptions.h"

#include <dlfcn.h>

namespace NSHarrowen {

namespace {

template <typename Function> void Resolve(void* handle, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    if (function == nullptr)
        throw XJPegInternalError();
}

} // namespace

CJPEGLibrary::CJPEGLibrary() : handle_(dlopen(TORVAN_JPEG_LIBRARY, RTLD_NOW | RTLD_LOCAL))
{
    if (handle_ == nullptr)
        throw XJPegInternalError();
    try {
        Resolve(handle_, "jpeg_std_error", stdError);
        Resolve(handle_, "jpeg_CreateDecompress", createDecompress);
        Resolve(handle_, "jpeg_read_header", readHeader);
        Resolve(handle_, "jpeg_start_decompress", startDecompress);
        Resolve(handle_, "jpeg_read_scanlines", readScanlines);
        Resolve(handle_, "jpeg_finish_decompress", finishDecompress);
        Resolve(handle_, "jpeg_destroy_decompress", destroyDecompress);
        Resolve(handle_, "jpeg_resync_to_restart", resyncToRestart);
    } catch (...) {
        dlclose(handle_);
        throw;
    }
}

CJPEGLibrary::~CJPEGLibrary()
{
    dlclose(handle_);
}

} // namespace NSHarrowen
