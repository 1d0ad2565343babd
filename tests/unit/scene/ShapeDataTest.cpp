#include "scene/ShapeData.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::vector<unsigned char> shapeBlock(int32_t count, size_t triangles)
{
    std::vector<unsigned char> block(4 + triangles * shapeTriangleBytes);
    const uint32_t raw = static_cast<uint32_t>(count);
    for (int i = 0; i < 4; ++i)
        block[i] = static_cast<unsigned char>(raw >> (8 * i));
    for (size_t i = 4; i < block.size(); ++i)
        block[i] = static_cast<unsigned char>(i);
    return block;
}

TEST(ShapeData, CopiesTheTrianglesOfAnHonestBlock)
{
    auto block = shapeBlock(2, 2);
    const float u = 0.75f;
    std::memcpy(&block[4 + 24], &u, 4);  // first vertex's u
    ShapeData data;
    ASSERT_TRUE(data.loadFromMemory(block.data(), block.size()));
    EXPECT_EQ(data.triangleCount(), 2);
    EXPECT_EQ(data.vertexCount(), 6u);
    EXPECT_EQ(data.vertices()[0].u, 0.75f);
    EXPECT_EQ(std::memcmp(data.vertices(), &block[4], 2 * shapeTriangleBytes), 0);
    block.assign(block.size(), 0);  // the copy does not depend on the caller's block
    EXPECT_EQ(data.vertices()[0].u, 0.75f);
}

TEST(ShapeData, AcceptsEmptyAndSpareBytes)
{
    ShapeData data;
    auto empty = shapeBlock(0, 0);
    EXPECT_TRUE(data.loadFromMemory(empty.data(), empty.size()));
    EXPECT_EQ(data.triangleCount(), 0);
    auto spare = shapeBlock(1, 2);
    EXPECT_TRUE(data.loadFromMemory(spare.data(), spare.size()));
    EXPECT_EQ(data.triangleCount(), 1);
}

TEST(ShapeData, RejectsLyingNegativeAndShortBlocksLeavingItEmpty)
{
    ShapeData data;
    auto good = shapeBlock(1, 1);
    ASSERT_TRUE(data.loadFromMemory(good.data(), good.size()));

    auto lying = shapeBlock(3, 2);
    EXPECT_FALSE(data.loadFromMemory(lying.data(), lying.size()));
    EXPECT_EQ(data.triangleCount(), 0);
    EXPECT_EQ(data.vertices(), nullptr);

    auto oneByteShort = shapeBlock(2, 2);
    EXPECT_FALSE(data.loadFromMemory(oneByteShort.data(), oneByteShort.size() - 1));
    auto negative = shapeBlock(-1, 1);
    EXPECT_FALSE(data.loadFromMemory(negative.data(), negative.size()));
    // 4 + 96 x count wraps a 32-bit size for this count; it must still be refused.
    auto huge = shapeBlock(44739243, 1);
    EXPECT_FALSE(data.loadFromMemory(huge.data(), huge.size()));
    auto maximum = shapeBlock(INT32_MAX, 1);
    EXPECT_FALSE(data.loadFromMemory(maximum.data(), maximum.size()));
    EXPECT_FALSE(data.loadFromMemory(good.data(), 3));
    EXPECT_FALSE(data.loadFromMemory(nullptr, 100));
}

}  // namespace
