#include "x11/HackOptions.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

struct Parsed {
    HackOptions options;
    ParseResult result;
};

Parsed parse(std::initializer_list<const char*> args)
{
    std::vector<const char*> argv = {"zandor3d"};
    argv.insert(argv.end(), args.begin(), args.end());
    Parsed parsed;
    parsed.result = parseHackOptions(static_cast<int>(argv.size()), argv.data(), parsed.options);
    return parsed;
}

TEST(WindowId, ReadsHexAsXscreensaverWritesItAndDecimalAsXsecurelockDoes)
{
    unsigned long id = 0;
    EXPECT_TRUE(parseWindowId("0x1e00007", id));
    EXPECT_EQ(id, 0x1e00007ul);
    EXPECT_TRUE(parseWindowId("0X2A0000F", id));
    EXPECT_EQ(id, 0x2a0000ful);
    EXPECT_TRUE(parseWindowId("31457287", id));
    EXPECT_EQ(id, 31457287ul);
    EXPECT_TRUE(parseWindowId("0x1FFFFFFF", id));
    EXPECT_EQ(id, 0x1ffffffful);
}

TEST(WindowId, RefusesEmptyZeroJunkSignsAndIdsBeyondTwentyNineBits)
{
    for (const char* bad : {"", "0x", "0", "0x0", "x12", "12ab", "0x12g", "-5", "+5", " 5", "5 ", "0x20000000",
                            "536870912", "99999999999999999999999", "0x1e00007 "}) {
        unsigned long id = 77;
        EXPECT_FALSE(parseWindowId(bad, id)) << '"' << bad << '"';
        EXPECT_EQ(id, 77ul) << bad;
    }
    unsigned long id = 0;
    EXPECT_FALSE(parseWindowId(nullptr, id));
}

TEST(HackOptions, WithoutOptionsItRunsInItsOwnWindowWithTheRecordsDefaults)
{
    const Parsed p = parse({});
    EXPECT_EQ(p.result.outcome, ParseOutcome::Run);
    EXPECT_EQ(p.options.target, DrawTarget::OwnWindow);
    EXPECT_FALSE(p.options.showFps);
    EXPECT_EQ(p.options.settings.animationSpeed, Settings().animationSpeed);
    EXPECT_EQ(p.options.settings.nightSide, 1);
    EXPECT_EQ(p.options.settings.randomCameraStart, 1);
    EXPECT_EQ(p.options.settings.camMode, 0);
}

TEST(HackOptions, OneDashOrTwo)
{
    for (const char* root : {"-root", "--root"}) {
        const Parsed p = parse({root, "--delay", "0", "-fps"});
        EXPECT_EQ(p.result.outcome, ParseOutcome::Run) << root;
        EXPECT_EQ(p.options.target, DrawTarget::Root);
        EXPECT_EQ(p.options.delayMicroseconds, 0);
        EXPECT_TRUE(p.options.showFps);
    }
}

TEST(HackOptions, WindowIdWinsOverRootInEitherOrder)
{
    for (auto args : {parse({"--root", "--window-id", "0x400001"}), parse({"-window-id", "4194305", "-root"}),
                      parse({"-window-id", "4194305", "-window"})}) {
        EXPECT_EQ(args.result.outcome, ParseOutcome::Run);
        EXPECT_EQ(args.options.target, DrawTarget::WindowId);
        EXPECT_EQ(args.options.windowId, 0x400001ul);
    }
    EXPECT_EQ(parse({"-root", "-window"}).options.target, DrawTarget::OwnWindow);
    EXPECT_EQ(parse({"-window", "-root"}).options.target, DrawTarget::Root);
}

TEST(HackOptions, SceneSettingsAndTheirSwitches)
{
    const Parsed p = parse({"--speed", "100", "--camera-mode", "3", "--no-night-side", "--no-random-start"});
    ASSERT_EQ(p.result.outcome, ParseOutcome::Run);
    EXPECT_EQ(p.options.settings.animationSpeed, 100);
    EXPECT_EQ(p.options.settings.camMode, 3);
    EXPECT_EQ(p.options.settings.nightSide, 0);
    EXPECT_EQ(p.options.settings.randomCameraStart, 0);
    const Parsed back = parse({"-no-night-side", "-night-side", "-no-random-start", "-random-start", "-speed", "0"});
    EXPECT_EQ(back.options.settings.nightSide, 1);
    EXPECT_EQ(back.options.settings.randomCameraStart, 1);
    EXPECT_EQ(back.options.settings.animationSpeed, 0);
}

TEST(HackOptions, HelpWinsWhereverItStands)
{
    EXPECT_EQ(parse({"-help"}).result.outcome, ParseOutcome::Help);
    EXPECT_EQ(parse({"--root", "--help"}).result.outcome, ParseOutcome::Help);
    EXPECT_EQ(parse({"-h"}).result.outcome, ParseOutcome::Help);
}

TEST(HackOptions, UnknownOptionsMissingAndBadValuesAreErrorsThatNameTheCulprit)
{
    struct Case {
        std::vector<const char*> args;
        const char* named;
    };
    const Case cases[] = {
        {{"-bogus"}, "-bogus"},
        {{"---root"}, "---root"},
        {{"-"}, "-"},
        {{"root"}, "root"},
        {{"-delay"}, "-delay"},
        {{"-delay", "-5"}, "-5"},
        {{"-delay", "abc"}, "abc"},
        {{"-delay", "10000001"}, "10000001"},
        {{"-speed", "101"}, "101"},
        {{"-speed", ""}, "-speed"},
        {{"-camera-mode", "4"}, "4"},
        {{"-window-id", "0"}, "0"},
        {{"-window-id", "window"}, "window"},
        {{"-window-id"}, "-window-id"},
        {{"-fps", "12"}, "12"},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"zandor3d"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        HackOptions options;
        const ParseResult result = parseHackOptions(static_cast<int>(argv.size()), argv.data(), options);
        EXPECT_EQ(result.outcome, ParseOutcome::Error) << c.named;
        EXPECT_NE(result.error.find(c.named), std::string::npos) << result.error;
    }
}

TEST(HackOptions, TheUsageNamesEveryOption)
{
    const std::string usage = hackUsage();
    for (const char* option : {"-root", "-window ", "-window-id", "-delay", "-fps", "-speed", "-camera-mode",
                               "-night-side", "-no-night-side", "-random-start", "-no-random-start", "-help"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

}  // namespace
