// Bank transfers under the simulated synthesizer's fault plan: answers lost,
// late, twice, spoilt, or replaced by an error code in the middle of a
// transfer. Every transfer ends, never writes an empty patch, and never
// claims a location the synthesizer did not store.
#include "tests/synth/flash/FlashRig.h"

#include "framework/files/FileSpec.h"
#include "simulator/SimPatchFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

using flashrig::CFlashRig;
using flashrig::MakePatch;

constexpr int kPatches = 6;
constexpr uint8_t kMixer = 19;

struct FaultCase {
    const char* name;
    sim::SimAnswerFaultEntry fault;
    // The port gives up (its failure text ends the report) rather than the
    // transfer going on to its end.
    bool uploadFails;
    bool downloadFails;
    const char* failure;
};

std::string CaseName(const ::testing::TestParamInfo<FaultCase>& info)
{
    return info.param.name;
}

const FaultCase kCases[] = {
    // A frame whose answer is lost or spoilt is sent again.
    {"Lost", {sim::SimAnswerFault::Drop}, false, false, ""},
    {"Late", {sim::SimAnswerFault::Delay, 6000}, false, false, ""},
    {"Twice", {sim::SimAnswerFault::Duplicate}, false, false, ""},
    {"Spoilt", {sim::SimAnswerFault::Corrupt}, false, false, ""},
    {"ErrorCode", {sim::SimAnswerFault::Error, 0, 3}, true, true, "Synth exception: "},
};

// The display numbers of a "Written: " or "Saved: " line's runs.
std::vector<int> Claimed(const std::vector<std::string>& report, const std::string& head)
{
    std::vector<int> numbers;
    for (const std::string& line : report) {
        if (line.rfind(head, 0) != 0)
            continue;
        std::istringstream runs(line.substr(head.size()));
        std::string run;
        while (std::getline(runs, run, ',')) {
            const size_t dash = run.find('-');
            const int first = std::stoi(run.substr(0, dash));
            const int last = dash == std::string::npos ? first : std::stoi(run.substr(dash + 1));
            for (int n = first; n <= last; ++n)
                numbers.push_back(n);
        }
    }
    return numbers;
}

// At the wire rate a second copy of an answer arrives well after the first,
// when the next request may already be waiting for its own.
sim::SimConfig Paced()
{
    sim::SimConfig config;
    config.paceAtWireRate = true;
    return config;
}

class BankTransferFaultTest : public ::testing::TestWithParam<FaultCase> {
protected:
    BankTransferFaultTest() : rig({Paced()})
    {
        // Patches whose dumps take a few idle steps on the wire.
        for (int i = 0; i < kPatches; ++i) {
            sim::SimPatch patch = MakePatch("Patch " + std::to_string(i), i);
            for (int index = 10; index < 30; ++index)
                patch.areas[1].modules[index] =
                    flashrig::Module(kMixer, 3, index * 3, "Mixer " + std::to_string(index));
            sources.push_back(patch);
        }
    }

    // The fault falls on the third answer from now.
    void PlanFault(size_t synth)
    {
        rig.rig.SimPort(synth).With([&](sim::CSimulator& s) {
            s.Faults().AtAnswer(s.AnswerCount() + 3, GetParam().fault);
            return 0;
        });
    }

    void ExpectEnd(bool failed)
    {
        const std::vector<std::string> report = rig.Report();
        if (failed) {
            ASSERT_FALSE(report.empty());
            EXPECT_EQ(report.back().rfind(GetParam().failure, 0), 0u) << testing::PrintToString(report);
        } else {
            EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFinished) << testing::PrintToString(report);
        }
    }

    std::vector<sim::SimPatch> sources;
    CFlashRig rig;
};

TEST_P(BankTransferFaultTest, AnUploadEnds)
{
    for (int i = 0; i < kPatches; ++i)
        rig.Store(0, 0, i * 2, sources[i]);
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.rig.StepUntil([&] { return !rig.Flash().IsScanning(); }));
    ASSERT_TRUE(rig.Transfer().StartUpload(NSHarrowen::CFileSpec(rig.folder.File("Bank.pchList")), 0, &rig.report));
    PlanFault(0);
    ASSERT_TRUE(rig.RunJob()) << "the transfer hangs";
    ExpectEnd(GetParam().uploadFails);

    // Every file saved is a whole patch of the bank.
    const std::vector<std::string> report = rig.Report();
    for (const int number : Claimed(report, "Saved: ")) {
        const int location = number % 100 - 1;
        ASSERT_EQ(location % 2, 0);
        const sim::SimPatch& source = sources[location / 2];
        EXPECT_EQ(sim::ReadPatchFile(rig.folder.Path() / (source.name + ".pch")).areas[1].modules,
                  source.areas[1].modules);
    }
    if (!GetParam().uploadFails) {
        EXPECT_EQ(report, std::vector<std::string>{"Saved: 101, 103, 105, 107, 109, 111"});
        std::vector<std::string> expected(99);
        for (int i = 0; i < kPatches; ++i)
            expected[i * 2] = sources[i].name + ".pch";
        EXPECT_EQ(rig.Transfer().GetEntries(), expected);
    }
}

