#include "family/randomstart/WindowsLaunchSystem.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "framework/UniqueHandle.h"
#include "resources/ProductStrings.h"

namespace {

// Value names of the "List" subkey are read into 1024-byte buffers.
constexpr DWORD listBufferSize = 1024;

static_assert(RegistryValue::typeString == REG_SZ && RegistryValue::typeDword == REG_DWORD, "registry type codes");
static_assert(LaunchSystem::errorFileNotFound == ERROR_FILE_NOT_FOUND &&
                  LaunchSystem::errorPathNotFound == ERROR_PATH_NOT_FOUND,
              "start error codes");

// An empty owner when the parent is missing or the key cannot be opened.
KeyHandle openForReading(HKEY parent, const char* subkey)
{
    HKEY key = nullptr;
    if (parent == nullptr || RegOpenKeyExA(parent, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return KeyHandle();
    return KeyHandle(key);
}

const char* const installErrorText =
    "This screensaver is not installed properly. Please reinstall it.\n"
    "(if you have lost installer, you can download it from http://www.orbicade.com/download/";

}  // namespace

bool WindowsLaunchSystem::queryFamilyValue(const std::string& subkey, const std::string& name, std::size_t capacity,
                                           RegistryValue& value)
{
    const KeyHandle family = openForReading(HKEY_CURRENT_USER, STR_FAMILY_KEY);
    const KeyHandle key = openForReading(family.get(), subkey.c_str());
    if (!key || capacity > MAXDWORD)
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

// The launcher needs no titles, so a title of any length never hides a member.
LaunchSystem::ListValue WindowsLaunchSystem::listValueName(unsigned long index, std::string& name)
{
    const KeyHandle family = openForReading(HKEY_CURRENT_USER, STR_FAMILY_KEY);
    const KeyHandle list = openForReading(family.get(), STR_FAMILY_LIST_KEY);
    if (!list)
        return ListValue::End;
    char nameBuffer[listBufferSize];
    DWORD nameSize = listBufferSize;
    const LONG status = RegEnumValueA(list.get(), index, nameBuffer, &nameSize, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_MORE_DATA)
        return ListValue::DoesNotFit;
    if (status != ERROR_SUCCESS)
        return ListValue::End;
    name.assign(nameBuffer, nameSize < listBufferSize ? nameSize : listBufferSize - 1);
    return ListValue::Named;
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
    const KernelHandle thread(process.hThread);
    const KernelHandle started(process.hProcess);
    if (waitForEnd)
        WaitForSingleObject(started.get(), INFINITE);
    return true;
}

void WindowsLaunchSystem::showInstallError()
{
    MessageBoxA(nullptr, installErrorText, "Screensaver error", MB_OK);
}
