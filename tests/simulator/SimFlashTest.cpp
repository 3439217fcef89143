#include <gtest/gtest.h>

#include <map>

#include "SimTestSupport.h"
#include "simulator/SimPatchFile.h"
#include "tests/support/TempDir.h"

using namespace sim;
using namespace simtest;

namespace {

SimPatch Named(const std::string& name)
{
    SimPatch p;
    p.name = name;
    p.areas[1].modules[1] = SimModule{9, 0, 0, "", {3}, {}};
    return p;
}

using Address = std::pair<int, int>;

// Reads a flash data dump as the editor does: a current address from bank 0,
// location 0; tag 1 sets the location, 2 steps it, 3 sets bank and location,
// 4 ends complete, 5 ends with more to come; anything else starts a name.
struct FlashListing {
    bool more = false;
    bool complete = false;
    std::map<Address, std::string> names;
    Address current{0, 0};
};

FlashListing ReadListing(const Bytes& payload)
{
    FlashListing l;
    size_t i = 0;
    EXPECT_EQ(payload.at(i++), 0x16);
    l.more = payload.at(i++) != 0;
    for (;;) {
        const uint8_t tag = payload.at(i++);
        if (tag == 1)
            l.current.second = payload.at(i++);
        else if (tag == 2)
            l.current.second = std::min(l.current.second + 1, 98);
        else if (tag == 3) {
            l.current.first = payload.at(i++);
            l.current.second = payload.at(i++);
        } else if (tag == 4 || tag == 5) {
            l.complete = tag == 4;
            return l;
        } else {
            std::string name(1, static_cast<char>(tag));
            while (name.size() < 16 && payload.at(i) != 0)
                name.push_back(static_cast<char>(payload.at(i++)));
            if (name.size() < 16)
                ++i;
            l.names[l.current] = name;
            l.current.second = std::min(l.current.second + 1, 98);
        }
    }
}

class SimFlashTest : public ::testing::Test {
protected:
    SimFlashTest() : synth(SimConfig{}, TestTypes()) { }

    Bytes Ask(const Bytes& payload, uint8_t slot = 0)
    {
        const std::vector<Bytes> out = Exchange(synth, EditorFrame(slot, 0x41, payload));
        EXPECT_GE(out.size(), 1u);
        return out.empty() ? Bytes{} : Parsed(out[0]).payload;
    }

    CSimulator synth;
};

} // namespace

TEST_F(SimFlashTest, ScanListsTwentyNamesAtATimeUntilTheLastBank)
{
    std::map<Address, std::string> stored;
    for (int l = 0; l < 25; ++l)
        stored[{0, l}] = "P" + std::to_string(l);
    stored[{2, 5}] = "Far";
    stored[{8, 98}] = "Last";
    for (const auto& [address, name] : stored)
        synth.Flash().Store(address.first, address.second, Named(name));

    // Follow the editor's scan: ask from the scan position; an incomplete dump
    // moves it past the dump's last address.
    std::map<Address, std::string> seen;
    Address position{0, 0};
    int dumps = 0;
    for (bool done = false; !done && dumps < 10; ++dumps) {
        const Bytes payload = Ask({0x14, static_cast<uint8_t>(position.first), static_cast<uint8_t>(position.second)});
        const FlashListing l = ReadListing(payload);
        EXPECT_TRUE(l.more);
        EXPECT_LE(l.names.size(), static_cast<size_t>(CSimFlash::kNamesPerDump));
        for (const auto& [address, name] : l.names)
            EXPECT_TRUE(seen.emplace(address, name).second) << "listed twice";
        done = l.complete;
        position =
            l.current.second == 98 ? Address{l.current.first + 1, 0} : Address{l.current.first, l.current.second + 1};
    }
    EXPECT_EQ(dumps, 2);
    EXPECT_EQ(seen, stored);
}

TEST_F(SimFlashTest, EmptyFlashOfTheSmallModelIsCompleteAtOnce)
{
    SimConfig config;
    config.model = SimModel::Pebix;
    CSimulator pebix(config, TestTypes());
    const std::vector<Bytes> out = Exchange(pebix, EditorFrame(0, 0x41, {0x14, 0x00, 0x00, 0x7F}));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(Parsed(out[0]).payload, (Bytes{0x16, 0x01, 0x04, 0x7F}));
    EXPECT_EQ(pebix.Flash().Banks(), 1);
}

