// Settings load and save on the current user's registry.
#include <windows.h>

#include "config/Settings.h"
#include "family/FamilyList.h"
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
}

bool Settings::load()
{
    RegistryKey family;
    if (!family.open(HKEY_CURRENT_USER, STR_FAMILY_KEY))
        return false;
    for (const NumericValue& value : numericValues) {
        RegistryKey product;
        if (product.open(family.get(), STR_PRODUCT_KEY))
            product.readDword(value.name, this->*value.field);
    }
    RegistryKey product;
    installPath.clear();
    if (product.open(family.get(), STR_PRODUCT_KEY))
        product.readString("InstallPath", installPath);
    readFamilyList(family.get(), familyList);
    return true;
}

bool Settings::save() const
{
    RegistryKey family;
    if (!family.create(HKEY_CURRENT_USER, STR_FAMILY_KEY))
        return false;
    for (const NumericValue& value : numericValues) {
        RegistryKey product;
        if (product.create(family.get(), STR_PRODUCT_KEY))
            product.writeDword(value.name, this->*value.field);
    }
    return true;
}

std::string Settings::readInstallPath()
{
    std::string path;
    RegistryKey family;
    RegistryKey product;
    if (family.open(HKEY_CURRENT_USER, STR_FAMILY_KEY) && product.open(family.get(), STR_PRODUCT_KEY))
        product.readString("InstallPath", path);
    return path;
}
