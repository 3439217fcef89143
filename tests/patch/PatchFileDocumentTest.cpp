// A document saved to its patch file and opened again.
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "patch/area/PatchBackground.h"
#include "patch/PatchError.h"
#include "patch/files/PatchFileDumps.h"
#include "tests/patch/PatchFileTestSupport.h"
#include "tests/support/SourceTree.h"
#include "tests/support/TempDir.h"
#include "tests/support/patch/PatchTestFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

namespace {

using namespace patchfixtures;

constexpr uint8_t kOscA = 7;
constexpr uint8_t kMixer = 19;

class PatchFileDocumentTest : public testsupport::PatchTestFixture {
protected:
    NSHarrowen::CFileSpec Spec(const std::string& name) const { return NSHarrowen::CFileSpec(dir.File(name)); }

    std::string Save(CPatch& document, const std::string& name)
    {
        EXPECT_TRUE(document.SaveToFile(Spec(name)));
        return testsupport::ReadFileBytes(dir.File(name));
    }

    std::unique_ptr<CPatchFileContent> ReadContent(const std::string& name)
    {
        auto content = std::make_unique<CPatchFileContent>();
        ReadPatchFile(Spec(name), *content);
        return content;
    }

    // A patch of real module types in both areas with every section filled:
    // header, modules, a cable, every parameter, names, custom data, the
    // three maps with the morph knobs' positions, current notes and notes.
    void WriteStartFile(const std::string& name)
    {
        const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
        const CModuleTypeInfoInterface& info = catalogue;
        uint8_t customType = 1;
        while (!info.HasType(customType) || info.GetCustomValueCount(customType) == 0)
            ++customType;
        uint8_t morphable = 0;
        while (!catalogue.GetBuilder(kOscA).IsMorphAllowed(morphable))
            ++morphable;

        CPatchFileDumps dumps;
        CPatchHeader& header = dumps.header->GetHeader();
        header.SetVoices(5);
        header.SetBendRange(12);
        header.SetOctShift(1);
        header.SetSplitPosition(900);
        header.SetCableVisible(4, 0);
        for (uint8_t area = 0; area < 2; ++area) {
            const uint8_t types[] = {kOscA, kMixer, customType};
            for (uint8_t i = 0; i < 3; ++i) {
                const auto index = static_cast<uint8_t>(i + 1);
                dumps.modules[area]->AddModule(index, types[i], area, static_cast<uint8_t>(i * 6));
                dumps.params[area]->AddModule(index, types[i]);
                for (uint8_t p = 0; p < info.GetParamCount(types[i]); ++p)
                    dumps.params[area]->SetParameter(
                        index, types[i], p, static_cast<uint8_t>((p * 3 + area) % (info.GetParamMax(types[i], p) + 1)));
                dumps.names[area]->AddName(index, "Module " + std::to_string(index + area * 10));
                std::vector<uint8_t> custom(info.GetCustomValueCount(types[i]));
                std::iota(custom.begin(), custom.end(), static_cast<uint8_t>(area + i + 1));
                if (!custom.empty())
                    dumps.custom[area]->SetData(index, custom);
            }
            uint8_t kind = 0;
            ASSERT_TRUE(info.GetJackKind(kOscA, true, 0, kind));
            dumps.cables[area]->AddCable(CableColourOfSignalKind(kind), {2, 0, 0}, {1, 0, 1});
        }
        for (uint8_t group = 0; group < 4; ++group)
            dumps.morphs->SetGroupValue(group, static_cast<uint8_t>(10 * group + 5));
        dumps.morphs->SetKeyboardAssignment(1, 2);
        dumps.morphs->AddAssignment(ParamAddress{1, 1, morphable}, 2, -30);
        dumps.knobs->SetAssignment(4, ParamAddress{1, 1, 0});
        dumps.knobs->SetAssignment(22, ParamAddress{2, 1, 3});
        dumps.controllers->AddAssignment(ParamAddress{0, 2, 0}, 7);
        dumps.notes->SetFirstEntry({60, 100, 0});
        dumps.notes->SetEntry(0, {62, 90, 1});
        dumps.notes->SetEntry(1, {64, 80, 0});
        dumps.notes->SetCount(2);
        CMoleculePacket packet;
        dumps.MoveTo(packet);
        WritePatchFile(Spec(name), packet, "Lead line\rsecond line\r");
    }

