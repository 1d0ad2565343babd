#include "app/RunMode.h"

#include <gtest/gtest.h>

TEST(RunMode, ChoosesByTheSwitchLetterAfterDashOrSlash)
{
    EXPECT_EQ(chooseRunMode(""), RunMode::Configure);
    EXPECT_EQ(chooseRunMode("/c"), RunMode::Configure);
    EXPECT_EQ(chooseRunMode("-c:1234"), RunMode::Configure);
    EXPECT_EQ(chooseRunMode("/s"), RunMode::FullScreen);
    EXPECT_EQ(chooseRunMode("-s"), RunMode::FullScreen);
    EXPECT_EQ(chooseRunMode("/sp"), RunMode::FullScreen);
    EXPECT_EQ(chooseRunMode("/snothing matters"), RunMode::FullScreen);
    EXPECT_EQ(chooseRunMode("/p 1234"), RunMode::Preview);
    EXPECT_EQ(chooseRunMode("/a"), RunMode::PasswordChange);
    EXPECT_EQ(chooseRunMode("-1:abc"), RunMode::EmbeddedPage);
}

TEST(RunMode, AnythingElseIsNone)
{
    EXPECT_EQ(chooseRunMode("/"), RunMode::None);
    EXPECT_EQ(chooseRunMode("-"), RunMode::None);
    EXPECT_EQ(chooseRunMode("/q"), RunMode::None);
    EXPECT_EQ(chooseRunMode("s"), RunMode::None);
    EXPECT_EQ(chooseRunMode("word"), RunMode::None);
    EXPECT_EQ(chooseRunMode("\\s"), RunMode::None);
    // Upper case never reaches the table: the caller lower-cases first.
    EXPECT_EQ(chooseRunMode("/S"), RunMode::None);
}

TEST(RunMode, TrimsWhiteSpaceAtBothEndsOnly)
{
    EXPECT_EQ(trimArguments("  /s \t\r\n"), "/s");
    EXPECT_EQ(trimArguments("/p  123"), "/p  123");
    EXPECT_EQ(trimArguments(" \t "), "");
    EXPECT_EQ(trimArguments(""), "");
    EXPECT_EQ(chooseRunMode(trimArguments("   ")), RunMode::Configure);
}

TEST(RunMode, PreviewHandleTakesLeadingDecimalDigits)
{
    EXPECT_EQ(parsePreviewHandle("1234"), 1234u);
    EXPECT_EQ(parsePreviewHandle("65538xyz"), 65538u);
    EXPECT_EQ(parsePreviewHandle("0"), 0u);
    EXPECT_EQ(parsePreviewHandle("abc"), 0u);
    EXPECT_EQ(parsePreviewHandle("-5"), 0u);
    EXPECT_EQ(parsePreviewHandle(""), 0u);
    EXPECT_EQ(parsePreviewHandle(nullptr), 0u);
    EXPECT_EQ(parsePreviewHandle("4294967295"), 4294967295u);
    // Too many digits for a handle name no window rather than wrapping around.
    EXPECT_EQ(parsePreviewHandle("4294967296"), 0u);
    EXPECT_EQ(parsePreviewHandle("99999999999999999999999"), 0u);
}

TEST(RunMode, EmbeddedHandleNeedsTheDashOnePrefix)
{
    unsigned long handle = 0;
    EXPECT_TRUE(parseEmbeddedHandle("-1:1a2b", handle));
    EXPECT_EQ(handle, 0x1a2bu);
    EXPECT_TRUE(parseEmbeddedHandle("-1:00010064", handle));
    EXPECT_EQ(handle, 0x10064u);
    handle = 7;
    EXPECT_FALSE(parseEmbeddedHandle("/1:1a2b", handle));
    EXPECT_FALSE(parseEmbeddedHandle("-1:", handle));
    EXPECT_FALSE(parseEmbeddedHandle("-1:zz", handle));
    EXPECT_FALSE(parseEmbeddedHandle("-1", handle));
    EXPECT_EQ(handle, 7u);
}
