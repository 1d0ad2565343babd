#include "family/randomstart/LaunchChoice.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/unit/randomstart/FakeLaunchSystem.h"

namespace {

const std::string ownPath = "C:\\Orbicade\\Zandor3D.scr";

class LaunchChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        system_.setOwnProgram(ownPath);
        system_.addFile(ownPath);
    }

    std::string chosen(const std::string& arguments)
    {
        std::string path = "<none>";
        LaunchChoice(system_).choose(arguments, path);
        return path;
    }

    FakeLaunchSystem system_;
};

TEST_F(LaunchChoiceTest, StartRandomNeedsANonZeroDwordWithData)
{
    system_.addProduct("OTHER", "C:\\other.scr", true);
    EXPECT_EQ(chosen("/s"), ownPath) << "no StartRandom value";
    const struct {
        std::uint32_t type;
        std::string bytes;
        bool on;
    } cases[] = {
        {RegistryValue::typeDword, std::string("\1\0\0\0", 4), true},
        {RegistryValue::typeDword, std::string("\0\0\0\1", 4), true},
        {RegistryValue::typeDword, std::string("\0\0\0\0", 4), false},
        {RegistryValue::typeDword, "", false},
        {RegistryValue::typeDword, std::string("\1\0\0\0\0", 5), false},
        {RegistryValue::typeString, std::string("1\0", 2), false},
        {3, std::string("\1\0\0\0", 4), false},
    };
    for (const auto& c : cases) {
        system_.setValue("", "StartRandom", c.type, c.bytes);
        EXPECT_EQ(chosen("/s"), c.on ? "C:\\other.scr" : ownPath) << c.type << " size " << c.bytes.size();
    }
}

TEST_F(LaunchChoiceTest, OnlyAnExactFullScreenArgumentChoosesAtRandom)
{
    system_.setStartRandom(1);
    system_.addProduct("OTHER", "C:\\other.scr", true);
    EXPECT_EQ(chosen("/s"), "C:\\other.scr");
    EXPECT_EQ(chosen("-s"), "C:\\other.scr");
    for (const char* arguments : {"/S", "-S", "/s ", " /s", "/s\t", "/sp", "/p 1234", "/c", ""}) {
        EXPECT_EQ(chosen(arguments), ownPath) << '"' << arguments << '"';
    }
}

TEST_F(LaunchChoiceTest, PoolHoldsListedProductsWhoseProgramFileExists)
{
    system_.setStartRandom(1);
    system_.addProduct("MISSING", "C:\\missing.scr", false);
    system_.list("NOKEY");
    system_.list("NOPATH");
    system_.setValue("NOPATH", "Other", RegistryValue::typeString, std::string("C:\\x.scr\0", 9));
    system_.list("ANYCASE");
    system_.setString("AnyCase", "ExecutablePath", "C:\\anycase.scr");
    system_.addFile("C:\\anycase.scr");
    for (unsigned long tick = 0; tick < 50; ++tick) {
        system_.ticks = tick;
        EXPECT_EQ(chosen("/s"), "C:\\anycase.scr");
    }
}

TEST_F(LaunchChoiceTest, EveryQualifyingProductIsChosenUniformly)
{
    system_.setStartRandom(1);
    system_.addProduct("ALPHA", "C:\\alpha.scr", true);
    system_.addProduct("BETA", "C:\\beta.scr", false);
    system_.addProduct("ZANDOR3D", ownPath, true);
    std::map<std::string, int> counts;
    for (unsigned long tick = 1000; tick < 3000; ++tick) {
        system_.ticks = tick;
        ++counts[chosen("/s")];
    }
    EXPECT_EQ(counts.size(), 2u);
    EXPECT_GT(counts["C:\\alpha.scr"], 800);
    EXPECT_GT(counts[ownPath], 800);
}

TEST_F(LaunchChoiceTest, EnumerationStopsAtTheFirstUnreadableValue)
{
    system_.setStartRandom(1);
    system_.list("UNREADABLE", false);
    system_.addProduct("AFTER", "C:\\after.scr", true);
    EXPECT_EQ(chosen("/s"), ownPath);
}

TEST_F(LaunchChoiceTest, AValueThatDoesNotFitIsSkippedAlone)
{
    system_.setStartRandom(1);
    system_.listUnfit();
    system_.addProduct("AFTER", "C:\\after.scr", true);
    system_.listUnfit();
    EXPECT_EQ(chosen("/s"), "C:\\after.scr");
}

TEST_F(LaunchChoiceTest, ListedPathIsReadUpToItsTerminator)
{
    system_.setStartRandom(1);
    system_.list("PADDED");
    system_.setValue("PADDED", "ExecutablePath", RegistryValue::typeString, std::string("C:\\p.scr\0junk", 13));
    system_.addFile("C:\\p.scr");
    EXPECT_EQ(chosen("/s"), "C:\\p.scr");
}

TEST_F(LaunchChoiceTest, ListedPathFillingTheWholeBufferFallsBack)
{
    system_.setStartRandom(1);
    const std::string full(1024, 'p');
    system_.list("FULL");
    system_.setValue("FULL", "ExecutablePath", RegistryValue::typeString, full);
    system_.addFile(full);
    EXPECT_EQ(chosen("/s"), ownPath);
    system_.setValue("FULL", "ExecutablePath", RegistryValue::typeString, full.substr(1) + '\0');
    system_.addFile(full.substr(1));
    EXPECT_EQ(chosen("/s"), full.substr(1));
}

TEST_F(LaunchChoiceTest, OwnProgramNeedsNonEmptyStringDataButNoFile)
{
    FakeLaunchSystem bare;
    std::string path = "unchanged";
    EXPECT_FALSE(LaunchChoice(bare).choose("/s", path));
    bare.setValue("Zandor3D", "ExecutablePath", RegistryValue::typeString, "");
    EXPECT_FALSE(LaunchChoice(bare).choose("/s", path));
    bare.setValue("Zandor3D", "ExecutablePath", 2, std::string("C:\\x.scr\0", 9));
    EXPECT_FALSE(LaunchChoice(bare).choose("/s", path));
    EXPECT_EQ(path, "unchanged");
    bare.setOwnProgram("C:\\not-there.scr");
    EXPECT_TRUE(LaunchChoice(bare).choose("/p 12", path));
    EXPECT_EQ(path, "C:\\not-there.scr");
}

}  // namespace
