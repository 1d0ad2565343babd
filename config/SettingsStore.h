#pragma once
#include <string>

#include "config/Settings.h"

// Everything the product keeps in the current user's registry, below the family
// key: the product key's nine numbers and InstallPath, the family list (the "List"
// subkey and each member's ExecutablePath) and the family's StartRandom. The only
// code of the program that names those keys and values; each operation opens each
// key it needs once.
class SettingsStore {
public:
    // False when the family key cannot be opened; the record is then unchanged.
    // Missing or unfit values leave their fields as they were.
    bool load(Settings& settings) const;
    // Writes the nine numbers, nothing else; false when the family key cannot be
    // opened or created.
    bool save(const Settings& settings) const;
    // Empty when the key or the value is missing.
    std::string readInstallPath() const;
    // The family's random-start switch; off when it is missing.
    bool readStartRandom() const;
    bool writeStartRandom(bool on) const;
};
