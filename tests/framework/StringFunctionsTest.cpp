#include "framework/lists/LineRing.h"
#include "framework/base/StringFunctions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

using namespace NSHarrowen;

namespace {

TEST(StringFunctionsTest, ParseInt)
{
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
        int32_t end;
    };
    const Case cases[] = {
        {" ,-+-12x", true, 12, 7},
        {"--5", true, 5, 3},
        {"-7", true, -7, 2},
        {"0042 ", true, 42, 4},
        {"  , ,+", false, 0, 0},
        {"", false, 0, 0},
        {"x1", false, 0, 0},
        {"- 1", false, 0, 0},
        {"2147483647", true, INT32_MAX, 10},
        {"-2147483648", true, INT32_MIN, 11},
        {"2147483648", true, INT32_MAX, 10},
        {"-99999999999999999999999999", true, INT32_MIN, 27},
        {"123456789012345678901234567890 ", true, INT32_MAX, 30},
    };
    for (const Case& c : cases) {
        int32_t value = 4711;
        int32_t end = -1;
        EXPECT_EQ(ParseIntAt(c.text, value, end), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.value : 4711) << c.text << ": a failure leaves the value alone";
        if (c.ok) {
            EXPECT_EQ(end, c.end) << c.text;
        }
    }
    int32_t value = 0;
    EXPECT_TRUE(ParseInt("  -3,", value));
    EXPECT_EQ(value, -3);
}

TEST(StringFunctionsTest, Searches)
{
    int32_t position = 0;
    EXPECT_TRUE(FindSubstring("Patch.pch", ".pch", position));
    EXPECT_EQ(position, 5);
    EXPECT_FALSE(FindSubstring("ab", "abc", position));
    EXPECT_EQ(position, kNotFound);
    EXPECT_TRUE(FindSubstring("abc", "", position));
    EXPECT_EQ(position, 0);

    EXPECT_TRUE(FindChar("a=b", '=', position));
    EXPECT_EQ(position, 1);
    position = 3;
    EXPECT_FALSE(FindChar("abc", 'x', position));
    EXPECT_FALSE(FindChar("abc", '\0', position));
    EXPECT_EQ(position, 3);

    EXPECT_TRUE(FindCharInString('b', "abc"));
    EXPECT_FALSE(FindCharInString('\0', "abc"));
    EXPECT_EQ(CountCharsInSet("a b\tc d", " \t"), 3);

    EXPECT_TRUE(EqualsIgnoreCase("Patch", "pATCH"));
    EXPECT_FALSE(EqualsIgnoreCase("Patch", "Patches"));
    EXPECT_FALSE(EqualsIgnoreCase("Patches", "Patch"));
    EXPECT_TRUE(EqualsIgnoreCase("", ""));
}

TEST(StringFunctionsTest, EditingInPlace)
{
    char text[32] = "word  ";
    TrimTrailingCharsInSet(text, " ");
    EXPECT_STREQ(text, "word");

    std::strcpy(text, "a-b+c");
    ReplaceCharsInSet(text, "-+", '_');
    EXPECT_STREQ(text, "a_b_c");

    std::strcpy(text, "12a3b");
    RemoveCharsNotInSet(text, "0123456789");
    EXPECT_STREQ(text, "123b") << "only the first stranger goes";

    std::strcpy(text, "abcdef");
    RemoveLeadingChars(text, 2);
    EXPECT_STREQ(text, "cdef");
    RemoveLeadingChars(text, 10);
    EXPECT_STREQ(text, "");

    char small[8] = "ac";
    EXPECT_EQ(InsertString(small, sizeof small, 1, "b"), 1);
    EXPECT_STREQ(small, "abc");
    EXPECT_EQ(InsertString(small, sizeof small, 99, "defghij"), 4) << "only what fits";
    EXPECT_STREQ(small, "abcdefg");
    EXPECT_EQ(InsertString(small, sizeof small, 0, "x"), 0);
    EXPECT_STREQ(small, "abcdefg");
}

TEST(StringFunctionsTest, BoundedCopiesCutAtCharacterBoundaries)
{
    char out[16];
    struct Case {
        const char* source;
        int32_t n;
        const char* result;
    };
    const Case cases[] = {
        {"abcdef", 3, "abc"},
        {"ab", 5, "ab"},
        {"abc", 0, ""},
        {"abc", -1, ""},
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         3, "Gr"}, // "Grüße": no half ü
        {"Gr\xC3\xBC\xC3\x9F"
         "e",
         4, "Gr\xC3\xBC"},
        {"\xE2\x82\xAC"
         "1",
         2, ""}, // a euro sign does not fit in 2 bytes
    };
    for (const Case& c : cases) {
        CopyStringBounded(out, c.source, c.n);
        EXPECT_STREQ(out, c.result) << c.source << " " << c.n;
    }

    CopyUntilCharInSet("name=value", out, sizeof out, "=");
    EXPECT_STREQ(out, "name");
    CopyUntilCharInSet("=value", out, sizeof out, "=");
    EXPECT_STREQ(out, "");
    char tiny[4];
    CopyUntilCharInSet("Gr\xC3\xBC\xC3\x9F"
                       "e=",
                       tiny, sizeof tiny, "=");
    EXPECT_STREQ(tiny, "Gr");
}

TEST(LineRingTest, KeepsTheNewestLines)
{
    CLineRing ring(3, 8);
    EXPECT_EQ(ring.GetUsedLines(), 0);
    EXPECT_STREQ(ring.GetLineFromEnd(0), "");
    for (const char* line : {"one", "two", "three", "four", "five"})
        ring.AddLine(line);
    EXPECT_EQ(ring.GetCount(), 5);
    EXPECT_EQ(ring.GetUsedLines(), 3);
    EXPECT_STREQ(ring.GetLineFromEnd(0), "five");
    EXPECT_STREQ(ring.GetLineFromEnd(1), "four");
    EXPECT_STREQ(ring.GetLineFromEnd(2), "three");
    for (int32_t outside : {3, 4, -1, INT32_MAX, INT32_MIN})
        EXPECT_STREQ(ring.GetLineFromEnd(outside), "") << outside;

    ring.AddLine("a much longer line");
    EXPECT_STREQ(ring.GetLineFromEnd(0), "a much l");
    ring.AddLine("\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC"); // five ü, ten bytes
    EXPECT_STREQ(ring.GetLineFromEnd(0), "\xC3\xBC\xC3\xBC\xC3\xBC\xC3\xBC");

    ring.Clear();
    EXPECT_EQ(ring.GetCount(), 0);
    EXPECT_EQ(ring.GetUsedLines(), 0);
    EXPECT_STREQ(ring.GetLineFromEnd(0), "");

    CLineRing none(0, 10);
    none.AddLine("x");
    EXPECT_STREQ(none.GetLineFromEnd(0), "");
}

} // namespace
