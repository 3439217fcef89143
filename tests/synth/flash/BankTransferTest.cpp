// Bank uploads into folders of patch files and downloads from patch lists
// and folders, between the editor's link and simulated synthesizers: the
// files on disk and the synthesizers' flash are what is checked.
#include "tests/synth/flash/FlashRig.h"

#include "framework/files/DirSpec.h"
#include "framework/files/FileSpec.h"
#include "platform/midi/MidiArrival.h"
#include "simulator/SimPatchFile.h"
#include "synth/molecules/ModuleMolecules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace {

using flashrig::CFlashRig;
using flashrig::MakePatch;
namespace fs = std::filesystem;

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> FilesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A patch without file notes, with its cables in one order, each cable's ends in one order:
// the editor keeps cables as a tree and may dump them in another order than
// it read them.
sim::SimPatch Normalized(sim::SimPatch patch)
{
    patch.text.clear(); // a file's notes, which the flash does not hold
    for (sim::SimArea& area : patch.areas) {
        for (sim::SimCable& cable : area.cables) {
            if (std::tie(cable.b.module, cable.b.jack, cable.b.output) <
                std::tie(cable.a.module, cable.a.jack, cable.a.output))
                std::swap(cable.a, cable.b);
        }
        std::sort(area.cables.begin(), area.cables.end(), [](const sim::SimCable& x, const sim::SimCable& y) {
            return std::tie(x.a.module, x.a.jack, x.a.output, x.b.module, x.b.jack, x.b.output, x.colour) <
                std::tie(y.a.module, y.a.jack, y.a.output, y.b.module, y.b.jack, y.b.output, y.colour);
        });
    }
    return patch;
}

// The patch as another synthesizer holds it after a round trip through a
// file: everything but the name, which the file gives.
sim::SimPatch Renamed(sim::SimPatch patch, const std::string& name)
{
    patch.name = name;
    return Normalized(std::move(patch));
}

std::vector<std::pair<int, sim::SimPatch>> Normalized(std::vector<std::pair<int, sim::SimPatch>> stored)
{
    for (auto& [number, patch] : stored)
        patch = Normalized(std::move(patch));
    return stored;
}

class BankTransferTest : public ::testing::Test {
protected:
    // Port 0 on synthesizer 0, port 1 on synthesizer 1.
    BankTransferTest() : rig({sim::SimConfig{}, sim::SimConfig{}}) { }

    void Connect()
    {
        ASSERT_TRUE(rig.Connect(0, 0));
        ASSERT_TRUE(rig.Connect(1, 1));
    }

    NSHarrowen::CFileSpec ListFile(const std::string& name = "Bank.pchList") const
    {
        return NSHarrowen::CFileSpec(rig.folder.File(name));
    }

    NSHarrowen::CDirSpec Folder() const { return NSHarrowen::CDirSpec(rig.folder.Path().string()); }

    CFlashRig rig;
};

TEST_F(BankTransferTest, UploadWritesAFilePerUsedLocationAndThePatchList)
{
    rig.Store(0, 2, 0, MakePatch("Bass", 1));
    rig.Store(0, 2, 1, MakePatch("Lead", 2));
    rig.Store(0, 2, 4, MakePatch("Bass", 3)); // the same name again
    rig.Store(0, 2, 98, MakePatch("Last/one", 4));
    rig.Store(0, 3, 0, MakePatch("Other bank", 5));
    Connect();

    ASSERT_TRUE(rig.Transfer().StartUpload(ListFile(), 2, &rig.report));
    EXPECT_EQ(rig.Transfer().GetState(), CBankTransfer::kStateUpload);
    ASSERT_TRUE(rig.RunJob());

    EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFinished) << testing::PrintToString(rig.Report());
    EXPECT_EQ(rig.Transfer().GetProgress(), 0u);
    EXPECT_EQ(FilesIn(rig.folder.Path()),
              (std::vector<std::string>{"Bank.pchList", "Bass.pch", "Bass1.pch", "Lastone.pch", "Lead.pch"}));
    EXPECT_EQ(rig.Report(),
              (std::vector<std::string>{"305 : Bass : Name changed to Bass1.pch", "Saved: 301-302, 305, 399"}));
    EXPECT_EQ(ReadText(rig.folder.Path() / "Bank.pchList"),
              "1 \r\nBass.pch\r\nLead.pch\r\n5 \r\nBass1.pch\r\n99 \r\nLastone.pch\r\n");
    // The files are patch files another reader takes.
    EXPECT_EQ(Normalized(sim::ReadPatchFile(rig.folder.Path() / "Lead.pch")), Renamed(MakePatch("Lead", 2), "Lead"));
    EXPECT_EQ(Normalized(sim::ReadPatchFile(rig.folder.Path() / "Bass1.pch")), Renamed(MakePatch("Bass", 3), "Bass1"));
}

