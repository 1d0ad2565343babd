#include "GeneratedPack.h"

#include "tools/artwork/SurfaceComposer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// JPEG rounding may lift a sum by a step or two; more means real overlap.
constexpr int codingSlack = 4;

GeneratedPack::Picture layer(int i)
{
    return GeneratedPack::instance().picture(("layer_tex" + std::to_string(i) + ".jpg").c_str());
}
GeneratedPack::Picture mask(int i)
{
    return GeneratedPack::instance().picture(("layer_mask" + std::to_string(i) + ".jpg").c_str());
}

double columnDifference(const GeneratedPack::Picture& p, int a, int b)
{
    double sum = 0.0;
    for (int y = 0; y < p.height; ++y)
        for (int c = 0; c < 3; ++c)
            sum += std::abs(p.at(a, y, c) - p.at(b, y, c));
    return sum / (p.height * 3.0);
}

TEST(CloudLayers, EveryLayerAndMaskTilesLeftToRight)
{
    for (int i = 0; i < 12; ++i)
        for (const GeneratedPack::Picture& p : {layer(i), mask(i)}) {
            ASSERT_GT(p.width, 0) << i;
            double neighbours = 0.0;
            for (int x = 1; x < p.width; x += p.width / 16)
                neighbours += columnDifference(p, x - 1, x) / 16.0;
            // The wrap from the last column to the first is no harsher than any step inside.
            EXPECT_LE(columnDifference(p, p.width - 1, 0), 2.0 * neighbours + 2.0) << "layer " << i;
        }
}

// Each picture is coded on its own, so a rare pixel of a busy feathered edge may
// round a few steps up in both; the design itself keeps mask + layer at or below white.
TEST(CloudLayers, MultiplyingByTheMaskThenAddingTheLayerNeverSaturates)
{
    for (int i = 1; i < 12; ++i) {
        GeneratedPack::Picture l = layer(i), m = mask(i);
        ASSERT_EQ(l.width, m.width);
        ASSERT_EQ(l.height, m.height);
        int worst = 0;
        size_t overSlack = 0;
        for (size_t k = 0; k < l.rgb.size(); ++k) {
            int sum = l.rgb[k] + m.rgb[k];
            overSlack += sum > 255 + codingSlack;
            worst = std::max(worst, sum);
        }
        EXPECT_LE(worst, 255 + 4 * codingSlack) << "layer " << i;
        EXPECT_LE(overSlack, l.rgb.size() / 10000) << "layer " << i;
    }
}

TEST(CloudLayers, MasksAreFeatheredAndWhiteAtTheQuadEdges)
{
    for (int i = 1; i < 12; ++i) {
        GeneratedPack::Picture m = mask(i);
        size_t soft = 0;
        for (size_t k = 0; k < m.rgb.size(); k += 3)
            soft += m.rgb[k] > 24 && m.rgb[k] < 232;
        EXPECT_GT(soft, m.rgb.size() / 3 / 50) << "mask " << i << " has hard edges";
        for (int x = 0; x < m.width; x += 7) {
            EXPECT_GE(m.at(x, 0, 0), 250) << "mask " << i;
            EXPECT_GE(m.at(x, m.height - 1, 0), 250) << "mask " << i;
        }
    }
}

Raster toRaster(const GeneratedPack::Picture& p)
{
    Raster r(p.width, p.height);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            r.at(x, y) = {p.at(x, y, 0) / 255.0f, p.at(x, y, 1) / 255.0f, p.at(x, y, 2) / 255.0f};
    return r;
}

TEST(CloudLayers, TheStaticSurfaceIsTheLayerStackAtTimeZeroSouthPoleOnTop)
{
    std::array<Raster, layerCount> layers, masks;
    for (int i = 0; i < layerCount; ++i) {
        layers[i] = toRaster(layer(i));
        masks[i] = toRaster(mask(i));
    }
    Raster composed = SurfaceComposer::compose(layers, masks, 1024, 512).flippedVertically();
    GeneratedPack::Picture surface = GeneratedPack::instance().picture("surface0.jpg");
    ASSERT_EQ(surface.width, 4096);
    double difference = 0.0, upsideDown = 0.0;
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 1024; ++x) {
            const Colour& c = composed.at(x, y);
            int sx = x * 4 + 2, sy = y * 4 + 2;
            difference += std::abs(c.r * 255 - surface.at(sx, sy, 0)) + std::abs(c.b * 255 - surface.at(sx, sy, 2));
            upsideDown +=
                std::abs(c.r * 255 - surface.at(sx, 2047 - sy, 0)) + std::abs(c.b * 255 - surface.at(sx, 2047 - sy, 2));
        }
    difference /= 1024 * 512 * 2;
    upsideDown /= 1024 * 512 * 2;
    EXPECT_LT(difference, 8.0);
    EXPECT_GT(upsideDown, 2.0 * difference);
}

TEST(CloudLayers, TheOuterStormIsReddishAndItsCoreBrighter)
{
    GeneratedPack::Picture outer = layer(10), inner = layer(11);
    auto centre = [](const GeneratedPack::Picture& p, int c) { return p.at(p.width / 2 + 8, p.height / 2, c); };
    int ringRed = outer.at(outer.width / 2 + outer.width / 3 - 6, outer.height / 2, 0);
    int ringBlue = outer.at(outer.width / 2 + outer.width / 3 - 6, outer.height / 2, 2);
    EXPECT_GT(ringRed, ringBlue + 40);
    EXPECT_GT(centre(inner, 0) + centre(inner, 1) + centre(inner, 2), ringRed + ringBlue);
    // Outside the oval the layer adds nothing and the mask keeps the surface.
    EXPECT_LE(outer.at(2, 2, 0), 6);
    EXPECT_GE(mask(10).at(2, 2, 0), 249);
}

}  // namespace
