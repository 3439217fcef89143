#pragma once

#include "patch/document/Patch.h"
#include "platform/system/Clock.h"
#include "synth/molecules/MoleculePacket.h"
#include "tests/support/patch/ModuleDouble.h"
#include "tests/support/patch/SynthLinkDouble.h"
#include "platform/system/VirtualClock.h"
#include "platform/system/ScopedClock.h"

#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

// A document over the module doubles of every real module type, a virtual
// clock and a recording synthesizer link (not linked until a test links it).
class PatchTestFixture : public ::testing::Test {
protected:
    PatchTestFixture();

    // Applies one molecule the way the synthesizer or a file hands it over.
    void Apply(std::unique_ptr<CMolecule> molecule);
    // Applies and returns the gathered error's text, empty when none.
    std::string ApplyForError(std::unique_ptr<CMolecule> molecule);
    // A module dump of (index, type) pairs at column 0, rows 0, 5, 10, ...
    void AddModules(uint8_t area, std::initializer_list<std::pair<uint8_t, uint8_t>> modules);

    platform::CVirtualClock clock{1000};
    platform::CScopedClock clockScope{clock};
    CModuleServicesDouble services;
    CSynthLinkDouble synth;
    CPatch patch;
};

} // namespace testsupport
