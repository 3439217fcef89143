// Writes the fuzz targets' seed corpus with the project's own writers: patch
// files and patch lists as the editor saves them, the editor's frames as its
// send queues build them, the simulated synthesizer's answers to those, the
// compiled-in resources and pictures, and synthetic update images.
//
// Usage: fuzz_seeds FOLDER (one subfolder per target).

#include "editor/prefs/Preferences.h"
#include "framework/application/ApplicationValues.h"
#include "framework/application/StartupRecord.h"
#include "framework/files/DirSpec.h"
#include "framework/files/FileSpec.h"
#include "framework/resources/ResourceModule.h"
#include "framework/resources/TextTable.h"
#include "modules/ModuleCatalogueContent.h"
#include "patch/files/PatchFile.h"
#include "resources/BootwrenResources.h"
#include "resources/HarrowenResources.h"
#include "resources/PictureResources.h"
#include "simulator/SimCatalogueTypes.h"
#include "simulator/SimPatchFile.h"
#include "simulator/Simulator.h"
#include "synth/files/PatchListFile.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/FlashMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/ParamMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/molecules/SynthMolecules.h"
#include "tests/integration/EditorLink.h"
#include "tests/patch/PatchFileFixtures.h"
#include "simulator/update/SimUpdateSynth.h"
#include "tests/updater/support/SyntheticImages.h"
#include "updater/link/UpdateMessages.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

