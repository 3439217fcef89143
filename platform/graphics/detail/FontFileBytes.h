#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace platform {

// A font file's bytes, mapped read-only once for every face and size that
// reads it (FreeType, given a path, maps the file again for each face).
class FontFileBytes {
public:
    // Throws std::runtime_error when the file cannot be opened or mapped.
    explicit FontFileBytes(const std::string& path);
    ~FontFileBytes();
    FontFileBytes(const FontFileBytes&) = delete;
    FontFileBytes& operator=(const FontFileBytes&) = delete;

    const unsigned char* Data() const { return data_; }
    size_t Size() const { return size_; }

    // The bytes of the file at path, mapped at its first use; the caller
    // holds the font lock.
    static std::shared_ptr<const FontFileBytes> Of(const std::string& path);
    // Lets go of the pages of every mapped file; a face reading them again
    // finds the same bytes. The caller holds the font lock.
    static void ReleaseAllPages();

private:
    const unsigned char* data_ = nullptr;
    size_t size_ = 0;
};

} // namespace platform
