#pragma once

#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/protocol/ModuleTypeInfo.h"
#include "synth/protocol/PatchHeader.h"

#include <memory>
#include <string>
#include <vector>

// A full patch: 60 modules of real types over both areas, every value at
// its maximum, a cable from each module, every module named.
inline void AppendWholePatch(CMoleculePacket& packet)
{
    const CModuleTypeInfoInterface& types = *GetModuleTypeInfo();
    std::vector<uint8_t> typeIds;
    for (uint8_t id = 1; id < 128 && typeIds.size() < 60; ++id) {
        if (types.HasType(id) && types.GetParamCount(id) > 0)
            typeIds.push_back(id);
    }
    packet.Append(std::make_unique<CMPatchHeaderDump>(CPatchHeader{}));
    for (uint8_t area : {1, 0}) {
        auto modules = std::make_unique<CMModuleDump>(area);
        auto params = std::make_unique<CMModuleParamDump>(area);
        auto cables = std::make_unique<CMCableDump>(area);
        auto names = std::make_unique<CMModuleNameDump>(area);
        const size_t count = area == 1 ? 45 : 15;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t type = typeIds[(i + area * 45) % typeIds.size()];
            const auto index = static_cast<uint8_t>(i + 1);
            modules->AddModule(index, type, static_cast<uint8_t>(i % 4), static_cast<uint8_t>(i / 4));
            for (uint8_t p = 0; p < types.GetParamCount(type); ++p)
                params->SetParameter(index, type, p, types.GetParamMax(type, p));
            if (i > 0)
                cables->AddCable(static_cast<uint8_t>(i % 7), {index, 0, 0}, {static_cast<uint8_t>(index - 1), 0, 1});
            names->AddName(index, "Module " + std::to_string(index));
        }
        packet.Append(std::move(modules));
        packet.Append(std::move(cables));
        packet.Append(std::move(params));
        packet.Append(std::move(names));
    }
}
