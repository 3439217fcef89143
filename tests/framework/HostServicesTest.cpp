#include "framework/drawing/Canvas.h"
#include "framework/images/PixelFormat.h"
#include "framework/input/ClipboardText.h"
#include "platform/host/HostScope.h"
#include "platform/host/SystemMetrics.h"
#include "platform/host/headless/HeadlessHost.h"
#include "tests/support/HeadlessDesktop.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

using namespace NSHarrowen;

namespace {

// A desktop clipboard that records what it is given.
class CRecordingClipboard final : public platform::IClipboard {
public:
    bool HasText() override { return text.has_value(); }
    std::optional<std::string> GetText() override { return text; }
    bool SetText(std::string_view given) override
    {
        text = std::string(given);
        return true;
    }
    void Clear() override { text.reset(); }

    std::optional<std::string> text;
};

class CHostWithClipboard final : public platform::HeadlessHost {
public:
    explicit CHostWithClipboard(CRecordingClipboard& clipboard) : clipboard_(clipboard) { }
    platform::IClipboard* Clipboard() override { return &clipboard_; }

private:
    CRecordingClipboard& clipboard_;
};

} // namespace

TEST(HostServices, TheScreenIsTheHostsDesktop)
{
    testsupport::HeadlessDesktop desktop(800, 600);
    desktop.Host().SetColorDepth(16);
    EXPECT_EQ(GetScreenColorDepth(), 16);
    EXPECT_EQ(CPixelFormat::CreateForScreen()->GetDepth(), 16);
    EXPECT_EQ(GetScreenRect(), CRect(0, 0, 800, 600));

    desktop.Host().SetColorDepth(8);
    EXPECT_EQ(GetScreenColorDepth(), 8) << "no copy of the depth is kept anywhere";
}

TEST(HostServices, CopiesGoToTheInstalledHostsClipboardUntilItGoes)
{
    CRecordingClipboard desk;
    {
        const platform::CHostScope scope(std::make_unique<CHostWithClipboard>(desk));
        SetClipboardText(6, "Patch");
        EXPECT_EQ(desk.text, "Patch");
        EXPECT_STREQ(GetClipboardText().GetData(), "Patch");
    }
    SetClipboardText(6, "Local");
    EXPECT_EQ(desk.text, "Patch") << "the host's clipboard is no longer used";
    EXPECT_STREQ(GetClipboardText().GetData(), "Local");
}

TEST(HostServices, AScopePutsThePreviousHostBack)
{
    testsupport::HeadlessDesktop outer(640, 480);
    {
        const platform::CHostScope inner(std::make_unique<platform::HeadlessHost>(320, 200));
        EXPECT_EQ(platform::GetDesktopRect().right, 320);
    }
    EXPECT_EQ(platform::GetDesktopRect().right, 640);
}

TEST(HostServicesDeathTest, AProgramWithoutAHostStopsAndSaysWhy)
{
    EXPECT_DEATH(platform::GetScreenColorDepth(), "no host is installed");
}
