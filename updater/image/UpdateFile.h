#pragma once

#include "updater/image/ModelHolder.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace NSBootwren {

// An operating-system update image: a header naming the model and the
// version, then the payload the synthesizer is sent unchanged.
//
//   "Torvan OS update file V1.0" NUL, model name NUL, major, minor, build,
//   comment NUL, payload length (32-bit little-endian), payload
//
// The payload ends exactly at the end of the image. Text fields hold no CR
// and are shorter than 1,000 bytes.
class CUpdateFile {
public:
    static constexpr const char* kMagic = "Torvan OS update file V1.0";
    static constexpr size_t kTextFieldLimit = 1000;

    // Parses a whole image and copies its payload (the caller keeps the
    // bytes). Throws XCorruptUpdateFile, XUnknownModel or XOutOfMemory.
    static std::unique_ptr<CUpdateFile> Read(const uint8_t* bytes, size_t size);

    uint8_t GetMajor() const { return major_; }
    uint8_t GetMinor() const { return minor_; }
    uint32_t GetVersion() const;
    std::string GetVersionText() const;
    std::string GetComment() const { return comment_; }

    const uint8_t* GetPayload() const { return payload_.data(); }
    uint32_t GetPayloadSize() const { return static_cast<uint32_t>(payload_.size()); }
    // The byte sum of the payload, wrapping at 32 bits.
    uint32_t Checksum() const;

    const CModelSpec& GetModel() const { return model_.Get(); }

private:
    CUpdateFile(uint8_t major, uint8_t minor, uint8_t build, std::string comment, CModelHolder model,
                std::vector<uint8_t> payload);

    uint8_t major_;
    uint8_t minor_;
    uint8_t build_;
    std::string comment_;
    CModelHolder model_;
    std::vector<uint8_t> payload_;
};

} // namespace NSBootwren
