#include "framework/input/ClipboardText.h"
#include "framework/base/Exceptions.h"
#include "platform/host/HostClipboard.h"

#include <gtest/gtest.h>

#include <string>

using namespace NSHarrowen;

namespace {

std::string Text(const CClipboardItem& item)
{
    return std::string(item.GetData(), item.GetSize());
}

TEST(ClipboardTest, TextRoundTrip)
{
    ClearClipboard();
    EXPECT_FALSE(IsClipboardTextAvailable());
    EXPECT_THROW(GetClipboardText(), XBase);

    const char text[] = "Osc A\r\nLFO B";
    SetClipboardText(sizeof text, text);
    ASSERT_TRUE(IsClipboardTextAvailable());
    const CClipboardItem item = GetClipboardText();
    EXPECT_STREQ(item.GetType(), "TEXT");
    EXPECT_EQ(item.GetSize(), sizeof text);
    EXPECT_EQ(Text(item), std::string(text, sizeof text));

    ClearClipboard();
    EXPECT_FALSE(IsClipboardTextAvailable());
}

TEST(ClipboardTest, TextEndsAtTheFirstNulAndIsAlwaysTerminated)
{
    struct Case {
        std::string bytes;
        std::string stored;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"abc\0def\0"s, "abc\0"s},
        {"abc"s, "abc\0"s}, // no terminator passed in
        {"\0abc"s, "\0"s},
        {""s, "\0"s},
    };
    for (const Case& c : cases) {
        SetClipboardText(static_cast<uint32_t>(c.bytes.size()), c.bytes.data());
        EXPECT_EQ(Text(GetClipboardText()), c.stored);
    }
    // The last pass leaves an empty text: still text, of one terminator.
    EXPECT_TRUE(IsClipboardTextAvailable());
    ClearClipboard();
}

// A desktop clipboard that refuses every hand-over.
class RefusingClipboard : public platform::IClipboard {
public:
    bool HasText() override { return false; }
    std::optional<std::string> GetText() override { return std::nullopt; }
    bool SetText(std::string_view) override { return false; }
    void Clear() override { }
};

TEST(ClipboardTest, AFailedHandOverThrows)
{
    RefusingClipboard refusing;
    EXPECT_EQ(platform::InstallClipboard(&refusing), nullptr);
    EXPECT_THROW(SetClipboardText(2, "x"), XBase);
    EXPECT_THROW(GetClipboardText(), XBase);
    EXPECT_EQ(platform::InstallClipboard(nullptr), &refusing);
    SetClipboardText(2, "x");
    EXPECT_TRUE(IsClipboardTextAvailable()) << "the in-process clipboard is back";
    ClearClipboard();
}

} // namespace
