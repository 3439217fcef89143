#pragma once

#include <cstdint>
#include <string>

namespace NSBootwren {

// An operating-system version packed into one number: major << 16 |
// minor << 8 | build. Versions order by these numbers.
constexpr uint32_t PackOsVersion(uint8_t major, uint8_t minor, uint8_t build)
{
    return uint32_t{major} << 16 | uint32_t{minor} << 8 | build;
}

// "V3.03", "V3.10 Beta 6", "V2.10 Alpha 0"; builds 1 to 15 add one letter
// ("V3.03b" for build 1).
std::string FormatOsVersion(uint8_t major, uint8_t minor, uint8_t build);
std::string FormatOsVersion(uint32_t packed);

} // namespace NSBootwren
