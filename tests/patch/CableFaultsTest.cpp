#include "tests/support/patch/PatchTestFixture.h"

#include "patch/area/PatchBackground.h"
#include "patch/edit/UndoHistory.h"
#include "patch/area/DspLoadTable.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint8_t kClip = 61; // inputs 0 and 1, output 0

JackAddress In(uint8_t module, uint8_t jack)
{
    return JackAddress{module, jack, 0};
}
JackAddress Out(uint8_t module, uint8_t jack)
{
    return JackAddress{module, jack, 1};
}

class CableFaultsTest : public testsupport::PatchTestFixture {
protected:
    const CCableTree& Tree() const { return patch.GetArea(1)->GetStore(); }

    // One chain through the three jacks of every module, 1 to `count`.
    std::vector<std::pair<JackAddress, JackAddress>> Chain(uint8_t count)
    {
        std::vector<JackAddress> jacks;
        for (uint8_t m = 1; m <= count; ++m)
            jacks.insert(jacks.end(), {In(m, 0), In(m, 1), Out(m, 0)});
        std::vector<std::pair<JackAddress, JackAddress>> cables;
        for (size_t i = 0; i + 1 < jacks.size(); ++i)
            cables.emplace_back(jacks[i], jacks[i + 1]);
        return cables;
    }

    void AddClips(uint8_t count)
    {
        auto dump = std::make_unique<CMModuleDump>(1);
        for (uint8_t m = 1; m <= count; ++m)
            dump->AddModule(m, kClip, static_cast<uint8_t>(m / 32), static_cast<uint8_t>(m % 32 * 4));
        Apply(std::move(dump));
    }
};

} // namespace

TEST_F(CableFaultsTest, ADumpCableBetweenJacksOfOneNetIsOneGatheredErrorAndTheRestLoads)
{
    AddClips(3);
    auto dump = std::make_unique<CMCableDump>(1);
    dump->AddCable(0, Out(1, 0), In(2, 0));
    dump->AddCable(0, Out(1, 0), In(3, 0));
    dump->AddCable(0, In(2, 0), In(3, 0)); // closes a loop
    dump->AddCable(0, In(3, 1), In(3, 1)); // a jack to itself
    dump->AddCable(0, Out(2, 0), In(3, 1));
    EXPECT_EQ(ApplyForError(std::move(dump)), "Jacks already connected");
    EXPECT_EQ(Tree().GetCableCount(), 3u);
    EXPECT_TRUE(Tree().IsConnected(In(3, 1)));
    EXPECT_FALSE(Tree().AreCablesPending());
    // Every walk of the nets ends: the area's cables can be listed.
    EXPECT_EQ(Tree().GetCables().size(), 3u);
}

TEST_F(CableFaultsTest, TheCableAfterThe255thIsRefusedFromEverySource)
{
    AddClips(86); // 258 jacks in one chain: 257 cables offered
    const auto chain = Chain(86);
    auto first = std::make_unique<CMCableDump>(1);
    for (size_t i = 0; i < 255; ++i)
        ASSERT_TRUE(first->AddCable(6, chain[i].first, chain[i].second));
    EXPECT_FALSE(first->AddCable(6, chain[255].first, chain[255].second)); // the dump's count is one byte
    EXPECT_EQ(ApplyForError(std::move(first)), "");
    ASSERT_EQ(Tree().GetCableCount(), 255u);

    // A second dump (a file's) reports it; a single cable from the
    // synthesizer is refused like any edit the model refuses.
    auto more = std::make_unique<CMCableDump>(1);
    more->AddCable(6, chain[255].first, chain[255].second);
    EXPECT_EQ(ApplyForError(std::move(more)), "Too many cables");
    Apply(std::make_unique<CMCableConnect>(1, chain[256].first, chain[256].second, 6, 0));
    EXPECT_EQ(Tree().GetCableCount(), 255u);
    EXPECT_FALSE(Tree().IsConnected(chain[256].second));
    EXPECT_EQ(patch.GetLoadTable().GetCableCount(), 255u);

    // The user's connection is refused before anything is sent or recorded.
    const size_t undoSteps = patch.GetUndoHistory().GetUndoCount();
    EXPECT_FALSE(patch.ConnectCable(1, chain[255].first, chain[255].second));
    EXPECT_EQ(patch.GetUndoHistory().GetUndoCount(), undoSteps);
    EXPECT_EQ(Tree().GetCableCount(), 255u);

    // The area's cables fill one dump exactly.
    CMCableDump out(1);
    Tree().FillCableDump(out);
    EXPECT_EQ(out.GetCables().size(), 255u);
}
