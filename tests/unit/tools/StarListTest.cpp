#include "GeneratedPack.h"

#include "tools/starcatalogue/CatalogueConverter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>

namespace {

std::string packedStars()
{
    std::vector<uint8_t> bytes = GeneratedPack::instance().member("stars.dat");
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> crlfLines(const std::string& text, bool& everyLineEnded)
{
    std::vector<std::string> lines;
    everyLineEnded = true;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            everyLineEnded = false;
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(StarList, ThePackCarriesTheCommittedCatalogue)
{
    std::vector<uint8_t> committed = readFile(ZANDOR_STARS_DAT);
    ASSERT_FALSE(committed.empty());
    EXPECT_EQ(packedStars(), std::string(committed.begin(), committed.end()));
}

TEST(StarList, NineThousandNinetySixCrlfLinesInTheSceneFormat)
{
    bool everyLineEnded = false;
    std::vector<std::string> lines = crlfLines(packedStars(), everyLineEnded);
    EXPECT_TRUE(everyLineEnded);
    ASSERT_EQ(lines.size(), 9096u);
    double faintest = -100, brightest = 100;
    std::set<char> classes;
    for (const std::string& line : lines) {
        double magnitude, ra, dec;
        char type = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf;%lf;%lf;%c", &magnitude, &ra, &dec, &type), 4) << line;
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_GE(ra, 0.0);
        EXPECT_LT(ra, 100.0);
        EXPECT_GE(dec, -50.0);
        EXPECT_LE(dec, 50.0);
        faintest = std::max(faintest, magnitude);
        brightest = std::min(brightest, magnitude);
        classes.insert(type);
    }
    EXPECT_DOUBLE_EQ(brightest, -1.46);
    EXPECT_DOUBLE_EQ(faintest, 7.96);
    EXPECT_EQ(classes, (std::set<char>{'O', 'B', 'A', 'F', 'G', 'K', 'M'}));
}

TEST(StarList, AlpheratzAndOtherKnownStars)
{
    std::string text = packedStars();
    EXPECT_NE(text.find("\r\n2.06;0.58;16.16;B\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n-1.46;28.14;-9.29;A\r\n"), std::string::npos);  // Sirius
    EXPECT_NE(text.find("\r\n0.50;24.66;4.11;M\r\n"), std::string::npos);  // Betelgeuse
    EXPECT_EQ(text.find("-0.00"), std::string::npos);
}

TEST(StarList, RegeneratingFromTheSharedCatalogueGivesTheCommittedFile)
{
    std::vector<uint8_t> source = readFile(ZANDOR_SHARED_BSC5);
    if (source.empty())
        GTEST_SKIP() << "no shared catalogue beside the repository";
    CatalogueConverter converter;
    ASSERT_TRUE(converter.parse(std::string(source.begin(), source.end())));
    std::vector<uint8_t> committed = readFile(ZANDOR_STARS_DAT);
    EXPECT_EQ(converter.render(), std::string(committed.begin(), committed.end()));
}

}  // namespace
