#include "scene/StarCatalogue.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

StarRecord star(double magnitude, double ra = 0.0, double dec = 0.0, uint8_t colourClass = 1)
{
    return {ra, dec, magnitude, colourClass};
}

std::vector<StarRecord> parseAll(const std::string& text)
{
    std::vector<StarRecord> stars(countStarLines(text.data(), text.size()));
    parseStars(text.data(), text.size(), stars.data(), stars.size());
    return stars;
}

TEST(StarCatalogue, ParsesLinesEndedByCarriageReturnAndLineFeed)
{
    const auto stars = parseAll("2.06;0.58;16.16;B\r\n-1.46;28.18;-9.6;A\r\n");
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_DOUBLE_EQ(stars[0].magnitude, 2.06);
    EXPECT_DOUBLE_EQ(stars[0].rightAscension, 0.58);
    EXPECT_DOUBLE_EQ(stars[0].declination, 16.16);
    EXPECT_EQ(stars[0].colourClass, 1);
    EXPECT_DOUBLE_EQ(stars[1].magnitude, -1.46);
    EXPECT_EQ(stars[1].colourClass, 2);
}

TEST(StarCatalogue, LastLineWithoutLineFeedIsNotRead)
{
    const auto stars = parseAll("1;2;3;O\n4;5;6;M");
    ASSERT_EQ(stars.size(), 1u);
    EXPECT_EQ(stars[0].colourClass, 0);
    EXPECT_EQ(countStarLines("", 0), 0u);
}

TEST(StarCatalogue, SpectralLettersAndUnknownOnesShareFsRow)
{
    const struct {
        char letter;
        uint8_t colourClass;
    } rows[] = {
        {'O', 0}, {'B', 1}, {'A', 2}, {'F', 3}, {'G', 4}, {'K', 5}, {'M', 6}, {'W', 3}, {'x', 3}, {'\r', 3}, {'\0', 3},
    };
    for (const auto& row : rows)
        EXPECT_EQ(colourClassFor(row.letter), row.colourClass) << int(row.letter);
    EXPECT_EQ(starColourTable[3].blue, 202);
    EXPECT_EQ(starColourTable[6].green, 177);
}

TEST(StarCatalogue, MalformedOrEmptyLinesBecomeInvisibleAndLeaveNeighboursIntact)
{
    const auto stars = parseAll("1;2;3;K\n\ngarbage\n2.5;;4;G\nnan;1;1;A\n4;5;6;M\n");
    ASSERT_EQ(stars.size(), 6u);
    EXPECT_DOUBLE_EQ(stars[0].magnitude, 1.0);
    EXPECT_EQ(stars[0].colourClass, 5);
    for (int i = 1; i <= 4; ++i) {
        const StarAppearance look = starAppearance(stars[i]);
        EXPECT_EQ(look.red + look.green + look.blue, 0.0f) << i;
        EXPECT_TRUE(std::isfinite(look.direction.x)) << i;
    }
    EXPECT_DOUBLE_EQ(stars[5].declination, 6.0);
    EXPECT_EQ(stars[5].colourClass, 6);
}

TEST(StarCatalogue, OverlongLineIsReadWithinItsBounds)
{
    std::string line = "3.5;10;20;G" + std::string(500, ' ') + "\n";
    const auto stars = parseAll(line + line);
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_DOUBLE_EQ(stars[1].magnitude, 3.5);
    EXPECT_EQ(stars[1].colourClass, 4);
}

TEST(StarAppearance, SizeFromMagnitude)
{
    EXPECT_FLOAT_EQ(starAppearance(star(3.0)).pointSize, 2.0f);
    EXPECT_FLOAT_EQ(starAppearance(star(6.0)).pointSize, 2.0f);
    EXPECT_FLOAT_EQ(starAppearance(star(2.5)).pointSize, 2.5f);
    EXPECT_FLOAT_EQ(starAppearance(star(-1.46)).pointSize, 6.46f);
}

TEST(StarAppearance, BrightStarsSaturateAndFaintOnesGoBlack)
{
    const StarAppearance sirius = starAppearance(star(-1.46, 0, 0, 2));
    EXPECT_FLOAT_EQ(sirius.red, 1.0f);
    EXPECT_FLOAT_EQ(sirius.green, 1.0f);
    EXPECT_FLOAT_EQ(sirius.blue, 1.0f);

    const StarAppearance faint = starAppearance(star(8.5, 0, 0, 6));
    EXPECT_EQ(faint.red + faint.green + faint.blue, 0.0f);
    const StarAppearance fainter = starAppearance(star(9.5, 0, 0, 6));
    EXPECT_EQ(fainter.red + fainter.green + fainter.blue, 0.0f);

    // Magnitude 3.5: brightness 0.5, so 255 x 0.003906 x 0.75 for red of class M.
    const StarAppearance mid = starAppearance(star(3.5, 0, 0, 6));
    EXPECT_NEAR(mid.red, 255 * 0.003906 * 0.75, 1e-6);
    EXPECT_NEAR(mid.green, 177 * 0.003906 * 0.75, 1e-6);
    EXPECT_NEAR(mid.blue, 128 * 0.003906 * 0.75, 1e-6);
}

TEST(StarAppearance, PositionOnTheSphere)
{
    const Vec3 quarter = starAppearance(star(1.0, 25.0, 0.0)).direction;
    EXPECT_NEAR(quarter.x, 0.0, 1e-12);
    EXPECT_NEAR(quarter.y, 1.0, 1e-12);
    EXPECT_NEAR(quarter.z, 0.0, 1e-12);
    const Vec3 pole = starAppearance(star(1.0, 70.0, 50.0)).direction;
    EXPECT_NEAR(pole.x, 0.0, 1e-12);
    EXPECT_NEAR(pole.y, 0.0, 1e-12);
    EXPECT_NEAR(pole.z, 1.0, 1e-12);
    const Vec3 south = starAppearance(star(1.0, 0.0, -50.0)).direction;
    EXPECT_NEAR(south.z, -1.0, 1e-12);
}

}  // namespace
