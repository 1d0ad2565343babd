// randomstart under Wine with the real registry: which program it starts, with
// what command line, whether it waits, and what it reports.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/driver/Driver.h"

namespace {

const std::string familyKey = "Software\\Quarnel\\Orbicade";
const std::string listKey = familyKey + "\\List";
const char holdEvent[] = "ZandorStandInHold";
const DWORD failedExitCode = 0xFFFFFFFF;

std::string launcher()
{
    return driver::windowsPath(RANDOMSTART_EXE);
}
std::string program(const std::string& name)
{
    return driver::windowsPath(STANDIN_DIR "/" + std::string(name));
}

// Command lines the stand-in program at this path recorded, oldest first.
std::vector<std::string> recorded(const std::string& path)
{
    std::ifstream log(path + ".log", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}

bool waitForRecord(const std::string& path, std::size_t count = 1)
{
    return driver::waitFor([&] { return recorded(path).size() >= count; }, 10000);
}

// While held, every stand-in program stays running.
class Hold {
public:
    Hold() : event_(CreateEventA(nullptr, TRUE, FALSE, holdEvent)) {}
    ~Hold()
    {
        release();
        CloseHandle(event_);
    }
    void release() { SetEvent(event_); }

private:
    HANDLE event_;
};

// The message box's text control has the identifier 0xFFFF.
std::string messageText(HWND box)
{
    return driver::windowText(GetDlgItem(box, 0xFFFF));
}

class RandomStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(driver::deleteTree("Software\\Quarnel"));
        CreateDirectoryA(driver::windowsPath(STANDIN_DIR).c_str(), nullptr);
        for (const char* name : {"alpha.exe", "beta.exe", "Zandor3D.scr"}) {
            // A stand-in released by the previous case may still be ending, its file in use.
            ASSERT_TRUE(driver::waitFor(
                [&] { return CopyFileA(driver::windowsPath(STANDIN_EXE).c_str(), program(name).c_str(), FALSE); },
                10000))
                << name;
            DeleteFileA((program(name) + ".log").c_str());
        }
        DeleteFileA(program("gamma.exe").c_str());
        setOwnProgram(program("Zandor3D.scr"));
    }
    void TearDown() override { driver::deleteTree("Software\\Quarnel"); }

    static void setOwnProgram(const std::string& path)
    {
        ASSERT_TRUE(driver::setString(familyKey + "\\Zandor3D", "ExecutablePath", path));
    }
    static void addProduct(const std::string& identifier, const std::string& path)
    {
        ASSERT_TRUE(driver::setString(listKey, identifier, identifier + " title"));
        ASSERT_TRUE(driver::setString(familyKey + "\\" + identifier, "ExecutablePath", path));
    }
    // Three listed products; gamma has no program file.
    static void addThreeProducts()
    {
        addProduct("ALPHA", program("alpha.exe"));
        addProduct("BETA", program("beta.exe"));
        addProduct("GAMMA", program("gamma.exe"));
    }

    static DWORD runLauncher(const std::string& arguments)
    {
        driver::Process process;
        if (!driver::start(launcher(), arguments, process))
            return 1000;
        DWORD code = 1001;
        if (!driver::waitExit(process, 15000, code)) {
            driver::terminate(process);
            return 1002;
        }
        return code;
    }

    // Runs the launcher while the stand-ins are held: it must end without waiting for them.
    static void expectReturnsAtOnce(const std::string& arguments, const std::string& expectedProgram)
    {
        Hold hold;
        const std::size_t before = recorded(expectedProgram).size();
        EXPECT_EQ(runLauncher(arguments), 0u) << arguments;
        ASSERT_TRUE(waitForRecord(expectedProgram, before + 1)) << arguments;
        EXPECT_EQ(recorded(expectedProgram).back(), "\"" + expectedProgram + "\" " + arguments);
    }

