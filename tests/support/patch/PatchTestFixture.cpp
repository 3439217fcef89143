#include "tests/support/patch/PatchTestFixture.h"

#include "modules/ModuleCatalogueContent.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/protocol/ProtocolErrors.h"

namespace testsupport {

PatchTestFixture::PatchTestFixture()
{
    InstallSharedModuleTypeInfo();
}

void PatchTestFixture::Apply(std::unique_ptr<CMolecule> molecule)
{
    CMoleculePacket packet;
    packet.Append(std::move(molecule));
    patch.ApplyMoleculeList(packet);
}

std::string PatchTestFixture::ApplyForError(std::unique_ptr<CMolecule> molecule)
{
    try {
        Apply(std::move(molecule));
    } catch (const XTorvanBase& error) {
        return error.GetText();
    }
    return {};
}

void PatchTestFixture::AddModules(uint8_t area, std::initializer_list<std::pair<uint8_t, uint8_t>> modules)
{
    auto dump = std::make_unique<CMModuleDump>(area);
    uint8_t row = 0;
    for (const auto& [index, type] : modules) {
        dump->AddModule(index, type, 0, row);
        row = static_cast<uint8_t>(row + 5);
    }
    Apply(std::move(dump));
}

} // namespace testsupport
