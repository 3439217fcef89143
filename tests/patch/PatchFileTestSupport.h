#pragma once

#include "framework/files/FileSpec.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "patch/files/PatchFile.h"
#include "tests/patch/PatchFileFixtures.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace patchtest {

using namespace patchfixtures;

// Patch file tests read and write real files, with the module catalogue
// installed as the application installs it.
class PatchFileTest : public ::testing::Test {
protected:
    PatchFileTest() : previous_(GetModuleTypeInfo()) { SetModuleTypeInfo(&GetSharedModuleCatalogue()); }
    ~PatchFileTest() override { SetModuleTypeInfo(previous_); }

    NSHarrowen::CFileSpec Spec(const std::string& name = "patch.pch") const
    {
        return NSHarrowen::CFileSpec(dir.File(name));
    }

    // Reads the bytes as a patch file.
    std::unique_ptr<CPatchFileContent> Read(const std::string& bytes)
    {
        testsupport::WriteFileBytes(dir.File("read.pch"), bytes);
        auto content = std::make_unique<CPatchFileContent>();
        ReadPatchFile(Spec("read.pch"), *content);
        return content;
    }

    // "number: text" of the XFileBase that reading the bytes throws, or "".
    std::string ReadError(const std::string& bytes)
    {
        try {
            Read(bytes);
        } catch (const XFileBase& error) {
            return std::to_string(error.GetNumber()) + ": " + error.GetText();
        }
        return {};
    }

    // The bytes of the file written from the dumps and notes.
    std::string Write(const CMoleculePacket& dumps, const std::string& notes)
    {
        WritePatchFile(Spec("write.pch"), dumps, notes);
        return testsupport::ReadFileBytes(dir.File("write.pch"));
    }

    testsupport::TempDir dir;

private:
    const CModuleTypeInfoInterface* previous_;
};

// A version 3.0 file of the header's default values, the given sections and
// empty notes.
inline std::string File30(const std::string& sections, const std::string& notes = "[Notes]\r\n[/Notes]\r\n")
{
    return "[Header]\r\nVersion=Vesk Kandrel patch 3.0\r\n"
           "0 127 0 127 2 0 0 1 600 2 1 1 1 1 1 1 1 1 1 1 1 1 1 \r\n[/Header]\r\n" +
        sections + notes;
}

// Every dump of two read or built packets holds the same.
inline void ExpectSameDumps(const CMoleculePacket& a, const CMoleculePacket& b)
{
    ASSERT_EQ(a.GetCount(), kDumpCount);
    ASSERT_EQ(b.GetCount(), kDumpCount);
    EXPECT_EQ(DumpAt<CMPatchHeaderDump>(a, kHeaderAt).GetHeader(), DumpAt<CMPatchHeaderDump>(b, kHeaderAt).GetHeader());
    for (const uint32_t at : {kModules1At, kModules0At})
        EXPECT_EQ(DumpAt<CMModuleDump>(a, at).GetModules(), DumpAt<CMModuleDump>(b, at).GetModules()) << at;
    const auto& notesA = DumpAt<CMCurrentNotesDump>(a, kNotesAt);
    const auto& notesB = DumpAt<CMCurrentNotesDump>(b, kNotesAt);
    EXPECT_EQ(notesA.GetFirstEntry(), notesB.GetFirstEntry());
    ASSERT_EQ(notesA.GetCount(), notesB.GetCount());
    for (uint8_t i = 0; i < notesA.GetCount(); ++i)
        EXPECT_EQ(notesA.GetEntry(i), notesB.GetEntry(i)) << "note " << int(i);
    for (const uint32_t at : {kCables1At, kCables0At})
        EXPECT_EQ(DumpAt<CMCableDump>(a, at).GetCables(), DumpAt<CMCableDump>(b, at).GetCables()) << at;
    for (const uint32_t at : {kParams1At, kParams0At})
        EXPECT_EQ(DumpAt<CMModuleParamDump>(a, at).GetModules(), DumpAt<CMModuleParamDump>(b, at).GetModules()) << at;
    const auto& morphsA = DumpAt<CMMorphMapDump>(a, kMorphsAt);
    const auto& morphsB = DumpAt<CMMorphMapDump>(b, kMorphsAt);
    EXPECT_EQ(morphsA.GetEntries(), morphsB.GetEntries());
    for (uint8_t group = 0; group < CMMorphMapDump::kGroupCount; ++group) {
        EXPECT_EQ(morphsA.GetGroupValue(group), morphsB.GetGroupValue(group)) << "group " << int(group);
        EXPECT_EQ(morphsA.GetKeyboardAssignment(group), morphsB.GetKeyboardAssignment(group)) << "group " << int(group);
    }
    for (uint8_t knob = 0; knob < CMKnobMapDump::kKnobCount; ++knob)
        EXPECT_EQ(DumpAt<CMKnobMapDump>(a, kKnobsAt).GetAssignment(knob),
                  DumpAt<CMKnobMapDump>(b, kKnobsAt).GetAssignment(knob))
            << "knob " << int(knob);
    // A file holds the controller lines in parameter order, as the map does.
    const auto byParam = [](const CMoleculePacket& packet) {
        std::vector<std::pair<ParamAddress, uint8_t>> entries;
        for (const CCtrlMapEntry& entry : DumpAt<CMCtrlMapDump>(packet, kCtrlsAt).GetEntries())
            entries.emplace_back(entry.address, entry.controller);
        std::sort(entries.begin(), entries.end());
        return entries;
    };
    EXPECT_EQ(byParam(a), byParam(b));
    for (const uint32_t at : {kCustom1At, kCustom0At})
        EXPECT_EQ(DumpAt<CMModuleCustomDataDump>(a, at).GetData(), DumpAt<CMModuleCustomDataDump>(b, at).GetData())
            << at;
    for (const uint32_t at : {kNames1At, kNames0At})
        EXPECT_EQ(DumpAt<CMModuleNameDump>(a, at).GetNames(), DumpAt<CMModuleNameDump>(b, at).GetNames()) << at;
}

} // namespace patchtest
