#include "family/randomstart/WindowsLaunchSystem.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

const char* const familyKeyPath = "Software\\Quarnel\\Orbicade";
// Value names and data of the "List" subkey are read into 1024-byte buffers.
constexpr DWORD listBufferSize = 1024;

static_assert(RegistryValue::typeString == REG_SZ && RegistryValue::typeDword == REG_DWORD, "registry type codes");
static_assert(LaunchSystem::errorFileNotFound == ERROR_FILE_NOT_FOUND &&
                  LaunchSystem::errorPathNotFound == ERROR_PATH_NOT_FOUND,
              "start error codes");

// A registry key opened for reading, closed when it goes out of scope.
class ReadKey {
public:
    ReadKey(HKEY parent, const char* subkey)
    {
        if (parent == nullptr || RegOpenKeyExA(parent, subkey, 0, KEY_READ, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~ReadKey()
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    ReadKey(const ReadKey&) = delete;
    ReadKey& operator=(const ReadKey&) = delete;

    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

const char* const installErrorText =
    "This screensaver is not installed properly. Please reinstall it.\n"
    "(if you have lost installer, you can download it from http://www.orbicade.com/download/";

}  // namespace

bool WindowsLaunchSystem::queryFamilyValue(const std::string& subkey, const std::string& name, std::size_t capacity,
                                           RegistryValue& value)
{
    const ReadKey family(HKEY_CURRENT_USER, familyKeyPath);
    const ReadKey key(family.get(), subkey.c_str());
    if (key.get() == nullptr || capacity > MAXDWORD)
        return false;
    std::vector<BYTE> data(capacity);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(capacity);
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
        return false;
    }
    value.type = type;
    value.bytes.assign(reinterpret_cast<const char*>(data.data()), size < capacity ? size : capacity);
    return true;
}

// Both capacities are given in full on every call.
bool WindowsLaunchSystem::listValueName(unsigned long index, std::string& name)
{
    const ReadKey family(HKEY_CURRENT_USER, familyKeyPath);
    const ReadKey list(family.get(), "List");
    if (list.get() == nullptr)
        return false;
    char nameBuffer[listBufferSize];
    BYTE data[listBufferSize];
    DWORD nameSize = listBufferSize;
    DWORD dataSize = listBufferSize;
    DWORD type = 0;
    if (RegEnumValueA(list.get(), index, nameBuffer, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) {
        return false;
    }
    name.assign(nameBuffer, nameSize < listBufferSize ? nameSize : listBufferSize - 1);
    return true;
}

bool WindowsLaunchSystem::fileOpens(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

unsigned long WindowsLaunchSystem::tickCount()
{
    return GetTickCount();
}

bool WindowsLaunchSystem::startProcess(const std::string& applicationName, const std::string& commandLine,
                                       bool waitForEnd, unsigned long& error)
{
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(applicationName.c_str(), command.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &process)) {
        error = GetLastError();
        return false;
    }
    if (waitForEnd)
        WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void WindowsLaunchSystem::showInstallError()
{
    MessageBoxA(nullptr, installErrorText, "Screensaver error", MB_OK);
}
