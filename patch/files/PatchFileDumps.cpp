#include "patch/files/PatchFileDumps.h"

#include "synth/molecules/MoleculePacket.h"

CPatchFileDumps::CPatchFileDumps()
    : header(std::make_unique<CMPatchHeaderDump>()), notes(std::make_unique<CMCurrentNotesDump>()),
      morphs(std::make_unique<CMMorphMapDump>()), knobs(std::make_unique<CMKnobMapDump>()),
      controllers(std::make_unique<CMCtrlMapDump>())
{
    for (uint8_t area = 0; area < 2; ++area) {
        modules[area] = std::make_unique<CMModuleDump>(area);
        cables[area] = std::make_unique<CMCableDump>(area);
        params[area] = std::make_unique<CMModuleParamDump>(area);
        custom[area] = std::make_unique<CMModuleCustomDataDump>(area);
        names[area] = std::make_unique<CMModuleNameDump>(area);
    }
}

void CPatchFileDumps::MoveTo(CMoleculePacket& packet)
{
    packet.Append(std::move(header));
    packet.Append(std::move(modules[1]));
    packet.Append(std::move(modules[0]));
    packet.Append(std::move(notes));
    packet.Append(std::move(cables[1]));
    packet.Append(std::move(cables[0]));
    packet.Append(std::move(params[1]));
    packet.Append(std::move(params[0]));
    packet.Append(std::move(morphs));
    packet.Append(std::move(knobs));
    packet.Append(std::move(controllers));
    packet.Append(std::move(custom[1]));
    packet.Append(std::move(custom[0]));
    packet.Append(std::move(names[1]));
    packet.Append(std::move(names[0]));
}