TEST_P(BankTransferFaultTest, ADownloadEnds)
{
    std::string list = "1 \r\n";
    for (int i = 0; i < kPatches; ++i) {
        sim::WritePatchFile(rig.folder.Path() / (sources[i].name + ".pch"), sources[i]);
        list += sources[i].name + ".pch\r\n";
    }
    std::ofstream(rig.folder.Path() / "Bank.pchList", std::ios::binary) << list;
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.rig.StepUntil([&] { return !rig.Flash().IsScanning(); }));
    ASSERT_TRUE(
        rig.Transfer().DownloadFromListFile(NSHarrowen::CFileSpec(rig.folder.File("Bank.pchList")), 0, &rig.report));
    PlanFault(0);
    ASSERT_TRUE(rig.RunJob()) << "the transfer hangs";
    ExpectEnd(GetParam().downloadFails);

    // Only whole patches of the list reached the flash, and every location
    // the report claims holds its patch.
    const auto stored = rig.Stored(0, 0);
    for (const auto& [number, patch] : stored) {
        ASSERT_LT(number - 101, kPatches);
        EXPECT_EQ(patch.areas[1].modules, sources[number - 101].areas[1].modules) << number;
    }
    for (const int number : Claimed(rig.Report(), "Written: ")) {
        const bool held = std::any_of(stored.begin(), stored.end(), [&](const auto& s) { return s.first == number; });
        EXPECT_TRUE(held) << number << " is claimed but not stored";
    }
    if (!GetParam().downloadFails) {
        EXPECT_EQ(stored.size(), static_cast<size_t>(kPatches));
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, BankTransferFaultTest, ::testing::ValuesIn(kCases), CaseName);

} // namespace

// A position of a download whose answers stay away is sent again after
// 2,000 ms of silence, at most three times; the link gives up only when the
// answer to the third repeat is 5,000 ms overdue.
TEST(BankTransferRepeat, APositionIsSentAgainAtMostThreeTimes)
{
    for (const unsigned lost : {3u, 4u}) {
        CFlashRig rig;
        std::string list = "1 \r\n";
        for (int i = 0; i < 3; ++i) {
            sim::WritePatchFile(rig.folder.Path() / ("P" + std::to_string(i) + ".pch"), MakePatch("x", i));
            list += "P" + std::to_string(i) + ".pch\r\n";
        }
        std::ofstream(rig.folder.Path() / "Bank.pchList", std::ios::binary) << list;
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.rig.StepUntil([&] { return !rig.Flash().IsScanning(); }));
        ASSERT_TRUE(rig.Transfer().DownloadFromListFile(NSHarrowen::CFileSpec(rig.folder.File("Bank.pchList")), 0,
                                                        &rig.report));
        const unsigned first = rig.Sim().AnswerCount() + 2;
        for (unsigned n = 0; n < lost; ++n)
            rig.Sim().Faults().AtAnswer(first + n, {sim::SimAnswerFault::Drop});
        const uint64_t start = rig.rig.Clock().Now();
        ASSERT_TRUE(rig.RunJob()) << lost;
        if (lost == 3) {
            EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFinished)
                << testing::PrintToString(rig.Report());
            EXPECT_EQ(rig.Stored(0, 0).size(), 3u);
            const auto log = rig.rig.SynthLog();
            EXPECT_EQ(std::count(log.begin(), log.end(), "repeated frame: answered again"), 3);
        } else {
            EXPECT_EQ(rig.rig.Manager().GetPort(0), nullptr);
            const uint64_t took = rig.rig.Clock().Now() - start;
            EXPECT_GE(took, 3 * 2000u + 5000u);
            EXPECT_LT(took, 3 * 2000u + 5000u + 1500u);
            ASSERT_FALSE(rig.Report().empty());
            EXPECT_EQ(rig.Report().back().rfind("Lost contact", 0), 0u) << testing::PrintToString(rig.Report());
        }
    }
}
