#include "framework/base/Exceptions.h"
#include "framework/files/MemoryMedia.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace NSHarrowen;

namespace {

std::vector<uint8_t> Bytes(const CMemoryMedia& m)
{
    return {m.Bytes().begin(), m.Bytes().end()};
}

TEST(MediaTest, MultiByteValuesAreBigEndian)
{
    struct Case {
        const char* what;
        void (*write)(CMedia&);
        std::vector<uint8_t> bytes;
    };
    const Case cases[] = {
        {"word", [](CMedia& m) { m.WriteWord16(0x1234); }, {0x12, 0x34}},
        {"long", [](CMedia& m) { m.WriteLong32(0x89ABCDEF); }, {0x89, 0xAB, 0xCD, 0xEF}},
        {"byte then word",
         [](CMedia& m) {
             m.WriteByte(0xFF);
             m.WriteWord16(0x00FE);
         },
         {0xFF, 0x00, 0xFE}},
    };
    for (const Case& c : cases) {
        CMemoryMedia m(static_cast<uint32_t>(c.bytes.size()));
        c.write(m);
        EXPECT_EQ(Bytes(m), c.bytes) << c.what;
        EXPECT_EQ(m.GetPosition(), c.bytes.size()) << c.what;
    }

    const std::array<uint8_t, 7> data{0x12, 0x34, 0xDE, 0xAD, 0xBE, 0xEF, 0x7F};
    CMemoryMedia r(data);
    EXPECT_EQ(r.ReadWord16(), 0x1234);
    EXPECT_EQ(r.ReadLong32(), 0xDEADBEEFu);
    EXPECT_EQ(r.ReadByte(), 0x7F);
    EXPECT_EQ(r.GetPosition(), 7u);
}

TEST(MediaTest, PeekAndSkipLeaveOrMoveThePosition)
{
    const std::array<uint8_t, 4> data{1, 2, 3, 4};
    CMemoryMedia m(data);
    m.SetPosition(1);
    EXPECT_EQ(m.PeekByte(), 2);
    EXPECT_EQ(m.GetPosition(), 1u);
    uint8_t two[2]{};
    m.Peek(2, two);
    EXPECT_EQ(two[0], 2);
    EXPECT_EQ(two[1], 3);
    EXPECT_EQ(m.GetPosition(), 1u);
    m.Skip(2);
    EXPECT_EQ(m.GetPosition(), 3u);
    m.Skip(-3);
    EXPECT_EQ(m.GetPosition(), 0u);
    EXPECT_THROW(m.Skip(-1), XPosition);
    EXPECT_EQ(m.GetPosition(), 0u);
}

TEST(MediaTest, ReadAtAndWriteAt)
{
    CMemoryMedia m(6);
    const uint8_t ab[2]{0xA, 0xB};
    m.WriteAt(4, 2, ab);
    m.WriteAt(0, 2, ab);
    m.WriteAt(2, 2, ab); // at the current position
    EXPECT_EQ(Bytes(m), (std::vector<uint8_t>{0xA, 0xB, 0xA, 0xB, 0xA, 0xB}));
    uint8_t out[2]{};
    m.ReadAt(1, 2, out);
    EXPECT_EQ(out[0], 0xB);
    EXPECT_EQ(out[1], 0xA);
    EXPECT_EQ(m.GetPosition(), 3u);
}

// A media that counts its seeks, to tell WriteAt (seeks only when needed)
// from ReadAt (always seeks).
class CountingMedia : public CMemoryMedia {
public:
    using CMemoryMedia::CMemoryMedia;
    void SetPosition(uint32_t p) override
    {
        ++seeks;
        CMemoryMedia::SetPosition(p);
    }
    int seeks = 0;
};

TEST(MediaTest, WriteAtAtTheCurrentPositionDoesNotSeekButReadAtDoes)
{
    CountingMedia m(4u);
    const uint8_t x = 1;
    m.WriteAt(0, 1, &x);
    EXPECT_EQ(m.seeks, 0);
    m.WriteAt(3, 1, &x);
    EXPECT_EQ(m.seeks, 1);
    uint8_t y;
    m.ReadAt(0, 1, &y);
    m.ReadAt(1, 1, &y);
    EXPECT_EQ(m.seeks, 3);
}

TEST(MediaTest, MemoryMediaRefusesToPassItsEnd)
{
    const std::array<uint8_t, 3> data{1, 2, 3};
    CMemoryMedia m(data);
    m.SetPosition(2);
    uint8_t buf[4]{};
    EXPECT_THROW(m.Read(2, buf), XRead);
    EXPECT_THROW(m.ReadWord16(), XRead);
    EXPECT_THROW(m.ReadLong32(), XRead);
    EXPECT_THROW(m.Write(2, buf), XWrite);
    EXPECT_THROW(m.WriteLong32(0), XWrite);
    EXPECT_EQ(m.GetPosition(), 2u) << "a refused access changes nothing";
    EXPECT_EQ(Bytes(m), (std::vector<uint8_t>{1, 2, 3}));

    EXPECT_THROW(m.SetPosition(4), XPosition);
    EXPECT_THROW(m.Skip(2), XPosition);
    EXPECT_THROW(m.ReadAt(10, 1, buf), XPosition);
    EXPECT_NO_THROW(m.SetPosition(3)); // the end itself is a position
    EXPECT_THROW(m.ReadByte(), XRead);
    EXPECT_NO_THROW(m.Read(0, buf));

    CMemoryMedia empty(0u);
    EXPECT_THROW(empty.ReadByte(), XRead);
    EXPECT_THROW(empty.WriteByte(0), XWrite);
}

TEST(MediaTest, BorrowedMemoryIsWrittenInPlace)
{
    uint8_t block[2]{0, 0};
    auto m = CMemoryMedia::Borrow(block, sizeof block);
    m->WriteWord16(0xCAFE);
    EXPECT_EQ(block[0], 0xCA);
    EXPECT_EQ(block[1], 0xFE);
    EXPECT_EQ(m->GetData(), block);
}

} // namespace