// A stored patch the editor's document takes only in part (a cable that
// closes a net) is saved as far as it was taken and reported as fixed; the
// upload goes on to the bank's end and lists it as usual.
TEST_F(BankTransferTest, AnUploadSavesAPatchTakenInPartAndGoesOn)
{
    sim::SimPatch looped = MakePatch("Looped", 2);
    looped.areas[1].cables.push_back({0, {1, 0, true}, {2, 1, false}});
    rig.Store(0, 1, 0, MakePatch("Before", 1));
    rig.Store(0, 1, 3, looped);
    rig.Store(0, 1, 6, MakePatch("After", 3));
    Connect();

    ASSERT_TRUE(rig.Transfer().StartUpload(ListFile(), 1, &rig.report));
    ASSERT_TRUE(rig.RunJob());
    EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFinished) << testing::PrintToString(rig.Report());
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"204 : Looped : -fixed", "Saved: 201, 204, 207"}));
    EXPECT_EQ(ReadText(rig.folder.Path() / "Bank.pchList"),
              "1 \r\nBefore.pch\r\n4 \r\nLooped.pch\r\n7 \r\nAfter.pch\r\n");
    looped.areas[1].cables.pop_back();
    EXPECT_EQ(Normalized(sim::ReadPatchFile(rig.folder.Path() / "Looped.pch")), Renamed(looped, "Looped"));
    EXPECT_EQ(Normalized(sim::ReadPatchFile(rig.folder.Path() / "After.pch")), Renamed(MakePatch("After", 3), "After"));
}

TEST_F(BankTransferTest, TheUploadedListDownloadsIntoAnotherSynthesizerAsTheSameBank)
{
    const std::vector<std::pair<int, sim::SimPatch>> source{
        {0, MakePatch("Pad", 1)}, {1, MakePatch("Pad", 2)}, {7, MakePatch("Strings", 3)}, {98, MakePatch("Keys", 4)}};
    for (const auto& [location, patch] : source)
        rig.Store(0, 0, location, patch);
    // What the second synthesizer held before: replaced or emptied.
    rig.Store(1, 4, 2, MakePatch("Old", 9));
    rig.Store(1, 4, 7, MakePatch("Old too", 8));
    Connect();
    ASSERT_TRUE(rig.Transfer(0).StartUpload(ListFile(), 0, &rig.report));
    ASSERT_TRUE(rig.RunJob(0));
    ASSERT_EQ(rig.Transfer(0).GetResult(), CBankTransfer::kResultFinished);

    ASSERT_TRUE(rig.Transfer(1).DownloadFromListFile(ListFile(), 4, &rig.report));
    EXPECT_EQ(rig.Transfer(1).GetState(), CBankTransfer::kStateDownload);
    ASSERT_TRUE(rig.RunJob(1));
    EXPECT_EQ(rig.Transfer(1).GetResult(), CBankTransfer::kResultFinished) << testing::PrintToString(rig.Report());
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"Written: 501-502, 508, 599", "Emptied: 503-507, 509-598"}));

    EXPECT_EQ(Normalized(rig.Stored(1, 4)),
              (std::vector<std::pair<int, sim::SimPatch>>{{501, Renamed(source[0].second, "Pad")},
                                                          {502, Renamed(source[1].second, "Pad1")},
                                                          {508, Renamed(source[2].second, "Strings")},
                                                          {599, Renamed(source[3].second, "Keys")}}));
    // The editor's map follows what the synthesizer says it stored.
    ASSERT_TRUE(rig.rig.StepUntil([&] { return !rig.Flash(1).IsScanning(); }));
    EXPECT_EQ(rig.Flash(1).GetBank(4).size(), 4u);
}

