#pragma once

#include "synth/molecules/Molecule.h"

#include <cstdint>
#include <memory>

// Makes empty molecules of one id for the receive dispatcher.
class CMoleculeBuilder {
public:
    enum : uint32_t {
        kTargetSynth = 1, // handled by the synthesizer object
        kTargetPatch = 2, // applied to the patch linked to the frame's slot
    };

    explicit CMoleculeBuilder(uint32_t target) : target_(target) { }
    virtual ~CMoleculeBuilder() = default;
    CMoleculeBuilder(const CMoleculeBuilder&) = delete;
    CMoleculeBuilder& operator=(const CMoleculeBuilder&) = delete;

    virtual uint8_t Id() const = 0;
    virtual std::unique_ptr<CMolecule> Create() const = 0;
    uint32_t GetTarget() const { return target_; }

private:
    uint32_t target_;
};

// The builder of a default-constructible molecule class:
//   class CMBParamChange : public TMoleculeBuilder<CMParamChange, 0x40> {
//   public: CMBParamChange() : TMoleculeBuilder(kTargetPatch) {} };
template <class TMolecule, uint8_t kId> class TMoleculeBuilder : public CMoleculeBuilder {
public:
    explicit TMoleculeBuilder(uint32_t target) : CMoleculeBuilder(target) { }
    uint8_t Id() const override { return kId; }
    std::unique_ptr<CMolecule> Create() const override { return std::make_unique<TMolecule>(); }
};
