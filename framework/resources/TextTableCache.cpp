#include "framework/resources/TextTableCache.h"

#include "framework/resources/ResourceModule.h"

#include <cctype>

namespace NSHarrowen {

namespace {
CTextTableCache* gCurrent = nullptr;

bool TypeMatches(const std::string& tableType, std::string_view asked)
{
    if (tableType.size() < asked.size())
        return false;
    for (size_t i = 0; i < asked.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(tableType[i])) !=
            std::tolower(static_cast<unsigned char>(asked[i])))
            return false;
    return true;
}
} // namespace

CTextTableCache::CTextTableCache() : previous_(gCurrent)
{
    gCurrent = this;
}

CTextTableCache::~CTextTableCache()
{
    if (gCurrent == this)
        gCurrent = previous_;
}

CTextTableCache& CTextTableCache::Current()
{
    if (gCurrent == nullptr) {
        static CTextTableCache processCache; // registers itself as current
    }
    return *gCurrent;
}

const CTextTable* CTextTableCache::FindTextTable(std::string_view type, uint16_t resource) const
{
    for (const auto& table : tables_)
        if (table->Resource() == resource && TypeMatches(table->Type(), type))
            return table.get();
    return nullptr;
}

const CTextTable& CTextTableCache::BuildTextTable(std::string_view type, uint16_t resource)
{
    const auto bytes = LoadResource(type, resource);
    auto table = std::make_unique<CTextTable>(type, resource);
    ParseResourceTable(bytes, *table);
    tables_.push_back(std::move(table));
    return *tables_.back();
}

const CTextTable& CTextTableCache::GetTable(std::string_view type, uint16_t resource)
{
    if (const CTextTable* found = FindTextTable(type, resource))
        return *found;
    return BuildTextTable(type, resource);
}

} // namespace NSHarrowen