TEST_F(BankTransferTest, AFolderDownloadFillsThePositionsInNameOrder)
{
    sim::WritePatchFile(rig.folder.Path() / "b Second.pch", MakePatch("x", 2));
    sim::WritePatchFile(rig.folder.Path() / "B First.pch", MakePatch("x", 1));
    sim::WritePatchFile(rig.folder.Path() / "c Third.pch", MakePatch("x", 3));
    WriteText(rig.folder.Path() / "notes.txt", "not a patch");
    fs::create_directory(rig.folder.Path() / "sub.pch");
    rig.Store(0, 1, 5, MakePatch("Kept", 7));
    Connect();

    ASSERT_TRUE(rig.Transfer().DownloadFromFolder(Folder(), 1, &rig.report));
    ASSERT_TRUE(rig.RunJob());
    EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFinished) << testing::PrintToString(rig.Report());
    const auto stored = Normalized(rig.Stored(0, 1));
    ASSERT_EQ(stored.size(), 3u) << "positions after the files are emptied";
    EXPECT_EQ(stored[0], std::make_pair(201, Renamed(MakePatch("x", 1), "B First")));
    EXPECT_EQ(stored[1], std::make_pair(202, Renamed(MakePatch("x", 2), "b Second")));
    EXPECT_EQ(stored[2], std::make_pair(203, Renamed(MakePatch("x", 3), "c Third")));
}

TEST_F(BankTransferTest, AFolderWithoutOrWithTooManyPatchFilesDoesNotStart)
{
    Connect();
    EXPECT_FALSE(rig.Transfer().DownloadFromFolder(Folder(), 0, &rig.report));
    EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFailed);
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"Can't find any patch files in the folder."}));

    for (int i = 0; i < 100; ++i)
        WriteText(rig.folder.Path() / ("p" + std::to_string(i) + ".pch"), "");
    EXPECT_FALSE(rig.Transfer().DownloadFromFolder(Folder(), 0, &rig.report));
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"Too many patch files in the folder."}));
    EXPECT_FALSE(rig.Transfer().IsRunning());
}

