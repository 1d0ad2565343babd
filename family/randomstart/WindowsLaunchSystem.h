#pragma once

#include "family/randomstart/LaunchSystem.h"

// The launcher's view of the machine through Win32: the current user's
// registry, the C runtime's file open, CreateProcessA and a message box.
class WindowsLaunchSystem : public LaunchSystem {
public:
    bool queryFamilyValue(const std::string& subkey, const std::string& name, std::size_t capacity,
                          RegistryValue& value) override;
    ListValue listValueName(unsigned long index, std::string& name) override;
    bool fileOpens(const std::string& path) override;
    unsigned long tickCount() override;
    bool startProcess(const std::string& applicationName, const std::string& commandLine, bool waitForEnd,
                      unsigned long& error) override;
    void showInstallError() override;
};
