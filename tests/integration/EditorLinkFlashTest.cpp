// The flash between the editor and the simulated synthesizer: the name scan
// read into the editor's flash map, single load, store and delete with
// their results, and the bank transfer's upload and download.

#include "tests/integration/EditorLink.h"
#include "tests/integration/EditorLinkPatch.h"

#include "synth/protocol/FlashMemory.h"
#include "synth/molecules/FlashMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/molecules/SynthMolecules.h"

namespace {

using namespace linktest;

sim::SimPatch Named(const std::string& name)
{
    sim::SimPatch patch;
    patch.name = name;
    return patch;
}

// The editor's flash map asking the simulator for names until its scan ends.
class CScanHost : public CFlashMemoryHost {
public:
    explicit CScanHost(CEditorLink& link) : link_(link) { }
    void SetFlash(CFlashMemory& flash) { flash_ = &flash; }
    void SendRequest(CMoleculePacket& packet) override
    {
        Molecules molecules;
        for (const CMolecule* molecule : packet)
            molecules.push_back(molecule);
        const auto answer = link_.Ask(molecules, 0, std::nullopt);
        for (const CMolecule* molecule : *answer)
            if (const auto* dump = dynamic_cast<const CMFlashDataDump*>(molecule))
                flash_->OnDataDump(*dump);
        ++requests;
    }
    bool IsWaitingForReply() const override { return false; }
    int requests = 0;

private:
    CEditorLink& link_;
    CFlashMemory* flash_ = nullptr;
};

TEST(EditorLinkFlash, ScanEntersEveryStoredNameAtItsAddress)
{
    CEditorLink link;
    auto& flash = link.Synth().Flash();
    // More names than one dump carries, spread over banks, with gaps, at
    // the ends of a bank and of the flash.
    std::vector<std::pair<CFlashAddress, std::string>> stored;
    for (uint8_t location = 0; location < 30; ++location)
        stored.push_back({{0, location}, "Bank A " + std::to_string(location)});
    stored.push_back({{0, 98}, "Last of A"});
    stored.push_back({{3, 50}, "Sixteen letters!"});
    stored.push_back({{3, 52}, "X"});
    stored.push_back({{8, 98}, "Very last"});
    for (const auto& [address, name] : stored)
        flash.Store(address.bank, address.location, Named(name));

    CScanHost host(link);
    CFlashMemory map(host, static_cast<uint8_t>(flash.Banks()));
    host.SetFlash(map);
    while (map.ContinueScan() && host.requests < 100) { }
    EXPECT_FALSE(map.IsScanning());
    EXPECT_LT(host.requests, 100);
    for (const auto& [address, name] : stored) {
        const auto& bank = map.GetBank(address.bank);
        const auto found = std::find_if(bank.begin(), bank.end(),
                                        [&](const CFlashEntry& e) { return e.location == address.location; });
        ASSERT_NE(found, bank.end()) << int(address.bank) << ":" << int(address.location);
        EXPECT_EQ(found->name, name);
    }
    size_t entries = 0;
    for (uint8_t b = 0; b < map.GetBankCount(); ++b)
        entries += map.GetBank(b).size();
    EXPECT_EQ(entries, stored.size());
}

TEST(EditorLinkFlash, ScanOfEveryModelEndsAfterItsLastBank)
{
    for (const sim::SimModel model : {sim::SimModel::Kandrel, sim::SimModel::KandrelR, sim::SimModel::Pebix}) {
        SCOPED_TRACE(sim::ModelName(model));
        sim::SimConfig config;
        config.model = model;
        CEditorLink link(config);
        const int last = link.Synth().Flash().Banks() - 1;
        link.Synth().Flash().Store(last, 97, Named("Next to last"));
        link.Synth().Flash().Store(last, 98, Named("Last"));
        CScanHost host(link);
        CFlashMemory map(host, static_cast<uint8_t>(link.Synth().Flash().Banks()));
        host.SetFlash(map);
        while (map.ContinueScan() && host.requests < 20) { }
        EXPECT_FALSE(map.IsScanning());
        EXPECT_EQ(map.GetBank(static_cast<uint8_t>(last)),
                  (std::vector<CFlashEntry>{{97, "Next to last"}, {98, "Last"}}));
    }
}

// Names that are not plain text: the synthesizer lists them as it can, and
// the editor reads a name for every stored patch.
TEST(EditorLinkFlash, NamesOfEveryKindAreListed)
{
    CEditorLink link;
    const std::vector<std::string> names{"", "\x01starts low", "Caf\xE9", "Seventeen letters"};
    for (size_t i = 0; i < names.size(); ++i)
        link.Synth().Flash().Store(0, static_cast<int>(i), Named(names[i]));
    CScanHost host(link);
    CFlashMemory map(host, 9);
    host.SetFlash(map);
    while (map.ContinueScan() && host.requests < 20) { }
    ASSERT_EQ(map.GetBank(0).size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(map.GetBank(0)[i].location, i);
        EXPECT_FALSE(map.GetBank(0)[i].name.empty());
    }
}

TEST(EditorLinkFlash, SingleCommandsAnswerWithTheirResultAndTheChangedLocation)
{
    CEditorLink link;
    link.Synth().Flash().Store(1, 4, Named("Stored"));
    link.Synth().Slot(0).patch = Named("In slot A");

    {
        SCOPED_TRACE("load");
        const CMFlashLoadCommand load(1, {1, 4});
        const auto messages = link.Exchange({&load}, 0, std::nullopt);
        ASSERT_EQ(messages.size(), 2u) << "the result, then the release of the slot";
        const auto answer = link.Answer({messages[0]});
        const auto& result = As<CMFlashCommandResult>(*answer, 0);
        EXPECT_EQ(result.address, (CFlashAddress{1, 4}));
        EXPECT_EQ(result.requester, CMFlashCommandResult::kRequesterSingle);
        EXPECT_EQ(result.result, 0);
        const auto release = link.Decode(messages[1]);
        EXPECT_EQ(As<CMSessionPatchRelease>(*release, 0).slot, 1);
        EXPECT_EQ(As<CMSessionPatchRelease>(*release, 0).number, link.Synth().Slot(1).session);
        EXPECT_EQ(link.Synth().Slot(1).patch.name, "Stored");
    }
    {
        SCOPED_TRACE("load from an empty location fails");
        const CMFlashLoadCommand load(1, {1, 5});
        const auto answer = link.Ask({&load}, 0, std::nullopt);
        EXPECT_EQ(As<CMFlashCommandResult>(*answer, 0).result, 1);
    }
    {
        SCOPED_TRACE("store");
        const CMFlashStoreCommand store(0, {2, 7});
        const auto answer = link.Ask({&store}, 0, std::nullopt);
        ASSERT_EQ(answer->GetCount(), 3u);
        EXPECT_EQ(As<CMFlashCommandResult>(*answer, 0).result, 0);
        const auto& names = As<CMFlashDataDump>(*answer, 1);
        ASSERT_EQ(names.GetItems().size(), 1u);
        EXPECT_EQ(names.GetItems()[0].address, (CFlashAddress{2, 7}));
        EXPECT_EQ(names.GetItems()[0].name, "In slot A");
        EXPECT_FALSE(names.HasMore());
        EXPECT_EQ(As<CMFlashUsageDump>(*answer, 2).usage, link.Synth().Flash().Usage());
        ASSERT_NE(link.Synth().Flash().At(2, 7), nullptr);
    }
    {
        SCOPED_TRACE("delete");
        const CMFlashDeleteCommand erase({2, 7}, 0);
        const auto answer = link.Ask({&erase}, 0, std::nullopt);
        ASSERT_EQ(answer->GetCount(), 3u);
        EXPECT_EQ(As<CMFlashCommandResult>(*answer, 0).result, 0);
        EXPECT_EQ(As<CMFlashDeleteDump>(*answer, 1).address, (CFlashAddress{2, 7}));
        EXPECT_EQ(link.Synth().Flash().At(2, 7), nullptr);
    }
}

TEST(EditorLinkFlash, MemoryProtectRefusesStoreAndDelete)
{
    sim::SimConfig config;
    config.memoryProtect = true;
    CEditorLink link(config);
    link.Synth().Flash().Store(0, 0, Named("Kept"));
    const CMFlashStoreCommand store(0, {0, 1});
    EXPECT_EQ(As<CMFlashCommandResult>(*link.Ask({&store}, 0, std::nullopt), 0).result, 4);
    const CMFlashDeleteCommand erase({0, 0}, 1);
    const auto answer = link.Ask({&erase}, 0, std::nullopt);
    EXPECT_EQ(As<CMFlashCommandResult>(*answer, 0).result, 4);
    EXPECT_EQ(As<CMFlashCommandResult>(*answer, 0).requester, CMFlashCommandResult::kRequesterBankTransfer);
    EXPECT_NE(link.Synth().Flash().At(0, 0), nullptr);
}

// Upload: the synthesizer answers a dump request with a marker; a stored
// patch follows the marker in the same packet and reads as the editor's
// whole-patch dump.
TEST(EditorLinkFlash, UploadGivesTheMarkerAndThePatchThatFollowsIt)
{
    CEditorLink link;
    const sim::SimPatch patch = RichPatch();
    link.Synth().Flash().Store(4, 10, patch);

    const CMFlashDumpRequest empty(CFlashAddress{4, 11});
    const auto none = link.Ask({&empty}, 0, std::nullopt);
    ASSERT_EQ(none->GetCount(), 1u);
    EXPECT_EQ(As<CMFlashDumpMarker>(*none, 0).kind, CMFlashDumpMarker::kKindEmpty);
    EXPECT_EQ(As<CMFlashDumpMarker>(*none, 0).address, (CFlashAddress{4, 11}));

    const CMFlashDumpRequest request(CFlashAddress{4, 10});
    const auto answer = link.Ask({&request}, 0, std::nullopt);
    EXPECT_EQ(answer->GetTarget(), 1u);
    const auto& marker = As<CMFlashDumpMarker>(*answer, 0);
    EXPECT_EQ(marker.kind, CMFlashDumpMarker::kKindPatch);
    EXPECT_TRUE(marker.AnnouncesPatch());
    EXPECT_EQ(marker.address, (CFlashAddress{4, 10}));
    EXPECT_EQ(marker.name, patch.name);

    const auto expected = EditorPatchDump(patch);
    ASSERT_EQ(answer->GetCount(), 1 + expected.size()) << "the marker, then the dump; the name is the marker's";
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(typeid(answer->At(static_cast<uint32_t>(i + 1))), typeid(*expected[i])) << "molecule " << i + 1;
    EXPECT_EQ(As<CMModuleParamDump>(*answer, 7).GetModules().size(), patch.areas[1].modules.size());
    EXPECT_EQ(As<CMModuleNameDump>(*answer, 15).GetNames().size(), patch.areas[0].modules.size());
}

// Download: a whole patch with the store flag set lands at the address and
// the position is reported done.
TEST(EditorLinkFlash, DownloadStoresTheDumpedPatchAtTheAddress)
{
    CEditorLink link;
    const sim::SimPatch patch = RichPatch();
    const CPatchMessage download(patch, 1, 6, 42, patch.name);
    const Molecules& message = download.Molecules();
    // Without a session number each frame counts the molecules that end in it.
    const auto frames = QueuedFrames(message, 0, std::nullopt);
    ASSERT_GT(frames.size(), 1u);
    size_t counted = 0;
    for (const Bytes& frame : frames) {
        EXPECT_NE(frame[4] & SysexFrame::kNoNumber, 0);
        counted += frame[4] & SysexFrame::kNumberMask;
    }
    EXPECT_EQ(counted, message.size());
    const auto answer = link.Ask(message, 0, std::nullopt);
    ASSERT_GE(answer->GetCount(), 1u);
    const auto& result = As<CMFlashCommandResult>(*answer, 0);
    EXPECT_EQ(result.requester, CMFlashCommandResult::kRequesterBankTransfer);
    EXPECT_EQ(result.result, 5);
    EXPECT_EQ(result.address, (CFlashAddress{6, 42}));
    const sim::SimPatch* stored = link.Synth().Flash().At(6, 42);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->name, patch.name);
    EXPECT_EQ(stored->areas, patch.areas);
    EXPECT_EQ(stored->morph, patch.morph);
    EXPECT_EQ(link.Synth().Slot(0).patch.name, "No name") << "a download leaves the slot alone";

    const CMFlashDeleteCommand erase({6, 42}, 1);
    const auto erased = link.Ask({&erase}, 0, std::nullopt);
    EXPECT_EQ(As<CMFlashCommandResult>(*erased, 0).result, 5);
    EXPECT_EQ(link.Synth().Flash().At(6, 42), nullptr);
}

TEST(EditorLinkFlash, FlashUpdateOnThePanelIsToldToTheEditor)
{
    CEditorLink link;
    link.Synth().Flash().Store(2, 3, Named("Panel store"));
    link.Synth().PanelFlashUpdate(2, 3);
    const auto messages = link.Run();
    ASSERT_EQ(messages.size(), 1u);
    const auto packet = link.Decode(messages[0]);
    const auto& names = As<CMFlashDataDump>(*packet, 0);
    ASSERT_EQ(names.GetItems().size(), 1u);
    EXPECT_EQ(names.GetItems()[0].address, (CFlashAddress{2, 3}));
    EXPECT_EQ(names.GetItems()[0].name, "Panel store");
}

} // namespace
