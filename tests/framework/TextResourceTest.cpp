#include "framework/base/Exceptions.h"
#include "framework/application/FileVersion.h"
#include "framework/resources/ResourceModule.h"
#include "framework/resources/ResourceText.h"
#include "framework/resources/TextTable.h"
#include "framework/resources/TextTableCache.h"

#include <gtest/gtest.h>

#include <string>

using namespace NSHarrowen;

namespace {

std::span<const uint8_t> Bytes(const std::string& s)
{
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

CTextTable Parse(const std::string& text)
{
    CTextTable table("SSTR", 1);
    ParseResourceTable(Bytes(text), table);
    return table;
}

std::string EntryOf(const CTextTable& table, int entry)
{
    const std::string* text = table.Entry(entry);
    return text != nullptr ? *text : "<none>";
}

} // namespace

struct ParseCase {
    const char* name;
    std::string resource;
    int entry;
    std::string want;
};

TEST(TextTable, ParserStates)
{
    const ParseCase cases[] = {
        {"escape r becomes a carriage return", "4 {[STOP]Could not perform user action.\\r Out of memory.[OK]}", 4,
         "[STOP]Could not perform user action.\r Out of memory.[OK]"},
        {"line breaks and tabs inside a text are dropped", "7 {one\r\n\ttwo}", 7, "onetwo"},
        {"other escapes drop both bytes", "7 {a\\xb}", 7, "ab"},
        {"comment then entry on one line", "{{Portable} 12 {after comment}", 12, "after comment"},
        {"bytes between id and brace are skipped", "13 = {eq}", 13, "eq"},
        {"second braced text of an entry is dropped", "5 {first}{second}", 5, "first"},
        {"first definition wins", "5 {first}\n5 {second}", 5, "first"},
        {"right brace as the first character is kept", "6 {}x}", 6, "}x"},
        {"open text at the end is dropped", "8 {never closed", 8, "<none>"},
        {"entry 999 exists", "999 {Make sure we can have string index 0-999 instead of 0-99}", 999,
         "Make sure we can have string index 0-999 instead of 0-99"},
        {"entry 1000 is ignored", "1000 {too far}", 0, "<none>"},
        // The id buffer is kept between entries: a block after a text reuses it.
        {"kept id buffer", "3 {three} {again}", 3, "three"},
        {"braced block with no id yet is a comment", "{skip me} 2 {two}", 2, "two"},
        // An eleventh digit sends the parser back between entries (the digit
        // is consumed); a twelfth then starts a new id.
        {"ten digit cap", "123456789012 {x}", 2, "x"},
        {"ten digits name no entry", "12345678901 {x}", 1, "<none>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EntryOf(Parse(c.resource), c.entry), c.want) << c.name;
}

TEST(TextTable, KeptIdBufferAppliesToALaterBlock)
{
    // After "3 {three}" the buffer still holds "3"; a later "{" block is then a
    // text for entry 3 again, which the first definition shadows.
    const CTextTable t = Parse("3 {three} x {later}");
    EXPECT_EQ(EntryOf(t, 3), "three");
}

TEST(TextTable, LongTextIsCutAt3000AndTheRestReadBetweenEntries)
{
    std::string text(3000, 'a');
    text += "b42 {tail}";
    const CTextTable t = Parse("1 {" + text + "}");
    EXPECT_EQ(EntryOf(t, 1), std::string(3000, 'a'));
    EXPECT_EQ(EntryOf(t, 42), "tail");
}

TEST(TextTable, CutNeverSplitsACharacter)
{
    std::string text(2999, 'a');
    text += "\xC3\xA9"; // two-byte character across the 3000 mark
    const CTextTable t = Parse("1 {" + text + "}");
    EXPECT_EQ(EntryOf(t, 1), std::string(2999, 'a'));
}

TEST(TextIds, SplitsTheThreeKinds)
{
    struct Case {
        uint32_t id;
        CResourceId want;
    };
    const Case cases[] = {
        {501000002, {5, 1000, 2}},
        {600128001, {6, 128, 1}},
        {400128020, {4, 128, 20}},
        {400128999, {4, 128, 999}},
    };
    for (const auto& c : cases) {
        const CResourceId got = SplitResourceId(c.id);
        EXPECT_EQ(got.kind, c.want.kind) << c.id;
        EXPECT_EQ(got.resource, c.want.resource) << c.id;
        EXPECT_EQ(got.entry, c.want.entry) << c.id;
    }
}

namespace {
const std::string kStrings = "20 {Looking...}\n21 {V\xC3\xA9rsion}";
const std::string kMenus = "1 {File~F;Open...#O~O=101}";
const CResourceEntry kTestEntries[] = {
    {"SSTR", 128, reinterpret_cast<const uint8_t*>(kStrings.data()), kStrings.size()},
    {"SMNU", 128, reinterpret_cast<const uint8_t*>(kMenus.data()), kMenus.size()},
};
} // namespace

TEST(ResourceText, LookupsCopyBoundedTexts)
{
    CTextTableCache cache;
    CResourceModule module("Test", kTestEntries);

    char buffer[6];
    GetResourceString(400128020, buffer, 5);
    EXPECT_STREQ(buffer, "Looki");
    GetResourceString(400128021, buffer, 2);
    EXPECT_STREQ(buffer, "V"); // "é" does not fit in the second byte
    EXPECT_EQ(GetResourceMenu(600128001), "File~F;Open...#O~O=101");
    EXPECT_EQ(GetResourceString(400128055), ""); // undefined entry: empty, no failure
    EXPECT_EQ(cache.Size(), 2u);                 // each resource parsed once
    GetResourceString(400128020);
    EXPECT_EQ(cache.Size(), 2u);
}

TEST(ResourceText, MissingResourceThrowsAndCachesNothing)
{
    CTextTableCache cache;
    EXPECT_THROW(GetResourceAlert(500777001), XBase);
    EXPECT_EQ(cache.Size(), 0u);
}

TEST(ResourceText, FindTextTableComparesTypeWithoutCase)
{
    CTextTableCache cache;
    CResourceModule module("Test", kTestEntries);
    cache.BuildTextTable("SSTR", 128);
    EXPECT_NE(cache.FindTextTable("sstr", 128), nullptr);
    EXPECT_NE(cache.FindTextTable("SS", 128), nullptr); // over the given name's length
    EXPECT_EQ(cache.FindTextTable("SSTR", 129), nullptr);
    EXPECT_EQ(cache.FindTextTable("SALR", 128), nullptr);
}

TEST(ResourceText, FrameworkTextsAreCompiledIn)
{
    CTextTableCache cache;
    EXPECT_EQ(GetResourceAlert(501000002), "[STOP]The file \"^0\" could not be found.[OK]");
    EXPECT_EQ(GetResourceAlert(501000003), "[STOP]Could not open help file.[OK]");
    EXPECT_EQ(GetResourceString(401000999), "Make sure we can have string index 0-999 instead of 0-99");
}

TEST(ResourceModule, ProgramResourcesHideTheFrameworks)
{
    static const std::string mine = "2 {[NOTE]Mine.[OK]}";
    static const CResourceEntry entries[] = {
        {"SALR", 1000, reinterpret_cast<const uint8_t*>(mine.data()), mine.size()}};
    CResourceModule module("Program", entries);
    CTextTableCache cache;
    EXPECT_EQ(GetResourceAlert(501000002), "[NOTE]Mine.[OK]");
}

TEST(FileVersion, StageParse)
{
    struct Case {
        const char* text;
        EReleaseStage stage;
        uint16_t number;
    };
    const Case cases[] = {
        {"3.0.3", EReleaseStage::Release, 0},
        {"3.0 beta 2", EReleaseStage::Beta, 2},
        {"3.0 alpha 11 beta 4", EReleaseStage::Alpha, 11},
        {"development 7 alpha 1", EReleaseStage::Development, 7},
        {"2.0 beta", EReleaseStage::Beta, 0},
        {"1.0 alpha x", EReleaseStage::Alpha, 0},
        {"1.0 beta 99999999", EReleaseStage::Beta, 0xFFFF},
    };
    for (const auto& c : cases) {
        const CReleaseStage got = ParseReleaseStage(c.text);
        EXPECT_EQ(got.stage, c.stage) << c.text;
        EXPECT_EQ(got.number, c.number) << c.text;
    }
}

TEST(FileVersion, ReadsTheCompiledRecord)
{
    const CHarrowenFileVersion v = ReadFileVersion();
    EXPECT_EQ(v, CHarrowenFileVersion(3, 0, 3, 0, 0, EReleaseStage::Release));
}

TEST(FileVersion, MalformedRecordThrows)
{
    const uint8_t shortRecord[] = {0, 3, 0, 0};
    EXPECT_THROW(ParseFileVersion(shortRecord, sizeof shortRecord), XBase);
    const uint8_t unterminated[] = {0, 3, 0, 0, 0, 3, 0, 0, '3', '.', '0'};
    EXPECT_THROW(ParseFileVersion(unterminated, sizeof unterminated), XBase);
    const uint8_t beta[] = {0, 3, 0, 1, 0, 2, 0, 9, 'b', 'e', 't', 'a', ' ', '5', 0};
    EXPECT_EQ(ParseFileVersion(beta, sizeof beta), CHarrowenFileVersion(3, 1, 2, 9, 5, EReleaseStage::Beta));
}
