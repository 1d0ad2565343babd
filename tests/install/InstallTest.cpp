// Zandor3D-setup.exe end to end: what a silent install puts on the machine, the
// installed screensaver started the way the system starts it, a repeat install and
// the uninstall. Runs in a Wine prefix of its own (run.sh).
#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "config/SettingsStore.h"
#include "resources/ProductStrings.h"
#include "tests/driver/Driver.h"

namespace {

const std::string familyKey = STR_FAMILY_KEY;
const std::string productKey = familyKey + "\\" STR_PRODUCT_KEY;
const std::string listKey = familyKey + "\\List";
const std::string otherKey = familyKey + "\\Other";
const std::string uninstallRoot = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string uninstallKey = uninstallRoot + "\\" STR_PRODUCT_KEY;
const std::string desktopKey = "Control Panel\\Desktop";
const DWORD installTimeout = 120000;

std::string built(const char* name)
{
    return driver::windowsPath(ZANDOR3D_BIN_DIR "/" + std::string(name));
}

std::string programFilesFolder()
{
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string familyFolder()
{
    return programFilesFolder() + "\\Orbicade";
}
std::string installFolder()
{
    return familyFolder() + "\\Zandor 3D";
}
std::string installed(const char* name)
{
    return installFolder() + "\\" + name;
}

std::string systemEntry()
{
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    return std::string(path) + "\\Zandor 3D.scr";
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string contents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// A string value, or "<missing>".
std::string stringOf(HKEY root, const std::string& key, const std::string& name)
{
    char data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return "<missing>";
    return data;
}

bool keyExists(HKEY root, const std::string& key)
{
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// Every value below a key, by "subkey\name", with its type and data.
using RegistryTree = std::map<std::string, std::pair<DWORD, std::string>>;

void collect(HKEY key, const std::string& prefix, RegistryTree& tree)
{
    for (DWORD index = 0;; ++index) {
        char name[1024];
        BYTE data[4096];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        tree[prefix + name] = {type, std::string(reinterpret_cast<char*>(data), dataSize)};
    }
    for (DWORD index = 0;; ++index) {
        char name[1024];
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY child;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            collect(child, prefix + name + "\\", tree);
            RegCloseKey(child);
        }
    }
}

RegistryTree snapshot(HKEY root, const std::string& key)
{
    RegistryTree tree;
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) == ERROR_SUCCESS) {
        collect(handle, "", tree);
        RegCloseKey(handle);
    }
    return tree;
}

std::set<std::string> valueNames(const std::string& key)
{
    std::set<std::string> names;
    for (const auto& value : snapshot(HKEY_CURRENT_USER, key)) {
        if (value.first.find('\\') == std::string::npos)
            names.insert(value.first);
    }
    return names;
}

// Entries of the system's installed programs with this display name.
int installedProgramsNamed(const std::string& name)
{
    HKEY root;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, uninstallRoot.c_str(), 0, KEY_READ, &root) != ERROR_SUCCESS)
        return 0;
    int count = 0;
    char entry[256];
    for (DWORD index = 0; RegEnumKeyA(root, index, entry, sizeof entry) == ERROR_SUCCESS; ++index)
        count += stringOf(HKEY_LOCAL_MACHINE, uninstallRoot + "\\" + entry, "DisplayName") == name;
    RegCloseKey(root);
    return count;
}

long install()
{
    return driver::run(built("Zandor3D-setup.exe"), "/S", installTimeout);
}

// The installed uninstaller as it runs itself: a copy outside the install folder, told
// where the installation is, so that its process and exit code are ours to see.
std::string uninstallerCopy()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "zandor-uninstall.exe";
}

bool startUninstaller(const std::string& options, driver::Process& process)
{
    if (!CopyFileA(installed("uninstall.exe").c_str(), uninstallerCopy().c_str(), FALSE))
        return false;
    return driver::start(uninstallerCopy(), options + (options.empty() ? "" : " ") + "_?=" + installFolder(), process);
}

