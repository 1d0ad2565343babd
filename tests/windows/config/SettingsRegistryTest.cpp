#include <windows.h>

#include <cstdio>
#include <gtest/gtest.h>

#include "config/SettingsStore.h"
#include "tests/driver/Driver.h"

namespace {
const std::string kFamily = "Software\\Quarnel\\Orbicade";
const std::string kProduct = kFamily + "\\Zandor3D";

class SettingsRegistry : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(driver::deleteTree("Software\\Quarnel")); }
    void TearDown() override { driver::deleteTree("Software\\Quarnel"); }
};

void expectDefaults(const Settings& s)
{
    EXPECT_EQ(s.xResolution, 1024);
    EXPECT_EQ(s.yResolution, 768);
    EXPECT_EQ(s.colorDepth, 16);
    EXPECT_EQ(s.currentVideomode, 1);
    EXPECT_EQ(s.randomCameraStart, 1);
    EXPECT_EQ(s.animationSpeed, 40);
    EXPECT_EQ(s.camMode, 0);
    EXPECT_EQ(s.nightSide, 1);
    EXPECT_EQ(s.demoMode, 0);
}

std::string makeFile(const char* name)
{
    char directory[MAX_PATH];
    GetTempPathA(sizeof directory, directory);
    std::string path = std::string(directory) + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs("MZ", file);
    std::fclose(file);
    return path;
}
}

TEST_F(SettingsRegistry, NoKeysAtAllKeepsTheDefaults)
{
    Settings settings;
    EXPECT_FALSE(SettingsStore().load(settings));
    expectDefaults(settings);
    EXPECT_TRUE(settings.familyList.empty());
    EXPECT_EQ(SettingsStore().readInstallPath(), "");
}

TEST_F(SettingsRegistry, AProductKeyWithOnlyAnimationSpeedChangesOnlyThatField)
{
    ASSERT_TRUE(driver::setDword(kProduct, "AnimationSpeed", 77));
    Settings settings;
    EXPECT_TRUE(SettingsStore().load(settings));
    EXPECT_EQ(settings.animationSpeed, 77);
    settings.animationSpeed = 40;
    expectDefaults(settings);
}

TEST_F(SettingsRegistry, SaveThenLoadGivesBackTheNineValues)
{
    Settings saved;
    saved.xResolution = 800;
    saved.yResolution = 600;
    saved.colorDepth = 32;
    saved.currentVideomode = 0;
    saved.randomCameraStart = 0;
    saved.animationSpeed = 100;
    saved.camMode = 3;
    saved.nightSide = 0;
    saved.demoMode = 1;
    saved.installPath = "C:\\not\\saved";
    ASSERT_TRUE(SettingsStore().save(saved));
    DWORD type = 0;
    ASSERT_TRUE(driver::getDword(kProduct, "CamMode", type));
    EXPECT_FALSE(driver::valueExists(kProduct, "InstallPath"));
    EXPECT_FALSE(driver::valueExists(kFamily, "StartRandom"));

    Settings loaded;
    ASSERT_TRUE(SettingsStore().load(loaded));
    EXPECT_EQ(loaded.xResolution, 800);
    EXPECT_EQ(loaded.yResolution, 600);
    EXPECT_EQ(loaded.colorDepth, 32);
    EXPECT_EQ(loaded.currentVideomode, 0);
    EXPECT_EQ(loaded.randomCameraStart, 0);
    EXPECT_EQ(loaded.animationSpeed, 100);
    EXPECT_EQ(loaded.camMode, 3);
    EXPECT_EQ(loaded.nightSide, 0);
    EXPECT_EQ(loaded.demoMode, 1);
    EXPECT_EQ(loaded.installPath, "");
}

TEST_F(SettingsRegistry, InstallPathComesFromTheRegistry)
{
    ASSERT_TRUE(driver::setString(kProduct, "InstallPath", "C:\\Program Files\\Zandor 3D"));
    Settings settings;
    settings.installPath = "stale";
    ASSERT_TRUE(SettingsStore().load(settings));
    EXPECT_EQ(settings.installPath, "C:\\Program Files\\Zandor 3D");
    EXPECT_EQ(SettingsStore().readInstallPath(), "C:\\Program Files\\Zandor 3D");
}

