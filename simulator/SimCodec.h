#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "simulator/SimBits.h"
#include "simulator/SimFrame.h"
#include "simulator/SimModuleTypes.h"
#include "simulator/SimPatch.h"
#include "simulator/SimState.h"

namespace sim {

// Who a molecule concerns: the synthesizer as a whole, its flash, or the
// patch of the frame's slot (whose frames carry the slot's session number).
enum class SimScope { Synth, Flash, Patch };

// One molecule the simulator reads. `layout` gives the fields of the plain
// ones: "b" a byte, "uN" N bits, "zN" N zero bits, "t" a text of up to 16
// characters, "c" a byte count and that many bytes. Dumps have no layout and
// are read by their own code.
struct SimMoleculeSpec {
    uint8_t id;
    const char* name;
    const char* layout;
    SimScope scope;
};

const SimMoleculeSpec* FindMoleculeSpec(uint8_t id);

// A molecule read from an editor packet.
struct SimMol {
    uint8_t id = 0;
    std::vector<int> v; // the layout's fields in order (zero fields left out)
    std::string text;
    Bytes data;
    int area = 0;                   // of a per-area dump
    std::shared_ptr<SimPatch> part; // what a patch dump carries
    std::shared_ptr<SimSettings> settings;
    std::array<int, 4> voices{};
};

// Reads one molecule from its id on; throws XSimParse.
SimMol ReadMolecule(CSimBitReader& in, const CSimModuleTypes& types);

// A molecule of a plain layout from its field values (tests build editor
// packets with it).
void WriteSimple(CSimBitWriter& out, uint8_t id, const std::vector<int>& values, const std::string& text = {},
                 const Bytes& data = {});

// Writers of what the simulator sends: each writes the id and its fields.
void WriteSettingsDump(CSimBitWriter& out, const SimSettings& s);
void WriteVoicesDump(CSimBitWriter& out, const std::array<int, 4>& voices);
void WriteSelectionDump(CSimBitWriter& out, const std::array<bool, 4>& active, int slotCount);
void WriteSlotFocusDump(CSimBitWriter& out, int slot); // 4 = none
void WriteHeaderDump(CSimBitWriter& out, const SimHeader& h);
void WriteModuleDump(CSimBitWriter& out, int area, const SimArea& a);
void WriteParamDump(CSimBitWriter& out, int area, const SimArea& a, const CSimModuleTypes& types);
void WriteNameDump(CSimBitWriter& out, int area, const SimArea& a);
void WriteCustomDump(CSimBitWriter& out, int area, const SimArea& a);
void WriteCableDump(CSimBitWriter& out, int area, const SimArea& a);
void WriteCtrlMapDump(CSimBitWriter& out, const std::vector<SimCtrl>& ctrls);
void WriteKnobMapDump(CSimBitWriter& out, const std::array<SimKnob, kKnobCount>& knobs);
void WriteMorphMapDump(CSimBitWriter& out, const SimMorphMap& m);
void WriteNotesDump(CSimBitWriter& out, const SimNotes& n);
void WriteParamFocusDump(CSimBitWriter& out, const SimFocus& f);
// The whole patch in the editor's dump order (header to module names).
void WritePatchDump(CSimBitWriter& out, const SimPatch& p, const CSimModuleTypes& types);

} // namespace sim