class CSeedFolder {
public:
    CSeedFolder(const fs::path& root, const std::string& target) : path_(root / target)
    {
        fs::create_directories(path_);
    }
    const fs::path& Path() const { return path_; }
    // A seed of a leading choice byte (none when negative) and the bytes.
    void Add(const Bytes& bytes, int choice = -1)
    {
        Bytes seed;
        if (choice >= 0)
            seed.push_back(static_cast<uint8_t>(choice));
        seed.insert(seed.end(), bytes.begin(), bytes.end());
        std::ofstream out(path_ / ("seed-" + std::to_string(count_++)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(seed.data()), static_cast<std::streamsize>(seed.size()));
    }

private:
    fs::path path_;
    int count_ = 0;
};

Bytes ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

Bytes Join(const std::vector<Bytes>& parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Wire bytes as the receive targets take them: a count of buffer lengths,
// the lengths, then the bytes.
Bytes InCuts(const Bytes& wire, const Bytes& cuts = {})
{
    Bytes seed{static_cast<uint8_t>(cuts.size())};
    seed.insert(seed.end(), cuts.begin(), cuts.end());
    seed.insert(seed.end(), wire.begin(), wire.end());
    return seed;
}

std::vector<Bytes> PatchDumpFrames(const CMoleculePacket& packet)
{
    linktest::Molecules molecules;
    for (uint32_t i = 0; i < packet.GetCount(); ++i)
        molecules.push_back(&packet.At(i));
    return linktest::QueuedFrames(molecules, 0, 1);
}

void WritePatchSeeds(const fs::path& root, const fs::path& patchFolder)
{
    CSeedFolder files(root, "patch_file");
    for (const std::string& path : patchfixtures::WriteSeedPatchFiles(patchFolder.string()))
        files.Add(ReadBytes(path));
}

void WriteLinkSeeds(const fs::path& root, const fs::path& patchFolder)
{
    CSeedFolder toSynth(root, "simulator_codec");
    CSeedFolder fromSynth(root, "sysex_receive");
    const auto identify = MakeIdentifyFrame();
    const Bytes identifyFrame(identify.begin(), identify.end());

    CMoleculePacket patch;
    patchfixtures::CPatchShape shape;
    shape.types = {7, 19};
    patchfixtures::BuildPatch(shape, patch);
    const Bytes dump = Join(PatchDumpFrames(patch));
    CMModuleRequest modules(1);
    CMCableRequest cables(0);
    CMKnobMapRequest knobs;
    const Bytes requests = Join(linktest::QueuedFrames({&modules, &cables, &knobs}, 0, 1));

    for (uint8_t model = 0; model < 3; ++model)
        toSynth.Add(InCuts(identifyFrame), model);
    toSynth.Add(InCuts(Join({identifyFrame, dump})), 0);
    toSynth.Add(InCuts(Join({identifyFrame, dump, requests}), {5, 200, 17}), 1);
    toSynth.Add(InCuts(requests), 2);

    // What the synthesizer sends: its identify reply, its answers, and a
    // patch changed on its own panel.
    sim::CSimulator synth(sim::SimConfig{}, sim::CatalogueTypes());
    std::vector<Bytes> sent;
    auto exchange = [&](const Bytes& bytes) {
        synth.Receive(bytes);
        synth.AdvanceMs(2000);
        for (Bytes& buffer : synth.TakeOutput())
            sent.push_back(std::move(buffer));
    };
    exchange(identifyFrame);
    exchange(dump);
    exchange(requests);
    synth.PanelPatchChange(1, sim::ReadPatchFile(patchFolder / "Seed 0.pch"));
    synth.AdvanceMs(2000);
    for (Bytes& buffer : synth.TakeOutput())
        sent.push_back(std::move(buffer));
    for (const Bytes& buffer : sent)
        fromSynth.Add(InCuts(buffer));
    fromSynth.Add(InCuts(Join(sent), {3, 64, 255, 1}));

    // The answer to every request the editor makes, each a seed of its own,
    // for the slots and the synthesizer as a whole: settings, maps, names,
    // notes, parameter values and the flash.
    CMPatchHeaderRequest header;
    CMPatchNameRequest name;
    CMCurrentNotesRequest notes;
    CMCtrlMapRequest controllers;
    CMMorphMapRequest morphs;
    CMParamFocusRequest focus;
    CMSynthDataRequest synthData;
    CMNumberOfVoicesRequest voices;
    CMSlotSelectionRequest selection;
    CMSlotFocusRequest slotFocus;
    CMSessionNumberRequest session;
    CMFlashDumpRequest flashDump;
    CMFlashDataRequest flashData;
    std::vector<const CMolecule*> asked{&header,  &name,      &notes,    &controllers, &morphs,
                                        &focus,   &synthData, &voices,   &selection,   &slotFocus,
                                        &session, &flashDump, &flashData};
    std::vector<std::unique_ptr<CMolecule>> areaRequests;
    for (uint8_t area = 0; area < 3; ++area) {
        areaRequests.push_back(std::make_unique<CMModuleRequest>(area));
        areaRequests.push_back(std::make_unique<CMCableRequest>(area));
        areaRequests.push_back(std::make_unique<CMModuleParamRequest>(area));
        areaRequests.push_back(std::make_unique<CMModuleNameRequest>(area));
        areaRequests.push_back(std::make_unique<CMModuleCustomDataRequest>(area));
    }
    for (const auto& request : areaRequests)
        asked.push_back(request.get());
    for (uint8_t slot = 0; slot < 4; ++slot) {
        for (const CMolecule* request : asked) {
            for (const Bytes& frame : linktest::QueuedFrames({request}, slot, slot + 1))
                synth.Receive(frame);
            synth.AdvanceMs(2000);
            Bytes answer;
            for (Bytes& buffer : synth.TakeOutput())
                answer.insert(answer.end(), buffer.begin(), buffer.end());
            if (!answer.empty())
                fromSynth.Add(InCuts(answer));
        }
    }
}

void WriteResourceSeeds(const fs::path& root)
{
    CSeedFolder resources(root, "resources");
    const std::vector<std::pair<const char*, int>> tables{{"SSTR", 0}, {"SALR", 1}, {"SMNU", 2}};
    for (const NSHarrowen::CResourceModule* module : {&HarrowenResources(), &BootwrenResources()}) {
        for (const auto& [type, choice] : tables) {
            module->ForEach(type, [&](const NSHarrowen::CResourceEntry& entry) {
                resources.Add(Bytes(entry.data, entry.data + entry.size), choice);
                // The scripts the table holds, each alone.
                NSHarrowen::CTextTable table(type, static_cast<uint16_t>(entry.id));
                NSHarrowen::ParseResourceTable({entry.data, entry.size}, table);
                for (int i = 0; i < NSHarrowen::CTextTable::kEntryCount && choice > 0; ++i) {
                    if (const std::string* text = table.Entry(i))
                        resources.Add(Bytes(text->begin(), text->end()), choice == 1 ? 3 : 4);
                }
            });
        }
        module->ForEach("DLOG", [&](const NSHarrowen::CResourceEntry& entry) {
            resources.Add(Bytes(entry.data, entry.data + entry.size), 5);
        });
    }
}

void WriteImageSeeds(const fs::path& root)
{
    CSeedFolder images(root, "images");
    // A few of each kind, smallest first, keep the corpus small.
    auto addSmallest = [&](const char* type, int choice, size_t count) {
        std::vector<Bytes> found;
        PictureResources().ForEach(type, [&](const NSHarrowen::CResourceEntry& entry) {
            found.emplace_back(entry.data, entry.data + entry.size);
        });
        std::sort(found.begin(), found.end(), [](const Bytes& a, const Bytes& b) { return a.size() < b.size(); });
        for (size_t i = 0; i < found.size() && i < count; ++i)
            images.Add(found[i], choice + static_cast<int>(i % 4));
    };
    addSmallest("JPEG", 0, 8);
    addSmallest("SMTB", 0x80, 3);
    addSmallest("CBMP", 0x80, 3);
}

void WriteListSeeds(const fs::path& root, const fs::path& folder)
{
    CSeedFolder lists(root, "patch_list");
    std::vector<std::string> third(CPatchListFile::kPositions);
    for (size_t i = 2; i < third.size(); i += 3)
        third[i] = "Third " + std::to_string(i + 1) + ".pch";
    std::vector<std::string> lastOnly(CPatchListFile::kPositions);
    lastOnly.back() = "Last.pch";
    const std::vector<std::vector<std::string>> orders{
        {"First.pch", "", "", "Fourth.pch", "Fifth.pch"},
        {"Only.pch"},
        std::vector<std::string>(CPatchListFile::kPositions, "Every.pch"),
        {"", "", "Three.pch", "Four.pch"},
        third,
        lastOnly,
        {"A name with blanks.pch", "Caf\xC3\xA9.pch", "x.pch.pch", "", "[Section].pch"},
    };
    int count = 0;
    for (const auto& order : orders) {
        const fs::path path = folder / ("Seed " + std::to_string(count++) + ".pchList");
        CPatchListFile list;
        if (!list.Write(NSHarrowen::CFileSpec(path.string()), order))
            throw std::runtime_error("patch list not written: " + list.GetFailure());
        lists.Add(ReadBytes(path));
    }
}

void WriteUpdateSeeds(const fs::path& root)
{
    CSeedFolder images(root, "update_image");
    images.Add(updatertest::SmallSyntheticImage(64).Bytes());
    updatertest::SyntheticImage commented = updatertest::SmallSyntheticImage(16, "Kandrel");
    commented.comment = "Synthetic";
    images.Add(commented.Bytes());
    updatertest::SyntheticImage lying = updatertest::SmallSyntheticImage(8);
    lying.lengthDelta = 1;
    images.Add(lying.Bytes());
}

void WritePreferencesSeeds(const fs::path& root, const fs::path& folder)
{
    CSeedFolder seeds(root, "preferences");
    ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    const auto file = NSHarrowen::MakeWindowsDirSpec()->MakeFileSpec(CPreferences::kFileName);
    fs::create_directories(file->GetDirectoryPath());
    CPreferences defaults;
    defaults.Save();
    seeds.Add(ReadBytes(file->GetFullPath()));
    CPreferences changed;
    changed.SetPortEnabled(0, true);
    changed.SetPortInputName(0, "Kandrel In");
    changed.SetPortOutputName(0, "Kandrel Out");
    changed.SetPortEnabled(3, true);
    changed.SetCableStyle(2);
    changed.SetKeyboardSettings(72, CPreferences::kKeyboardRepeat);
    changed.notesFloater = {NSHarrowen::CRect(10, 20, 300, 200), true};
    changed.Save();
    seeds.Add(ReadBytes(file->GetFullPath()));
}

void WriteValueSeeds(const fs::path& root)
{
    CSeedFolder values(root, "value_files");
    NSHarrowen::CWindowPlacement placement;
    placement.left = 10;
    placement.top = 20;
    placement.right = 810;
    placement.bottom = 620;
    const auto normal = placement.ToBytes();
    values.Add(Bytes(normal.begin(), normal.end()));
    placement.showState = NSHarrowen::CWindowPlacement::kShowMaximized;
    const auto maximized = placement.ToBytes();
    values.Add(Bytes(maximized.begin(), maximized.end()));
    values.Add(Bytes{1});
}

// Command lines as a start joins its arguments, naming what the target's
// folder holds.
void WriteCommandLineSeeds(const fs::path& root)
{
    CSeedFolder lines(root, "command_line");
    const std::vector<std::vector<const char*>> starts{
        {"Patchora", "my patch.pch"},
        {"Patchora", "b.pch", "a folder", "a"},
        {"Patchora", "x\"y.pch", "missing.pch"},
        {"Patchora"},
    };
    for (const auto& argv : starts) {
        const std::string line = NSHarrowen::JoinCommandLine(static_cast<int>(argv.size()), argv.data());
        lines.Add(Bytes(line.begin(), line.end()));
    }
    const std::string unquoted = "my patch.pch  \"a folder\" b.pch";
    lines.Add(Bytes(unquoted.begin(), unquoted.end()));
}

// The update-mode synthesizer's answers to an identify request, in the cuts
// it sends them, under its faults.
void WriteUpdateReplySeeds(const fs::path& root)
{
    CSeedFolder replies(root, "update_replies");
    const Bytes request = NSBootwren::MakeIdentifyRequest(6);
    const std::vector<std::function<void(sim::CSimUpdateSynth&)>> setups{
        [](sim::CSimUpdateSynth&) {},
        [](sim::CSimUpdateSynth& s) { s.Config().replyLength = 11; },
        [](sim::CSimUpdateSynth& s) { s.Config().replyLength = 12; },
        [](sim::CSimUpdateSynth& s) { s.Config().updateMode = false; },
        [](sim::CSimUpdateSynth& s) { s.Config().modelByte = 1; },
        [](sim::CSimUpdateSynth& s) { s.Faults().replyKind = 0x09; },
        [](sim::CSimUpdateSynth& s) { s.Faults().otherMaker = true; },
        [](sim::CSimUpdateSynth& s) { s.Faults().splitReply = true; },
        [](sim::CSimUpdateSynth& s) { s.Faults().twoInOneBlock = true; },
        [](sim::CSimUpdateSynth& s) { s.Faults().oversizedFirst = true; },
    };
    for (const auto& setup : setups) {
        sim::CSimUpdateSynth synth;
        setup(synth);
        synth.Receive(request.data(), request.size(), 0);
        Bytes cuts;
        Bytes wire;
        for (const sim::SimUpdateOutput& block : synth.TakeDue(1000000)) {
            cuts.push_back(static_cast<uint8_t>(std::min<size_t>(block.bytes.size(), 255)));
            wire.insert(wire.end(), block.bytes.begin(), block.bytes.end());
        }
        if (cuts.size() > 15)
            cuts.resize(15);
        replies.Add(InCuts(wire, cuts), 1);
    }
}

// Trees of odd entries: kind, folder index, name length, name.
void WriteFolderSeeds(const fs::path& root)
{
    CSeedFolder trees(root, "folder_walkers");
    auto entry = [](uint8_t kind, uint8_t folder, const std::string& name) {
        Bytes bytes{kind, folder, static_cast<uint8_t>(name.size())};
        bytes.insert(bytes.end(), name.begin(), name.end());
        return bytes;
    };
    trees.Add(Join({entry(0, 0, "Bass.pch"), entry(2, 0, "Pipe.pch"), entry(1, 0, "Sub"), entry(0, 1, "Lead.pch"),
                    entry(4, 1, "Gone.pch"), entry(5, 0, "Loop.pch"), entry(6, 0, "Closed"), entry(7, 0, "Locked.pch"),
                    entry(8, 1, "Up")}));
    trees.Add(Join({entry(0, 0, std::string(250, 'n') + ".pch"), entry(0, 0, "\xff\xfe\x80.pch"),
                    entry(1, 0, std::string(255, 'd')), entry(2, 1, "x.pch"), entry(3, 0, "Link.pch")}));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds FOLDER\n";
        return 2;
    }
    try {
        const fs::path root = argv[1];
        const fs::path scratch = root / "scratch";
        fs::create_directories(scratch);
        InstallSharedModuleTypeInfo();
        WritePatchSeeds(root, scratch);
        WriteLinkSeeds(root, scratch);
        // The port's whole receive path takes the same wire bytes.
        fs::copy(root / "sysex_receive", root / "synth_port");
        WriteResourceSeeds(root);
        WriteImageSeeds(root);
        WriteListSeeds(root, scratch);
        WriteUpdateSeeds(root);
        WritePreferencesSeeds(root, scratch);
        WriteValueSeeds(root);
        WriteCommandLineSeeds(root);
        WriteUpdateReplySeeds(root);
        WriteFolderSeeds(root);
        fs::remove_all(scratch);
    } catch (const std::exception& error) {
        std::cerr << "fuzz_seeds: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
