#pragma once

#include "framework/files/FileSpec.h"
#include "patch/files/PatchFile.h"
#include "patch/files/PatchFileDumps.h"
#include "synth/protocol/ModuleTypeInfo.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

// Patches built as dumps, for the patch file tests and benchmark. Module
// types come from the installed type facts.
namespace patchfixtures {

// Where each dump stands in a packet that a patch file was read into.
enum EDumpAt : uint32_t {
    kHeaderAt,
    kModules1At,
    kModules0At,
    kNotesAt,
    kCables1At,
    kCables0At,
    kParams1At,
    kParams0At,
    kMorphsAt,
    kKnobsAt,
    kCtrlsAt,
    kCustom1At,
    kCustom0At,
    kNames1At,
    kNames0At,
    kDumpCount
};

template <class TDump> const TDump& DumpAt(const CMoleculePacket& packet, uint32_t at)
{
    return dynamic_cast<const TDump&>(packet.At(at));
}

struct CPatchShape {
    std::vector<uint8_t> types; // cycled over the modules
    uint32_t modulesPerArea = 3;
    uint32_t cablesPerArea = 2;
    uint32_t morphAssignments = 2;
    uint32_t knobAssignments = 2;
    uint32_t ctrlAssignments = 2;
    uint32_t noteEntries = 2;
    std::string namePrefix = "Mod ";
};

// Every dump filled: the header changed from its defaults, modules with all
// their parameters (values spread over 0 to each maximum), custom data for
// the types that have it, names, cables, the three maps and current notes.
inline void BuildPatch(const CPatchShape& shape, CMoleculePacket& packet)
{
    const CModuleTypeInfoInterface& info = *GetModuleTypeInfo();
    CPatchFileDumps dumps;
    CPatchHeader& header = dumps.header->GetHeader();
    header.SetKbRangeMin(12);
    header.SetVelRangeMax(100);
    header.SetBendRange(7);
    header.SetPMTime(33);
    header.SetPMMode(1);
    header.SetVoices(6);
    header.SetSplitPosition(1234);
    header.SetOctShift(-2);
    header.SetRetrig(0);
    header.SetMorph(2, 0);
    header.SetCableVisible(5, 0);
    for (uint8_t area = 0; area < 2; ++area) {
        for (uint32_t i = 0; i < shape.modulesPerArea; ++i) {
            const auto index = static_cast<uint8_t>(i + 1);
            const uint8_t type = shape.types[i % shape.types.size()];
            dumps.modules[area]->AddModule(index, type, static_cast<uint8_t>(i % 40),
                                           static_cast<uint8_t>(i * 3 % 128));
            dumps.params[area]->AddModule(index, type);
            for (uint8_t p = 0; p < info.GetParamCount(type); ++p) {
                const uint8_t max = info.GetParamMax(type, p);
                dumps.params[area]->SetParameter(index, type, p, static_cast<uint8_t>((i + p + area) % (max + 1u)));
            }
            std::vector<uint8_t> custom;
            for (uint8_t c = 0; c < info.GetCustomValueCount(type); ++c)
                custom.push_back(static_cast<uint8_t>((i * 7 + c) % 256));
            if (!custom.empty())
                dumps.custom[area]->SetData(index, custom);
            std::string name = shape.namePrefix + std::to_string(i + 1);
            dumps.names[area]->AddName(index, name.substr(0, 16));
        }
        for (uint32_t c = 0; c < shape.cablesPerArea; ++c) {
            const JackAddress out{static_cast<uint8_t>(c % shape.modulesPerArea + 1), static_cast<uint8_t>(c % 3), 1};
            const JackAddress in{static_cast<uint8_t>((c + 1) % shape.modulesPerArea + 1), static_cast<uint8_t>(c % 5),
                                 0};
            dumps.cables[area]->AddCable(static_cast<uint8_t>(c % 7), in, out);
        }
    }
    for (uint32_t m = 0; m < shape.morphAssignments; ++m)
        dumps.morphs->AddAssignment(
            ParamAddress{static_cast<int32_t>(m % 2), static_cast<uint8_t>(m % 3 + 1), static_cast<uint8_t>(m % 4)},
            static_cast<uint8_t>(m % 4), static_cast<int32_t>(m * 9 % 256) - 128);
    for (uint8_t group = 0; group < 4; ++group) {
        dumps.morphs->SetGroupValue(group, static_cast<uint8_t>(group * 40));
        dumps.morphs->SetKeyboardAssignment(group, group % 3);
    }
    for (uint32_t k = 0; k < shape.knobAssignments; ++k)
        dumps.knobs->SetAssignment(static_cast<uint8_t>(k),
                                   ParamAddress{static_cast<int32_t>(k % 3), static_cast<uint8_t>(k % 3 + 1), 1});
    for (uint32_t c = 0; c < shape.ctrlAssignments; ++c)
        dumps.controllers->AddAssignment(ParamAddress{1, static_cast<uint8_t>(c % 3 + 1), 0}, static_cast<uint8_t>(c));
    dumps.notes->SetFirstEntry({60, 100, 1});
    for (uint32_t n = 0; n < shape.noteEntries; ++n)
        dumps.notes->SetEntry(static_cast<uint8_t>(n), {static_cast<uint8_t>(40 + n), 64, 0});
    dumps.notes->SetCount(static_cast<uint8_t>(std::max<uint32_t>(shape.noteEntries, 1)));
    dumps.MoveTo(packet);
}

// The type with the most parameters, for the largest patch.
inline uint8_t WidestType()
{
    const CModuleTypeInfoInterface& info = *GetModuleTypeInfo();
    uint8_t widest = 0;
    for (uint8_t type = 1; type < 128; ++type) {
        if (info.HasType(type) && (widest == 0 || info.GetParamCount(type) > info.GetParamCount(widest)))
            widest = type;
    }
    return widest;
}

// The largest patch the editor can hold: two areas of 127 modules of the
// widest type, 255 cables each, every map full, 32 current notes.
inline CPatchShape LargestShape()
{
    CPatchShape shape;
    shape.types = {WidestType()};
    shape.modulesPerArea = 127;
    shape.cablesPerArea = 255;
    shape.morphAssignments = CMMorphMapDump::kMaxEntries;
    shape.knobAssignments = CMKnobMapDump::kKnobCount;
    shape.ctrlAssignments = CMCtrlMapDump::kNoController;
    shape.noteEntries = CMCurrentNotesDump::kMaxEntries;
    shape.namePrefix = "Long module name";
    return shape;
}

// The patch files the patch-file fuzz target starts from, written into
// `folder`: a small patch and an empty one from the writer ("Seed 0.pch",
// "Seed 1.pch"), and a version 2.10 file. Returns their paths.
inline std::vector<std::string> WriteSeedPatchFiles(const std::string& folder)
{
    CPatchShape small;
    small.types = {7, 19};
    small.cablesPerArea = 1; // the second would leave from a jack the mixer lacks
    CPatchShape empty;
    empty.types = {7};
    empty.modulesPerArea = 0;
    empty.cablesPerArea = 0;
    empty.morphAssignments = 0;
    empty.knobAssignments = 0;
    empty.ctrlAssignments = 0;
    std::vector<std::string> paths;
    for (const CPatchShape& shape : {small, empty}) {
        CMoleculePacket packet;
        BuildPatch(shape, packet);
        paths.push_back(folder + "/Seed " + std::to_string(paths.size()) + ".pch");
        WritePatchFile(NSHarrowen::CFileSpec(paths.back()), packet, "A note\rand another");
    }
    paths.push_back(folder + "/Seed 2.10.pch");
    std::ofstream(paths.back(), std::ios::binary)
        << "Version=Vesk Kandrel patch 2.10\r\nVoices=6 voices\r\nOctShift=4\r\n"
           "[Module 1]\r\nType=7\r\nName=Module 1\r\nCol=1\r\nRow=3\r\n"
           "P0=1\r\nP1=2\r\nP2=3\r\nP3=4\r\nP4=0\r\nP5=5\r\nP6=6\r\nP7=7\r\nP8=1\r\nIn2=2\r\nJack=65\r\nColor=9\r\n"
           "[Module 2]\r\nType=7\r\nName=Module 2\r\nCol=1\r\nRow=0\r\n"
           "P0=0\r\nP1=0\r\nP2=0\r\nP3=0\r\nP4=3\r\nP5=0\r\nP6=0\r\nP7=0\r\nP8=0\r\nIn0=1\r\nJack=1\r\nColor=1\r\n"
           "[Controllers]\r\nM7=1\r\nParam=2\r\n[Notes]\r\nCount=1\r\nL=Some notes\r\n";
    return paths;
}

} // namespace patchfixtures