TEST_F(BankTransferTest, ListPositionsAndFilesThatCannotBeReadEmptyTheirLocations)
{
    const sim::SimPatch good = MakePatch("x", 1);
    sim::WritePatchFile(rig.folder.Path() / "Good.pch", good);
    const std::string text = sim::WritePatchText(MakePatch("x", 2));
    // A module type the catalogue lacks: nothing of the file is applied.
    std::string corrupt = text;
    const size_t module = corrupt.find("\r\n1 7 ");
    ASSERT_NE(module, std::string::npos);
    corrupt.replace(module, 6, "\r\n1 250 ");
    WriteText(rig.folder.Path() / "Corrupt.pch", corrupt);
    // Broken off after the modules: applied as far as read.
    const size_t cables = text.find("[CableDump]");
    ASSERT_NE(cables, std::string::npos);
    WriteText(rig.folder.Path() / "Cut.pch", text.substr(0, cables + 14));
    // Broken off in its header: nothing of a patch is left.
    WriteText(rig.folder.Path() / "Headless.pch", text.substr(0, 40));
    // Found under the name without its extension.
    sim::WritePatchFile(rig.folder.Path() / "Bare", MakePatch("x", 3));
    WriteText(rig.folder.Path() / "Bank.pchList",
              "1 \r\nGood.pch\r\nMissing.pch\r\nCorrupt.pch\r\nCut.pch\r\nHeadless.pch\r\n8 \r\nBare.pch\r\n");
    for (int location = 0; location < 10; ++location)
        rig.Store(0, 0, location, MakePatch("Old", location));
    Connect();

    ASSERT_TRUE(rig.Transfer().DownloadFromListFile(ListFile(), 0, &rig.report));
    ASSERT_TRUE(rig.RunJob());
    EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFinished);
    EXPECT_EQ(rig.Report(),
              (std::vector<std::string>{"102 : Missing : -skipped", "103 : Corrupt : -skipped", "104 : Cut : -fixed",
                                        "105 : Headless : -skipped", "Written: 101, 104, 108",
                                        "Emptied: 102-103, 105-107, 109-199", "Skipped: 102-103, 105"}));
    const auto stored = Normalized(rig.Stored(0, 0));
    ASSERT_EQ(stored.size(), 3u) << "positions 6, 7, 9 and 10 were emptied by the list";
    EXPECT_EQ(stored[0], std::make_pair(101, Renamed(good, "Good")));
    EXPECT_EQ(stored[1].first, 104);
    EXPECT_EQ(stored[1].second.name, "Cut");
    EXPECT_EQ(stored[1].second.areas[1].modules.size(), 3u) << "the modules read before the break";
    EXPECT_TRUE(stored[1].second.areas[1].cables.empty());
    EXPECT_EQ(stored[2], std::make_pair(108, Renamed(MakePatch("x", 3), "Bare")));
}

TEST_F(BankTransferTest, ACorruptListDoesNotStart)
{
    WriteText(rig.folder.Path() / "Bank.pchList", "5 \r\nA.pch\r\n2 \r\nB.pch\r\n");
    Connect();
    EXPECT_FALSE(rig.Transfer().DownloadFromListFile(ListFile(), 0, &rig.report));
    EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFailed);
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"List file corrupt"}));
    EXPECT_FALSE(rig.Transfer().DownloadFromListFile(ListFile("None.pchList"), 0, &rig.report));
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"Can't read dump file"}));
}

TEST_F(BankTransferTest, UploadingAnEmptyBankWritesNoList)
{
    Connect();
    ASSERT_TRUE(rig.Transfer().StartUpload(ListFile(), 0, &rig.report));
    ASSERT_TRUE(rig.RunJob());
    EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFailed);
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"No patches to upload."}));
    EXPECT_TRUE(FilesIn(rig.folder.Path()).empty());
}

TEST_F(BankTransferTest, CancelStopsAtThePositionsEndAndReportsWhatWasDone)
{
    for (int location = 0; location < 6; ++location)
        sim::WritePatchFile(rig.folder.Path() / ("P" + std::to_string(location) + ".pch"), MakePatch("x", location));
    WriteText(rig.folder.Path() / "Bank.pchList", "1 \r\nP0.pch\r\nP1.pch\r\nMissing.pch\r\nP3.pch\r\nP4.pch\r\n");
    Connect();
    ASSERT_TRUE(rig.Transfer().DownloadFromListFile(ListFile(), 0, &rig.report));
    std::vector<uint32_t> progress;
    ASSERT_TRUE(rig.rig.StepUntil([&] {
        progress.push_back(rig.Transfer().GetProgress());
        return rig.Transfer().GetAddress().location == 4;
    }));
    EXPECT_EQ(rig.Transfer().GetCurrentName(), "P3");
    EXPECT_EQ(rig.Transfer().GetProgress(), 4u * 1000 / 99);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    rig.Transfer().RequestAbort();
    ASSERT_TRUE(rig.RunJob());

    EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFailed);
    EXPECT_EQ(rig.Transfer().GetCurrentName(), "");
    EXPECT_EQ(rig.Report(),
              (std::vector<std::string>{"103 : Missing : -skipped", "Written: 101-102, 104-105", "Emptied: 103",
                                        "Skipped: 103", "Aborted by user"}));
    const auto stored = rig.Stored(0, 0);
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[3].first, 105);
}