TEST_F(SettingsRegistry, ValueSizeDecidesNotValueType)
{
    const int32_t binary = 55;
    const int64_t wide = 66;
    const int16_t narrow = 9;
    ASSERT_TRUE(driver::setRaw(kProduct, "AnimationSpeed", REG_BINARY, &binary, sizeof binary));
    ASSERT_TRUE(driver::setRaw(kProduct, "CamMode", REG_QWORD, &wide, sizeof wide));
    ASSERT_TRUE(driver::setRaw(kProduct, "ColorDepth", REG_BINARY, &narrow, sizeof narrow));
    Settings settings;
    ASSERT_TRUE(SettingsStore().load(settings));
    EXPECT_EQ(settings.animationSpeed, 55);
    EXPECT_EQ(settings.camMode, 0);
    // A two-byte value would leave half the field stale: it is ignored like a wide one.
    EXPECT_EQ(settings.colorDepth, 16);
}

TEST_F(SettingsRegistry, FamilyListKeepsOnlyProductsWhoseProgramOpens)
{
    const std::string present = makeFile("zandor-family-present.scr");
    ASSERT_TRUE(driver::setString(kFamily + "\\List", "ZANDOR3D", "Zandor 3D"));
    ASSERT_TRUE(driver::setString(kFamily + "\\List", "GONE", "Gone 3D"));
    ASSERT_TRUE(driver::setString(kFamily + "\\List", "EMPTYPATH", "Empty 3D"));
    ASSERT_TRUE(driver::setString(kFamily + "\\List", "NOKEY", "No Key 3D"));
    ASSERT_TRUE(driver::setString(kProduct, "ExecutablePath", present));
    ASSERT_TRUE(driver::setString(kFamily + "\\Gone", "ExecutablePath", "C:\\missing\\gone.scr"));
    ASSERT_TRUE(driver::setString(kFamily + "\\EmptyPath", "ExecutablePath", ""));

    Settings settings;
    ASSERT_TRUE(SettingsStore().load(settings));
    ASSERT_EQ(settings.familyList.size(), 1u);
    EXPECT_EQ(settings.familyList[0].identifier, "ZANDOR3D");
    EXPECT_EQ(settings.familyList[0].title, "Zandor 3D");
    EXPECT_EQ(settings.familyList[0].executablePath, present);

    DeleteFileA(present.c_str());
}

// Values are enumerated in name order here, so the unfit entries come first.
TEST_F(SettingsRegistry, AListEntryThatDoesNotFitIsSkippedAlone)
{
    const std::string present = makeFile("zandor-family-after-long.scr");
    ASSERT_TRUE(driver::setString(kFamily + "\\List", "AAA", std::string(5000, 'T')));
    ASSERT_TRUE(driver::setString(kFamily + "\\List", "AAB" + std::string(1100, 'N'), "Long Name 3D"));
    ASSERT_TRUE(driver::setString(kFamily + "\\List", "BETA", "Beta 3D"));
    ASSERT_TRUE(driver::setString(kFamily + "\\Beta", "ExecutablePath", present));
    ASSERT_TRUE(driver::setString(kFamily + "\\AAA", "ExecutablePath", present));

    Settings settings;
    ASSERT_TRUE(SettingsStore().load(settings));
    ASSERT_EQ(settings.familyList.size(), 1u);
    EXPECT_EQ(settings.familyList[0].identifier, "BETA");
    EXPECT_EQ(settings.familyList[0].title, "Beta 3D");
    DeleteFileA(present.c_str());
}

TEST_F(SettingsRegistry, StartRandomIsTheFamilyKeysSwitch)
{
    EXPECT_FALSE(SettingsStore().readStartRandom());
    ASSERT_TRUE(SettingsStore().writeStartRandom(true));
    DWORD stored = 0;
    ASSERT_TRUE(driver::getDword(kFamily, "StartRandom", stored));
    EXPECT_EQ(stored, 1u);
    EXPECT_TRUE(SettingsStore().readStartRandom());
    ASSERT_TRUE(SettingsStore().writeStartRandom(false));
    EXPECT_FALSE(SettingsStore().readStartRandom());
}
