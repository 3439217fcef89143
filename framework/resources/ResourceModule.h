#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The bytes of compiled-in resources go to a section of their own, so that
// their pages can be let go once read (ReleaseReadResources).
#define HARROWEN_RESOURCE_BYTES [[gnu::section("harrowen_resource_bytes")]]

namespace NSHarrowen {

// One compiled-in resource: a four-character type ("SSTR", "SALR", "SMNU",
// "DLOG", "JPEG", "SMTB", "CURS", "ICON", "VERS", "DATA"), a number and bytes.
struct CResourceEntry {
    const char* type;
    int32_t id;
    const uint8_t* data;
    size_t size;
};

// A table of resources linked into a program (the framework has its own,
// each program another). Modules register themselves when constructed and
// are searched newest first; fallback modules (the framework's) after all
// others, so a program's resources hide the framework's.
class CResourceModule {
public:
    enum class Placement { First, Fallback };

    CResourceModule(const char* name, std::span<const CResourceEntry> entries, Placement placement = Placement::First);
    ~CResourceModule();
    CResourceModule(const CResourceModule&) = delete;
    CResourceModule& operator=(const CResourceModule&) = delete;

    const char* Name() const { return name_; }
    std::optional<std::span<const uint8_t>> Find(std::string_view type, int32_t id) const;
    // Every id of a type, in table order.
    template <typename F> void ForEach(std::string_view type, F&& visit) const
    {
        for (const auto& e : entries_)
            if (type == e.type)
                visit(e);
    }

private:
    friend std::optional<std::span<const uint8_t>> FindResource(std::string_view, int32_t);
    const char* name_;
    std::span<const CResourceEntry> entries_;
    CResourceModule* next_ = nullptr;
};

// Searches every registered module.
std::optional<std::span<const uint8_t>> FindResource(std::string_view type, int32_t id);
// As FindResource, but a missing resource throws XBase.
std::span<const uint8_t> LoadResource(std::string_view type, int32_t id);

// Resources are read once into their working form (decoded pictures, texts,
// menus): when any was found since the last call, lets go of the pages of
// every module's bytes; a span still held reads the same bytes from the
// program's file again. The run loop's idle step calls it.
void ReleaseReadResources();

} // namespace NSHarrowen