TEST_F(BankTransferTest, CancelDuringAnUploadKeepsEveryPatchReceived)
{
    for (int location = 0; location < 8; ++location)
        rig.Store(0, 0, location, MakePatch("U" + std::to_string(location), location));
    Connect();
    ASSERT_TRUE(rig.Transfer().StartUpload(ListFile(), 0, &rig.report));
    ASSERT_TRUE(rig.rig.StepUntil([&] { return rig.Transfer().GetAddress().location == 3; }));
    rig.Transfer().RequestAbort();
    ASSERT_TRUE(rig.RunJob());

    EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFailed);
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"Saved: 101-104", "Aborted by user"}));
    EXPECT_EQ(FilesIn(rig.folder.Path()), (std::vector<std::string>{"U0.pch", "U1.pch", "U2.pch", "U3.pch"}))
        << "no list for a bank not uploaded whole";
}

// The program steps a port on the wake-up of an arriving message; a job
// that just started asks for the same wake-up, so its first request goes
// out at once rather than at the next idle tick.
TEST_F(BankTransferTest, AJobsFirstRequestGoesOutOnTheWakeUpOfItsStart)
{
    rig.Store(0, 0, 0, MakePatch("First", 1));
    Connect();
    rig.rig.SynthReceived(0);
    platform::TakeMidiArrival();
    rig.rig.Manager().OnMidiArrival();
    ASSERT_TRUE(rig.rig.SynthReceived(0).empty()) << "a wake-up without a message or a job sends nothing";

    ASSERT_TRUE(rig.Transfer().StartUpload(ListFile(), 0, &rig.report));
    EXPECT_TRUE(platform::TakeMidiArrival()) << "the program's loop is woken";
    rig.rig.Manager().OnMidiArrival();
    EXPECT_EQ(rig.rig.SynthReceived(0).size(), 1u) << "the first position's request, before any idle tick";

    ASSERT_TRUE(rig.RunJob());
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"Saved: 101"}));
    EXPECT_EQ(FilesIn(rig.folder.Path()), (std::vector<std::string>{"Bank.pchList", "First.pch"}));
}

TEST_F(BankTransferTest, MemoryProtectEndsADownload)
{
    rig.Sim(0).Config().memoryProtect = true;
    sim::WritePatchFile(rig.folder.Path() / "A.pch", MakePatch("x", 1));
    WriteText(rig.folder.Path() / "Bank.pchList", "1 \r\nA.pch\r\n");
    Connect();
    ASSERT_TRUE(rig.Transfer().DownloadFromListFile(ListFile(), 0, &rig.report));
    ASSERT_TRUE(rig.RunJob());
    EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFailed);
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"Memory protect on!"}));
}

TEST_F(BankTransferTest, AFileChosenInTheBrowserGoesToOneLocation)
{
    sim::WritePatchFile(rig.folder.Path() / "Chosen.pch", MakePatch("x", 5));
    rig.Store(0, 6, 40, MakePatch("Neighbour", 1));
    Connect();
    ASSERT_TRUE(
        rig.Transfer().DownloadFromFiles(NSHarrowen::CFileSpec(rig.folder.File("Chosen.pch")), {6, 41}, &rig.report));
    EXPECT_EQ(rig.Transfer().GetState(), CBankTransfer::kStateDownloadFile);
    ASSERT_TRUE(rig.RunJob());
    EXPECT_EQ(rig.Transfer().GetResult(), CBankTransfer::kResultFinished);
    EXPECT_EQ(Normalized(rig.Stored(0, 6)),
              (std::vector<std::pair<int, sim::SimPatch>>{{741, Normalized(MakePatch("Neighbour", 1))},
                                                          {742, Renamed(MakePatch("x", 5), "Chosen")}}));

    // A file that cannot be read is only reported: nothing is deleted.
    ASSERT_TRUE(
        rig.Transfer().DownloadFromFiles(NSHarrowen::CFileSpec(rig.folder.File("Gone.pch")), {6, 40}, &rig.report));
    ASSERT_TRUE(rig.RunJob());
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"741 : Gone : -skipped"}));
    EXPECT_EQ(rig.Stored(0, 6).size(), 2u);
}

} // namespace