// The exit code of a setup program or uninstaller; -999 when it did not end in time.
long finish(driver::Process& process)
{
    DWORD code = 0;
    const bool ended = driver::waitExit(process, installTimeout, code);
    if (!ended)
        driver::terminate(process);
    DeleteFileA(uninstallerCopy().c_str());
    return ended ? static_cast<long>(code) : -999;
}

long uninstall(const std::string& options = "")
{
    driver::Process process;
    return startUninstaller("/S " + options, process) ? finish(process) : -1000;
}

// Waits for the wizard page whose main button reads `label`: that button, or null.
HWND waitForPage(DWORD pid, const std::string& label)
{
    HWND found = nullptr;
    driver::waitFor(
        [&] {
            for (HWND window : driver::topWindows(pid)) {
                HWND button = GetDlgItem(window, IDOK);
                if (button && IsWindowEnabled(button) && driver::windowText(button) == label)
                    found = button;
            }
            return found != nullptr;
        },
        30000);
    return found;
}

// Closes the wizard on its last page with its Close button: its exit code.
long closeWizard(driver::Process& process)
{
    HWND close = waitForPage(process.pid, "&Close");
    driver::waitFor(
        [&] {
            PostMessageA(close, BM_CLICK, 0, 0);
            return WaitForSingleObject(process.handle, 500) == WAIT_OBJECT_0;
        },
        10000);
    return finish(process);
}

// Goes through a wizard with the keyboard as a user does: ticks or unticks the second
// choice of its first page, accepts the page whose button reads `accept` and closes it
// at the end. Its exit code; -1 or -2, and the wizard ended, when the first or the
// second page did not show.
long throughWizardTogglingSecondChoice(driver::Process& process, const std::string& accept)
{
    const auto shown = [&](const std::string& label) {
        if (waitForPage(process.pid, label))
            return true;
        driver::terminate(process);
        return false;
    };
    if (!shown("&Next >"))
        return -1;
    driver::pressKey(VK_DOWN);
    driver::pressKey(VK_SPACE);
    driver::pressKey(VK_RETURN);
    if (!shown(accept))
        return -2;
    driver::pressKey(VK_RETURN);
    return closeWizard(process);
}

// The id of a process of program `exeName` that `parent` started; 0 if none appears in time.
DWORD waitForChildProcess(DWORD parent, const char* exeName)
{
    DWORD found = 0;
    driver::waitFor(
        [&] {
            HANDLE all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
            PROCESSENTRY32 entry = {};
            entry.dwSize = sizeof entry;
            for (BOOL more = Process32First(all, &entry); more; more = Process32Next(all, &entry)) {
                if (entry.th32ParentProcessID == parent && lstrcmpiA(entry.szExeFile, exeName) == 0)
                    found = entry.th32ProcessID;
            }
            CloseHandle(all);
            return found != 0;
        },
        15000);
    return found;
}

std::string imagePath(HANDLE process)
{
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameA(process, 0, path, &size);
    return path;
}

// The images of the first icon group of a program file, which is what the shell shows
// for it, as raw bytes.
std::set<std::string> shownIcon(const std::string& path)
{
    std::set<std::string> images;
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return images;
    const auto resourceBytes = [&](LPCSTR name, LPCSTR type) {
        HRSRC found = FindResourceA(module, name, type);
        const char* data = found ? static_cast<const char*>(LockResource(LoadResource(module, found))) : nullptr;
        return data ? std::string(data, SizeofResource(module, found)) : std::string();
    };
    LPSTR group = nullptr;
    EnumResourceNamesA(
        module, RT_GROUP_ICON,
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR first) -> BOOL {
            *reinterpret_cast<LPSTR*>(first) = name;  // a number: our programs name no group
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&group));
    const std::string directory = group ? resourceBytes(group, RT_GROUP_ICON) : std::string();
    // Six bytes of header, then 14-byte entries whose last two bytes are the image id.
    for (std::size_t entry = 6; entry + 14 <= directory.size(); entry += 14) {
        const WORD id = static_cast<WORD>(static_cast<unsigned char>(directory[entry + 12]) |
                                          static_cast<unsigned char>(directory[entry + 13]) << 8);
        images.insert(resourceBytes(MAKEINTRESOURCEA(id), RT_ICON));
    }
    FreeLibrary(module);
    return images;
}

