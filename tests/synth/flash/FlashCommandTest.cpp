// The flash map and the flash dialogs' single commands against simulated
// synthesizers at the MIDI port: the scan that fills the bank tables, and
// load, store and delete with the results and texts the dialogs show.
#include "tests/synth/flash/FlashRig.h"

#include "synth/molecules/FlashMolecules.h"
#include "synth/molecules/MoleculePacket.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using flashrig::CFlashRig;
using flashrig::MakePatch;

sim::SimConfig Model(sim::SimModel model)
{
    sim::SimConfig config;
    config.model = model;
    return config;
}

bool Answered(CFlashRig& rig)
{
    return rig.rig.StepUntil([&] { return !rig.Flash().IsCommandPending(); }, 100);
}

TEST(FlashMap, TheScanFillsTheBankTablesOfEachModel)
{
    for (const sim::SimModel model : {sim::SimModel::Kandrel, sim::SimModel::KandrelR, sim::SimModel::Pebix}) {
        SCOPED_TRACE(sim::ModelName(model));
        CFlashRig rig({Model(model)});
        const int banks = sim::BankCount(model);
        // More names than one answer carries, the ends of every bank.
        for (int bank = 0; bank < banks; ++bank) {
            for (int location : {0, 1, 2, 50, 97, 98})
                rig.Store(0, bank, location, MakePatch("P" + std::to_string(bank * 100 + location), location));
        }
        for (int location = 3; location < 40; ++location)
            rig.Store(0, 0, location, MakePatch("Many " + std::to_string(location), location));
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.rig.StepUntil([&] { return !rig.Flash().IsScanning(); }, 400));

        EXPECT_EQ(rig.Flash().GetBankCount(), banks);
        for (int bank = 0; bank < banks; ++bank) {
            const auto stored = rig.Stored(0, bank);
            const auto& table = rig.Flash().GetBank(static_cast<uint8_t>(bank));
            ASSERT_EQ(table.size(), stored.size()) << "bank " << bank;
            for (size_t i = 0; i < table.size(); ++i) {
                EXPECT_EQ(table[i].location + 1 + (bank + 1) * 100, stored[i].first);
                EXPECT_EQ(table[i].name, stored[i].second.name);
            }
        }
        EXPECT_TRUE(rig.Flash().IsBankEmpty(static_cast<uint8_t>(banks)));
    }
}

TEST(FlashCommands, LoadStoreAndDeleteGiveTheSynthesizersResults)
{
    CFlashRig rig;
    rig.Store(0, 1, 4, MakePatch("Stored", 1));
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.rig.StepUntil([&] { return !rig.Flash().IsScanning(); }));
    CFlashMemory& flash = rig.Flash();

    flash.LoadToSlot(1, {1, 4});
    EXPECT_TRUE(flash.IsCommandPending());
    ASSERT_TRUE(Answered(rig));
    EXPECT_EQ(flash.GetLastResult(), CFlashMemory::kResultDone);
    EXPECT_EQ(flash.GetLastResultText(), "");
    EXPECT_EQ(rig.Sim().Slot(1).patch.name, "Stored");

    flash.LoadToSlot(0, {1, 5});
    ASSERT_TRUE(Answered(rig));
    EXPECT_EQ(flash.GetLastResult(), CFlashMemory::kResultLoadFailed);
    EXPECT_EQ(flash.GetLastResultText(), "Can't load from flash");

    flash.StoreFromSlot(1, {2, 7});
    ASSERT_TRUE(Answered(rig));
    EXPECT_EQ(flash.GetLastResult(), CFlashMemory::kResultDone);
    // The map follows the synthesizer's notice of the stored location.
    ASSERT_TRUE(rig.rig.StepUntil([&] { return flash.GetBank(2).size() == 1; }, 20));
    EXPECT_EQ(flash.GetBank(2)[0], (CFlashEntry{7, "Stored"}));

    flash.DeleteLocation({1, 4});
    ASSERT_TRUE(Answered(rig));
    EXPECT_EQ(flash.GetLastResult(), CFlashMemory::kResultDone);
    ASSERT_TRUE(rig.rig.StepUntil([&] { return flash.IsBankEmpty(1); }, 20));
    EXPECT_EQ(rig.Sim().Flash().At(1, 4), nullptr);
}