TEST_F(SimFlashTest, StoreLoadAndDeleteAnswerTheirResults)
{
    synth.LoadSlot(0, Named("Bass"));
    // Store slot A at bank 1, location 4: the result, the new entry and the usage.
    EXPECT_EQ(Ask({0x0B, 0x00, 0x01, 0x04}), (Bytes{0x0D, 0x01, 0x04, 0x00, 0x00, 0x16, 0x00, 0x03, 0x01, 0x04,
                                                    'B',  'a',  's',  's',  0x00, 0x05, 0x13, 0x01, 0x00, 0x7F}));
    ASSERT_TRUE(synth.Flash().At(1, 4));

    // Load it into slot B: done, then a patch release tells the new number.
    const uint8_t before = synth.Slot(1).session;
    const std::vector<Bytes> out = Exchange(synth, EditorFrame(0, 0x41, {0x0A, 0x01, 0x01, 0x04, 0x7F}));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(Parsed(out[0]).payload, (Bytes{0x0D, 0x01, 0x04, 0x00, 0x00, 0x7F}));
    const SimFrame release = Parsed(out[1]);
    EXPECT_FALSE(release.flags & kFlagLast) << "unsolicited";
    EXPECT_EQ(release.payload, (Bytes{0x38, 0x01, static_cast<uint8_t>((before + 1) % 64), 0x7F}));
    EXPECT_EQ(synth.Slot(1).patch.name, "Bass");

    EXPECT_EQ(Ask({0x0A, 0x00, 0x01, 0x05}), (Bytes{0x0D, 0x01, 0x05, 0x00, 0x01, 0x7F})) << "empty location";
    EXPECT_EQ(Ask({0x0C, 0x01, 0x04, 0x00}),
              (Bytes{0x0D, 0x01, 0x04, 0x00, 0x00, 0x15, 0x01, 0x04, 0x13, 0x00, 0x00, 0x7F}));
    EXPECT_FALSE(synth.Flash().At(1, 4));
    EXPECT_EQ(Ask({0x0C, 0x01, 0x06, 0x01}).at(4), 5) << "a delete of the bank transfer is a position done";
}

TEST_F(SimFlashTest, MemoryProtectRefusesEveryWrite)
{
    synth.Config().memoryProtect = true;
    EXPECT_EQ(Ask({0x0B, 0x00, 0x01, 0x04}), (Bytes{0x0D, 0x01, 0x04, 0x00, 0x04, 0x7F}));
    EXPECT_EQ(Ask({0x0C, 0x01, 0x04, 0x01}), (Bytes{0x0D, 0x01, 0x04, 0x01, 0x04, 0x7F}));
    CSimBitWriter out;
    WritePatchDump(out, Named("X"), TestTypes());
    WriteSimple(out, 0x37, {1, 3, 7}, "X");
    EXPECT_EQ(Ask(out.Bytes()), (Bytes{0x0D, 0x03, 0x07, 0x01, 0x04, 0x7F}));
    EXPECT_FALSE(synth.Flash().At(3, 7));
}

TEST_F(SimFlashTest, BankDownloadStoresTheDumpedPatch)
{
    CSimBitWriter out;
    SimPatch patch = Named("Strings");
    patch.header.bendRange = 12;
    WritePatchDump(out, patch, TestTypes());
    WriteSimple(out, 0x37, {1, 3, 7}, "Strings");
    const Bytes answer = Ask(out.Bytes());
    EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 5), (Bytes{0x0D, 0x03, 0x07, 0x01, 0x05}));
    ASSERT_TRUE(synth.Flash().At(3, 7));
    EXPECT_EQ(*synth.Flash().At(3, 7), patch);
}

TEST_F(SimFlashTest, UploadAnswersTheMarkerFirstThenThePatch)
{
    const SimPatch patch = Named("Lead");
    synth.Flash().Store(0, 2, patch);
    const Bytes answer = Ask({0x17, 0x00, 0x02});
    CSimBitWriter expected;
    expected.Byte(0x18);
    expected.Byte(2);
    expected.Byte(0);
    expected.Byte(2);
    expected.Text16("Lead");
    WritePatchDump(expected, patch, TestTypes());
    Bytes withEnd = expected.Bytes();
    withEnd.push_back(0x7F);
    EXPECT_EQ(answer, withEnd);
    EXPECT_EQ(Ask({0x17, 0x00, 0x03}), (Bytes{0x18, 0x04, 0x00, 0x03, 0x7F})) << "an empty location";
}

TEST_F(SimFlashTest, FolderKeepsTheBanksAsPatchFiles)
{
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(dir.File("105 Organ.pch"), WritePatchText(Named("Organ")));
    testsupport::WriteFileBytes(dir.File("notes.txt"), "not a patch");
    EXPECT_TRUE(synth.Flash().AttachFolder(dir.Path()).empty());
    ASSERT_TRUE(synth.Flash().At(0, 4));
    EXPECT_EQ(synth.Flash().At(0, 4)->name, "Organ");

    synth.LoadSlot(0, Named("Brass"));
    Ask({0x0B, 0x00, 0x01, 0x09});
    EXPECT_TRUE(std::filesystem::exists(dir.Path() / "210 Brass.pch"));
    Ask({0x0C, 0x00, 0x04, 0x00});
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "105 Organ.pch"));

    CSimulator again(SimConfig{}, TestTypes());
    again.Flash().AttachFolder(dir.Path());
    ASSERT_TRUE(again.Flash().At(1, 9));
    EXPECT_EQ(again.Flash().At(1, 9)->areas, Named("Brass").areas);
}

TEST_F(SimFlashTest, NamesInTheListingCannotBeTakenForTags)
{
    // A name starting with a tag byte would end or shift the editor's reading.
    synth.Flash().Store(0, 0, Named(std::string("\x04") + "Odd"));
    synth.Flash().Store(0, 1, Named(""));
    const FlashListing l = ReadListing(Ask({0x14, 0x00, 0x00}));
    EXPECT_TRUE(l.complete);
    EXPECT_EQ(l.names, (std::map<Address, std::string>{{{0, 0}, "Odd"}, {{0, 1}, "No name"}}));
}
