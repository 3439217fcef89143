// Damaged patch files: whatever the bytes, reading gives either the dumps
// (with or without a pending error) or an XFileBase, and never reads outside
// what it holds (the tests run under the address sanitizer).
#include "tests/patch/PatchFileTestSupport.h"

#include <random>

namespace {

using namespace patchtest;

// Replaces, inserts, deletes or cuts a few bytes, choosing among the
// characters that steer the readers.
std::string Damage(std::string text, std::mt19937& random)
{
    static const std::string kSteering = "0123456789- \t\r\n[]=/xPBIMV";
    const auto pick = [&random](size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
    const size_t edits = 1 + pick(4);
    for (size_t e = 0; e < edits && !text.empty(); ++e) {
        const size_t at = pick(text.size());
        switch (pick(5)) {
        case 0:
            text[at] = kSteering[pick(kSteering.size())];
            break;
        case 1:
            text.insert(at, 1, kSteering[pick(kSteering.size())]);
            break;
        case 2:
            text.erase(at, 1 + pick(40));
            break;
        case 3:
            text.insert(at, pick(2) == 0 ? "4294967296 " : "-2147483649 ");
            break;
        default:
            text.resize(at);
            break;
        }
    }
    return text;
}

class PatchFileDamageTest : public PatchFileTest {
protected:
    void ReadDamagedCopies(const std::string& original, uint32_t seed)
    {
        std::mt19937 random(seed);
        for (int i = 0; i < 250; ++i) {
            const std::string damaged = Damage(original, random);
            try {
                const auto content = Read(damaged);
                ASSERT_EQ(content->dumps.GetCount(), kDumpCount) << damaged;
            } catch (const XFileBase& error) {
                EXPECT_GE(error.GetNumber(), 1u);
                EXPECT_LE(error.GetNumber(), 3u);
            }
        }
    }
};

TEST_F(PatchFileDamageTest, DamagedVersion30FilesAreReadOrRefused)
{
    CPatchShape shape;
    shape.types = {7, 19, 24, 106};
    shape.modulesPerArea = 4;
    shape.cablesPerArea = 3;
    CMoleculePacket dumps;
    BuildPatch(shape, dumps);
    ReadDamagedCopies(Write(dumps, "notes\r[line]\rmore"), 30);
}

TEST_F(PatchFileDamageTest, DamagedVersion210FilesAreReadOrRefused)
{
    const std::string file =
        "Version=Vesk Kandrel patch 2.10\r\nVoices=4\r\nRetrig=1\r\n"
        "[Module 1]\r\nType=7\r\nName=Osc\r\nCol=0\r\nRow=2\r\nP0=1\r\nP1=2\r\nP2=3\r\nP3=4\r\nP4=1\r\n"
        "In0=2\r\nJack=65\r\nColor=1\r\n"
        "[Module 2]\r\nType=6\r\nName=Morph\r\nCol=0\r\nRow=0\r\nP0=1\r\nP1=2\r\nP2=3\r\nP3=4\r\n"
        "[Module 3]\r\nType=17\r\nName=Seq\r\nCol=1\r\nRow=0\r\nB0=5\r\n"
        "[Controllers]\r\nM7=2\r\nParam=1\r\nM126=0\r\nParam=2\r\n"
        "[Knobs]\r\nM0=3\r\nParam=40\r\n[Morphs]\r\nM0=1\r\nParam=0\r\nGroup=1\r\nRange=9\r\n"
        "[Voices]\r\nV0=60\r\nV1=61\r\n[Notes]\r\nCount=2\r\nL=one\r\nL=two\r\n";
    ReadDamagedCopies(file, 210);
}

} // namespace
