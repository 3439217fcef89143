#include "framework/resources/ResourceModule.h"

#include "framework/base/Exceptions.h"
#include "resources/HarrowenResources.h"

#include <mutex>

namespace NSHarrowen {

namespace {
CResourceModule* gFirst = nullptr;
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

} // namespace NSHarrowen
