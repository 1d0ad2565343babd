#include "family/FamilyList.h"

#include <cstdio>

#include "framework/RegistryKey.h"

namespace {
bool fileOpens(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}
}

void readFamilyList(HKEY familyKey, std::vector<FamilyEntry>& list)
{
    list.clear();
    HKEY listKey = nullptr;
    if (RegOpenKeyA(familyKey, "List", &listKey) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index) {
        char name[1024];
        char data[1024];
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data - 1;
        if (RegEnumValueA(listKey, index, name, &nameSize, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                          &dataSize) != ERROR_SUCCESS)
            break;
        data[dataSize] = '\0';
        FamilyEntry entry{data, name, {}};
        RegistryKey product;
        if (product.open(familyKey, name) && product.readString("ExecutablePath", entry.executablePath) &&
            !entry.executablePath.empty() && fileOpens(entry.executablePath))
            list.push_back(entry);
    }
    RegCloseKey(listKey);
}
