#pragma once

#include <cstdint>
#include <string_view>

namespace NSHarrowen {

enum class EReleaseStage : uint32_t { Development = 1, Alpha = 2, Beta = 3, Release = 4 };

// A short version: major, minor, sub, a fourth number 0 and a stage word.
struct CVersion {
    uint8_t major = 0;
    uint8_t minor = 0;
    uint8_t sub = 0;
    uint8_t fourth = 0;
    uint32_t stage = 4;
};

// The program's version as its version record gives it.
class CHarrowenFileVersion {
public:
    CHarrowenFileVersion() = default;
    CHarrowenFileVersion(uint16_t major, uint16_t minor, uint16_t third, uint16_t fourth, uint16_t stageNumber,
                         EReleaseStage stage)
        : major_(major), minor_(minor), third_(third), stageNumber_(stageNumber), stage_(stage), fourth_(fourth)
    { }

    uint16_t GetMajor() const { return major_; }
    uint16_t GetMinor() const { return minor_; }
    uint16_t GetThird() const { return third_; }

    bool operator==(const CHarrowenFileVersion&) const = default;

private:
    uint16_t major_ = 0;
    uint16_t minor_ = 0;
    uint16_t third_ = 0;
    uint16_t stageNumber_ = 0;
    EReleaseStage stage_ = EReleaseStage::Release;
    uint16_t fourth_ = 0;
};

struct CReleaseStage {
    EReleaseStage stage;
    uint16_t number;
};

// Finds "development", "alpha" or "beta" (in this order) in a product
// version text; the number is the decimal after the first blank following
// the word. None found: a release, number 0.
CReleaseStage ParseReleaseStage(std::string_view productVersion);

// Reads the running program's version record ("VERS" 1): a missing record
// throws XFileNotFound, a malformed one XBase.
CHarrowenFileVersion ReadFileVersion();
// The same from the bytes of a version record.
CHarrowenFileVersion ParseFileVersion(const uint8_t* data, size_t size);

} // namespace NSHarrowen
