#include <gtest/gtest.h>

#include "assets/ResourceStream.h"

namespace {
const uint8_t block[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
}

TEST(ResourceStream, OpensOnlyNonEmptyBlocksInExactlyReadBinaryMode)
{
    for (const char* mode : {"r", "RB", "rb+", "wb", ""})
        EXPECT_EQ(ResourceStream::open(block, sizeof block, mode), nullptr) << mode;
    EXPECT_EQ(ResourceStream::open(block, 0, "rb"), nullptr);
    EXPECT_EQ(ResourceStream::open(nullptr, 10, "rb"), nullptr);
    ResourceStream* stream = ResourceStream::open(block, sizeof block, "rb");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->tell(), 0u);
    EXPECT_EQ(stream->error(), 0);
    ResourceStream::close(stream);
}

TEST(ResourceStream, SeeksWithinBoundsAndKeepsPositionOtherwise)
{
    ResourceStream* stream = ResourceStream::open(block, sizeof block, "rb");
    EXPECT_EQ(stream->seek(4, ResourceStream::Start), 0);
    EXPECT_EQ(stream->seek(3, ResourceStream::Current), 0);
    EXPECT_EQ(stream->tell(), 7u);
    EXPECT_EQ(stream->seek(4, ResourceStream::Current), -1);
    EXPECT_EQ(stream->seek(-8, ResourceStream::Current), -1);
    EXPECT_EQ(stream->seek(INT64_MAX, ResourceStream::End), -1);
    EXPECT_EQ(stream->seek(INT64_MIN, ResourceStream::End), -1);
    EXPECT_EQ(stream->tell(), 7u);
    EXPECT_EQ(stream->seek(0, ResourceStream::End), 0);
    EXPECT_EQ(stream->tell(), 10u);
    EXPECT_EQ(stream->seek(-10, ResourceStream::End), 0);
    EXPECT_EQ(stream->tell(), 0u);
    ResourceStream::close(stream);
}

TEST(ResourceStream, ReadsWholeItemsOnly)
{
    ResourceStream* stream = ResourceStream::open(block, sizeof block, "rb");
    uint8_t target[16] = {};
    stream->seek(3, ResourceStream::Start);
    EXPECT_EQ(stream->read(4, 5, target), 1u);
    EXPECT_EQ(target[0], 3);
    EXPECT_EQ(target[3], 6);
    EXPECT_EQ(stream->tell(), 7u);
    EXPECT_EQ(stream->read(1, 16, target), 3u);
    EXPECT_EQ(target[2], 9);
    EXPECT_EQ(stream->read(1, 1, target), 0u);
    ResourceStream::close(stream);
}
