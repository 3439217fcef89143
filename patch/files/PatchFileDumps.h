#pragma once

#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/PatchMolecules.h"

#include <array>
#include <memory>

class CMoleculePacket;

// The fifteen dumps a patch file is read into: the header (default), per
// voice area (indexed by area: 1 poly, 0 common) the module, cable,
// parameter, custom data and name dumps, the current notes (first entry 64,
// 0, 0; count 1) and the three maps.
class CPatchFileDumps {
public:
    CPatchFileDumps();

    // Hands the dumps to the packet in the order the document applies them,
    // modules before their cables, parameters and names: header; modules 1,
    // 0; current notes; cables 1, 0; parameters 1, 0; morph map; knob map;
    // controller map; custom data 1, 0; names 1, 0. The dumps are empty
    // afterwards.
    void MoveTo(CMoleculePacket& packet);

    std::unique_ptr<CMPatchHeaderDump> header;
    std::array<std::unique_ptr<CMModuleDump>, 2> modules;
    std::unique_ptr<CMCurrentNotesDump> notes;
    std::array<std::unique_ptr<CMCableDump>, 2> cables;
    std::array<std::unique_ptr<CMModuleParamDump>, 2> params;
    std::unique_ptr<CMMorphMapDump> morphs;
    std::unique_ptr<CMKnobMapDump> knobs;
    std::unique_ptr<CMCtrlMapDump> controllers;
    std::array<std::unique_ptr<CMModuleCustomDataDump>, 2> custom;
    std::array<std::unique_ptr<CMModuleNameDump>, 2> names;
};
