#pragma once

// A patch fixture for the link tests, and the editor's whole-patch dump of
// it, so that what one side holds can be compared with what the other reads.

#include <memory>
#include <string>
#include <vector>

#include "simulator/SimPatch.h"
#include "synth/molecules/Molecule.h"

namespace linktest {

// Real module types of the catalogue chosen so that together their
// parameters take every width from 1 to 7 bits.
std::vector<uint8_t> TypesCoveringEveryWidth();

// A patch using every part: both areas, names (16 characters and shorter),
// custom data with bytes above 127, cables with and without an output,
// every knob kind, controllers, morph assignments of both signs, and
// several current notes. Parameter values reach each parameter's highest
// value so that a width that is too small shows.
sim::SimPatch RichPatch();

// The editor's dump of a whole patch, in the order the editor sends it.
std::vector<std::unique_ptr<CMolecule>> EditorPatchDump(const sim::SimPatch& patch);

// A whole patch as the editor sends it: the dump, then its destination (a
// slot with store flag 0, a flash address with 1) and name.
class CPatchMessage {
public:
    CPatchMessage(const sim::SimPatch& patch, uint8_t storeFlag, uint8_t bank, uint8_t location,
                  const std::string& name);
    explicit CPatchMessage(const sim::SimPatch& patch) : CPatchMessage(patch, 0, 0, 0, patch.name) { }
    const std::vector<const CMolecule*>& Molecules() const { return molecules_; }

private:
    std::vector<std::unique_ptr<CMolecule>> owned_;
    std::vector<const CMolecule*> molecules_;
};

} // namespace linktest
