#include "updater/image/OsVersion.h"

namespace NSBootwren {

std::string FormatOsVersion(uint8_t major, uint8_t minor, uint8_t build)
{
    std::string text = "V" + std::to_string(major) + (minor > 9 ? "." : ".0") + std::to_string(minor);
    if (build >= 64)
        text += " Beta " + std::to_string(build - 64);
    else if (build >= 16)
        text += " Alpha " + std::to_string(build - 16);
    else if (build >= 1)
        text += static_cast<char>(build + 97); // a letter: 1 is 'b', 15 is 'p'
    return text;
}

std::string FormatOsVersion(uint32_t packed)
{
    return FormatOsVersion(static_cast<uint8_t>(packed >> 16), static_cast<uint8_t>(packed >> 8),
                           static_cast<uint8_t>(packed));
}

} // namespace NSBootwren
