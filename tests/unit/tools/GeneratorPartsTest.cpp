#include "GeneratedPack.h"

#include "tools/pack/PackWriter.h"
#include "tools/procedural/GradientNoise.h"
#include "tools/starcatalogue/CatalogueConverter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

TEST(GradientNoise, RepeatsAfterItsPeriodAtEveryOctave)
{
    GradientNoise noise(5);
    for (double x = 0.05; x < 3.0; x += 0.37)
        for (double y = -2.0; y < 2.0; y += 0.41) {
            EXPECT_NEAR(noise.periodic(x, y, 3), noise.periodic(x + 3.0, y, 3), 1e-12);
            EXPECT_NEAR(noise.fbmPeriodic(x, y, 3, 5), noise.fbmPeriodic(x + 3.0, y, 3, 5), 1e-12);
        }
    EXPECT_NE(noise.periodic(0.3, 0.4, 3), GradientNoise(6).periodic(0.3, 0.4, 3));
}

TEST(CatalogueConverter, SpectralLettersFollowTheTypeAndFallBackToTheColour)
{
    EXPECT_EQ(CatalogueConverter::spectralClass("B8IVpMnHg", ""), 'B');
    EXPECT_EQ(CatalogueConverter::spectralClass("gG9", ""), 'G');
    EXPECT_EQ(CatalogueConverter::spectralClass("  sdF5", ""), 'F');
    EXPECT_EQ(CatalogueConverter::spectralClass("kA2hA5mA7V", ""), 'A');
    EXPECT_EQ(CatalogueConverter::spectralClass("WC8", ""), 'O');
    for (const char* carbon : {"C5", "N3", "R8", "S4"})
        EXPECT_EQ(CatalogueConverter::spectralClass(carbon, ""), 'M') << carbon;
    EXPECT_EQ(CatalogueConverter::spectralClass("DA", " 1.20"), 'K');
    EXPECT_EQ(CatalogueConverter::spectralClass("", "-0.31"), 'O');
    EXPECT_EQ(CatalogueConverter::spectralClass("", "-0.30"), 'B');
    EXPECT_EQ(CatalogueConverter::spectralClass("", " 0.30"), 'F');
    EXPECT_EQ(CatalogueConverter::spectralClass("", " 1.40"), 'M');
}

std::string catalogueLine(const char* ra, const char* dec, const char* magnitude)
{
    std::string line(197, ' ');
    line.replace(75, 8, ra);
    line.replace(83, 7, dec);
    line.replace(102, 5, magnitude);
    line.replace(127, 4, "K0II");
    return line;
}

TEST(CatalogueConverter, ConvertsHoursAndDegreesToFractionsOfATurn)
{
    CatalogueConverter converter;
    ASSERT_TRUE(converter.parse(catalogueLine("060000.0", "-450000", " 3.00") + "\n" +
                                catalogueLine("000001.0", "-000001", "-1.46")));
    EXPECT_EQ(converter.render(), "3.00;25.00;-25.00;K\r\n-1.46;0.00;0.00;K\r\n");
}

TEST(CatalogueConverter, RejectsALineWithoutPosition)
{
    CatalogueConverter converter;
    EXPECT_FALSE(converter.parse(catalogueLine("060000.0", "-450000", " 3.00") + "\n   1 short line"));
    EXPECT_TRUE(converter.stars().empty());
}

TEST(PackWriter, WritesTheSameBytesEveryTimeAndThePackReaderReadsThemBack)
{
    std::string first = std::string(ZANDOR_TOOLS_OUT_DIR) + "/test-first.zip", second = first + ".again";
    PackWriter writer;
    writer.add("Flare1.jpg", {1, 2, 3});
    writer.add("stars.dat", std::vector<uint8_t>(5000, 'x'));
    ASSERT_TRUE(writer.write(first));
    ASSERT_TRUE(writer.write(second));
    std::vector<uint8_t> bytes = readFile(first);
    EXPECT_EQ(bytes, readFile(second));
    std::remove(first.c_str());
    std::remove(second.c_str());

    ResourcePack pack;
    ASSERT_TRUE(pack.openMemory(bytes.data(), bytes.size()));
    void* data = nullptr;
    ASSERT_EQ(pack.extract("flare1.jpg", &data), 3u);
    EXPECT_EQ(static_cast<uint8_t*>(data)[2], 3);
    std::free(data);
    ASSERT_EQ(pack.extract("stars.dat", &data), 5000u);
    std::free(data);
}

}  // namespace