TEST(FlashCommands, MemoryProtectMakesAStoreFail)
{
    sim::SimConfig config;
    config.memoryProtect = true;
    CFlashRig rig({config});
    ASSERT_TRUE(rig.Connect());
    rig.Flash().StoreFromSlot(0, {0, 0});
    ASSERT_TRUE(Answered(rig));
    EXPECT_EQ(rig.Flash().GetLastResult(), CFlashMemory::kResultMemoryProtect);
    EXPECT_EQ(rig.Flash().GetLastResultText(), "Memory protect on");
    EXPECT_EQ(rig.Sim().Flash().At(0, 0), nullptr);
}

TEST(FlashCommands, AStoreBeyondTheSmallModelsBankIsRefusedAsMemoryFull)
{
    CFlashRig rig({Model(sim::SimModel::Pebix)});
    ASSERT_TRUE(rig.Connect());
    rig.Flash().StoreFromSlot(0, {1, 0});
    ASSERT_TRUE(Answered(rig));
    EXPECT_EQ(rig.Flash().GetLastResult(), CFlashMemory::kResultMemoryFull);
    EXPECT_EQ(rig.Flash().GetLastResultText(), "Flash memory full");
}

// Every code the synthesizer can answer a single command with, as its
// message arrives at the port, against the stored results the dialogs know:
// 1 memory full, 2 memory protect, 3 load failed, 4 done.
TEST(FlashCommands, EveryResultCodeGivesItsResultAndText)
{
    struct Case {
        std::vector<uint8_t> codes;
        uint32_t result;
        const char* text;
    };
    const Case cases[] = {
        {{0, 2, 5}, 4, ""},
        {{1}, 3, "Can't load from flash"},
        {{3, 9}, 1, "Flash memory full"}, // 9 is read as 3
        {{4}, 2, "Memory protect on"},
    };
    CFlashRig rig;
    ASSERT_TRUE(rig.Connect());
    for (const Case& c : cases) {
        for (const uint8_t code : c.codes) {
            SCOPED_TRACE(int(code));
            const CMFlashCommandResult answer({0, 3}, CMFlashCommandResult::kRequesterSingle, code);
            rig.rig.Inject(linkrig::SynthMessage(answer, 0, std::nullopt));
            rig.rig.Step();
            EXPECT_EQ(rig.Flash().GetLastResult(), c.result);
            EXPECT_EQ(rig.Flash().GetLastResultText(), c.text);
            EXPECT_FALSE(rig.Flash().IsCommandPending());
        }
    }
}

TEST(FlashCommands, ACommandWhileAnAnswerIsAwaitedIsNotSent)
{
    CFlashRig rig;
    rig.Store(0, 0, 0, MakePatch("Stored", 1));
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.rig.StepUntil([&] { return !rig.Flash().IsScanning(); }));
    rig.rig.SynthReceived();
    rig.Flash().LoadToSlot(0, {0, 0});
    rig.Flash().DeleteLocation({0, 0});
    EXPECT_EQ(rig.Flash().GetLastResult(), CFlashMemory::kResultBusy);
    EXPECT_EQ(rig.Flash().GetLastResultText(), "");
    ASSERT_TRUE(Answered(rig));
    EXPECT_EQ(rig.Flash().GetLastResult(), CFlashMemory::kResultDone);
    EXPECT_NE(rig.Sim().Flash().At(0, 0), nullptr) << "the delete was not sent";
    EXPECT_EQ(rig.rig.SynthReceived().size(), 1u);
}

// A synthesizer whose send throws, as an overlong packet does.
class CThrowingHost : public CFlashMemoryHost {
public:
    void SendRequest(CMoleculePacket&) override { throw XMStreamOverflow(); }
    bool IsWaitingForReply() const override { return false; }
};

TEST(FlashCommands, ASendThatFailsGivesItsResultWithoutAText)
{
    CThrowingHost host;
    CFlashMemory flash(host, 9);
    flash.StoreFromSlot(0, {0, 1});
    EXPECT_EQ(flash.GetLastResult(), CFlashMemory::kResultSendFailed);
    EXPECT_EQ(flash.GetLastResultText(), "");
    EXPECT_FALSE(flash.IsCommandPending());
}

} // namespace