class Installer : public ::testing::Test {
protected:
    // Nothing of an earlier case left: no files, no keys, no chosen screensaver.
    void SetUp() override
    {
        ASSERT_TRUE(driver::deleteTree("Software\\Quarnel"));
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, uninstallKey.c_str());
        RegDeleteKeyValueA(HKEY_CURRENT_USER, desktopKey.c_str(), "SCRNSAVE.EXE");
        std::error_code ignored;
        std::filesystem::remove_all(familyFolder(), ignored);
        DeleteFileA(systemEntry().c_str());
    }

    // Another family member and the user's own settings, both present before the install.
    static void addUsersOwnState()
    {
        ASSERT_TRUE(driver::setString(listKey, "OTHER", "Other Saver"));
        ASSERT_TRUE(driver::setString(otherKey, "ExecutablePath", "C:\\Other\\other.scr"));
        ASSERT_TRUE(driver::setDword(familyKey, "StartRandom", 1));
        ASSERT_TRUE(driver::setDword(productKey, "AnimationSpeed", 77));
    }

    static void expectUsersOwnStateKept()
    {
        EXPECT_EQ(stringOf(HKEY_CURRENT_USER, listKey, "OTHER"), "Other Saver");
        EXPECT_EQ(stringOf(HKEY_CURRENT_USER, otherKey, "ExecutablePath"), "C:\\Other\\other.scr");
        DWORD value = 0;
        EXPECT_TRUE(driver::getDword(familyKey, "StartRandom", value) && value == 1);
        EXPECT_TRUE(driver::getDword(productKey, "AnimationSpeed", value) && value == 77);
    }

    // What the settings dialog's web update leaves in the install folder, with the
    // side files of an update that was cut short.
    static void writeDownloadCache()
    {
        std::filesystem::create_directories(installed("web\\ALPHA"));
        std::filesystem::create_directories(installed("web\\BETA"));
        std::ofstream(installed("web\\update.xml")) << "<Products/>";
        std::ofstream(installed("web\\update.xml.partial")) << "<Prod";
        std::ofstream(installed("web\\ALPHA\\screenshot.jpg")) << "jpeg";
        std::ofstream(installed("web\\ALPHA\\icon.bmp")) << "bitmap";
        std::ofstream(installed("web\\ALPHA\\icon.bmp.partial")) << "bit";
        std::ofstream(installed("web\\BETA\\screenshot.jpg.partial")) << "jp";
    }

    static void expectNothingInstalledLeft()
    {
        EXPECT_FALSE(exists(installFolder()));
        EXPECT_FALSE(exists(familyFolder())) << "the empty family folder";
        EXPECT_FALSE(exists(systemEntry()));
        EXPECT_FALSE(driver::valueExists(listKey, STR_PRODUCT_ID));
        EXPECT_FALSE(driver::valueExists(productKey, "InstallPath"));
        EXPECT_FALSE(driver::valueExists(productKey, "ExecutablePath"));
        EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, uninstallKey));
    }

    // Installs, lets the user choose a screensaver and uninstalls: what is chosen then.
    std::string chosenAfterUninstall(const std::function<std::string()>& choice)
    {
        SetUp();
        EXPECT_EQ(install(), 0);
        EXPECT_TRUE(driver::setString(desktopKey, "SCRNSAVE.EXE", choice()));
        EXPECT_EQ(uninstall(), 0);
        return stringOf(HKEY_CURRENT_USER, desktopKey, "SCRNSAVE.EXE");
    }
};

