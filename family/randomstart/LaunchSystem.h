#pragma once

#include <cstddef>
#include <string>

#include "family/randomstart/RegistryValue.h"

// What the launcher needs from the machine: the family's registry tree, a
// file test, the millisecond clock, process start and its one message.
class LaunchSystem {
public:
    static constexpr unsigned long errorFileNotFound = 2;
    static constexpr unsigned long errorPathNotFound = 3;

    // What the enumeration of the family's "List" subkey finds at one index.
    enum class ListValue { Named, DoesNotFit, End };

    virtual ~LaunchSystem() = default;

    // Value `name` of the family key's `subkey` ("" is the family key itself),
    // read into `capacity` bytes; false when the key or value is missing or
    // its data does not fit.
    virtual bool queryFamilyValue(const std::string& subkey, const std::string& name, std::size_t capacity,
                                  RegistryValue& value) = 0;

    // Name of the value at `index` of the family's "List" subkey. A name too long
    // for its buffer does not fit; any other failure ends the list.
    virtual ListValue listValueName(unsigned long index, std::string& name) = 0;

    virtual bool fileOpens(const std::string& path) = 0;
    virtual unsigned long tickCount() = 0;

    // Starts the program and, if asked, waits for its end. On failure `error`
    // holds the system's error code.
    virtual bool startProcess(const std::string& applicationName, const std::string& commandLine, bool waitForEnd,
                              unsigned long& error) = 0;

    virtual void showInstallError() = 0;
};