    testsupport::TempDir dir;
};

TEST_F(PatchFileDocumentTest, ADocumentReadsBackFromItsFileAsItWas)
{
    WriteStartFile("Start.pch");
    CPatch first;
    first.Open(Spec("Start.pch"));
    EXPECT_EQ(first.GetArea(1)->GetModules().GetCount(), 3u);
    EXPECT_EQ(first.GetArea(0)->GetModules().GetCount(), 3u);
    EXPECT_EQ(first.GetNotes(), "Lead line\rsecond line\r");
    const std::string firstBytes = Save(first, "First.pch");

    // Everything the start file held went through the document.
    const auto start = ReadContent("Start.pch");
    const auto saved = ReadContent("First.pch");
    patchtest::ExpectSameDumps(saved->dumps, start->dumps);

    CPatch second;
    second.Open(Spec("First.pch"));
    EXPECT_EQ(second.GetName(), "First");
    CMoleculePacket firstDumps;
    CMoleculePacket secondDumps;
    first.BuildPatchDump(firstDumps);
    second.BuildPatchDump(secondDumps);
    patchtest::ExpectSameDumps(secondDumps, firstDumps);
    EXPECT_EQ(second.GetNotes(), first.GetNotes());
    EXPECT_EQ(Save(second, "Second.pch"), firstBytes);
}

TEST_F(PatchFileDocumentTest, CurrentNotesAFileDoesNotHoldAreSixtyFourZeroZeroThroughout)
{
    const struct {
        const char* what;
        std::string file;
    } cases[] = {
        {"version 2.10", "Version=Vesk Kandrel patch 2.10\r\nVoices=4\r\n"},
        {"version 3.0 without current notes", patchtest::File30("")},
    };
    for (const auto& c : cases) {
        testsupport::WriteFileBytes(dir.File("Old.pch"), c.file);
        CPatch document;
        document.Open(Spec("Old.pch"));
        CMoleculePacket dumps;
        document.BuildPatchDump(dumps);
        const auto& notes = DumpAt<CMCurrentNotesDump>(dumps, kNotesAt);
        EXPECT_EQ(notes.GetCount(), 1) << c.what;
        for (uint8_t i = 0; i < CMCurrentNotesDump::kMaxEntries; ++i)
            EXPECT_EQ(notes.GetEntry(i), (CNoteEntry{64, 0, 0})) << c.what << ", entry " << int(i);
        EXPECT_THAT(Save(document, "Saved.pch"),
                    ::testing::HasSubstr("[CurrentNoteDump]\r\n64 0 0 64 0 0 \r\n[/CurrentNoteDump]\r\n"))
            << c.what;
    }
}

TEST_F(PatchFileDocumentTest, NamesAreSavedInModuleIndexOrder)
{
    testsupport::WriteFileBytes(dir.File("Mixed.pch"),
                                patchtest::File30("[ModuleDump]\r\n1 \r\n3 7 0 0 \r\n1 7 0 6 \r\n2 7 0 12 \r\n"
                                                  "[/ModuleDump]\r\n[NameDump]\r\n1 \r\n3 Three\r\n1 One\r\n"
                                                  "2 Two\r\n[/NameDump]\r\n"));
    CPatch document;
    document.Open(Spec("Mixed.pch"));
    ASSERT_EQ(document.GetArea(1)->GetModules().GetCount(), 3u);
    EXPECT_THAT(Save(document, "Saved.pch"),
                ::testing::HasSubstr("[NameDump]\r\n1 \r\n1 One\r\n2 Two\r\n3 Three\r\n[/NameDump]\r\n"));
}

TEST_F(PatchFileDocumentTest, AFileThatBreaksOffIsAppliedAsFarAsItGoesThenReported)
{
    WriteStartFile("Start.pch");
    std::string text = testsupport::ReadFileBytes(dir.File("Start.pch"));
    // Cut inside the area-0 parameters: both module lists and the area-1
    // parameters are in, the rest is missing.
    const size_t areaZeroParams = text.find("[ParameterDump]\r\n0 \r\n");
    ASSERT_NE(areaZeroParams, std::string::npos);
    text.resize(areaZeroParams + 26);
    testsupport::WriteFileBytes(dir.File("Cut.pch"), text);

    CPatch cut;
    try {
        cut.Open(Spec("Cut.pch"));
        FAIL() << "the break was not reported";
    } catch (const XFileBase& error) {
        EXPECT_EQ(error.GetNumber(), 2u);
        EXPECT_EQ(error.GetText(), "File Corrupt");
        EXPECT_TRUE(error.WasRaisedAfterApplying());
    }
    EXPECT_EQ(cut.GetArea(1)->GetModules().GetCount(), 3u);
    EXPECT_EQ(cut.GetArea(0)->GetModules().GetCount(), 3u);
    EXPECT_EQ(cut.GetName(), "Cut");

    // A value beyond its limit applies nothing.
    text = testsupport::ReadFileBytes(dir.File("Start.pch"));
    const size_t firstModule = text.find("[ModuleDump]\r\n1 \r\n1 ");
    ASSERT_NE(firstModule, std::string::npos);
    text.replace(firstModule + 18, 1, "200");
    testsupport::WriteFileBytes(dir.File("Bad.pch"), text);
    CPatch bad;
    try {
        bad.Open(Spec("Bad.pch"));
        FAIL() << "a module index of 200 was taken";
    } catch (const XFileBase& error) {
        EXPECT_EQ(error.GetText(), "File Corrupt");
        EXPECT_FALSE(error.WasRaisedAfterApplying());
    }
    EXPECT_TRUE(bad.GetArea(1)->GetModules().IsEmpty());
}

} // namespace

