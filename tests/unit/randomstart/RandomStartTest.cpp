#include "family/randomstart/RandomStart.h"

#include <gtest/gtest.h>

#include <string>

#include "family/randomstart/LaunchCommand.h"
#include "tests/unit/randomstart/FakeLaunchSystem.h"

namespace {

const std::string ownPath = "C:\\Orbicade\\Zandor3D.scr";

class RandomStartTest : public ::testing::Test {
protected:
    void SetUp() override { system_.setOwnProgram(ownPath); }

    int run(const std::string& arguments) { return RandomStart(system_).run(arguments); }

    FakeLaunchSystem system_;
};

TEST_F(RandomStartTest, WaitsOnlyForFullScreenRuns)
{
    const struct {
        const char* arguments;
        bool wait;
    } cases[] = {{"/s", true}, {"-s", true}, {"/S", false}, {"/s ", false}, {"/p 99", false}, {"/c", false}};
    for (const auto& c : cases) {
        system_.starts.clear();
        run(c.arguments);
        ASSERT_EQ(system_.starts.size(), 1u);
        EXPECT_EQ(system_.starts[0].waitForEnd, c.wait) << c.arguments;
    }
}

TEST_F(RandomStartTest, NoProgramShowsTheMessageAndFails)
{
    FakeLaunchSystem bare;
    EXPECT_EQ(RandomStart(bare).run("/s"), -1);
    EXPECT_EQ(bare.messages, 1);
    EXPECT_TRUE(bare.starts.empty());
}

TEST_F(RandomStartTest, OnlyMissingFileOrPathErrorsAreReported)
{
    const struct {
        unsigned long error;
        int exitCode;
        int messages;
    } cases[] = {{2, -1, 1}, {3, -1, 1}, {5, 0, 0}, {193, 0, 0}};
    for (const auto& c : cases) {
        system_.startError = c.error;
        system_.messages = 0;
        EXPECT_EQ(run("/s"), c.exitCode) << c.error;
        EXPECT_EQ(system_.messages, c.messages) << c.error;
    }
}

TEST_F(RandomStartTest, CommandLineBeyondTheBufferIsNeverStartedCutShort)
{
    // "\"" + path + "\" " + arguments must leave room for the terminator of 2048 bytes.
    const std::size_t fits = 2047 - ownPath.size() - 3;
    EXPECT_EQ(run(std::string(fits, 'a')), 0);
    ASSERT_EQ(system_.starts.size(), 1u);
    EXPECT_EQ(system_.starts[0].commandLine.size(), 2047u);
    EXPECT_EQ(run(std::string(fits + 1, 'a')), -1);
    EXPECT_EQ(run(std::string(40000, 'a')), -1);
    EXPECT_EQ(system_.starts.size(), 1u);
    EXPECT_EQ(system_.messages, 0);
}

TEST(LaunchCommandTest, LongestPathThatFitsLeavesNoRoomForArguments)
{
    std::string commandLine;
    EXPECT_TRUE(formatLaunchCommand(std::string(2044, 'p'), "", commandLine));
    EXPECT_EQ(commandLine.size(), 2047u);
    EXPECT_FALSE(formatLaunchCommand(std::string(2044, 'p'), "x", commandLine));
    EXPECT_FALSE(formatLaunchCommand(std::string(2045, 'p'), "", commandLine));
}

}  // namespace
