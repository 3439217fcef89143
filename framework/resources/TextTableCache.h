#pragma once

#include "framework/resources/TextTable.h"

#include <memory>
#include <string_view>
#include <vector>

namespace NSHarrowen {

// The parsed text resources of a run, in the order they were first asked
// for. Each resource is parsed once; the application owns the cache.
class CTextTableCache {
public:
    CTextTableCache();
    ~CTextTableCache();
    CTextTableCache(const CTextTableCache&) = delete;
    CTextTableCache& operator=(const CTextTableCache&) = delete;

    // The first table whose type starts with the given name (letters compared
    // without regard to case) and whose number is equal.
    const CTextTable* FindTextTable(std::string_view type, uint16_t resource) const;
    // Parses the resource and appends its table; a missing resource throws
    // XBase and caches nothing.
    const CTextTable& BuildTextTable(std::string_view type, uint16_t resource);
    const CTextTable& GetTable(std::string_view type, uint16_t resource);

    size_t Size() const { return tables_.size(); }

    // The cache the lookups use: the application's while one exists, else a
    // cache of the process's own.
    static CTextTableCache& Current();

private:
    std::vector<std::unique_ptr<CTextTable>> tables_;
    CTextTableCache* previous_;
};

} // namespace NSHarrowen
