// A display mode the screen accepts: only a Wine virtual desktop offers any mode
// but its start-up one, so the run happens inside one, watched by the mode probe.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/driver/Driver.h"
#include "tests/windows/fullscreen/ModeProbeResults.h"

namespace {
const char kAtom[] = "ZANDOR 3D ScreenSaver";
const char kProductKey[] = "Software\\Quarnel\\Orbicade\\Zandor3D";

DWORD probeValue(const char* name)
{
    DWORD value = 0xFFFFFFFF;
    driver::getDword(kModeProbeKey, name, value);
    return value;
}

TEST(VirtualDesktop, AnAcceptedModeSwitchesTheScreenForTheRunAndIsRestoredAfterIt)
{
    driver::atomDeleteAll(kAtom);
    driver::deleteTree("Software\\Quarnel");
    driver::deleteTree(kModeProbeKey);
    ASSERT_TRUE(driver::setDword(kProductKey, "XResolution", 800));
    ASSERT_TRUE(driver::setDword(kProductKey, "YResolution", 600));
    ASSERT_TRUE(driver::setDword(kProductKey, "ColorDepth", 32));
    ASSERT_TRUE(driver::setDword(kProductKey, "CurrentVideomode", 0));

    const std::string arguments = "/desktop=zandormode,1024x768 \"" + driver::windowsPath(ZANDOR3D_MODE_PROBE) +
                                  "\" \"" + driver::windowsPath(ZANDOR3D_BIN_DIR "/Zandor3D.scr") + "\" 800";
    driver::Process desktop;
    ASSERT_TRUE(driver::start("C:\\windows\\explorer.exe", arguments, desktop));
    const bool done = driver::waitFor([] { return driver::valueExists(kModeProbeKey, "Done"); }, 60000);
    DWORD code = 0;
    if (!driver::waitExit(desktop, 10000, code))
        driver::terminate(desktop);
    ASSERT_TRUE(done) << "the probe did not finish";

    EXPECT_EQ(probeValue(kDesktopWidth), 1024u);
    EXPECT_EQ(probeValue(kRunWidth), 800u);
    EXPECT_EQ(probeValue(kRunHeight), 600u);
    EXPECT_EQ(probeValue(kExitCode), 0u);
    EXPECT_EQ(probeValue(kRestoredWidth), 1024u);
    EXPECT_EQ(probeValue(kRestoredHeight), 768u);
    // An accepted mode is for this run only: nothing is saved.
    DWORD currentVideomode = 1;
    ASSERT_TRUE(driver::getDword(kProductKey, "CurrentVideomode", currentVideomode));
    EXPECT_EQ(currentVideomode, 0u);

    driver::deleteTree("Software\\Quarnel");
    driver::deleteTree("Software\\ZandorTests");
    driver::atomDeleteAll(kAtom);
}

}  // namespace
