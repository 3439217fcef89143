#pragma once

#include "synth/molecules/MoleculeBuilder.h"

#include <array>
#include <cstdint>
#include <memory>

// The builders of the molecules the editor can receive, indexed by id.
// Filled once before any port opens, read-only afterwards (main thread).
class CMoleculeRegistry {
public:
    static constexpr uint32_t kSize = 128;

    CMoleculeRegistry() = default;
    ~CMoleculeRegistry() { Clear(); }
    CMoleculeRegistry(const CMoleculeRegistry&) = delete;
    CMoleculeRegistry& operator=(const CMoleculeRegistry&) = delete;

    // Enters the builder under its id. A later builder of the same id
    // replaces (and deletes) the earlier one. Builders with ids of 128 or more are refused
    // (deleted), as no received id can reach them.
    void Register(std::unique_ptr<CMoleculeBuilder> builder);
    // A new empty molecule of that id, or null when the id has no builder.
    std::unique_ptr<CMolecule> Create(uint8_t id) const;
    // The builder's target, or 0 when the id has none.
    uint32_t GetFlag(uint8_t id) const;
    bool IsRegistered(uint8_t id) const { return Find(id) != nullptr; }
    void Clear();

private:
    const CMoleculeBuilder* Find(uint8_t id) const;

    std::array<std::unique_ptr<CMoleculeBuilder>, kSize> builders_;
};

// The 29 molecules the editor receives, in their order of registration,
// with the target of each builder.
struct CReceivedMolecule {
    uint8_t id;
    uint32_t target;
};
inline constexpr std::array<CReceivedMolecule, 29> kReceivedMolecules{{
    {0x13, 1}, {0x16, 1}, {0x15, 1}, {0x03, 1}, {0x21, 2}, {0x27, 2}, {0x4A, 2}, {0x52, 2}, {0x43, 2}, {0x40, 2},
    {0x4D, 2}, {0x25, 2}, {0x26, 2}, {0x22, 2}, {0x23, 2}, {0x5B, 2}, {0x5A, 2}, {0x65, 2}, {0x62, 2}, {0x60, 2},
    {0x36, 1}, {0x38, 1}, {0x07, 1}, {0x09, 1}, {0x05, 1}, {0x2F, 2}, {0x18, 1}, {0x69, 2}, {0x0D, 1},
}};

// Registers the builders of kReceivedMolecules in that order. Defined with
// the concrete molecules; the application calls it on its one registry.
void RegisterReceivedMolecules(CMoleculeRegistry& registry);

// The application's one registry, reached by the receive side. Null until
// the application installs it.
void SetMoleculeRegistry(CMoleculeRegistry* registry);
CMoleculeRegistry* GetMoleculeRegistry();