    // Runs the launcher while the stand-ins are held: it must start one of the
    // candidates and end only after that program did.
    static void expectWaitsFor(const std::string& arguments, const std::vector<std::string>& candidates)
    {
        Hold hold;
        driver::Process process;
        ASSERT_TRUE(driver::start(launcher(), arguments, process));
        std::string started;
        ASSERT_TRUE(driver::waitFor(
            [&] {
                for (const std::string& candidate : candidates) {
                    if (!recorded(candidate).empty())
                        started = candidate;
                }
                return !started.empty();
            },
            10000));
        EXPECT_EQ(recorded(started).back(), "\"" + started + "\" " + arguments);
        DWORD code = 1001;
        EXPECT_FALSE(driver::waitExit(process, 1500, code)) << "ended while its program was running";
        hold.release();
        ASSERT_TRUE(driver::waitExit(process, 15000, code));
        EXPECT_EQ(code, 0u);
    }
};

TEST_F(RandomStart, RunsThisProductAndReturnsAtOnceWhenNotFullScreen)
{
    addThreeProducts();
    ASSERT_TRUE(driver::setDword(familyKey, "StartRandom", 0));
    expectReturnsAtOnce("/c", program("Zandor3D.scr"));
    ASSERT_TRUE(driver::setDword(familyKey, "StartRandom", 1));
    expectReturnsAtOnce("/S", program("Zandor3D.scr"));
    expectReturnsAtOnce("/p 1234", program("Zandor3D.scr"));
    EXPECT_TRUE(recorded(program("alpha.exe")).empty());
    EXPECT_TRUE(recorded(program("beta.exe")).empty());
}

TEST_F(RandomStart, ForwardsItsCommandLineByteForByte)
{
    expectReturnsAtOnce("/c:42  \"a b\"\t x ", program("Zandor3D.scr"));
    // What follows the program name and its blanks is the command line Windows hands over.
    Hold hold;
    EXPECT_EQ(runLauncher("   /p 77"), 0u);
    ASSERT_TRUE(waitForRecord(program("Zandor3D.scr"), 2));
    EXPECT_EQ(recorded(program("Zandor3D.scr")).back(), "\"" + program("Zandor3D.scr") + "\" /p 77");
}

TEST_F(RandomStart, ChoosesOnlyAmongListedProductsWithAProgramFile)
{
    addThreeProducts();
    ASSERT_TRUE(driver::setDword(familyKey, "StartRandom", 1));
    std::set<std::string> chosen;
    int runs = 0;
    for (; runs < 60 && chosen.size() < 2; ++runs) {
        const std::string arguments = runs % 2 == 0 ? "/s" : "-s";
        const std::size_t before = recorded(program("alpha.exe")).size() + recorded(program("beta.exe")).size();
        ASSERT_EQ(runLauncher(arguments), 0u);
        for (const char* name : {"alpha.exe", "beta.exe"}) {
            const std::vector<std::string> lines = recorded(program(name));
            if (lines.empty() || chosen.count(name) != 0)
                continue;
            chosen.insert(name);
            EXPECT_EQ(lines.back(), "\"" + program(name) + "\" " + arguments);
        }
        EXPECT_EQ(recorded(program("alpha.exe")).size() + recorded(program("beta.exe")).size(), before + 1);
        Sleep(7);  // a new tick count seeds the next choice
    }
    EXPECT_EQ(chosen, (std::set<std::string>{"alpha.exe", "beta.exe"}));
    EXPECT_TRUE(recorded(program("Zandor3D.scr")).empty());
    RecordProperty("runs", runs);
}

TEST_F(RandomStart, WaitsUntilTheFullScreenProgramEnds)
{
    addThreeProducts();
    ASSERT_TRUE(driver::setDword(familyKey, "StartRandom", 1));
    expectWaitsFor("/s", {program("alpha.exe"), program("beta.exe")});
    // With StartRandom off a full-screen run still goes to this product and is waited for.
    ASSERT_TRUE(driver::setDword(familyKey, "StartRandom", 0));
    expectWaitsFor("-s", {program("Zandor3D.scr")});
}