// What the patch-file fuzz target starts from: every seed that opens without
// an error is saved, opened and saved again to the same bytes.
TEST_F(PatchFileDocumentTest, EverySeedThatOpensSavesAndSavesAgainToTheSameBytes)
{
    std::vector<std::string> seeds = WriteSeedPatchFiles(dir.File("."));
    const std::filesystem::path corpus = testsupport::SourcePath("tests/fuzz/corpus/patch_file");
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        seeds.push_back(entry.path().string());
    ASSERT_GT(seeds.size(), 3u);

    size_t opened = 0;
    for (const std::string& seed : seeds) {
        SCOPED_TRACE(seed);
        CPatch first;
        try {
            first.Open(NSHarrowen::CFileSpec(seed));
        } catch (const XTorvanBase&) {
            continue; // refused or partly applied: what the fuzzer starts from, not a patch to keep
        }
        ++opened;
        const std::string once = Save(first, "Once.pch");
        CPatch second;
        second.Open(Spec("Once.pch"));
        EXPECT_EQ(Save(second, "Twice.pch"), once);
    }
    EXPECT_GE(opened, 3u);
}

// The largest patch a person can build (both areas full of the widest type,
// 255 cables each, every map full) saves to a file that opens again.
TEST_F(PatchFileDocumentTest, TheLargestPatchSavedOpensAgain)
{
    CMoleculePacket shape;
    BuildPatch(LargestShape(), shape);
    try {
        patch.ApplyMoleculeList(shape);
    } catch (const XTorvanBase&) {
        // over-long names and extra morphs are refused; the rest is applied
    }
    for (const int areaIndex : {0, 1}) {
        CPatchBackground& area = *patch.GetArea(areaIndex);
        const uint8_t inputs = area.GetModules().At(0)->GetJackCount(false);
        for (uint8_t jack = 0; jack < inputs; ++jack)
            for (uint8_t to = 1; to <= 127 && area.GetStore().GetCableCount() < CCableTree::kMaxCables; ++to)
                for (uint8_t from = 1; from <= 127; ++from) {
                    try {
                        area.ConnectCable(CableEntry{JackAddress{from, 0, 1}, JackAddress{to, jack, 0}, 0});
                        break;
                    } catch (const XPatchError&) { }
                }
        ASSERT_EQ(area.GetModules().GetCount(), 127u);
        ASSERT_EQ(area.GetStore().GetCableCount(), CCableTree::kMaxCables);
    }
    patch.ClearChangeFlags();
    const std::string saved = Save(patch, "Largest.pch");
    CPatch reopened;
    try {
        reopened.Open(Spec("Largest.pch"));
    } catch (const XTorvanBase& error) {
        FAIL() << error.GetText();
    }
}
