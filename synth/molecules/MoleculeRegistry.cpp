#include "synth/molecules/MoleculeRegistry.h"

namespace {
CMoleculeRegistry* g_registry = nullptr;
}

void CMoleculeRegistry::Register(std::unique_ptr<CMoleculeBuilder> builder)
{
    if (!builder)
        return;
    const uint8_t id = builder->Id();
    if (id >= kSize)
        return;
    // The registry owns every builder, so a replaced one is deleted.
    builders_[id] = std::move(builder);
}

const CMoleculeBuilder* CMoleculeRegistry::Find(uint8_t id) const
{
    return id < kSize ? builders_[id].get() : nullptr;
}

std::unique_ptr<CMolecule> CMoleculeRegistry::Create(uint8_t id) const
{
    const CMoleculeBuilder* builder = Find(id);
    return builder ? builder->Create() : nullptr;
}

uint32_t CMoleculeRegistry::GetFlag(uint8_t id) const
{
    const CMoleculeBuilder* builder = Find(id);
    return builder ? builder->GetTarget() : 0;
}

void CMoleculeRegistry::Clear()
{
    for (auto& builder : builders_)
        builder.reset();
}

void SetMoleculeRegistry(CMoleculeRegistry* registry)
{
    g_registry = registry;
}

CMoleculeRegistry* GetMoleculeRegistry()
{
    return g_registry;
}
