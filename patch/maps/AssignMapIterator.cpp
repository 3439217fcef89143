#include "patch/maps/AssignMapIterator.h"

#include "patch/maps/MorphMap.h"
#include "patch/maps/OneToOneMap.h"

void AssignMapIterator::Begin(const COneToOneMap& map)
{
    entries_.clear();
    position_ = 0;
    for (const auto& [key, value] : map.GetEntries())
        entries_.push_back({key, value, 0});
}

void AssignMapIterator::Begin(const CMorphMap& map)
{
    entries_.clear();
    position_ = 0;
    for (const auto& [key, entry] : map.GetEntries())
        entries_.push_back({key, entry.group, entry.range});
}
