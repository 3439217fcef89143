// The operating-system update image the updater is given.

#include "framework/base/Exceptions.h"
#include "updater/image/UpdateErrors.h"
#include "updater/image/UpdateFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using NSBootwren::CUpdateFile;
    try {
        const std::unique_ptr<CUpdateFile> image = CUpdateFile::Read(data, size);
        if (image->GetPayloadSize() > size)
            __builtin_trap();
        (void)image->Checksum();
        (void)image->GetVersionText();
    } catch (const NSHarrowen::XBase&) {
        // Corrupt, of an unknown model, or out of memory: the updater says so.
    }
    return 0;
}
