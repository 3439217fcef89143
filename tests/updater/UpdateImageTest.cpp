// The update image reader, fed with synthetic images (tests/updater/support).

#include "framework/base/Exceptions.h"
#include "tests/updater/support/SyntheticImages.h"
#include "updater/image/KandrelModel.h"
#include "updater/image/OsVersion.h"
#include "updater/image/PebixKandrel.h"
#include "updater/image/UpdateErrors.h"
#include "updater/image/UpdateFile.h"
#include "updater/support/TextCopy.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace NSBootwren;
using updatertest::SyntheticImage;

namespace {

std::unique_ptr<CUpdateFile> Parse(const std::vector<uint8_t>& bytes)
{
    return CUpdateFile::Read(bytes.data(), bytes.size());
}

std::unique_ptr<CUpdateFile> Parse(const SyntheticImage& image)
{
    return Parse(image.Bytes());
}

TEST(UpdateImage, FullSizeImageParsesToItsModelVersionAndPayload)
{
    const SyntheticImage image = updatertest::FullSizeSyntheticImage();
    const std::vector<uint8_t> bytes = image.Bytes();
    ASSERT_EQ(bytes.size(), 354065u);
    const auto file = Parse(bytes);
    EXPECT_EQ(file->GetModel().DisplayName(), "Vesk Pebix Kandrel");
    EXPECT_EQ(file->GetVersion(), 0x030300u);
    EXPECT_EQ(file->GetVersionText(), "V3.03");
    EXPECT_EQ(file->GetComment(), "");
    ASSERT_EQ(file->GetPayloadSize(), 354016u);
    EXPECT_TRUE(std::equal(image.payload.begin(), image.payload.end(), file->GetPayload()));
    EXPECT_EQ(file->Checksum(), std::accumulate(image.payload.begin(), image.payload.end(), 0u));
}

TEST(UpdateImage, SmallImagesOfEveryPacketEdgeParse)
{
    for (size_t size : {0u, 1u, 111u, 112u, 113u, 225u}) {
        SCOPED_TRACE(size);
        const SyntheticImage image = updatertest::SmallSyntheticImage(size, "Kandrel");
        const auto file = Parse(image);
        EXPECT_EQ(file->GetModel().DisplayName(), "Vesk Kandrel");
        EXPECT_EQ(file->GetComment(), "Synthetic test image");
        ASSERT_EQ(file->GetPayloadSize(), size);
        EXPECT_TRUE(std::equal(image.payload.begin(), image.payload.end(), file->GetPayload()));
    }
}

TEST(UpdateImage, PayloadSumCountsBytesAsUnsignedAndWraps)
{
    SyntheticImage image;
    image.payload = {0x80, 0xFF, 0x01};
    EXPECT_EQ(Parse(image)->Checksum(), 0x180u);
    image.payload.clear();
    EXPECT_EQ(Parse(image)->Checksum(), 0u);
    // 2^24 + 1 bytes of 0xFF: 0xFF * (2^24 + 1) taken modulo 2^32.
    image.payload.assign((1u << 24) + 1, 0xFF);
    EXPECT_EQ(Parse(image)->Checksum(), static_cast<uint32_t>(0xFFull * ((1u << 24) + 1)));
}

struct CorruptCase {
    const char* name;
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size)
{
    bytes.resize(size);
    return bytes;
}

TEST(UpdateImage, DamagedImagesAreCorrupt)
{
    const SyntheticImage good = updatertest::SmallSyntheticImage(20);
    auto with = [&](auto change) {
        SyntheticImage image = good;
        change(image);
        return image.Bytes();
    };
    // magic 27 + "Pebix Kandrel" 14: the build byte is at 43.
    const size_t afterBuild = 27 + 14 + 3;
    std::vector<uint8_t> crInModel = good.Bytes();
    crInModel[27 + 2] = '\r';
    const std::vector<CorruptCase> cases = {
        {"empty", {}},
        {"magic one longer", with([](SyntheticImage& i) { i.magic += " "; })},
        {"magic one shorter", with([](SyntheticImage& i) { i.magic.pop_back(); })},
        {"magic without its NUL", Cut(good.Bytes(), 26)},
        {"ends after the magic", Cut(good.Bytes(), 27)},
        {"ends after the build byte", Cut(good.Bytes(), afterBuild)},
        {"ends inside the comment", Cut(good.Bytes(), afterBuild + 3)},
        {"ends inside the length", Cut(good.Bytes(), afterBuild + 21 + 2)},
        {"length one more", with([](SyntheticImage& i) { i.lengthDelta = 1; })},
        {"length one less", with([](SyntheticImage& i) { i.lengthDelta = -1; })},
        {"length far beyond", with([](SyntheticImage& i) { i.lengthDelta = 0x7FFFFFFF; })},
        {"CR in the comment", with([](SyntheticImage& i) { i.comment = "line\rline"; })},
        {"comment of 1,000 bytes", with([](SyntheticImage& i) { i.comment.assign(1000, 'c'); })},
        {"CR in the model name", crInModel},
    };
    for (const CorruptCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(Parse(c.bytes), XCorruptUpdateFile);
    }
    SyntheticImage longest = good;
    longest.comment.assign(999, 'c');
    EXPECT_EQ(Parse(longest)->GetComment().size(), 999u);
}

TEST(UpdateImage, ForeignModelNamesAreReportedByName)
{
    for (const char* name : {"Kandrel R", "Pebix", "kandrel", "Kandrel ", ""}) {
        SCOPED_TRACE(name);
        SyntheticImage image = updatertest::SmallSyntheticImage(5);
        image.model = name;
        try {
            Parse(image);
            ADD_FAILURE() << "parsed";
        } catch (const XUnknownModel& e) {
            EXPECT_EQ(e.GetModelName(), name);
        }
    }
}

TEST(OsVersion, TextsOfEveryBuildRange)
{
    const struct {
        uint8_t major, minor, build;
        const char* text;
    } cases[] = {
        {3, 3, 0, "V3.03"},           {3, 10, 70, "V3.10 Beta 6"},   {2, 10, 16, "V2.10 Alpha 0"},
        {3, 0, 64, "V3.00 Beta 0"},   {3, 3, 1, "V3.03b"},           {3, 3, 15, "V3.03p"},
        {3, 9, 63, "V3.09 Alpha 47"}, {1, 2, 255, "V1.02 Beta 191"}, {127, 127, 0, "V127.127"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatOsVersion(c.major, c.minor, c.build), c.text);
        EXPECT_EQ(FormatOsVersion(PackOsVersion(c.major, c.minor, c.build)), c.text);
    }
}

TEST(Models, NamesModelBytesAndFamilies)
{
    for (const char* name : {"kandrel", "Kandrel ", "Pebix", "PEBIX KANDREL", "Kandrel R"})
        EXPECT_EQ(CModelSpec::Create(name), nullptr) << name;
    const auto kandrel = CModelSpec::Create("Kandrel");
    const auto pebix = CModelSpec::Create("Pebix Kandrel");
    ASSERT_NE(kandrel, nullptr);
    ASSERT_NE(pebix, nullptr);
    const bool kandrelTakes[] = {true, true, false, false};
    const bool pebixTakes[] = {false, false, true, false};
    for (uint8_t b = 0; b < 4; ++b) {
        EXPECT_EQ(kandrel->AcceptsModelByte(b), kandrelTakes[b]) << int(b);
        EXPECT_EQ(pebix->AcceptsModelByte(b), pebixTakes[b]) << int(b);
    }
    EXPECT_EQ(kandrel->FamilyByte(), 6);
    EXPECT_EQ(pebix->FamilyByte(), 6);
    EXPECT_EQ(pebix->MidiText().find("your Pebix Kandrel."), kandrel->MidiText().find("your Kandrel."));
}

TEST(Models, WarningsByDirectionOfTheUpdate)
{
    const auto kandrel = CModelSpec::Create("Kandrel");
    const auto pebix = CModelSpec::Create("Pebix Kandrel");
    const std::string head = "WARNING! You are about to update your Kandrel OS";
    EXPECT_EQ(kandrel->WarningText(0x020A00, 0x030004),
              head +
                  ". The patches that are stored in the synth memory will not work any more! Make sure you have "
                  "saved them in your computer BEFORE you proceed with this update.");
    EXPECT_EQ(kandrel->WarningText(0x030000, 0x030300),
              head +
                  ". The patches that are stored in the synth memory may not work any more! Make sure you have "
                  "saved them in your computer BEFORE you proceed with this update.");
    EXPECT_EQ(kandrel->WarningText(0x030300, 0x030000),
              head +
                  " with an earlier version than the one installed! The patches that are stored in the synth "
                  "memory may not work any more! Make sure you have saved them in your computer BEFORE you "
                  "proceed with this update.");
    EXPECT_EQ(pebix->WarningText(0x030300, 0x030000)
                  .rfind("WARNING! You are about to update your Pebix Kandrel OS "
                         "with an earlier version",
                         0),
              0u);
}

TEST(TextCopy, ExpandsCRAndStopsAtTheBufferOrTheSource)
{
    char buffer[8];
    EXPECT_EQ(CopyTextExpandingCR("a\rb", buffer, sizeof buffer), 4u);
    EXPECT_STREQ(buffer, "a\r\nb");
    EXPECT_EQ(CopyTextExpandingCR("abcdefghij", buffer, sizeof buffer), 7u);
    EXPECT_STREQ(buffer, "abcdefg");
    EXPECT_EQ(CopyTextExpandingCR(std::string_view("ab\0cd", 5), buffer, sizeof buffer), 2u);
    EXPECT_STREQ(buffer, "ab");
    buffer[0] = 'x';
    EXPECT_EQ(CopyTextExpandingCR("abc", buffer, 0), 0u);
    EXPECT_EQ(buffer[0], 'x');
}

} // namespace
