#include "updater/image/UpdateFile.h"

#include "updater/image/OsVersion.h"
#include "updater/image/UpdateErrors.h"
#include "updater/support/TextCopy.h"

#include <algorithm>
#include <new>
#include <numeric>

namespace NSBootwren {

namespace {

// Reads the fields in order; every read past the end is a corrupt image.
class CImageReader {
public:
    CImageReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) { }

    bool AtEnd() const { return position_ >= size_; }
    void RequireMore() const
    {
        if (AtEnd())
            throw XCorruptUpdateFile();
    }

    // A NUL-terminated text inside the image, without CR, under 1,000 bytes.
    std::string Text()
    {
        const auto* begin = bytes_ + position_;
        const auto* end = bytes_ + size_;
        const auto* nul = std::find(begin, end, uint8_t{0});
        const size_t length = static_cast<size_t>(nul - begin);
        if (nul == end || length >= CUpdateFile::kTextFieldLimit || std::find(begin, nul, uint8_t{'\r'}) != nul)
            throw XCorruptUpdateFile();
        char buffer[CUpdateFile::kTextFieldLimit];
        CopyTextExpandingCR(std::string_view(reinterpret_cast<const char*>(begin), length), buffer, sizeof buffer);
        position_ += length + 1;
        return buffer;
    }

    uint8_t Byte()
    {
        RequireMore();
        return bytes_[position_++];
    }

    uint32_t Word32()
    {
        if (size_ - position_ < 4)
            throw XCorruptUpdateFile();
        const uint8_t* p = bytes_ + position_;
        position_ += 4;
        return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
    }

    size_t Remaining() const { return size_ - position_; }
    const uint8_t* Here() const { return bytes_ + position_; }

private:
    const uint8_t* bytes_;
    size_t size_;
    size_t position_ = 0;
};

} // namespace

CUpdateFile::CUpdateFile(uint8_t major, uint8_t minor, uint8_t build, std::string comment, CModelHolder model,
                         std::vector<uint8_t> payload)
    : major_(major), minor_(minor), build_(build), comment_(std::move(comment)), model_(std::move(model)),
      payload_(std::move(payload))
{ }

std::unique_ptr<CUpdateFile> CUpdateFile::Read(const uint8_t* bytes, size_t size)
{
    try {
        CImageReader reader(bytes, size);
        if (reader.Text() != kMagic)
            throw XCorruptUpdateFile();
        reader.RequireMore();
        CModelHolder model(reader.Text()); // an unknown model is reported before the rest is read
        const uint8_t major = reader.Byte();
        const uint8_t minor = reader.Byte();
        const uint8_t build = reader.Byte();
        reader.RequireMore();
        std::string comment = reader.Text();
        reader.RequireMore();
        const uint32_t length = reader.Word32();
        if (reader.Remaining() != length)
            throw XCorruptUpdateFile();
        std::vector<uint8_t> payload(reader.Here(), reader.Here() + length);
        return std::unique_ptr<CUpdateFile>(
            new CUpdateFile(major, minor, build, std::move(comment), std::move(model), std::move(payload)));
    } catch (const std::bad_alloc&) {
        throw NSHarrowen::XOutOfMemory();
    }
}

uint32_t CUpdateFile::GetVersion() const
{
    return PackOsVersion(major_, minor_, build_);
}

std::string CUpdateFile::GetVersionText() const
{
    return FormatOsVersion(major_, minor_, build_);
}

uint32_t CUpdateFile::Checksum() const
{
    return std::accumulate(payload_.begin(), payload_.end(), uint32_t{0},
                           [](uint32_t sum, uint8_t byte) { return sum + byte; });
}

} // namespace NSBootwren