TEST_F(Installer, SilentInstallPutsEveryFileAndValueInPlace)
{
    addUsersOwnState();
    ASSERT_EQ(install(), 0);

    for (const char* name : {"Zandor3D.scr", "randomstart.exe", "uninstall.exe"})
        EXPECT_TRUE(exists(installed(name))) << name;
    EXPECT_EQ(contents(installed("Zandor3D.scr")), contents(built("Zandor3D.scr")));
    EXPECT_EQ(contents(systemEntry()), contents(built("randomstart.exe"))) << "the system entry is randomstart";
    EXPECT_EQ(stringOf(HKEY_CURRENT_USER, desktopKey, "SCRNSAVE.EXE"), systemEntry());

    EXPECT_EQ(stringOf(HKEY_CURRENT_USER, productKey, "InstallPath"), installFolder() + "\\");
    EXPECT_EQ(stringOf(HKEY_CURRENT_USER, productKey, "ExecutablePath"), installed("Zandor3D.scr"));
    EXPECT_EQ(stringOf(HKEY_CURRENT_USER, listKey, STR_PRODUCT_ID), "Zandor 3D");
    EXPECT_EQ(valueNames(productKey), (std::set<std::string>{"AnimationSpeed", "ExecutablePath", "InstallPath"}));
    expectUsersOwnStateKept();

    EXPECT_EQ(stringOf(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayName"), "Zandor 3D");
    EXPECT_EQ(stringOf(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayVersion"), "1.0");
    EXPECT_EQ(stringOf(HKEY_LOCAL_MACHINE, uninstallKey, "Publisher"), "Quarnel");
    EXPECT_EQ(stringOf(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayIcon"), installed("Zandor3D.scr"));
    const std::string uninstaller = "\"" + installed("uninstall.exe") + "\"";
    EXPECT_EQ(stringOf(HKEY_LOCAL_MACHINE, uninstallKey, "UninstallString"), uninstaller);
    EXPECT_EQ(stringOf(HKEY_LOCAL_MACHINE, uninstallKey, "QuietUninstallString"), uninstaller + " /S");
    DWORD kilobytes = 0, size = sizeof kilobytes;
    ASSERT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, uninstallKey.c_str(), "EstimatedSize", RRF_RT_REG_DWORD, nullptr,
                           &kilobytes, &size),
              ERROR_SUCCESS);
    const std::size_t bytes = contents(installed("Zandor3D.scr")).size() + 2 * contents(systemEntry()).size() +
                              contents(installed("uninstall.exe")).size();
    EXPECT_NEAR(kilobytes, bytes / 1024.0, 4.0);
}

TEST_F(Installer, InstallByHandWithoutChoosingTheScreensaver)
{
    driver::Process setup;
    ASSERT_TRUE(driver::start(built("Zandor3D-setup.exe"), "", setup));
    ASSERT_EQ(throughWizardTogglingSecondChoice(setup, "&Install"), 0);
    EXPECT_EQ(stringOf(HKEY_CURRENT_USER, productKey, "ExecutablePath"), installed("Zandor3D.scr"));
    EXPECT_TRUE(exists(systemEntry()));
    EXPECT_FALSE(driver::valueExists(desktopKey, "SCRNSAVE.EXE")) << "unticked";
}

TEST_F(Installer, ProgramsReadWhatTheInstallerWrote)
{
    ASSERT_EQ(install(), 0);
    Settings settings;
    ASSERT_TRUE(SettingsStore().load(settings));
    EXPECT_EQ(settings.installPath, installFolder() + "\\");
    ASSERT_EQ(settings.familyList.size(), 1u) << "listed, with a program file that opens";
    EXPECT_EQ(settings.familyList[0].identifier, STR_PRODUCT_ID);
    EXPECT_EQ(settings.familyList[0].title, "Zandor 3D");
    EXPECT_EQ(settings.familyList[0].executablePath, installed("Zandor3D.scr"));
}

TEST_F(Installer, SetupAndUninstallerShowOurIcon)
{
    ASSERT_EQ(install(), 0);
    const std::set<std::string> ours = shownIcon(built("Zandor3D.scr"));  // icon 128
    ASSERT_FALSE(ours.empty());
    EXPECT_TRUE(shownIcon(built("Zandor3D-setup.exe")) == ours) << "the setup program's icon";
    EXPECT_TRUE(shownIcon(installed("uninstall.exe")) == ours) << "the uninstaller's icon";
}

TEST_F(Installer, SystemEntryRunsTheScreensaverFullScreenUntilAKey)
{
    ASSERT_EQ(install(), 0);
    driver::Process launcher;
    ASSERT_TRUE(driver::start(systemEntry(), "/s", launcher));
    const DWORD pid = waitForChildProcess(launcher.pid, "Zandor3D.scr");
    ASSERT_NE(pid, 0u) << "randomstart started no screensaver";
    HANDLE screensaver = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid);
    EXPECT_EQ(imagePath(screensaver), installed("Zandor3D.scr")) << "the program the registry names";
    HWND window = driver::waitForScreenWindow(pid);
    ASSERT_NE(window, nullptr);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
    DWORD code = 1;
    EXPECT_FALSE(driver::waitExit(launcher, 500, code)) << "randomstart waits for a full-screen run";
    driver::pressKey(VK_SPACE);
    EXPECT_EQ(WaitForSingleObject(screensaver, 15000), WAIT_OBJECT_0) << "the key ended the run";
    CloseHandle(screensaver);
    ASSERT_TRUE(driver::waitExit(launcher, 15000, code));
    EXPECT_EQ(code, 0u);
}

TEST_F(Installer, SystemEntryOpensTheConfigurationWindow)
{
    ASSERT_EQ(install(), 0);
    driver::Process launcher;
    ASSERT_TRUE(driver::start(systemEntry(), "/c", launcher));
    const DWORD pid = waitForChildProcess(launcher.pid, "Zandor3D.scr");
    ASSERT_NE(pid, 0u);
    DWORD code = 1;
    EXPECT_TRUE(driver::waitExit(launcher, 15000, code)) << "randomstart does not wait for /c";
    EXPECT_EQ(code, 0u);
    HANDLE program = OpenProcess(SYNCHRONIZE, FALSE, pid);
    HWND window = driver::waitForTopWindow(pid, 15000);
    ASSERT_NE(window, nullptr) << "no window of our program";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(program, 15000), WAIT_OBJECT_0);
    CloseHandle(program);
}

TEST_F(Installer, InstallingAgainChangesOnlyTheFiles)
{
    addUsersOwnState();
    ASSERT_EQ(install(), 0);
    const RegistryTree family = snapshot(HKEY_CURRENT_USER, "Software\\Quarnel");
    const RegistryTree uninstallEntry = snapshot(HKEY_LOCAL_MACHINE, uninstallKey);
    std::ofstream(installed("Zandor3D.scr"), std::ios::binary | std::ios::trunc) << "damaged";

    ASSERT_EQ(install(), 0);
    EXPECT_EQ(contents(installed("Zandor3D.scr")), contents(built("Zandor3D.scr")));
    EXPECT_EQ(snapshot(HKEY_CURRENT_USER, "Software\\Quarnel"), family);
    EXPECT_EQ(snapshot(HKEY_LOCAL_MACHINE, uninstallKey), uninstallEntry);
    EXPECT_EQ(valueNames(listKey), (std::set<std::string>{"OTHER", STR_PRODUCT_ID}));
    EXPECT_EQ(installedProgramsNamed("Zandor 3D"), 1);
}

TEST_F(Installer, SilentUninstallRemovesTheInstallationAndKeepsTheUsersOwn)
{
    addUsersOwnState();
    ASSERT_EQ(install(), 0);
    writeDownloadCache();

    ASSERT_EQ(uninstall(), 0);
    expectNothingInstalledLeft();
    EXPECT_FALSE(driver::valueExists(desktopKey, "SCRNSAVE.EXE")) << "it named our entry";
    expectUsersOwnStateKept();
}

TEST_F(Installer, UninstallByHandAskingForAFullRemoval)
{
    ASSERT_TRUE(driver::setDword(productKey, "AnimationSpeed", 77));
    ASSERT_EQ(install(), 0);
    driver::Process uninstaller;
    ASSERT_TRUE(startUninstaller("", uninstaller));
    ASSERT_EQ(throughWizardTogglingSecondChoice(uninstaller, "&Uninstall"), 0);
    expectNothingInstalledLeft();
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Software\\Quarnel")) << "the settings went too";
}

TEST_F(Installer, UninstallKeepsWhatIsNotOursInTheInstallFolder)
{
    ASSERT_EQ(install(), 0);
    writeDownloadCache();
    std::ofstream(installed("web\\notes.txt")) << "the user's";
    std::ofstream(installed("web\\ALPHA\\notes.txt")) << "the user's";
    ASSERT_EQ(uninstall(), 0);
    EXPECT_EQ(contents(installed("web\\notes.txt")), "the user's");
    EXPECT_EQ(contents(installed("web\\ALPHA\\notes.txt")), "the user's");
    for (const char* name :
         {"Zandor3D.scr", "randomstart.exe", "uninstall.exe", "web\\update.xml", "web\\update.xml.partial",
          "web\\ALPHA\\screenshot.jpg", "web\\ALPHA\\icon.bmp", "web\\ALPHA\\icon.bmp.partial", "web\\BETA"})
        EXPECT_FALSE(exists(installed(name))) << name;
}

TEST_F(Installer, UninstallResetsTheScreensaverOnlyWhenItIsOurs)
{
    const std::string other = "C:\\windows\\system32\\other.scr";
    EXPECT_EQ(chosenAfterUninstall([] { return systemEntry(); }), "<missing>");
    EXPECT_EQ(chosenAfterUninstall([] {
                  char path[MAX_PATH] = {};
                  GetShortPathNameA(systemEntry().c_str(), path, MAX_PATH);
                  EXPECT_NE(path, systemEntry());
                  return std::string(path);
              }),
              "<missing>");
    EXPECT_EQ(chosenAfterUninstall([&] { return other; }), other);
}

TEST_F(Installer, FullRemovalTakesTheSettingsAndAnEmptyFamilyKey)
{
    ASSERT_TRUE(driver::setDword(familyKey, "StartRandom", 1));
    ASSERT_TRUE(driver::setDword(productKey, "AnimationSpeed", 77));
    ASSERT_EQ(install(), 0);
    ASSERT_EQ(uninstall("/REMOVESETTINGS"), 0);
    expectNothingInstalledLeft();
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Software\\Quarnel")) << "nothing of the family was left";

    SetUp();
    addUsersOwnState();
    ASSERT_EQ(install(), 0);
    ASSERT_EQ(uninstall("/REMOVESETTINGS"), 0);
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, productKey));
    EXPECT_EQ(stringOf(HKEY_CURRENT_USER, listKey, "OTHER"), "Other Saver") << "another member stays";
    EXPECT_TRUE(driver::valueExists(familyKey, "StartRandom")) << "the family's switch stays with it";
}

TEST_F(Installer, UninstallOfAHalfRemovedInstallationSucceeds)
{
    ASSERT_EQ(install(), 0);
    DeleteFileA(installed("Zandor3D.scr").c_str());
    DeleteFileA(systemEntry().c_str());
    RegDeleteKeyValueA(HKEY_CURRENT_USER, listKey.c_str(), STR_PRODUCT_ID);
    RegDeleteKeyValueA(HKEY_CURRENT_USER, productKey.c_str(), "InstallPath");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, uninstallKey.c_str());

    EXPECT_EQ(uninstall(), 0);
    expectNothingInstalledLeft();
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Software\\Quarnel"));
}

}  // namespace
