// The update link against simsynthd in its update state, over real MIDI ports
// of the JACK server the test fixture starts.

#include "tests/support/ScopedProcess.h"
#include "tests/support/TempDir.h"
#include "tests/updater/support/SyntheticImages.h"
#include "updater/image/UpdateFile.h"
#include "updater/link/UpdateLink.h"
#include "tests/support/RequiredTools.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>

using namespace NSBootwren;
using updatertest::SyntheticImage;

namespace {

// The index of the first port whose name holds `part`, or -1.
int FindPort(NSHarrowen::CMenu& menu, const std::string& part)
{
    for (int i = 0; i < menu.GetItemCount(); ++i)
        if (menu.GetItem(i).label.find(part) != std::string::npos)
            return i;
    return -1;
}

// Ticks the link on the real clock, as the idle step would, until `done`
// holds or the time is up.
template <class F> bool TickUntil(CUpdateLink& link, F done, std::chrono::seconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
        link.Tick();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

std::vector<uint8_t> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// simsynthd in its update state on the tests' JACK server, and a link that
// found it there.
class UpdateOverJack : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (testsupport::Unavailable({.jackServer = true}))
            return;
        daemon_ = std::make_unique<testsupport::ScopedProcess>(
            std::vector<std::string>{SIMSYNTHD_PATH, "--api", "jack", "--os-update", "--model", "pebix", "--version",
                                     "3.0.0.0.0", "--name", name_, "--payload", received_});
        ASSERT_TRUE(daemon_->Started());
    }

    // Lists the ports until the daemon's appear, opens them and finds the
    // synthesizer, for an image of these bytes.
    void Connect(const std::vector<uint8_t>& bytes)
    {
        file_ = CUpdateFile::Read(bytes.data(), bytes.size());
        // The daemon's ports appear a little after it starts; the link lists
        // the ports when it is made.
        int input = -1, output = -1;
        for (int tries = 0; tries < 100 && (input < 0 || output < 0); ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            link = std::make_unique<CUpdateLink>(*file_);
            input = FindPort(link->GetInputMenu(), name_ + " out");
            output = FindPort(link->GetOutputMenu(), name_ + " in");
        }
        ASSERT_GE(input, 0) << "simsynthd's output port did not appear";
        ASSERT_GE(output, 0) << "simsynthd's input port did not appear";
        ASSERT_TRUE(link->OpenPorts(static_cast<uint16_t>(input), static_cast<uint16_t>(output)));
        // JACK makes the connections a little later: search again while nobody answered.
        for (int search = 0; search < 3 && link->GetIdentifyResult() != kIdentifyFound; ++search) {
            link->StopIdentify();
            link->StartIdentify();
            TickUntil(
                *link, [&] { return link->GetIdentifyResult() != kIdentifyLooking; }, std::chrono::seconds(8));
        }
        ASSERT_EQ(link->GetIdentifyResult(), kIdentifyFound);
    }

    testsupport::TempDir dir_;
    const std::string received_ = dir_.File("received.bin");
    const std::string name_ = "upd" + std::to_string(getpid());
    std::unique_ptr<testsupport::ScopedProcess> daemon_;
    std::unique_ptr<CUpdateFile> file_;
    std::unique_ptr<CUpdateLink> link;
};

TEST_F(UpdateOverJack, ASmallImageReachesSimsynthdByteForByte)
{
    SyntheticImage image = updatertest::SmallSyntheticImage(225);
    for (size_t i = 0; i < 40; ++i)
        image.payload[i] = static_cast<uint8_t>(0x80 + i); // bytes at and above 0x80
    ASSERT_NO_FATAL_FAILURE(Connect(image.Bytes()));
    EXPECT_EQ(link->GetCurrentVersionText(), "V3.00");

    // Sent once: nothing is lost on the way. The daemon's output (above in
    // the log) says what it saw.
    link->StartDump();
    TickUntil(
        *link, [&] { return link->GetDumpState() >= kDumpDone; }, std::chrono::seconds(30));
    EXPECT_EQ(link->GetDumpState(), kDumpDone) << "trouble " << link->GetDumpTrouble();
    std::vector<uint8_t> payload;
    for (int tries = 0; tries < 100 && payload.size() < image.payload.size(); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        payload = ReadFile(received_);
    }
    EXPECT_TRUE(payload == image.payload);
}

TEST_F(UpdateOverJack, ASynthesizerWhosePortGoesAwayStopsTheDumpAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(Connect(updatertest::SmallSyntheticImage(112 * 200).Bytes()));
    link->StartDump();
    ASSERT_TRUE(TickUntil(
        *link, [&] { return link->GetProgress() >= 100.0 || link->GetDumpState() == kDumpFailed; },
        std::chrono::seconds(10)));
    ASSERT_NE(link->GetDumpState(), kDumpFailed) << "trouble " << link->GetDumpTrouble();
    daemon_.reset(); // its ports go with it
    // The rest of the dump and the wait for its verdict would take 25 s.
    EXPECT_TRUE(TickUntil(
        *link, [&] { return link->GetDumpState() == kDumpFailed; }, std::chrono::seconds(5)))
        << "not at once";
    EXPECT_EQ(link->GetDumpTrouble(), kTroubleGone);
    EXPECT_LT(link->GetProgress(), 500.0) << "the bar stops where the synthesizer went";
}

} // namespace