TEST_F(RandomStart, EmptyOrMissingListRunsThisProduct)
{
    ASSERT_TRUE(driver::setDword(familyKey, "StartRandom", 1));
    EXPECT_EQ(runLauncher("/s"), 0u);
    ASSERT_TRUE(waitForRecord(program("Zandor3D.scr"), 1));
    HKEY list;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, listKey.c_str(), &list), ERROR_SUCCESS);
    RegCloseKey(list);
    EXPECT_EQ(runLauncher("-s"), 0u);
    ASSERT_TRUE(waitForRecord(program("Zandor3D.scr"), 2));
    EXPECT_EQ(recorded(program("Zandor3D.scr")).back(), "\"" + program("Zandor3D.scr") + "\" -s");
}

TEST_F(RandomStart, ReadsAListNameLongerThanThePreviousPath)
{
    ASSERT_TRUE(driver::setDword(familyKey, "StartRandom", 1));
    // Only the long-named product has a program file.
    addProduct("A", "C:\\a.exe");
    const std::string longName(120, 'L');
    addProduct(longName, program("beta.exe"));
    EXPECT_EQ(runLauncher("/s"), 0u);
    ASSERT_TRUE(waitForRecord(program("beta.exe")));
    EXPECT_TRUE(recorded(program("Zandor3D.scr")).empty());
}

// Values are enumerated in name order here: the long ones come before the member.
TEST_F(RandomStart, AListValueWithALongTitleOrNameHidesNoOtherMember)
{
    ASSERT_TRUE(driver::setDword(familyKey, "StartRandom", 1));
    ASSERT_TRUE(driver::setString(listKey, "AAA", std::string(5000, 'T')));
    ASSERT_TRUE(driver::setString(listKey, "AAB" + std::string(1100, 'N'), "Long name"));
    addProduct("BETA", program("beta.exe"));
    EXPECT_EQ(runLauncher("/s"), 0u);
    ASSERT_TRUE(waitForRecord(program("beta.exe")));
    EXPECT_TRUE(recorded(program("Zandor3D.scr")).empty());
}

// Starts the launcher, expects its message, answers it and gives the exit code.
DWORD runExpectingInstallError(const std::string& arguments)
{
    driver::Process process;
    if (!driver::start(launcher(), arguments, process))
        return 1000;
    const HWND box = driver::waitForWindowWithClass(process.pid, "#32770", 10000);
    EXPECT_NE(box, nullptr) << "no message";
    if (box != nullptr) {
        EXPECT_EQ(driver::windowText(box), "Screensaver error");
        EXPECT_EQ(messageText(box),
                  "This screensaver is not installed properly. Please reinstall it.\n"
                  "(if you have lost installer, you can download it from http://www.orbicade.com/download/");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    DWORD code = 1001;
    if (!driver::waitExit(process, 10000, code))
        driver::terminate(process);
    return code;
}

TEST_F(RandomStart, MissingProgramFileShowsTheMessageAndFails)
{
    setOwnProgram(program("gamma.exe"));
    EXPECT_EQ(runExpectingInstallError("/s"), failedExitCode);
}

TEST_F(RandomStart, NoProgramAtAllShowsTheMessageAndFails)
{
    ASSERT_TRUE(driver::deleteTree("Software\\Quarnel"));
    EXPECT_EQ(runExpectingInstallError("/c"), failedExitCode);
}

TEST_F(RandomStart, CommandLineBeyondItsBufferIsNotStartedAndNotReported)
{
    const std::string quoted = "\"" + program("Zandor3D.scr") + "\" ";
    const std::string fits(2047 - quoted.size(), 'x');
    EXPECT_EQ(runLauncher(fits), 0u);
    ASSERT_TRUE(waitForRecord(program("Zandor3D.scr")));
    EXPECT_EQ(recorded(program("Zandor3D.scr")).back(), quoted + fits);

    driver::Process process;
    ASSERT_TRUE(driver::start(launcher(), fits + "x", process));
    DWORD code = 0;
    ASSERT_TRUE(driver::waitExit(process, 10000, code)) << "a message box would keep it running";
    EXPECT_EQ(code, failedExitCode);
    EXPECT_EQ(recorded(program("Zandor3D.scr")).size(), 1u);
}

}  // namespace
