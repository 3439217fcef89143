#include "framework/windows/WindowIcon.h"

#include "framework/base/Exceptions.h"
#include "framework/files/MemoryMedia.h"
#include "framework/images/BMPReader.h"
#include "framework/images/Bitmap.h"
#include "framework/resources/ResourceModule.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/graphics/PixelBuffer.h"
#include "platform/windows/Window.h"

#include <cstring>

namespace NSHarrowen {

void ShowProgramIcon(platform::WindowHandle window, int32_t iconId)
{
    const auto bytes = FindResource("ICON", iconId);
    if (!bytes)
        return;
    try {
        CMemoryMedia media(*bytes);
        std::unique_ptr<CBitmap32> bitmap = ReadBMP(media);
        platform::PixelBuffer icon(bitmap->GetWidth(), bitmap->GetHeight());
        const CPixelLock lock(*bitmap);
        for (int y = 0; y < icon.Height(); ++y)
            std::memcpy(icon.Data() + static_cast<size_t>(y) * static_cast<size_t>(icon.Width()), lock.Row(y),
                        static_cast<size_t>(icon.Width()) * 4);
        platform::SetWindowIcon(window, icon);
    } catch (const XBase&) {
        // A spoiled picture: the window shows the desktop's own icon.
        platform::RecordDroppedException("ShowProgramIcon");
    }
}

} // namespace NSHarrowen
