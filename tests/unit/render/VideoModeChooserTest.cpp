#include "render/VideoModeChooser.h"

#include <gtest/gtest.h>

namespace {

// A desktop of 1024 x 768 at 32 bits whose full-screen client area is 1024 x 740.
class FakeDisplay : public DisplayModePlatform {
public:
    bool accepts = true;
    int requests = 0;
    int saves = 0;
    int32_t requestedWidth = 0, requestedHeight = 0, requestedBits = 0;
    Settings saved;

    DesktopMode desktop() override { return DesktopMode{1024, 768, 32}; }
    bool requestFullScreenMode(int32_t width, int32_t height, int32_t bitsPerPixel) override
    {
        ++requests;
        requestedWidth = width;
        requestedHeight = height;
        requestedBits = bitsPerPixel;
        return accepts;
    }
    void fullScreenClientSize(int32_t& width, int32_t& height) override
    {
        width = 1024;
        height = 740;
    }
    void saveSettings(const Settings& settings) override
    {
        ++saves;
        saved = settings;
    }
};

Settings modeSettings(int32_t width, int32_t height, int32_t bits, int32_t currentVideomode)
{
    Settings settings;
    settings.xResolution = width;
    settings.yResolution = height;
    settings.colorDepth = bits;
    settings.currentVideomode = currentVideomode;
    return settings;
}

TEST(VideoModeChooser, DefaultSettingsNeverChangeTheMode)
{
    FakeDisplay display;
    Settings settings;
    EXPECT_FALSE(VideoModeChooser(display).choose(settings));
    EXPECT_EQ(display.requests, 0);
    EXPECT_EQ(display.saves, 0);
}

TEST(VideoModeChooser, TheDesktopModeItselfIsNotSwitchedToAndNotSaved)
{
    FakeDisplay display;
    Settings settings = modeSettings(1024, 768, 32, 0);
    EXPECT_FALSE(VideoModeChooser(display).choose(settings));
    EXPECT_EQ(settings.currentVideomode, 1);
    EXPECT_EQ(display.requests, 0);
    EXPECT_EQ(display.saves, 0);
}

TEST(VideoModeChooser, AnotherDepthOfTheDesktopSizeIsRequested)
{
    FakeDisplay display;
    Settings settings = modeSettings(1024, 768, 16, 0);
    EXPECT_TRUE(VideoModeChooser(display).choose(settings));
    EXPECT_EQ(display.requestedBits, 16);
}

TEST(VideoModeChooser, AnAcceptedModeIsUsedForThisRunOnly)
{
    FakeDisplay display;
    Settings settings = modeSettings(800, 600, 16, 0);
    EXPECT_TRUE(VideoModeChooser(display).choose(settings));
    EXPECT_EQ(display.requestedWidth, 800);
    EXPECT_EQ(display.requestedHeight, 600);
    EXPECT_EQ(display.requestedBits, 16);
    EXPECT_EQ(settings.currentVideomode, 0);
    EXPECT_EQ(display.saves, 0);
}

TEST(VideoModeChooser, ZerosTakeTheDesktopsValues)
{
    FakeDisplay display;
    Settings settings = modeSettings(0, 600, 0, 0);
    VideoModeChooser(display).choose(settings);
    EXPECT_EQ(display.requestedWidth, 1024);
    EXPECT_EQ(display.requestedHeight, 768);
    EXPECT_EQ(display.requestedBits, 32);
}

TEST(VideoModeChooser, ARefusedModeSavesTheFullScreenClientSizeAndTheDesktopMode)
{
    FakeDisplay display;
    display.accepts = false;
    Settings settings = modeSettings(800, 600, 16, 0);
    EXPECT_FALSE(VideoModeChooser(display).choose(settings));
    EXPECT_EQ(display.saves, 1);
    EXPECT_EQ(display.saved.xResolution, 1024);
    EXPECT_EQ(display.saved.yResolution, 740);
    EXPECT_EQ(display.saved.currentVideomode, 1);
    EXPECT_EQ(display.saved.colorDepth, 16);
    EXPECT_EQ(settings.yResolution, 740);
}

}  // namespace
