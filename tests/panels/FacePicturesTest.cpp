// The module faces as the generator draws them, before compression: sizes,
// the plain grey under every item, and labels that name every control
// without covering anything.
#include "modules/ModuleCatalogueContent.h"
#include "panels/BuildModule.h"
#include "panels/ModuleCatalogue.h"
#include "tools/picgen/FacePainter.h"
#include "tools/picgen/LabelPlacer.h"
#include "tools/picgen/PictureColours.h"
#include "tools/picgen/PictureSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <set>

namespace {

using picgen::FaceRect;

class FacePictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() { faces_ = new std::vector<picgen::FacePicture>(picgen::MakeFaces()); }
    static void TearDownTestSuite()
    {
        delete faces_;
        faces_ = nullptr;
    }
    static const std::vector<picgen::FacePicture>& Faces() { return *faces_; }
    static const CBuildModule& TypeOf(const picgen::FacePicture& face)
    {
        return GetSharedModuleCatalogue().GetBuilder(static_cast<uint8_t>(face.typeId));
    }

private:
    static inline std::vector<picgen::FacePicture>* faces_ = nullptr;
};

TEST_F(FacePictures, OneFaceOfItsHeightPerTypeEachWithItsOwnPicture)
{
    ASSERT_EQ(Faces().size(), 109u);
    std::set<int> jpegs;
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        EXPECT_EQ(face.layout.picture.Width(), 250);
        EXPECT_EQ(face.layout.picture.Height(), 15 * type.GetHeight() - 6);
        EXPECT_TRUE(jpegs.insert(face.jpegId).second) << "face " << face.jpegId << " twice";
    }
}

// Knob masks, LEDs and jacks are drawn over the face and assume the panel
// grey beneath them.
TEST_F(FacePictures, TheFaceIsPanelGreyUnderEveryItem)
{
    for (const auto& face : Faces()) {
        SCOPED_TRACE(TypeOf(face).GetShortName());
        const picgen::CRaster& p = face.layout.picture;
        int wrong = 0;
        for (const FaceRect& f : face.layout.itemFrames)
            for (int y = std::max(f.y, 0); y < std::min(f.Bottom(), p.Height()); ++y)
                for (int x = std::max(f.x, 0); x < std::min(f.Right(), p.Width()); ++x)
                    wrong += p.At(x, y) != picgen::kPanelGrey;
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(FacePictures, LabelsCoverNoItemNoLabelAndNotTheTitleStrip)
{
    for (const auto& face : Faces()) {
        SCOPED_TRACE(TypeOf(face).GetShortName());
        const auto& labels = face.layout.labels;
        for (size_t i = 0; i < labels.size(); ++i) {
            const FaceRect& box = labels[i].box;
            EXPECT_FALSE(box.Intersects(picgen::kTitleStrip)) << labels[i].text;
            EXPECT_TRUE(box.x >= 0 && box.y >= 0 && box.Right() <= 250 && box.Bottom() <= face.layout.picture.Height())
                << labels[i].text;
            for (const FaceRect& item : face.layout.itemFrames) {
                EXPECT_FALSE(box.Intersects(item)) << labels[i].text;
            }
            for (size_t j = i + 1; j < labels.size(); ++j) {
                EXPECT_FALSE(box.Intersects(labels[j].box)) << labels[i].text << " and " << labels[j].text;
            }
        }
    }
}

TEST_F(FacePictures, EveryControlHasItsOwnLabelOrARowLabel)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        std::vector<bool> named(type.GetParamCount(), false);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind == picgen::LabelKind::Row) {
                EXPECT_GE(label.controls.size(), 3u) << label.text;
            }
            if (label.kind == picgen::LabelKind::Control) {
                EXPECT_EQ(label.controls.size(), 1u) << label.text;
            }
            for (int c : label.controls) {
                named.at(static_cast<size_t>(c)) = true;
            }
        }
        for (size_t i = 0; i < named.size(); ++i) {
            EXPECT_TRUE(named[i]) << "parameter " << i << " " << type.GetParamName(static_cast<uint8_t>(i));
        }
    }
}

TEST_F(FacePictures, TheTitleStripIsPlain)
{
    for (const auto& face : Faces()) {
        const picgen::CRaster& p = face.layout.picture;
        const FaceRect& t = picgen::kTitleStrip;
        for (int y = t.y; y < t.Bottom(); ++y)
            for (int x = t.x; x < t.Right(); ++x)
                ASSERT_EQ(p.At(x, y), picgen::kPanelGrey) << TypeOf(face).GetShortName() << " at " << x << "," << y;
    }
}

// Measured in the thread's own processor time: the suite runs many tests side
// by side, and wall time would count the time other tests had the processor.
TEST(PictureGenerator, DrawsAndEncodesEverythingInUnderTwoSeconds)
{
    const auto cpuMilliseconds = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
    };
    const double start = cpuMilliseconds();
    size_t bytes = 0;
    for (const picgen::CPicture& p : picgen::MakeAllPictures())
        bytes += p.Encode().size();
    EXPECT_GT(bytes, 0u);
    EXPECT_LT(cpuMilliseconds() - start, 2000.0);
}

} // namespace

namespace {

// Labels are shortened in steps and keep a parameter's number to the end.
TEST(LabelNames, ShortenedFromTheFullNameAndKeepingTheirNumber)
{
    const auto names = picgen::ShortenedNames("Freq MA 2");
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "Freq MA 2");
    EXPECT_EQ(names[1], "FreqMA2");
    for (const std::string& n : names)
        EXPECT_EQ(n.back(), '2') << n;
    EXPECT_EQ(names.back(), "F2");
    for (size_t i = 1; i < names.size(); ++i)
        EXPECT_LE(names[i].size(), names[i - 1].size());
}

} // namespace
