// The custom data stream that carries the items' custom data.
#include "panels/items/CustomDataStream.h"
#include "patch/PatchError.h"

#include <gtest/gtest.h>

namespace {

TEST(CustomDataStreamTest, ReadsWhatWasWrittenAndRefusesToReadPastTheEnd)
{
    CCustomDataStream stream;
    for (uint8_t b : {3, 0, 127}) {
        stream.WriteByte(b);
    }
    stream.Rewind();
    EXPECT_EQ(stream.ReadByte(), 3);
    EXPECT_EQ(stream.ReadByte(), 0);
    EXPECT_EQ(stream.ReadByte(), 127);
    // Short data (from a file or the synthesizer) ends in a patch error.
    try {
        stream.ReadByte();
        FAIL() << "read past the end";
    } catch (const XPIncompleteData& error) {
        EXPECT_EQ(error.GetCode(), PatchErrorCode::kIncompleteCustomData);
    }
    const uint8_t none[] = {0};
    CCustomDataStream empty(std::span<const uint8_t>(none, 0));
    EXPECT_THROW(empty.ReadByte(), XPIncompleteData);
}

} // namespace
