#include "MoleculeTestSupport.h"

#include "platform/system/Clock.h"
#include "platform/system/ScopedClock.h"
#include "platform/system/VirtualClock.h"
#include "synth/protocol/FlashMemory.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/FlashMolecules.h"

#include <gtest/gtest.h>

using namespace moltest;

namespace {

class CRecordingHost : public CFlashMemoryHost {
public:
    std::vector<CFlashAddress> requests;
    bool waiting = false;

    void SendRequest(CMoleculePacket& packet) override
    {
        ASSERT_EQ(packet.GetCount(), 1u);
        const auto* request = dynamic_cast<const CMFlashDataRequest*>(&packet.At(0));
        ASSERT_NE(request, nullptr);
        requests.push_back(request->address);
    }
    bool IsWaitingForReply() const override { return waiting; }
};

CMFlashDataDump DumpOf(const Bytes& bytes)
{
    return ReadAs<CMFlashDataDump>(bytes);
}

class FlashMemoryTest : public ::testing::Test {
protected:
    platform::CVirtualClock clock{5000};
    platform::CScopedClock scopedClock{clock};
    CRecordingHost host;
};

} // namespace

TEST_F(FlashMemoryTest, CompleteDumpFillsTheBankAndEndsTheScan)
{
    CFlashMemory flash(host, 9);
    EXPECT_TRUE(flash.ContinueScan());
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0], (CFlashAddress{0, 0}));

    flash.OnDataDump(DumpOf({0x16, 1, 3, 2, 5, 2, 'L', 'e', 'a', 'd', 0, 4}));
    EXPECT_EQ(flash.GetBank(2), (std::vector<CFlashEntry>{{6, "Lead"}}));
    EXPECT_TRUE(flash.IsBankEmpty(0));
    EXPECT_FALSE(flash.IsScanning());
    EXPECT_EQ(flash.GetChangeTime(), 5000u);
    EXPECT_FALSE(flash.ContinueScan());
    EXPECT_EQ(host.requests.size(), 1u);
}

TEST_F(FlashMemoryTest, PartialDumpMovesTheScanPastWhatItReported)
{
    CFlashMemory flash(host, 9);
    flash.OnDataDump(DumpOf({0x16, 1, 'B', 0, 2, 'D', 0, 5}));
    EXPECT_EQ(flash.GetBank(0), (std::vector<CFlashEntry>{{0, "B"}, {2, "D"}}));
    EXPECT_EQ(flash.GetScanPosition(), (CFlashAddress{0, 3}));

    // A name at location 98 moves the scan to the next bank.
    flash.OnDataDump(DumpOf({0x16, 1, 1, 98, 'Z', 0, 5}));
    EXPECT_EQ(flash.GetScanPosition(), (CFlashAddress{1, 0}));
    EXPECT_TRUE(flash.ContinueScan());
    EXPECT_EQ(host.requests.back(), (CFlashAddress{1, 0}));

    // Entries arriving again replace their names rather than doubling.
    flash.OnDataDump(DumpOf({0x16, 1, 'b', 0, 5}));
    EXPECT_EQ(flash.GetBank(0).front(), (CFlashEntry{0, "b"}));
    EXPECT_EQ(flash.GetBank(0).size(), 3u);
}

TEST_F(FlashMemoryTest, SingleBankModelStopsAfterItsBank)
{
    CFlashMemory flash(host, 1);
    flash.OnDataDump(DumpOf({0x16, 1, 1, 98, 'Z', 0, 5}));
    EXPECT_FALSE(flash.IsScanning());
    EXPECT_FALSE(flash.ContinueScan());
    // Names for banks the model does not have are not kept.
    flash.OnDataDump(DumpOf({0x16, 1, 3, 4, 0, 'X', 0, 4}));
    EXPECT_TRUE(flash.IsBankEmpty(4));
    EXPECT_EQ(flash.GetBank(0).size(), 1u);
}

TEST_F(FlashMemoryTest, ScanWithoutProgressIsGivenUp)
{
    CFlashMemory flash(host, 9);
    // "more" 0 leaves the position where it is; so does a dump that reports
    // nothing. Each time the same request would go out again.
    const Bytes noMore{0x16, 0, 'A', 0, 5};
    const Bytes empty{0x16, 1, 5};
    flash.OnDataDump(DumpOf(noMore));
    EXPECT_EQ(flash.GetScanPosition(), (CFlashAddress{0, 0}));
    EXPECT_TRUE(flash.IsScanning());
    flash.OnDataDump(DumpOf(empty));
    EXPECT_TRUE(flash.IsScanning());
    flash.OnDataDump(DumpOf(noMore));
    EXPECT_FALSE(flash.IsScanning());
    EXPECT_EQ(flash.GetBank(0).size(), 1u);

    // Progress in between starts the count again.
    CFlashMemory other(host, 9);
    other.OnDataDump(DumpOf(empty));
    other.OnDataDump(DumpOf(empty));
    other.OnDataDump(DumpOf({0x16, 1, 'A', 0, 5}));
    other.OnDataDump(DumpOf(empty));
    other.OnDataDump(DumpOf(empty));
    EXPECT_TRUE(other.IsScanning());
}

TEST_F(FlashMemoryTest, NoSecondRequestWhileOneAwaitsItsAnswer)
{
    CFlashMemory flash(host, 9);
    host.waiting = true;
    EXPECT_TRUE(flash.ContinueScan());
    EXPECT_TRUE(host.requests.empty());
}

TEST_F(FlashMemoryTest, DeleteDumpRemovesTheEntry)
{
    CFlashMemory flash(host, 9);
    flash.OnDataDump(DumpOf({0x16, 1, 3, 1, 7, 'P', 0, 4}));
    clock.Advance(100);
    flash.OnDeleteDump(CMFlashDeleteDump({1, 8}));
    EXPECT_EQ(flash.GetChangeTime(), 5000u); // nothing was there
    flash.OnDeleteDump(CMFlashDeleteDump({1, 7}));
    EXPECT_TRUE(flash.IsBankEmpty(1));
    EXPECT_EQ(flash.GetChangeTime(), 5100u);
    flash.SetUsage(640);
    EXPECT_EQ(flash.GetUsage(), 640);
}
