#pragma once

// The editor's link on simulated synthesizers, with real patch documents
// for the bank transfers and the dialog's log.

#include "framework/lists/LineRing.h"
#include "patch/files/TransferDocuments.h"
#include "simulator/SimPatch.h"
#include "tests/support/TempDir.h"
#include "tests/support/patch/ModuleDouble.h"
#include "tests/synth/LinkRig.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace sim {
// A patch in failure messages: its name and its file text.
void PrintTo(const SimPatch& patch, std::ostream* out);
} // namespace sim

namespace flashrig {

// A module of a real type with its default values.
sim::SimModule Module(uint8_t type, int column, int row, std::string name);
// A patch of real modules, cables, values and a knob; every seed gives
// another patch.
sim::SimPatch MakePatch(const std::string& name, int seed);

class CFlashRig {
public:
    explicit CFlashRig(std::vector<sim::SimConfig> synths = {sim::SimConfig{}});

    // Opens port `port` on synthesizer `synth` and waits for its state.
    bool Connect(uint8_t port = 0, size_t synth = 0);
    CSynth& Synth(uint8_t port = 0) { return rig.SynthObject(port); }
    CBankTransfer& Transfer(uint8_t port = 0) { return Synth(port).GetBankTransfer(); }
    CFlashMemory& Flash(uint8_t port = 0) { return Synth(port).GetFlashMemory(); }
    sim::CSimulator& Sim(size_t synth = 0) { return rig.Synth(synth); }

    // Steps until the port's transfer is idle (or the port has no
    // synthesizer any more); false after `limit` steps.
    bool RunJob(uint8_t port = 0, int limit = 3000);
    // The report's lines, oldest first.
    std::vector<std::string> Report() const;

    // The synthesizer's stored patches: (display number, patch).
    void Store(size_t synth, int bank, int location, const sim::SimPatch& patch);
    std::vector<std::pair<int, sim::SimPatch>> Stored(size_t synth, int bank);

    testsupport::CModuleServicesDouble services;
    CTransferDocuments documents;
    linkrig::CLinkRig rig;
    NSHarrowen::CLineRing report{400, 256};
    testsupport::TempDir folder;
};

} // namespace flashrig
