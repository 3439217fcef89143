#include "patch/files/ConvertPatchFile210.h"
#include "tests/patch/PatchFileTestSupport.h"

#include <gmock/gmock.h>

namespace {

using namespace patchtest;

const std::string kVersion210 = "Version=Vesk Kandrel patch 2.10\r\n";

// A 2.10 module section: type, name, column and row lines (their keys are
// read by order only), then the given key=value lines.
std::string Module210(int number, int type, int row, const std::string& lines = "")
{
    return "[Module " + std::to_string(number) + "]\r\nType=" + std::to_string(type) + "\r\nName=Module " +
        std::to_string(number) + "\r\nCol=1\r\nRow=" + std::to_string(row) + "\r\n" + lines;
}

class ConvertPatchFile210Test : public PatchFileTest {
protected:
    std::unique_ptr<CPatchFileContent> Read210(const std::string& body) { return Read(kVersion210 + body); }

    static std::vector<uint8_t> ParamsOf(const CPatchFileContent& content, uint8_t module)
    {
        std::vector<uint8_t> values;
        const auto& modules = DumpAt<CMModuleParamDump>(content.dumps, kParams1At).GetModules();
        const auto found = modules.find(module);
        if (found != modules.end()) {
            for (const auto& [param, value] : found->second.values)
                values.push_back(value);
        }
        return values;
    }
};

TEST_F(ConvertPatchFile210Test, HeaderKeysGoThroughTheHeaderSetters)
{
    const auto content = Read210("KbRangeMin=12\r\nKbRangeMax=300\r\nOctShift=4\r\nPMMode=1\r\nSustain=1\r\n"
                                 "Voices=6 voices\r\nCable2=0\r\nMorph3=0\r\nUnknown=5\r\nRetrig=0\r\n");
    EXPECT_FALSE(content->pendingError);
    const CPatchHeader& header = DumpAt<CMPatchHeaderDump>(content->dumps, kHeaderAt).GetHeader();
    EXPECT_EQ(header.GetKbRangeMin(), 12);
    EXPECT_EQ(header.GetKbRangeMax(), 44); // 300's low 8 bits
    EXPECT_EQ(header.GetOctShift(), 2);
    EXPECT_EQ(header.GetPMMode(), 1u);
    EXPECT_EQ(header.GetVoices(), 6);
    EXPECT_EQ(header.GetCableVisible(2), 0);
    EXPECT_EQ(header.GetCableVisible(3), 1);
    EXPECT_EQ(header.GetMorph(3), 0);
    EXPECT_EQ(header.GetRetrig(), 0);
    EXPECT_EQ(header.GetCommonRetrig(), 0);
    EXPECT_EQ(header.GetSplitPosition(), 4000);
    EXPECT_EQ(header.GetPedalMode(), CPatchHeader::kPedalSustain);
}

TEST_F(ConvertPatchFile210Test, TheMorphModuleBecomesTheMorphGroups)
{
    const auto content = Read210(Module210(3, 6, 0, "P0=10\r\nP1=20\r\nP2=30\r\nP3=40\r\n") +
                                 "[Controllers]\r\nM7=3\r\nParam=2\r\nM126=0\r\nParam=1\r\nM127=0\r\nParam=3\r\n"
                                 "M127=0\r\nParam=9\r\n");
    EXPECT_FALSE(content->pendingError);
    EXPECT_TRUE(DumpAt<CMModuleDump>(content->dumps, kModules1At).GetModules().empty());
    EXPECT_TRUE(DumpAt<CMModuleNameDump>(content->dumps, kNames1At).GetNames().empty());
    EXPECT_TRUE(DumpAt<CMModuleParamDump>(content->dumps, kParams1At).GetModules().empty());
    const auto& morphs = DumpAt<CMMorphMapDump>(content->dumps, kMorphsAt);
    for (uint8_t group = 0; group < 4; ++group)
        EXPECT_EQ(morphs.GetGroupValue(group), 10 * (group + 1));
    EXPECT_EQ(morphs.GetKeyboardAssignment(1), 2);
    EXPECT_EQ(morphs.GetKeyboardAssignment(3), 1);
    EXPECT_EQ(DumpAt<CMCtrlMapDump>(content->dumps, kCtrlsAt).GetEntries(),
              (std::vector<CCtrlMapEntry>{{ParamAddress{2, 1, 2}, 7}}));
}

TEST_F(ConvertPatchFile210Test, ModulesCablesAndParametersTakeTheirNewShape)
{
    // Type 7: parameter 4 splits in two; the cable's source jack 65 is
    // output 1 of module 2.
    const auto content =
        Read210(Module210(1, 7, 3, "P0=1\r\nP1=2\r\nP2=3\r\nP3=4\r\nP4=0\r\nIn2=2\r\nJack=65\r\nColor=9\r\n") +
                Module210(2, 7, 0, "P0=0\r\nP1=0\r\nP2=0\r\nP3=0\r\nP4=3\r\nIn0=1\r\nJack=1\r\nColor=1\r\n") +
                Module210(4, 17, 1, "B0=2147483649\r\n"));
    EXPECT_FALSE(content->pendingError);
    EXPECT_EQ(DumpAt<CMModuleDump>(content->dumps, kModules1At).GetModules(),
              (std::vector<CModuleDumpEntry>{{1, 7, 1, 6}, {2, 7, 1, 0}, {4, 17, 1, 2}}));
    EXPECT_EQ(DumpAt<CMModuleNameDump>(content->dumps, kNames1At).GetNames().at(0), (CModuleNameEntry{1, "Module 1"}));
    EXPECT_EQ(ParamsOf(*content, 1), (std::vector<uint8_t>{1, 2, 3, 4, 0, 1}));
    EXPECT_EQ(ParamsOf(*content, 2), (std::vector<uint8_t>{0, 0, 0, 0, 2, 0}));
    std::vector<uint8_t> bits(32, 0);
    bits.front() = 1;
    bits.back() = 1;
    EXPECT_EQ(ParamsOf(*content, 4), bits);
    EXPECT_EQ(DumpAt<CMCableDump>(content->dumps, kCables1At).GetCables(),
              (std::vector<CCableDumpEntry>{{6, {1, 2, 0}, {2, 1, 1}}, {1, {2, 0, 0}, {1, 1, 0}}}));
    // Every other area's dump stays empty.
    EXPECT_TRUE(DumpAt<CMModuleDump>(content->dumps, kModules0At).GetModules().empty());
}

TEST_F(ConvertPatchFile210Test, SwitchesAreInverted)
{
    const auto content = Read210(Module210(1, 9, 0, "P0=5\r\nP1=5\r\nP2=5\r\nP3=5\r\nP4=5\r\nP5=0\r\n") +
                                 Module210(2, 9, 0, "P0=5\r\nP1=5\r\nP2=5\r\nP3=5\r\nP4=5\r\nP5=1\r\nP6=7\r\n"));
    EXPECT_EQ(ParamsOf(*content, 1), (std::vector<uint8_t>{5, 5, 5, 5, 5, 1}));
    EXPECT_EQ(ParamsOf(*content, 2), (std::vector<uint8_t>{5, 5, 5, 5, 5, 0, 7}));
}

TEST_F(ConvertPatchFile210Test, KnobAndControllerIndicesAreConvertedWhereverTheModuleStands)
{
    // The knob entries come before the module's section: they are resolved
    // once every module is known.
    const auto content =
        Read210("[Knobs]\r\nM0=5\r\nParam=40\r\nM1=5\r\nParam=31\r\nM30=5\r\nParam=33\r\n" + Module210(5, 15, 0) +
                Module210(50, 15, 0) + "[Controllers]\r\nM3=50\r\nParam=40\r\nM4=5\r\nParam=32\r\n");
    const auto& knobs = DumpAt<CMKnobMapDump>(content->dumps, kKnobsAt);
    EXPECT_EQ(knobs.GetAssignment(0), (ParamAddress{1, 5, 26}));
    EXPECT_EQ(knobs.GetAssignment(1), (ParamAddress{1, 5, 31}));
    EXPECT_EQ(knobs.CountAssigned(), 2); // knob 30 became 23: none
    // Module 50 lies beyond the type table: kept, but its index is not converted.
    EXPECT_EQ(DumpAt<CMCtrlMapDump>(content->dumps, kCtrlsAt).GetEntries(),
              (std::vector<CCtrlMapEntry>{{ParamAddress{1, 50, 40}, 3}, {ParamAddress{1, 5, 18}, 4}}));
    EXPECT_EQ(DumpAt<CMModuleDump>(content->dumps, kModules1At).GetModules().size(), 2u);

    EXPECT_EQ(ConvertParamIndex210(17, 40), 12);
    EXPECT_EQ(ConvertParamIndex210(106, 32), 19);
    EXPECT_EQ(ConvertParamIndex210(108, 50), 35);
    EXPECT_EQ(ConvertParamIndex210(7, 50), 50);
}

TEST_F(ConvertPatchFile210Test, MorphsVoicesAndNotes)
{
    std::string voices = "[Voices]\r\nV0=" + std::to_string(60 | (100 << 8) | (1 << 16)) + "\r\n";
    for (int i = 1; i <= 40; ++i)
        voices += "V" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    const auto content =
        Read210("[Morphs]\r\nM0=2\r\nParam=3\r\nGroup=1\r\nRange=-50\r\nM1=2\r\nParam=4\r\nGroup=9\r\n"
                "Range=5\r\n" +
                voices + "[Notes]\r\nCount=2\r\nLine1=first line\r\nLine2=  second=line \r\n[Other]\r\nx=1\r\n");
    EXPECT_FALSE(content->pendingError);
    EXPECT_EQ(DumpAt<CMMorphMapDump>(content->dumps, kMorphsAt).GetEntries(),
              (std::vector<CMorphMapEntry>{{ParamAddress{1, 2, 3}, 1, -50}}));
    const auto& notes = DumpAt<CMCurrentNotesDump>(content->dumps, kNotesAt);
    EXPECT_EQ(notes.GetFirstEntry(), (CNoteEntry{60, 100, 1}));
    EXPECT_EQ(notes.GetCount(), 32);
    EXPECT_EQ(notes.GetEntry(0), (CNoteEntry{1, 0, 0}));
    EXPECT_EQ(notes.GetEntry(31), (CNoteEntry{32, 0, 0}));
    EXPECT_EQ(content->notes, "first line\r  second=line \r");
}

TEST_F(ConvertPatchFile210Test, FailuresHaveTheirNumbers)
{
    const struct {
        const char* what;
        std::string body;
        std::string error;
    } cases[] = {
        {"parameter 127", Module210(1, 1, 0, "P0=127\r\n"), ""},
        {"parameter 128", Module210(1, 1, 0, "P0=128\r\n"), "2: File Corrupt"},
        {"module 0", Module210(0, 7, 0), "2: File Corrupt"},
        {"module 128", Module210(128, 7, 0), "2: File Corrupt"},
        {"unknown type", Module210(1, 0, 0), "2: File Corrupt"},
        {"split rule beyond the list", Module210(1, 7, 0, "P0=1\r\nP1=1\r\n"),
         "3: Problem with converting from 2.1 to 3"},
        {"inversion beyond the list", Module210(1, 9, 0, "P0=1\r\n"), "3: Problem with converting from 2.1 to 3"},
        {"morph module with two values", Module210(1, 6, 0, "P0=1\r\nP1=1\r\n"),
         "3: Problem with converting from 2.1 to 3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadError(kVersion210 + c.body), c.error) << c.what;

    // A number that cannot be read keeps what came before it.
    const auto content = Read210(Module210(1, 1, 0, "P0=1\r\nP1=x\r\n") + Module210(2, 1, 0));
    ASSERT_TRUE(content->pendingError);
    EXPECT_EQ(content->pendingError->GetText(), "File Corrupt");
    EXPECT_EQ(DumpAt<CMModuleDump>(content->dumps, kModules1At).GetModules().size(), 1u);
}

TEST_F(ConvertPatchFile210Test, AConvertedPatchIsSavedAsVersion30)
{
    const auto content =
        Read210("Voices=4\r\n" + Module210(1, 7, 2, "P0=1\r\nP1=2\r\nP2=3\r\nP3=4\r\nP4=1\r\n") +
                Module210(2, 6, 0, "P0=0\r\nP1=64\r\nP2=0\r\nP3=0\r\n") + "[Notes]\r\nCount=1\r\nL=hello\r\n");
    const std::string text = Write(content->dumps, content->notes);
    EXPECT_THAT(text,
                ::testing::StartsWith("[Header]\r\nVersion=Vesk Kandrel patch 3.0\r\n"
                                      "0 127 0 127 2 0 0 4 4000 2 1 0 1 1 1 1 1 1 1 1 1 1 1 \r\n"));
    EXPECT_THAT(text, ::testing::HasSubstr("[ModuleDump]\r\n1 \r\n1 7 1 4 \r\n[/ModuleDump]\r\n"));
    EXPECT_THAT(text, ::testing::HasSubstr("[ParameterDump]\r\n1 \r\n1 7 6 1 2 3 4 0 0 \r\n[/ParameterDump]\r\n"));
    EXPECT_THAT(text, ::testing::HasSubstr("[MorphMapDump]\r\n0 64 0 0 \r\n\r\n[/MorphMapDump]\r\n"));
    EXPECT_THAT(text, ::testing::HasSubstr("[NameDump]\r\n1 \r\n1 Module 1\r\n[/NameDump]\r\n"));
    EXPECT_THAT(text, ::testing::EndsWith("[Notes]\r\nhello\r\n\r\n[/Notes]\r\n"));
    // And reads back as it was converted.
    const auto again = Read(text);
    ExpectSameDumps(again->dumps, content->dumps);
}

} // namespace
