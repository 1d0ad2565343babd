#include "GeneratedPack.h"

#include <gtest/gtest.h>
#include <minizip/unzip.h>

#include "scene/LayerTable.h"
#include "scene/PackMembers.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct ExpectedPicture {
    std::string name;
    int width, height;
};

std::vector<ExpectedPicture> expectedPictures()
{
    std::vector<ExpectedPicture> list = {{"surface0.jpg", 4096, 2048},
                                         {"zandor_night.jpg", 2048, 1024},
                                         {"rings.jpg", 1024, 1024},
                                         {"rings_mask.jpg", 1024, 1024},
                                         {"star128.jpg", 128, 128}};
    const int layerHeights[12] = {1024, 256, 256, 256, 128, 128, 128, 128, 128, 256, 256, 128};
    for (int i = 0; i < 12; ++i) {
        int width = i >= 10 ? layerHeights[i] : 2048;
        list.push_back({"layer_tex" + std::to_string(i) + ".jpg", width, layerHeights[i]});
        list.push_back(i == 0 ? ExpectedPicture{"layer_mask0.jpg", 128, 128}
                              : ExpectedPicture{"layer_mask" + std::to_string(i) + ".jpg", width, layerHeights[i]});
    }
    for (int i = 0; i < 4; ++i)
        list.push_back({"moon" + std::to_string(i) + ".jpg", 512, 256});
    for (int i = 1; i <= 10; ++i)
        list.push_back({"Flare" + std::to_string(i) + ".jpg", i == 6 ? 512 : (i <= 5 ? 256 : 512),
                        i == 6 ? 32 : (i <= 5 ? 256 : 512)});
    return list;
}

struct DirectoryEntry {
    std::string name;
    unsigned long method;
};

std::vector<DirectoryEntry> directory()
{
    std::vector<DirectoryEntry> entries;
    unzFile zip = unzOpen((std::string(ZANDOR_TOOLS_OUT_DIR) + "/Zandor3D.pack").c_str());
    if (!zip)
        return entries;
    for (int status = unzGoToFirstFile(zip); status == UNZ_OK; status = unzGoToNextFile(zip)) {
        char name[256];
        unz_file_info info;
        if (unzGetCurrentFileInfo(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) == UNZ_OK)
            entries.push_back({name, info.compression_method});
    }
    unzClose(zip);
    return entries;
}

TEST(PackMembers, TheDirectoryHoldsExactlyTheSceneFilesAllDeflated)
{
    std::vector<DirectoryEntry> entries = directory();
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : entries) {
        names.push_back(entry.name);
        EXPECT_EQ(entry.method, 8u) << entry.name;
    }
    std::vector<std::string> expected = {"stars.dat", "dispher.dat"};
    for (const ExpectedPicture& picture : expectedPictures())
        expected.push_back(picture.name);
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

TEST(PackMembers, EveryPictureIsABaselineThreeComponentJpegOfItsSize)
{
    GeneratedPack& pack = GeneratedPack::instance();
    ASSERT_TRUE(pack.isOpen());
    for (const ExpectedPicture& expected : expectedPictures()) {
        JpegFrame frame = readJpegFrame(pack.member(expected.name.c_str()));
        EXPECT_TRUE(frame.baseline) << expected.name;
        EXPECT_EQ(frame.precision, 8) << expected.name;
        EXPECT_EQ(frame.components, 3) << expected.name;
        EXPECT_EQ(frame.width, expected.width) << expected.name;
        EXPECT_EQ(frame.height, expected.height) << expected.name;
    }
}

TEST(PackMembers, TheImageLoaderDecodesEveryPictureToTwentyFourBits)
{
    GeneratedPack& pack = GeneratedPack::instance();
    for (const ExpectedPicture& expected : expectedPictures()) {
        GeneratedPack::Picture picture = pack.picture(expected.name.c_str());
        EXPECT_EQ(picture.width, expected.width) << expected.name;
        EXPECT_EQ(picture.height, expected.height) << expected.name;
        EXPECT_EQ(picture.bitsPerPixel, 24) << expected.name;
    }
}

// The scene and the generator share their member names; every name the scene asks
// for is found, and the flares keep their capital letter in the pack.
TEST(PackMembers, EveryNameTheSceneReadsIsInThePack)
{
    GeneratedPack& pack = GeneratedPack::instance();
    std::vector<std::string> names = {PackMembers::rings, PackMembers::ringsMask, PackMembers::surface,
                                      PackMembers::night, PackMembers::starGlow,  PackMembers::shape,
                                      PackMembers::stars};
    auto addNumbered = [&](const char* pattern, int first, int last) {
        for (int n = first; n <= last; ++n) {
            char name[PackMembers::nameSize];
            PackMembers::numbered(name, pattern, n);
            names.push_back(name);
        }
    };
    addNumbered(PackMembers::flare, PackMembers::firstFlare, PackMembers::lastFlare);
    addNumbered(PackMembers::moon, 0, PackMembers::moonCount - 1);
    addNumbered(PackMembers::layer, 0, layerCount - 1);
    addNumbered(PackMembers::layerMask, 0, layerCount - 1);
    std::vector<std::string> members;
    for (const DirectoryEntry& entry : directory())
        members.push_back(entry.name);
    std::sort(names.begin(), names.end());
    std::sort(members.begin(), members.end());
    EXPECT_EQ(names, members);
    EXPECT_EQ(pack.picture("flare1.jpg").bitsPerPixel, 24);
}

TEST(PackMembers, DataFilesHaveTheirShippedSizesAndThePackStaysSmall)
{
    GeneratedPack& pack = GeneratedPack::instance();
    EXPECT_EQ(pack.member("dispher.dat").size(), 1105924u);
    EXPECT_EQ(pack.member("stars.dat").size(), 183422u);
    size_t packSize = readOutput("Zandor3D.pack").size();
    EXPECT_GT(packSize, 1000000u);
    EXPECT_LT(packSize, 6000000u);
    std::printf("pack size: %zu bytes\n", packSize);
}

}  // namespace
