#include <gtest/gtest.h>

#include "scene/CloudLayout.h"
#include "scene/LayerStrip.h"

namespace {

constexpr int kFirstBand = 1;
constexpr int kLastBand = 9;

// Which of the table's bands cover row y, in the table's order.
std::vector<int> bandsAt(double y)
{
    std::vector<int> bands;
    for (int band = kFirstBand; band <= kLastBand; ++band) {
        const BandEdges e = bandEdges(layerTable[band].top, layerTable[band].height);
        if (e.bottom < y && y < e.top)
            bands.push_back(band);
    }
    return bands;
}

TEST(LayerStrips, TheStripsTileTheSurfaceFromTopToBottom)
{
    const std::vector<LayerStrip> strips = layerStrips(layerTable, kFirstBand, kLastBand);
    ASSERT_FALSE(strips.empty());
    EXPECT_EQ(strips.front().top, 1.0);
    EXPECT_EQ(strips.back().bottom, -1.0);
    for (size_t i = 0; i < strips.size(); ++i) {
        EXPECT_LT(strips[i].bottom, strips[i].top);
        if (i > 0) {
            EXPECT_EQ(strips[i].top, strips[i - 1].bottom) << "strip " << i;
        }
    }
}

TEST(LayerStrips, EveryRowGetsExactlyTheBandsThatCoverItInTheTablesOrder)
{
    const std::vector<LayerStrip> strips = layerStrips(layerTable, kFirstBand, kLastBand);
    size_t most = 0;
    for (double y = -0.9995; y < 1.0; y += 0.001) {
        const auto strip =
            std::find_if(strips.begin(), strips.end(), [&](const LayerStrip& s) { return s.bottom < y && y < s.top; });
        if (strip == strips.end())
            continue;  // on an edge
        EXPECT_EQ(strip->bands, bandsAt(y)) << "y = " << y;
        most = std::max(most, strip->bands.size());
    }
    EXPECT_EQ(most, 3u);  // three bands and the base fit seven texture units
}

TEST(LayerStrips, BandsReachingPastTheSurfaceAreCutAtItsEdges)
{
    const LayerDescriptor table[3] = {
        {LayerKind::Base, 0.0, 1.0, 1.0, 0.0, 1.0, 0.0},
        {LayerKind::Band, -0.25, 0.5, 1.0, 0.0, 1.0, 0.0},
        {LayerKind::Band, 0.75, 0.5, 1.0, 0.0, 1.0, 0.0},
    };
    const std::vector<LayerStrip> strips = layerStrips(table, 1, 2);
    ASSERT_EQ(strips.size(), 3u);
    EXPECT_EQ(strips[0].bands, std::vector<int>{1});
    EXPECT_EQ(strips[0].bottom, 0.5);
    EXPECT_TRUE(strips[1].bands.empty());
    EXPECT_EQ(strips[2].bands, std::vector<int>{2});
    EXPECT_EQ(strips[2].bottom, -1.0);
}

}  // namespace
