#include "x11/LoopRules.h"

#include <X11/keysym.h>

#include <gtest/gtest.h>

// After the test framework: its names meet the macros of X.h.
#include <X11/X.h>

namespace {

TEST(LoopRules, TheSceneDrawsOnAWindowOnlyWhenItsVisualHasEverythingItNeeds)
{
    const VisualTraits full{true, true, true, 24};
    EXPECT_TRUE(drawsDirectly(full));
    EXPECT_TRUE(drawsDirectly({true, true, true, 16}));
    // The default visual xsecurelock gives its windows may have no GL at all.
    EXPECT_FALSE(drawsDirectly({false, false, false, 0}));
    EXPECT_FALSE(drawsDirectly({true, false, true, 24}));
    EXPECT_FALSE(drawsDirectly({true, true, false, 24}));
    EXPECT_FALSE(drawsDirectly({true, true, true, 0}));
    EXPECT_FALSE(drawsDirectly({true, true, true, 8}));
}

TEST(LoopRules, QAndEscapeEndTheRunOtherKeysDoNot)
{
    EXPECT_TRUE(keyEnds(XK_q));
    EXPECT_TRUE(keyEnds(XK_Q));
    EXPECT_TRUE(keyEnds(XK_Escape));
    for (unsigned long key : {XK_space, XK_Return, XK_a, XK_w, XK_F1, XK_Shift_L})
        EXPECT_FALSE(keyEnds(key)) << key;
}

TEST(LoopRules, OnlyTheErrorsOfAWindowGoneEndTheFrames)
{
    EXPECT_TRUE(errorEndsFrames(BadWindow));
    EXPECT_TRUE(errorEndsFrames(BadDrawable));
    // Errors that a shared-memory image or another client's doings may bring.
    for (int code : {BadRequest, BadMatch, BadAccess, BadAlloc, BadValue, 128, 160})
        EXPECT_FALSE(errorEndsFrames(code)) << code;
}

TEST(LoopRules, TheDelayBecomesAWaitOfSecondsAndNanoseconds)
{
    timespec t = delayTimeout(0);
    EXPECT_EQ(t.tv_sec, 0);
    EXPECT_EQ(t.tv_nsec, 0);
    t = delayTimeout(10000);
    EXPECT_EQ(t.tv_sec, 0);
    EXPECT_EQ(t.tv_nsec, 10000000);
    t = delayTimeout(2500001);
    EXPECT_EQ(t.tv_sec, 2);
    EXPECT_EQ(t.tv_nsec, 500001000);
    t = delayTimeout(-3);
    EXPECT_EQ(t.tv_sec, 0);
    EXPECT_EQ(t.tv_nsec, 0);
}

}  // namespace
