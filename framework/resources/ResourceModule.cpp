#include "framework/resources/ResourceModule.h"

#include "framework/base/Exceptions.h"
#include "platform/system/MappedPages.h"
#include "resources/HarrowenResources.h"

#include <atomic>
#include <mutex>

// The linker's bounds of the section HARROWEN_RESOURCE_BYTES names.
extern "C" {
extern const uint8_t __start_harrowen_resource_bytes[] __attribute__((weak));
extern const uint8_t __stop_harrowen_resource_bytes[] __attribute__((weak));
}

namespace NSHarrowen {

namespace {
CResourceModule* gFirst = nullptr;
std::atomic<bool> gRead{false};
std::mutex& ChainLock()
{
    static std::mutex lock;
    return lock;
}
} // namespace

CResourceModule::CResourceModule(const char* name, std::span<const CResourceEntry> entries, Placement placement)
    : name_(name), entries_(entries)
{
    std::lock_guard guard(ChainLock());
    CResourceModule** p = &gFirst;
    if (placement == Placement::Fallback)
        while (*p != nullptr)
            p = &(*p)->next_;
    next_ = *p;
    *p = this;
}

CResourceModule::~CResourceModule()
{
    std::lock_guard guard(ChainLock());
    for (CResourceModule** p = &gFirst; *p != nullptr; p = &(*p)->next_) {
        if (*p == this) {
            *p = next_;
            break;
        }
    }
}

std::optional<std::span<const uint8_t>> CResourceModule::Find(std::string_view type, int32_t id) const
{
    for (const auto& e : entries_)
        if (e.id == id && type == e.type)
            return std::span<const uint8_t>(e.data, e.size);
    return std::nullopt;
}

std::optional<std::span<const uint8_t>> FindResource(std::string_view type, int32_t id)
{
    HarrowenResources(); // the framework's own texts are always there
    gRead.store(true, std::memory_order_relaxed);
    std::lock_guard guard(ChainLock());
    for (const CResourceModule* m = gFirst; m != nullptr; m = m->next_)
        if (auto found = m->Find(type, id))
            return found;
    return std::nullopt;
}

std::span<const uint8_t> LoadResource(std::string_view type, int32_t id)
{
    if (auto found = FindResource(type, id))
        return *found;
    throw XBase();
}

void ReleaseReadResources()
{
    if (gRead.exchange(false, std::memory_order_relaxed))
        platform::ReleaseReadOnlyPages(__start_harrowen_resource_bytes, __stop_harrowen_resource_bytes);
}

} // namespace NSHarrowen
