#include "config/PageRules.h"

#include <gtest/gtest.h>

namespace {
const uint32_t kAllFields = DisplayModeList::kModeFields;
const uint32_t kFrequencyOnly = 0x400000;

void expectRow(const DisplayModeEntry& row, int width, int height, int bits)
{
    EXPECT_EQ(row.width, width);
    EXPECT_EQ(row.height, height);
    EXPECT_EQ(row.bitsPerPixel, bits);
}
}

TEST(DisplayModeList, KeepsTheFirstOfEachTripleInEnumerationOrderAndNothingOfEightBits)
{
    DisplayModeList modes;
    EXPECT_TRUE(modes.offer(kAllFields, 1024, 768, 32));
    EXPECT_TRUE(modes.offer(kAllFields, 800, 600, 32));
    // Further refresh rates of the same mode.
    EXPECT_FALSE(modes.offer(kAllFields, 800, 600, 32));
    EXPECT_FALSE(modes.offer(kAllFields | kFrequencyOnly, 800, 600, 32));
    EXPECT_TRUE(modes.offer(kAllFields, 800, 600, 16));
    EXPECT_FALSE(modes.offer(kAllFields, 640, 480, 8));
    EXPECT_FALSE(modes.offer(kAllFields, 640, 480, 4));
    EXPECT_TRUE(modes.offer(kAllFields, 640, 480, 24));
    ASSERT_EQ(modes.rows().size(), 4u);
    expectRow(modes.rows()[0], 1024, 768, 32);
    expectRow(modes.rows()[1], 800, 600, 32);
    expectRow(modes.rows()[2], 800, 600, 16);
    expectRow(modes.rows()[3], 640, 480, 24);
}

TEST(DisplayModeList, AModeNamingNoneOfWidthHeightOrDepthIsSkippedAndAnyOneOfThemIsEnough)
{
    DisplayModeList modes;
    EXPECT_FALSE(modes.offer(0, 800, 600, 32));
    EXPECT_FALSE(modes.offer(kFrequencyOnly, 800, 600, 32));
    EXPECT_TRUE(modes.offer(0x40000, 800, 600, 32));
    modes.clear();
    EXPECT_TRUE(modes.empty());
    EXPECT_TRUE(modes.offer(0x100000, 800, 600, 32));
}

TEST(DisplayModeList, EntryTextFollowsTheComboPattern)
{
    EXPECT_EQ(DisplayModeList::entryText(1024, 768, 16), "1024x768 (16 bits)");
    EXPECT_EQ(DisplayModeList::entryText(800, 600, 32), "800x600 (32 bits)");
}

TEST(ModeChoice, TheStoredModeEntryChangesNothingAndARowGivesItsMode)
{
    DisplayModeList modes;
    modes.offer(kAllFields, 800, 600, 32);
    modes.offer(kAllFields, 640, 480, 16);
    Settings settings;
    settings.currentVideomode = 0;
    applyModeChoice(settings, true, kStoredModeEntry, modes);
    EXPECT_EQ(settings.xResolution, 1024);
    EXPECT_EQ(settings.yResolution, 768);
    EXPECT_EQ(settings.colorDepth, 16);
    EXPECT_EQ(settings.currentVideomode, 0);

    applyModeChoice(settings, true, 1, modes);
    EXPECT_EQ(settings.xResolution, 640);
    EXPECT_EQ(settings.yResolution, 480);
    EXPECT_EQ(settings.colorDepth, 16);
    EXPECT_EQ(settings.currentVideomode, 0);
}

TEST(ModeChoice, NoSelectionAnUnknownEntryOrARowPastTheListKeepTheDesktopMode)
{
    DisplayModeList modes;
    modes.offer(kAllFields, 800, 600, 32);
    for (auto choice : {std::make_pair(false, intptr_t(0)), std::make_pair(true, intptr_t(-1)),
                        std::make_pair(true, intptr_t(-7)), std::make_pair(true, intptr_t(1))}) {
        Settings settings;
        settings.currentVideomode = 0;
        applyModeChoice(settings, choice.first, choice.second, modes);
        EXPECT_EQ(settings.currentVideomode, 1);
        EXPECT_EQ(settings.xResolution, 1024);
        EXPECT_EQ(settings.colorDepth, 16);
    }
}

TEST(RestoreDefaults, SetsThePageDefaultsAndKeepsTheRandomStart)
{
    Settings settings;
    settings.xResolution = 640;
    settings.yResolution = 480;
    settings.colorDepth = 32;
    settings.currentVideomode = 0;
    settings.animationSpeed = 3;
    settings.camMode = 2;
    settings.nightSide = 0;
    settings.demoMode = 1;
    settings.randomCameraStart = 0;
    restoreDefaults(settings);
    EXPECT_EQ(settings.xResolution, 1024);
    EXPECT_EQ(settings.yResolution, 768);
    EXPECT_EQ(settings.colorDepth, 16);
    EXPECT_EQ(settings.currentVideomode, 1);
    EXPECT_EQ(settings.animationSpeed, 50);
    EXPECT_EQ(settings.camMode, 0);
    EXPECT_EQ(settings.nightSide, 1);
    EXPECT_EQ(settings.demoMode, 0);
    EXPECT_EQ(settings.randomCameraStart, 0);
}
