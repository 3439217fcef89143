#include "patch/files/PatchFileDumps.h"
#include "synth/files/SectionedTextFile.h"
#include "tests/patch/PatchFileTestSupport.h"

#include <gmock/gmock.h>

namespace {

using namespace patchtest;

// The layout: a patch with the default header, one module of type 7 (index
// 1, column 0, row 2) in area 1 with three values, the name Bass, notes Lead
// and the current notes a new patch has.
TEST_F(PatchFileTest, WritesTheSectionsInTheirOrder)
{
    CPatchFileDumps dumps;
    dumps.modules[1]->AddModule(1, 7, 0, 2);
    dumps.params[1]->SetParameter(1, 7, 0, 64);
    dumps.params[1]->SetParameter(1, 7, 1, 0);
    dumps.params[1]->SetParameter(1, 7, 2, 127);
    dumps.names[1]->AddName(1, "Bass");
    CMoleculePacket packet;
    dumps.MoveTo(packet);

    EXPECT_EQ(Write(packet, "Lead"),
              "[Header]\r\n"
              "Version=Vesk Kandrel patch 3.0\r\n"
              "0 127 0 127 2 0 0 1 600 2 1 1 1 1 1 1 1 1 1 1 1 1 1 \r\n"
              "[/Header]\r\n"
              "[ModuleDump]\r\n1 \r\n1 7 0 2 \r\n[/ModuleDump]\r\n"
              "[ModuleDump]\r\n0 \r\n[/ModuleDump]\r\n"
              "[CurrentNoteDump]\r\n64 0 0 64 0 0 \r\n[/CurrentNoteDump]\r\n"
              "[CableDump]\r\n1 \r\n[/CableDump]\r\n"
              "[CableDump]\r\n0 \r\n[/CableDump]\r\n"
              "[ParameterDump]\r\n1 \r\n1 7 3 64 0 127 \r\n[/ParameterDump]\r\n"
              "[ParameterDump]\r\n0 \r\n[/ParameterDump]\r\n"
              "[CustomDump]\r\n1 \r\n[/CustomDump]\r\n"
              "[CustomDump]\r\n0 \r\n[/CustomDump]\r\n"
              "[NameDump]\r\n1 \r\n1 Bass\r\n[/NameDump]\r\n"
              "[NameDump]\r\n0 \r\n[/NameDump]\r\n"
              "[Notes]\r\nLead\r\n[/Notes]\r\n");
}

TEST_F(PatchFileTest, WritesEveryMapAndCableInItsLayout)
{
    CPatchFileDumps dumps;
    dumps.cables[0]->AddCable(2, {3, 1, 0}, {4, 0, 1});
    dumps.morphs->AddAssignment({0, 5, 6}, 3, -20);
    dumps.morphs->SetGroupValue(1, 99);
    dumps.morphs->SetKeyboardAssignment(2, 2);
    dumps.knobs->SetAssignment(22, {2, 1, 3});
    dumps.controllers->AddAssignment({1, 8, 9}, 120);
    dumps.custom[1]->SetData(4, {1, 255});
    CMoleculePacket packet;
    dumps.MoveTo(packet);
    const std::string text = Write(packet, "");
    EXPECT_THAT(text, ::testing::HasSubstr("[CableDump]\r\n0 \r\n2 3 1 0 4 0 1 \r\n[/CableDump]\r\n"));
    EXPECT_THAT(text,
                ::testing::HasSubstr("[MorphMapDump]\r\n0 99 0 0 \r\n0 5 6 3 -20 \r\n[/MorphMapDump]\r\n"
                                     "[KeyboardAssignment]\r\n0 0 2 0 \r\n[/KeyboardAssignment]\r\n"
                                     "[KnobMapDump]\r\n2 1 3 22 \r\n[/KnobMapDump]\r\n"
                                     "[CtrlMapDump]\r\n1 8 9 120 \r\n[/CtrlMapDump]\r\n"));
    EXPECT_THAT(text, ::testing::HasSubstr("[CustomDump]\r\n1 \r\n4 2 1 255 \r\n[/CustomDump]\r\n"));
    EXPECT_THAT(text, ::testing::EndsWith("[Notes]\r\n\r\n[/Notes]\r\n"));
}

TEST_F(PatchFileTest, MorphKnobPositionsAreKeptWithoutAnyMorphAssignment)
{
    CPatchFileDumps dumps;
    dumps.morphs->SetGroupValue(3, 5);
    CMoleculePacket packet;
    dumps.MoveTo(packet);
    const std::string text = Write(packet, "");
    EXPECT_THAT(text, ::testing::HasSubstr("[MorphMapDump]\r\n0 0 0 5 \r\n\r\n[/MorphMapDump]\r\n"));
    EXPECT_THAT(text, ::testing::Not(::testing::HasSubstr("KeyboardAssignment")));

    const auto content = Read(text);
    EXPECT_EQ(DumpAt<CMMorphMapDump>(content->dumps, kMorphsAt).GetGroupValue(3), 5);
    EXPECT_FALSE(content->pendingError);

    // Nothing to keep: no morph section at all.
    CPatchFileDumps empty;
    CMoleculePacket emptyPacket;
    empty.MoveTo(emptyPacket);
    EXPECT_THAT(Write(emptyPacket, ""), ::testing::Not(::testing::HasSubstr("MorphMapDump")));
}

TEST_F(PatchFileTest, APatchReadsBackAsWrittenAndRewritesToTheSameBytes)
{
    CPatchShape shape;
    // An oscillator, a type with custom values, and more.
    shape.types = {7, 1, 24, 58, 106};
    shape.modulesPerArea = 6;
    shape.cablesPerArea = 5;
    CMoleculePacket written;
    BuildPatch(shape, written);
    const std::string first = Write(written, "first line\rsecond  line");

    const auto read = Read(first);
    EXPECT_FALSE(read->pendingError);
    ExpectSameDumps(read->dumps, written);
    EXPECT_EQ(read->notes, "first line\rsecond  line");
    ASSERT_FALSE(DumpAt<CMModuleCustomDataDump>(read->dumps, kCustom1At).GetData().empty());

    // Writing what was read gives the same bytes.
    EXPECT_EQ(Write(read->dumps, read->notes), first);
}

TEST_F(PatchFileTest, TheLargestPatchTheWriterMakesLoads)
{
    CMoleculePacket written;
    BuildPatch(LargestShape(), written);
    const std::string text = Write(written, std::string(5000, 'n') + "\r" + std::string(5000, 'm'));
    EXPECT_GT(text.size(), 20000u);
    EXPECT_LE(text.size(), CSectionedTextFile::kMaxReadSize);

    const auto read = Read(text);
    EXPECT_FALSE(read->pendingError);
    ExpectSameDumps(read->dumps, written);
    EXPECT_EQ(read->notes, std::string(5000, 'n') + "\r" + std::string(5000, 'm'));
}

TEST_F(PatchFileTest, FilesThatCannotBeReadReportWhy)
{
    const std::string header = "[Header]\r\n";
    const std::string longVersion = "Version=Vesk Kandrel patch 3.0.1234567890123456789012345678901234567890";
    const struct {
        const char* what;
        std::string bytes;
        std::string error;
    } cases[] = {
        {"empty", "", "1: File format or Alias is not a Kandrel file!"},
        {"no version line", header + "0 127\r\n[/Header]\r\n", "1: File format is not a known Kandrel file"},
        {"version 4.0", header + "Version=Vesk Kandrel patch 4.0\r\n",
         "1: File format is not supported:  4.0. Convert in editor V2.10"},
        {"long version, cut to 64", header + longVersion + "\r\n",
         "1: File format is not supported:  3.0.12345678901234567890123456789"},
        {"no patch in the version", header + "Version=Other\r\n",
         "1: File format is not supported: Other. Convert in editor V2.10"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadError(c.bytes), c.error) << c.what;

    try {
        CPatchFileContent content;
        ReadPatchFile(Spec("absent.pch"), content);
        FAIL() << "a missing file was read";
    } catch (const XFileBase& error) {
        EXPECT_EQ(error.GetText(), "Can't Open file");
    }
}

TEST_F(PatchFileTest, ValuesBeyondTheirLimitsMakeTheFileCorrupt)
{
    uint8_t unknownType = 1;
    while (GetModuleTypeInfo()->HasType(unknownType))
        ++unknownType;
    const std::string unknown = std::to_string(unknownType);
    const std::string corrupt = "2: File Corrupt";
    const struct {
        const char* what;
        std::string sections;
        std::string error;
    } cases[] = {
        {"parameter 127", "[ParameterDump]\r\n1 \r\n1 7 1 127 \r\n[/ParameterDump]\r\n", ""},
        {"parameter 128", "[ParameterDump]\r\n1 \r\n1 7 1 128 \r\n[/ParameterDump]\r\n", corrupt},
        {"parameter -1", "[ParameterDump]\r\n1 \r\n1 7 1 -1 \r\n[/ParameterDump]\r\n", corrupt},
        {"parameter count 128", "[ParameterDump]\r\n1 \r\n1 7 128 \r\n[/ParameterDump]\r\n", corrupt},
        {"parameter dump of an unknown type", "[ParameterDump]\r\n1 \r\n1 " + unknown + " 0 \r\n[/ParameterDump]\r\n",
         corrupt},
        {"module index 127", "[ModuleDump]\r\n1 \r\n127 7 0 0 \r\n[/ModuleDump]\r\n", ""},
        {"module index 0", "[ModuleDump]\r\n1 \r\n0 7 0 0 \r\n[/ModuleDump]\r\n", corrupt},
        {"module index 128", "[ModuleDump]\r\n1 \r\n128 7 0 0 \r\n[/ModuleDump]\r\n", corrupt},
        {"module index 257", "[ModuleDump]\r\n1 \r\n257 7 0 0 \r\n[/ModuleDump]\r\n", corrupt},
        {"module type 0", "[ModuleDump]\r\n1 \r\n1 0 0 0 \r\n[/ModuleDump]\r\n", corrupt},
        {"module type 135", "[ModuleDump]\r\n1 \r\n1 135 0 0 \r\n[/ModuleDump]\r\n", corrupt},
        {"module type unknown", "[ModuleDump]\r\n1 \r\n1 " + unknown + " 0 0 \r\n[/ModuleDump]\r\n", corrupt},
        {"cable to module 0", "[CableDump]\r\n1 \r\n0 0 0 0 1 0 1 \r\n[/CableDump]\r\n", corrupt},
        {"name of module 200", "[NameDump]\r\n1 \r\n200 Far\r\n[/NameDump]\r\n", corrupt},
        {"custom data of 256 bytes", "[CustomDump]\r\n1 \r\n1 256 \r\n[/CustomDump]\r\n", corrupt},
        {"knob 22", "[KnobMapDump]\r\n1 1 0 22 \r\n[/KnobMapDump]\r\n", ""},
        {"knob 23", "[KnobMapDump]\r\n1 1 0 23 \r\n[/KnobMapDump]\r\n", corrupt},
        {"controller 120", "[CtrlMapDump]\r\n1 1 0 120 \r\n[/CtrlMapDump]\r\n", ""},
        {"controller 121", "[CtrlMapDump]\r\n1 1 0 121 \r\n[/CtrlMapDump]\r\n", corrupt},
        {"morph group 3", "[MorphMapDump]\r\n0 0 0 0 \r\n1 1 0 3 -5 \r\n[/MorphMapDump]\r\n", ""},
        {"morph group 4", "[MorphMapDump]\r\n0 0 0 0 \r\n1 1 0 4 -5 \r\n[/MorphMapDump]\r\n", corrupt},
        {"morph value 128", "[MorphMapDump]\r\n0 128 0 0 \r\n[/MorphMapDump]\r\n", corrupt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadError(File30(c.sections)), c.error) << c.what;
}

TEST_F(PatchFileTest, ValuesTheReaderMendsOrTolerates)
{
    const auto content = Read(File30("[CableDump]\r\n1 \r\n9 1 0 0 2 0 1 \r\n-1 1 1 0 2 1 1 \r\n[/CableDump]\r\n"
                                     "[KeyboardAssignment]\r\n1 2 3 -1 \r\n[/KeyboardAssignment]\r\n"
                                     "[KnobMapDump]\r\n7 1 0 3 \r\n[/KnobMapDump]\r\n"));
    EXPECT_FALSE(content->pendingError);
    const auto& cables = DumpAt<CMCableDump>(content->dumps, kCables1At).GetCables();
    ASSERT_EQ(cables.size(), 2u);
    EXPECT_EQ(cables[0].colour, 6);
    EXPECT_EQ(cables[1].colour, 6);
    // Any other location is taken as the poly voice area.
    EXPECT_EQ(DumpAt<CMKnobMapDump>(content->dumps, kKnobsAt).GetAssignment(3), (ParamAddress{1, 1, 0}));
    const auto& morphs = DumpAt<CMMorphMapDump>(content->dumps, kMorphsAt);
    EXPECT_EQ(morphs.GetKeyboardAssignment(0), 1);
    EXPECT_EQ(morphs.GetKeyboardAssignment(1), 2);
    EXPECT_EQ(morphs.GetKeyboardAssignment(2), 0);
    EXPECT_EQ(morphs.GetKeyboardAssignment(3), 0);
}

TEST_F(PatchFileTest, VersionLinesAreRecognisedByTheirText)
{
    const std::string rest =
        "0 127 0 127 2 0 0 1 600 2 1 1 1 1 1 1 1 1 1 1 1 1 1 \r\n[/Header]\r\n[Notes]\r\n[/Notes]\r\n";
    // Blanks after 3.0 do not count.
    EXPECT_EQ(ReadError("[Header]\r\nVersion=Vesk Kandrel patch 3.0   \r\n" + rest), "");
    // Anything after 2.10 does not count either; a bare 2.10 header is an
    // empty patch with the common retrigger off and the split at 4000.
    const auto old = Read("Version=Vesk Kandrel patch 2.10 (old)\r\n");
    EXPECT_EQ(DumpAt<CMPatchHeaderDump>(old->dumps, kHeaderAt).GetHeader().GetCommonRetrig(), 0);
    EXPECT_EQ(DumpAt<CMPatchHeaderDump>(old->dumps, kHeaderAt).GetHeader().GetSplitPosition(), 4000);
    EXPECT_TRUE(DumpAt<CMModuleDump>(old->dumps, kModules1At).GetModules().empty());
}

TEST_F(PatchFileTest, AFileWithOnlyHeaderAndNotesIsAnEmptyPatch)
{
    const auto content = Read("[Header]\r\nVersion=Vesk Kandrel patch 3.0\r\n"
                              "1 100 2 99 12 5 1 8 -5 4 0 0 0 1 0 1 0 1 0 1 0 1 0 \r\n[/Header]\r\n"
                              "[Notes]\r\nhello\r\n[/Notes]\r\n");
    EXPECT_FALSE(content->pendingError);
    ASSERT_EQ(content->dumps.GetCount(), kDumpCount);
    const CPatchHeader& header = DumpAt<CMPatchHeaderDump>(content->dumps, kHeaderAt).GetHeader();
    EXPECT_EQ(header.GetKbRangeMin(), 1);
    EXPECT_EQ(header.GetVelRangeMax(), 99);
    EXPECT_EQ(header.GetBendRange(), 12);
    EXPECT_EQ(header.GetPMMode(), 1u);
    EXPECT_EQ(header.GetVoices(), 8);
    EXPECT_EQ(header.GetSplitPosition(), 600); // a negative position is ignored
    EXPECT_EQ(header.GetOctShift(), 2);
    EXPECT_EQ(header.GetRetrig(), 0);
    EXPECT_EQ(header.GetMorph(0), 0);
    EXPECT_EQ(header.GetMorph(1), 1);
    EXPECT_EQ(header.GetCableVisible(6), 0);
    const auto& notes = DumpAt<CMCurrentNotesDump>(content->dumps, kNotesAt);
    EXPECT_EQ(notes.GetFirstEntry(), (CNoteEntry{64, 0, 0}));
    EXPECT_EQ(notes.GetCount(), 1);
    EXPECT_EQ(content->notes, "hello");
}

TEST_F(PatchFileTest, AreaSectionsAreReadByTheAreaTheyNameWhateverTheirOrder)
{
    const auto content = Read(File30("[ModuleDump]\r\n0 \r\n1 7 0 0 \r\n[/ModuleDump]\r\n"
                                     "[ModuleDump]\r\n1 \r\n2 7 0 0 \r\n[/ModuleDump]\r\n"
                                     "[ParameterDump]\r\n0 \r\n[/ParameterDump]\r\n"
                                     "[ParameterDump]\r\n1 \r\n[/ParameterDump]\r\n"
                                     "[NameDump]\r\n0 \r\n1 Zero\r\n[/NameDump]\r\n"
                                     "[NameDump]\r\n1 \r\n2 One\r\n[/NameDump]\r\n"));
    EXPECT_FALSE(content->pendingError);
    ASSERT_EQ(DumpAt<CMModuleDump>(content->dumps, kModules1At).GetModules().size(), 1u);
    EXPECT_EQ(DumpAt<CMModuleDump>(content->dumps, kModules1At).GetModules()[0].index, 2);
    ASSERT_EQ(DumpAt<CMModuleDump>(content->dumps, kModules0At).GetModules().size(), 1u);
    EXPECT_EQ(DumpAt<CMModuleDump>(content->dumps, kModules0At).GetModules()[0].index, 1);
    EXPECT_EQ(DumpAt<CMModuleNameDump>(content->dumps, kNames1At).GetNames(),
              (std::vector<CModuleNameEntry>{{2, "One"}}));
    EXPECT_EQ(DumpAt<CMModuleNameDump>(content->dumps, kNames0At).GetNames(),
              (std::vector<CModuleNameEntry>{{1, "Zero"}}));
}

// A file that breaks off is applied as far as it goes, and reported after.
TEST_F(PatchFileTest, AFileThatBreaksOffKeepsWhatWasReadWithAPendingError)
{
    const std::string modules = "[ModuleDump]\r\n1 \r\n1 7 0 0 \r\n2 7 1 0 \r\n[/ModuleDump]\r\n";
    const struct {
        const char* what;
        std::string bytes;
        size_t modules;
        size_t cables;
    } cases[] = {
        {"whole", File30(modules + "[CableDump]\r\n1 \r\n1 1 0 0 2 0 1 \r\n[/CableDump]\r\n"), 2, 1},
        {"cut inside a line", File30(modules + "[CableDump]\r\n1 \r\n1 1 0 0 2 0 1 \r\n1 2 0", ""), 2, 1},
        {"cut after a section", File30(modules, ""), 2, 0},
        {"unreadable number",
         File30(modules + "[CableDump]\r\n1 \r\n1 1 0 0 2 0 1 \r\n1 x 0 0 2 0 1 \r\n[/CableDump]\r\n"), 2, 1},
        {"flag of 2", File30(modules + "[CableDump]\r\n1 \r\n1 1 0 0 2 0 2 \r\n[/CableDump]\r\n"), 2, 0},
        {"missing closing line",
         File30("[ModuleDump]\r\n1 \r\n1 7 0 0 \r\n[CableDump]\r\n1 \r\n1 1 0 0 2 0 1 \r\n[/CableDump]\r\n"), 1, 1},
        // The section after the break is taken as absent; the rest are read.
        {"header cut short",
         "[Header]\r\nVersion=Vesk Kandrel patch 3.0\r\n0 127 0\r\n[/Header]\r\n" + modules +
             "[CableDump]\r\n1 \r\n1 1 0 0 2 0 1 \r\n[/CableDump]\r\n[Notes]\r\n[/Notes]\r\n",
         0, 1},
        {"notes without their end", File30(modules, "[Notes]\r\nline\r\n"), 2, 0},
    };
    for (const auto& c : cases) {
        const auto content = Read(c.bytes);
        ASSERT_EQ(content->dumps.GetCount(), kDumpCount) << c.what;
        EXPECT_EQ(DumpAt<CMModuleDump>(content->dumps, kModules1At).GetModules().size(), c.modules) << c.what;
        EXPECT_EQ(DumpAt<CMCableDump>(content->dumps, kCables1At).GetCables().size(), c.cables) << c.what;
        if (std::string(c.what) == "whole") {
            EXPECT_FALSE(content->pendingError);
            continue;
        }
        ASSERT_TRUE(content->pendingError) << c.what;
        EXPECT_EQ(content->pendingError->GetNumber(), 2u) << c.what;
        EXPECT_EQ(content->pendingError->GetText(), "File Corrupt") << c.what;
        EXPECT_FALSE(content->pendingError->WasRaisedAfterApplying()) << c.what;
    }
}

TEST_F(PatchFileTest, NamesKeepTheirBlanks)
{
    CPatchFileDumps dumps;
    dumps.names[0]->AddName(1, "two words");
    dumps.names[0]->AddName(2, " leading");
    dumps.names[0]->AddName(3, "");
    CMoleculePacket packet;
    dumps.MoveTo(packet);
    const auto content = Read(Write(packet, ""));
    EXPECT_FALSE(content->pendingError);
    EXPECT_EQ(DumpAt<CMModuleNameDump>(content->dumps, kNames0At).GetNames(),
              (std::vector<CModuleNameEntry>{{1, "two words"}, {2, " leading"}, {3, ""}}));
}

TEST_F(PatchFileTest, NotesReadEveryLineUpToTheirEnd)
{
    // Files as other writers and earlier versions of this one wrote them.
    const struct {
        const char* what;
        std::string file;
        std::string notes;
    } cases[] = {
        {"two lines", "a\r\nb\r\n", "a\rb"},
        {"an empty last line is a final CR", "a\r\nb\r\n\r\n", "a\rb\r"},
        {"empty lines are kept", "a\r\n\r\n\r\nb\r\n", "a\r\r\rb"},
        {"one leading blank is dropped", "  \t indented\r\n", " \t indented"},
        {"a line that begins with [ is kept", "a\r\n[bracket]\r\nb\r\n", "a\r[bracket]\rb"},
        {"even just before the end", "a\r\n[b\r\n", "a\r[b"},
        {"long lines are kept", std::string(6000, 'x') + "\r\nend\r\n", std::string(6000, 'x') + "\rend"},
    };
    for (const auto& c : cases) {
        const auto content = Read(File30("", "[Notes]\r\n" + c.file + "[/Notes]\r\n"));
        EXPECT_EQ(content->notes, c.notes) << c.what;
        EXPECT_FALSE(content->pendingError) << c.what;
    }
}

TEST_F(PatchFileTest, NotesSurviveSaveOpenAndSaveByteForByte)
{
    const struct {
        const char* what;
        std::string notes;
        std::string lines; // as the file holds them
    } cases[] = {
        {"two lines", "a\rb", "a\r\nb\r\n"},
        {"a final CR", "a\rb\r", "a\r\nb\r\n\r\n"},
        {"no notes", "", "\r\n"},
        {"only a CR", "\r", "\r\n\r\n"},
        {"empty lines", "a\r\r\rb", "a\r\n\r\n\r\nb\r\n"},
        {"leading blanks", "  two", "   two\r\n"},
        {"a leading tab", "\tindented", " \tindented\r\n"},
        {"a bracketed line", "[x]", " [x]\r\n"},
        {"the notes' own end line", "before\r[/Notes]\rafter", "before\r\n [/Notes]\r\nafter\r\n"},
        {"a section line of another kind", "[Header]\r[/NameDump]", " [Header]\r\n [/NameDump]\r\n"},
        {"trailing blanks", "end  ", "end  \r\n"},
        {"a long line", std::string(6000, 'y'), std::string(6000, 'y') + "\r\n"},
    };
    CPatchFileDumps dumps;
    CMoleculePacket packet;
    dumps.MoveTo(packet);
    for (const auto& c : cases) {
        const std::string first = Write(packet, c.notes);
        EXPECT_THAT(first, ::testing::EndsWith("[Notes]\r\n" + c.lines + "[/Notes]\r\n")) << c.what;
        const auto read = Read(first);
        EXPECT_FALSE(read->pendingError) << c.what;
        EXPECT_EQ(read->notes, c.notes) << c.what;
        EXPECT_EQ(Write(read->dumps, read->notes), first) << c.what;
    }
}

TEST_F(PatchFileTest, MapLinesAreWrittenInParameterOrderAndReadInAnyOrder)
{
    CPatchFileDumps dumps;
    // Filled out of order: knob 0 holds the last parameter, knob 5 the first.
    dumps.knobs->SetAssignment(0, ParamAddress{1, 3, 2});
    dumps.knobs->SetAssignment(5, ParamAddress{0, 9, 1});
    dumps.knobs->SetAssignment(2, ParamAddress{1, 3, 0});
    dumps.knobs->SetAssignment(7, ParamAddress{2, 1, 3});
    dumps.controllers->AddAssignment(ParamAddress{1, 2, 0}, 7);
    dumps.controllers->AddAssignment(ParamAddress{0, 4, 1}, 10);
    CMoleculePacket packet;
    dumps.MoveTo(packet);
    const std::string text = Write(packet, "");
    EXPECT_THAT(text,
                ::testing::HasSubstr("[KnobMapDump]\r\n0 9 1 5 \r\n1 3 0 2 \r\n1 3 2 0 \r\n2 1 3 7 \r\n"
                                     "[/KnobMapDump]\r\n"));
    EXPECT_THAT(text, ::testing::HasSubstr("[CtrlMapDump]\r\n0 4 1 10 \r\n1 2 0 7 \r\n[/CtrlMapDump]\r\n"));

    // Lines in knob order (as earlier versions wrote them) read the same.
    const std::string knobOrder = File30("[KnobMapDump]\r\n1 3 2 0 \r\n1 3 0 2 \r\n0 9 1 5 \r\n2 1 3 7 \r\n"
                                         "[/KnobMapDump]\r\n[CtrlMapDump]\r\n1 2 0 7 \r\n0 4 1 10 \r\n"
                                         "[/CtrlMapDump]\r\n");
    const auto read = Read(knobOrder);
    EXPECT_FALSE(read->pendingError);
    EXPECT_EQ(Write(read->dumps, ""), text);
}

TEST_F(PatchFileTest, CurrentNotesBeyondThirtyTwoEntriesAreIgnored)
{
    std::string line = "60 1 2 ";
    for (int i = 0; i < 40; ++i)
        line += std::to_string(i) + " 0 0 ";
    const auto content = Read(File30("[CurrentNoteDump]\r\n" + line + "\r\n[/CurrentNoteDump]\r\n"));
    EXPECT_FALSE(content->pendingError);
    const auto& notes = DumpAt<CMCurrentNotesDump>(content->dumps, kNotesAt);
    EXPECT_EQ(notes.GetFirstEntry(), (CNoteEntry{60, 1, 2}));
    EXPECT_EQ(notes.GetCount(), 32);
    EXPECT_EQ(notes.GetEntry(31), (CNoteEntry{31, 0, 0}));
}

TEST_F(PatchFileTest, AFailedSaveReportsItAndKeepsTheOldFile)
{
    CPatchFileDumps dumps;
    CMoleculePacket packet;
    dumps.MoveTo(packet);
    try {
        WritePatchFile(Spec("missing/folder.pch"), packet, "");
        FAIL() << "saved into a missing folder";
    } catch (const XFileBase& error) {
        EXPECT_EQ(error.GetText(), "Can't Create file");
        EXPECT_EQ(error.GetNumber(), 1u);
    }
}

} // namespace
