#include "config/SettingsStore.h"

#include <windows.h>

#include <cstdio>

#include "framework/RegistryKey.h"
#include "resources/ProductStrings.h"

namespace {
struct NumericValue {
    const char* name;
    int32_t Settings::*field;
};

// Registry order of the nine numbers.
const NumericValue numericValues[] = {
    {"XResolution", &Settings::xResolution},
    {"YResolution", &Settings::yResolution},
    {"ColorDepth", &Settings::colorDepth},
    {"AnimationSpeed", &Settings::animationSpeed},
    {"CamMode", &Settings::camMode},
    {"NightSide", &Settings::nightSide},
    {"CurrentVideomode", &Settings::currentVideomode},
    {"DemoMode", &Settings::demoMode},
    {"RandomCameraStart", &Settings::randomCameraStart},
};

// Names and titles of the "List" values are read into 1024-byte buffers.
const DWORD kListBufferSize = 1024;

bool fileOpens(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

// The member's entry when its key names a program file that opens.
bool readMember(const RegistryKey& family, FamilyEntry& entry)
{
    RegistryKey member;
    return member.open(family.get(), entry.identifier.c_str()) &&
           member.readString(STR_EXECUTABLE_PATH, entry.executablePath) && !entry.executablePath.empty() &&
           fileOpens(entry.executablePath);
}

// The installed members in enumeration order. A value whose name or title does not
// fit its buffer is skipped alone; the first other failure ends the list.
void readFamilyList(const RegistryKey& family, std::vector<FamilyEntry>& list)
{
    list.clear();
    RegistryKey listKey;
    if (!listKey.open(family.get(), STR_FAMILY_LIST_KEY, KEY_READ))
        return;
    for (DWORD index = 0;; ++index) {
        char name[kListBufferSize];
        char title[kListBufferSize];
        DWORD nameSize = sizeof name;
        DWORD titleSize = sizeof title - 1;
        const LONG status = RegEnumValueA(listKey.get(), index, name, &nameSize, nullptr, nullptr,
                                          reinterpret_cast<BYTE*>(title), &titleSize);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            break;
        title[titleSize] = '\0';
        FamilyEntry entry{title, name, {}};
        if (readMember(family, entry))
            list.push_back(entry);
    }
}
}

bool SettingsStore::load(Settings& settings) const
{
    RegistryKey family;
    if (!family.open(HKEY_CURRENT_USER, STR_FAMILY_KEY))
        return false;
    settings.installPath.clear();
    RegistryKey product;
    if (product.open(family.get(), STR_PRODUCT_KEY)) {
        for (const NumericValue& value : numericValues)
            product.readDword(value.name, settings.*value.field);
        product.readString(STR_INSTALL_PATH, settings.installPath);
    }
    readFamilyList(family, settings.familyList);
    return true;
}

bool SettingsStore::save(const Settings& settings) const
{
    RegistryKey family;
    if (!family.create(HKEY_CURRENT_USER, STR_FAMILY_KEY))
        return false;
    RegistryKey product;
    if (product.create(family.get(), STR_PRODUCT_KEY)) {
        for (const NumericValue& value : numericValues)
            product.writeDword(value.name, settings.*value.field);
    }
    return true;
}

std::string SettingsStore::readInstallPath() const
{
    std::string path;
    RegistryKey family;
    RegistryKey product;
    if (family.open(HKEY_CURRENT_USER, STR_FAMILY_KEY) && product.open(family.get(), STR_PRODUCT_KEY))
        product.readString(STR_INSTALL_PATH, path);
    return path;
}

// The dialog shows the switch whatever the value's type, as long as it has four bytes.
bool SettingsStore::readStartRandom() const
{
    RegistryKey family;
    int32_t stored = 0;
    return family.create(HKEY_CURRENT_USER, STR_FAMILY_KEY) && family.readDword(STR_START_RANDOM, stored) &&
           stored != 0;
}

bool SettingsStore::writeStartRandom(bool on) const
{
    RegistryKey family;
    return family.create(HKEY_CURRENT_USER, STR_FAMILY_KEY) && family.writeDword(STR_START_RANDOM, on ? 1 : 0);
}