namespace {

size_t CountContaining(const std::vector<std::string>& log, const std::string& text)
{
    return static_cast<size_t>(std::count_if(
        log.begin(), log.end(), [&](const std::string& line) { return line.find(text) != std::string::npos; }));
}

} // namespace

// While an upload runs at the wire's pace, the user moves between slots (the
// editor tells the synthesizer its focus, beside the positions' requests),
// pastes modules into the patch of a slot (an edit of several frames, each
// answered) and the synthesizer's panel changes its settings: each position
// is asked for once, every patch is saved whole, every module pasted reaches
// the synthesizer, and the editor ends with the panel's settings.
TEST(BankTransferBeside, StateExchangesAndEditsLoseOrRepeatNothing)
{
    sim::SimConfig paced;
    paced.paceAtWireRate = true;
    CFlashRig rig({paced});
    constexpr int kStored = 6;
    for (int location = 0; location < kStored; ++location)
        rig.Store(0, 0, location, MakePatch("U" + std::to_string(location), location));
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.rig.StepUntil([&] { return !rig.Flash().IsScanning(); }));
    rig.Sim(0).ClearLog();
    const size_t modulesBefore = rig.Sim(0).Slot(0).patch.areas[1].modules.size();
    ASSERT_TRUE(rig.Transfer().StartUpload(NSHarrowen::CFileSpec(rig.folder.File("Bank.pchList")), 0, &rig.report));
    sim::SimSettings settings = rig.Sim(0).Settings();
    int step = 0;
    uint8_t pasted = 0;
    ASSERT_TRUE(rig.rig.StepUntil(
        [&] {
            ++step;
            if (step % 20 == 0) {
                rig.rig.Manager().SelectSlot(0, static_cast<uint8_t>(step / 20 % 4));
                settings.masterTune = static_cast<int8_t>(step % 100);
                rig.rig.SimPort(0).With([&](sim::CSimulator& s) {
                    s.PanelSettings(settings);
                    return 0;
                });
            } else if (step % 20 == 7 && pasted < 60) {
                CMoleculePacket paste;
                for (int i = 0; i < 12; ++i, ++pasted)
                    paste.Append(std::make_unique<CMModuleNew>(1, static_cast<uint8_t>(pasted + 1), 19, 4,
                                                               static_cast<uint8_t>(pasted), "Pasted mixer"));
                paste.SetSlot(0);
                rig.Synth().SendPatchEdit(paste);
            }
            return !rig.Transfer().IsRunning();
        },
        20000));
    const std::vector<std::string> log = rig.rig.SynthLog(0);
    EXPECT_EQ(CountContaining(log, "FlashDumpRequest"), 99u);
    EXPECT_EQ(CountContaining(log, "repeated frame"), 0u);
    EXPECT_GT(CountContaining(log, "SlotFocusDump"), 1u);
    EXPECT_GT(CountContaining(log, "part of a packet"), 1u);
    EXPECT_EQ(rig.Report(), (std::vector<std::string>{"Saved: 101-106"}));
    for (int location = 0; location < kStored; ++location) {
        const std::string name = "U" + std::to_string(location);
        EXPECT_EQ(Normalized(sim::ReadPatchFile(rig.folder.Path() / (name + ".pch"))),
                  Renamed(MakePatch(name, location), name));
    }
    rig.rig.Steps(10);
    EXPECT_EQ(rig.Sim(0).Slot(0).patch.areas[1].modules.size(), modulesBefore + pasted);
    EXPECT_EQ(rig.Synth().GetSettings().GetMasterTune(), settings.masterTune);
}
